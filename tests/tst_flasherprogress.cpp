#include "dialogs/flasherprogress.h"

#include <QtTest>

Q_DECLARE_METATYPE(std::optional<int>)

namespace {
const std::optional<int> none;

QString shown(const std::optional<int> &percent)
{
    return percent ? QString::number(*percent) : QStringLiteral("none");
}
} // namespace

class FlasherProgressTest : public QObject
{
    Q_OBJECT

private slots:
    void terminalCodesAreRemoved_data();
    void terminalCodesAreRemoved();
    void progressLinesContainWritingAt_data();
    void progressLinesContainWritingAt();
    void percentageIsReadFromTheLine_data();
    void percentageIsReadFromTheLine();
};

void FlasherProgressTest::terminalCodesAreRemoved_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain text stays") << "Writing at 0x00010000... (42 %)\r\n"
                                      << "Writing at 0x00010000... (42 %)\r\n";
    QTest::newRow("colours") << "\x1b[1;32mdone\x1b[0m\n"
                             << "done\n";
    QTest::newRow("reset without parameters") << "a\x1b[mb"
                                              << "ab";
    QTest::newRow("character set") << "57.8%\x1b(B\x1b[m 141312"
                                   << "57.8% 141312";
    QTest::newRow("erase line and cursor moves") << "\r\x1b[2K\x1b[1A\x1b[10Dbar"
                                                 << "\rbar";
    QTest::newRow("brackets and parentheses without escape stay") << "[==> ] (5 %)"
                                                                  << "[==> ] (5 %)";
}

void FlasherProgressTest::terminalCodesAreRemoved()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    QCOMPARE(flasher::withoutTerminalCodes(line), text);
}

void FlasherProgressTest::progressLinesContainWritingAt_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("progress");
    QTest::newRow("classic") << "Writing at 0x00010000... (42 %)\n" << true;
    QTest::newRow("bar") << "\rWriting at 0x0004c000 [=>  ]  33.3% 81920/245760 bytes..." << true;
    QTest::newRow("anywhere in the line") << "stage 2: Writing at 0x1000" << true;
    QTest::newRow("case counts") << "writing at 0x00010000... (42 %)\n" << false;
    QTest::newRow("other line with a percentage") << "Packed 245760 bytes to 139458 (56 %)\n" << false;
    QTest::newRow("chip banner") << "Chip esp32s3 (package 56) (revision 2)\n" << false;
}

void FlasherProgressTest::progressLinesContainWritingAt()
{
    QFETCH(QString, line);
    QFETCH(bool, progress);
    QCOMPARE(flasher::isProgressLine(line), progress);
}

void FlasherProgressTest::percentageIsReadFromTheLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<std::optional<int>>("percent");

    // With "(": the text from the first "(" to the next blank, 0 when not a number.
    QTest::newRow("classic (42 %)") << "Writing at 0x00010000... (42 %)\n" << std::optional<int>(42);
    QTest::newRow("classic with CR LF") << "Writing at 0x00010000... (42 %)\r\n" << std::optional<int>(42);
    QTest::newRow("classic 100") << "Writing at 0x00074000... (100 %)\n" << std::optional<int>(100);
    QTest::newRow("classic 0") << "Writing at 0x00010000... (0 %)\n" << std::optional<int>(0);
    QTest::newRow("no blank before % is no number: 0") << "Writing at 0x00010000... (42%)\n"
                                                       << std::optional<int>(0);
    QTest::newRow("blank after ( gives an empty number: 0") << "Writing at 0x00010000... ( 42 %)\n"
                                                            << std::optional<int>(0);
    QTest::newRow("text after (: 0") << "Writing at 0x00010000... (about 42 %)\n" << std::optional<int>(0);
    QTest::newRow("first ( counts") << "Writing at 0x00010000... (7 %) (99 %)\n" << std::optional<int>(7);
    QTest::newRow("out of range passed on") << "Writing at 0x00010000... (142 %)\n"
                                            << std::optional<int>(142);
    QTest::newRow("( without % still takes the number") << "Writing at 0x00010000 (12 of 40)\n"
                                                        << std::optional<int>(12);
    QTest::newRow("older flasher: CR between updates, last counts")
        << "Writing at 0x00010000... (10 %)\rWriting at 0x00014000... (20 %)\rWriting at 0x00018000... (30 "
           "%)\r"
        << std::optional<int>(30);

    // Without "(": the number before the last "%".
    QTest::newRow("bar") << "\rWriting at 0x0004c000 [=========>        ]  33.3% 81920/245760 bytes..."
                         << std::optional<int>(33);
    QTest::newRow("bar full")
        << "\rWriting at 0x00074000 [==================] 100.0% 245760/245760 bytes...\n"
        << std::optional<int>(100);
    QTest::newRow("bar with colour codes") << "\r\x1b[1;34mWriting at 0x0004c000\x1b[0m "
                                              "[\x1b[32m=========>\x1b[0m        ]  33.3% 81920/245760 bytes"
                                           << std::optional<int>(33);
    QTest::newRow("colour reset that looks like a (")
        << "\r\x1b[32mWriting at 0x0004c000 [=====>    ]  57.8%\x1b(B\x1b[m 141312/245760 bytes"
        << std::optional<int>(57);
    QTest::newRow("bar: several updates in one line, last counts")
        << "\rWriting at 0x00010000 [>      ]   6.7% 16384/245760 bytes...\rWriting at 0x00014000 [=>     ]  "
           "13.3% 32768/245760 bytes...\rWriting at 0x00018000 [==>    ]  20.0% 49152/245760 bytes..."
        << std::optional<int>(20);
    QTest::newRow("integer percentage") << "Writing at 0x00018000 ... 64% done" << std::optional<int>(64);
    QTest::newRow("blank before %") << "Writing at 0x00018000 ... 64 % done" << std::optional<int>(64);
    QTest::newRow("bar without a number yet: none") << "\rWriting at 0x0004c000 [=====" << none;
    QTest::newRow("% without a number: none") << "Writing at 0x0004c000 [=====] %" << none;
    QTest::newRow("not a number before %: none") << "Writing at 0x0004c000 1.2.3%" << none;

    QTest::newRow("not a progress line: none") << "Packed 245760 bytes to 139458 (56 %)\n" << none;
    QTest::newRow("update without Writing at after the last progress one is skipped")
        << "Writing at 0x00074000 [=====] 100.0% 245760/245760\rWrote 245760 bytes (139458 compressed)\n"
        << std::optional<int>(100);
}

void FlasherProgressTest::percentageIsReadFromTheLine()
{
    QFETCH(QString, line);
    QFETCH(std::optional<int>, percent);
    QCOMPARE(shown(flasher::progressPercent(line)), shown(percent));
}

QTEST_APPLESS_MAIN(FlasherProgressTest)
#include "tst_flasherprogress.moc"
