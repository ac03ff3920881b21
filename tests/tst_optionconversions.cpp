#include "config/conversions.h"
#include "mainwindow/mainwindow.h"

#include <QtTest>

#include <climits>

using OptionTable = QHash<int, QString>;

namespace {

// The tables as the window fills them.
const OptionTable protocols = {{2, "OGN"}, {4, "ADS-L"}, {8, "PilotAware"}, {16, "FANET"}, {128, "RemoteID"}};
const OptionTable powerLevels = {{10, "LOW"}, {14, "NORMAL"}, {22, "HIGH"}};

QHash<QString, bool> checked(const QStringList &texts)
{
    QHash<QString, bool> checks;
    for (const QString &text : texts)
        checks.insert(text, true);
    return checks;
}

} // namespace

class OptionConversionsTest : public QObject
{
    Q_OBJECT

private slots:
    void protocolsShownAsSetAreExactlyTheSetBits_data();
    void protocolsShownAsSetAreExactlyTheSetBits();
    void checksAndMaskRoundTrip();
    void writtenMaskKeepsTheBitsNoEntryShows_data();
    void writtenMaskKeepsTheBitsNoEntryShows();
    void powerSnapsToTheNearestLevel_data();
    void powerSnapsToTheNearestLevel();
    void windowConversionsAreTheFreeFunctions();
};

void OptionConversionsTest::protocolsShownAsSetAreExactlyTheSetBits_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<QStringList>("set");

    QTest::newRow("0x12: FANET and OGN") << 0x12 << QStringList {"FANET", "OGN"};
    QTest::newRow("0x83: the 0x01 bit dropped") << 0x83 << QStringList {"OGN", "RemoteID"};
    QTest::newRow("0x20: an unlisted bit sets nothing") << 0x20 << QStringList();
    QTest::newRow("0x60: two unlisted bits set nothing") << 0x60 << QStringList();
    QTest::newRow("all 32 bits") << -1 << QStringList {"ADS-L", "FANET", "OGN", "PilotAware", "RemoteID"};
}

void OptionConversionsTest::protocolsShownAsSetAreExactlyTheSetBits()
{
    QFETCH(int, mask);
    QFETCH(QStringList, set);

    // Every text of the table, set or not.
    QHash<QString, bool> checks;
    for (const QString &text : protocols)
        checks.insert(text, set.contains(text));
    QCOMPARE(tracktune::checksFromMask(mask, protocols), checks);
}

void OptionConversionsTest::checksAndMaskRoundTrip()
{
    const QList<int> bits = protocols.keys();
    for (int subset = 0; subset < (1 << bits.size()); ++subset) {
        int mask = 0;
        for (int i = 0; i < bits.size(); ++i) {
            if (subset & (1 << i))
                mask |= bits.at(i);
        }
        QCOMPARE(tracktune::maskFromChecks(tracktune::checksFromMask(mask, protocols), protocols), mask);
    }
    // Texts the table does not know count for nothing, another case included.
    QCOMPARE(tracktune::maskFromChecks(checked({"OGN", "FLARM", "ogn"}), protocols), 2);
}

void OptionConversionsTest::writtenMaskKeepsTheBitsNoEntryShows_data()
{
    QTest::addColumn<quint32>("reported");
    QTest::addColumn<QStringList>("checkedTexts");
    QTest::addColumn<quint32>("written");

    QTest::newRow("0xFF, OGN unchecked")
        << 0xFFu << QStringList {"ADS-L", "PilotAware", "FANET", "RemoteID"} << 0xFDu;
    QTest::newRow("0x83 written back unchanged") << 0x83u << QStringList {"OGN", "RemoteID"} << 0x83u;
    QTest::newRow("0x20, OGN checked") << 0x20u << QStringList {"OGN"} << 0x22u;
    QTest::newRow("high bits kept") << 0xFFFFFFFFu << QStringList() << 0xFFFFFF61u;
}

void OptionConversionsTest::writtenMaskKeepsTheBitsNoEntryShows()
{
    QFETCH(quint32, reported);
    QFETCH(QStringList, checkedTexts);
    QFETCH(quint32, written);

    const int checkedMask = tracktune::maskFromChecks(checked(checkedTexts), protocols);
    QCOMPARE(tracktune::mergeMask(static_cast<quint32>(checkedMask), reported, protocols), written);
}

void OptionConversionsTest::powerSnapsToTheNearestLevel_data()
{
    QTest::addColumn<OptionTable>("options");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("key");

    QTest::newRow("14 is a key") << powerLevels << 14 << 14;
    QTest::newRow("11 nearer 10") << powerLevels << 11 << 10;
    QTest::newRow("12 tie goes up") << powerLevels << 12 << 14;
    QTest::newRow("13 nearer 14") << powerLevels << 13 << 14;
    QTest::newRow("18 tie goes up") << powerLevels << 18 << 22;
    QTest::newRow("30 above all") << powerLevels << 30 << 22;
    QTest::newRow("-5 below all") << powerLevels << -5 << 10;
    QTest::newRow("INT_MIN") << powerLevels << INT_MIN << 10;
    QTest::newRow("INT_MAX") << powerLevels << INT_MAX << 22;
    QTest::newRow("one key") << OptionTable {{5, "five"}} << -3 << 5;
    QTest::newRow("no keys: the value itself") << OptionTable() << 7 << 7;
}

void OptionConversionsTest::powerSnapsToTheNearestLevel()
{
    QFETCH(OptionTable, options);
    QFETCH(int, value);
    QFETCH(int, key);

    QCOMPARE(tracktune::nearestOptionKey(value, options), key);
}

void OptionConversionsTest::windowConversionsAreTheFreeFunctions()
{
    QCOMPARE(MainWindow::checksFromMask(0x20, protocols), tracktune::checksFromMask(0x20, protocols));
    QCOMPARE(MainWindow::maskFromChecks(checked({"OGN", "FANET"}), protocols), 18);
    QCOMPARE(MainWindow::nearestOptionKey(12, powerLevels), 14);
}

QTEST_APPLESS_MAIN(OptionConversionsTest)
#include "tst_optionconversions.moc"
