#include "dialogs/progressdialog.h"

#include "testsupport.h"

#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

using testsupport::child;

class ProgressDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void startsBusyWithInitiatingLabel();
    void linesSetLabelAndBar_data();
    void linesSetLabelAndBar();
    void outputIsShownAsPlainTextScrolledToTheEnd();
    void hiddenDialogStillTakesLines();
};

void ProgressDialogTest::startsBusyWithInitiatingLabel()
{
    QWidget parent;
    ProgressDialog dialog(&parent);
    QCOMPARE(dialog.objectName(), QStringLiteral("ProgressDialog"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Firmware update"));
    QCOMPARE(dialog.size(), QSize(488, 444));
    QCOMPARE(dialog.parentWidget(), &parent);
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.testAttribute(Qt::WA_DeleteOnClose));

    auto *layout = qobject_cast<QVBoxLayout *>(dialog.layout());
    QVERIFY(layout);
    QCOMPARE(layout->objectName(), QStringLiteral("verticalLayout"));
    QCOMPARE(layout->count(), 3);
    auto *label = child<QLabel>(&dialog, "label");
    auto *text = child<QTextEdit>(&dialog, "textEdit");
    auto *progress = child<QProgressBar>(&dialog, "progress");
    QCOMPARE(layout->itemAt(0)->widget(), label);
    QCOMPARE(layout->itemAt(1)->widget(), text);
    QCOMPARE(layout->itemAt(2)->widget(), progress);

    QCOMPARE(label->text(), QStringLiteral("Initiating firmware update..."));
    QVERIFY(text->isReadOnly());
    QVERIFY(text->toPlainText().isEmpty());
    QCOMPARE(text->font().family(), QStringLiteral("Source Code Pro"));
    QCOMPARE(text->font().pointSize(), 10);
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 0);
    QCOMPARE(progress->value(), 0);
}

void ProgressDialogTest::linesSetLabelAndBar_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");

    const QString initiating = QStringLiteral("Initiating firmware update...");
    const QString writing = QStringLiteral("Writing to the device. Please wait...");
    QTest::newRow("lines before the first progress line keep the bar busy") << QStringList {
        "stand-in flasher 1.0\n", "Serial port /dev/ttyUSB0\n",
        "Packed 245760 bytes (56 %)\n"} << initiating << 0 << 0;
    QTest::newRow("classic (42 %)") << QStringList {"Connecting....\n", "Writing at 0x00010000... (42 %)\n"}
                                    << writing << 100 << 42;
    QTest::newRow("classic without a blank before %: 0")
        << QStringList {"Writing at 0x00010000... (30 %)\n", "Writing at 0x00014000... (42%)\n"} << writing
        << 100 << 0;
    QTest::newRow("classic with a blank after (: 0")
        << QStringList {"Writing at 0x00010000... (30 %)\n", "Writing at 0x00014000... ( 42 %)\n"} << writing
        << 100 << 0;
    QTest::newRow("out of range leaves the value")
        << QStringList {"Writing at 0x00010000... (30 %)\n", "Writing at 0x00014000... (142 %)\n"} << writing
        << 100 << 30;
    QTest::newRow("bar with CR and colour codes") << QStringList {
        "\r\x1b[32mWriting at 0x0004c000\x1b[0m [=========>        ]  33.3% 81920/245760 "
        "bytes..."} << writing << 100 << 33;
    QTest::newRow("bar updates separated by CR in one line: last counts") << QStringList {
        "\rWriting at 0x00010000 [>   ]   6.7% 16384/245760 bytes...\rWriting at 0x00014000 "
        "[=>  ]  13.3% 32768/245760 bytes...\n"} << writing << 100 << 13;
    QTest::newRow("bar that shows no number keeps the value")
        << QStringList {"Writing at 0x00010000... (30 %)\n", "\rWriting at 0x00014000 [====="} << writing
        << 100 << 30;
    QTest::newRow("first bar line without a number starts at 0")
        << QStringList {"\rWriting at 0x00014000 [====="} << writing << 100 << 0;
    QTest::newRow("later lines do not set it back") << QStringList {"Writing at 0x00074000... (100 %)\n",
        "Wrote 245760 bytes (139458 compressed)\n", "Resetting the device...\n"}
                                                    << writing << 100 << 100;
}

void ProgressDialogTest::linesSetLabelAndBar()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, label);
    QFETCH(int, maximum);
    QFETCH(int, value);

    ProgressDialog dialog;
    dialog.show();
    for (const QString &line : lines)
        dialog.appendOutput(line);
    QCOMPARE(child<QLabel>(&dialog, "label")->text(), label);
    auto *progress = child<QProgressBar>(&dialog, "progress");
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), maximum);
    QCOMPARE(progress->value(), value);
}

void ProgressDialogTest::outputIsShownAsPlainTextScrolledToTheEnd()
{
    ProgressDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *text = child<QTextEdit>(&dialog, "textEdit");
    QString expected;
    for (int i = 0; i < 200; ++i) {
        const QString line = QStringLiteral("Writing at 0x%1... (%2 %)\n")
                                 .arg(i * 0x1000, 8, 16, QLatin1Char('0'))
                                 .arg(i / 2);
        dialog.appendOutput(line);
        expected += line;
    }
    const QString markup = QStringLiteral("<b>not bold</b> &amp; <i>x</i>\n");
    dialog.appendOutput(markup);
    expected += markup;
    dialog.appendOutput(QStringLiteral("\x1b[32mWriting at 0x000c8000\x1b[0m (100 %)\n"));
    expected += QStringLiteral("Writing at 0x000c8000 (100 %)\n");

    QCOMPARE(text->toPlainText(), expected);
    QVERIFY(text->toHtml().contains(QStringLiteral("&lt;b&gt;not bold&lt;/b&gt;")));
    QScrollBar *bar = text->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
}

void ProgressDialogTest::hiddenDialogStillTakesLines()
{
    ProgressDialog dialog;
    dialog.show();
    dialog.appendOutput(QStringLiteral("Writing at 0x00010000... (10 %)\n"));
    dialog.close();
    QVERIFY(!dialog.isVisible());
    dialog.appendOutput(QStringLiteral("Writing at 0x00014000... (20 %)\n"));
    QVERIFY(child<QTextEdit>(&dialog, "textEdit")->toPlainText().endsWith(QStringLiteral("(20 %)\n")));
    QCOMPARE(child<QProgressBar>(&dialog, "progress")->value(), 20);
}

QTEST_MAIN(ProgressDialogTest)
#include "tst_progressdialog.moc"
