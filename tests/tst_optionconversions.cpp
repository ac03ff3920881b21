#include "config/conversions.h"
#include "mainwindow/mainwindow.h"

#include <QtTest>

#include <climits>

using Checks = QHash<QString, bool>;
using OptionTable = QHash<int, QString>;

namespace {

// The protocol table as the window fills it.
QHash<int, QString> protocols()
{
    return {{2, QStringLiteral("OGN")}, {4, QStringLiteral("ADS-L")}, {8, QStringLiteral("PilotAware")},
        {16, QStringLiteral("FANET")}, {128, QStringLiteral("RemoteID")}};
}

QHash<int, QString> powerLevels()
{
    return {{10, QStringLiteral("LOW")}, {14, QStringLiteral("NORMAL")}, {22, QStringLiteral("HIGH")}};
}

QStringList setTexts(const QHash<QString, bool> &checks)
{
    QStringList texts;
    for (auto it = checks.constBegin(); it != checks.constEnd(); ++it) {
        if (it.value())
            texts << it.key();
    }
    texts.sort();
    return texts;
}

QHash<QString, bool> checked(const QStringList &texts)
{
    QHash<QString, bool> checks;
    for (const QString &text : texts)
        checks.insert(text, true);
    return checks;
}

QStringList sorted(QStringList texts)
{
    texts.sort();
    return texts;
}

} // namespace

class OptionConversionsTest : public QObject
{
    Q_OBJECT

private slots:
    void protocolsShownAsSetAreExactlyTheSetBits_data();
    void protocolsShownAsSetAreExactlyTheSetBits();
    void checkedProtocolsAddUpToTheirBits_data();
    void checkedProtocolsAddUpToTheirBits();
    void everyMaskOfTableBitsSurvivesTheRoundTrip();
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

    QTest::newRow("0: none") << 0 << QStringList();
    QTest::newRow("0x12: FANET and OGN") << 0x12 << QStringList {"FANET", "OGN"};
    QTest::newRow("0x9A: all but ADS-L") << 0x9A << QStringList {"FANET", "OGN", "PilotAware", "RemoteID"};
    QTest::newRow("0x9E: all five") << 0x9E
                                    << QStringList {"ADS-L", "FANET", "OGN", "PilotAware", "RemoteID"};
    QTest::newRow("0xFF: all five, unlisted bits ignored")
        << 0xFF << QStringList {"ADS-L", "FANET", "OGN", "PilotAware", "RemoteID"};
    QTest::newRow("0x83: bit 1 dropped") << 0x83 << QStringList {"OGN", "RemoteID"};
    QTest::newRow("0x1F: bit 1 dropped") << 0x1F << QStringList {"ADS-L", "FANET", "OGN", "PilotAware"};
    QTest::newRow("0x20: an unlisted bit sets nothing") << 0x20 << QStringList();
    QTest::newRow("0x60: two unlisted bits set nothing") << 0x60 << QStringList();
    QTest::newRow("0x80 alone") << 0x80 << QStringList {"RemoteID"};
    QTest::newRow("all 32 bits") << -1 << QStringList {"ADS-L", "FANET", "OGN", "PilotAware", "RemoteID"};
}

void OptionConversionsTest::protocolsShownAsSetAreExactlyTheSetBits()
{
    QFETCH(int, mask);
    QFETCH(QStringList, set);

    const QHash<QString, bool> checks = tracktune::checksFromMask(mask, protocols());
    QCOMPARE(sorted(checks.keys()), sorted(protocols().values()));
    QCOMPARE(setTexts(checks), set);
}

void OptionConversionsTest::checkedProtocolsAddUpToTheirBits_data()
{
    QTest::addColumn<Checks>("checks");
    QTest::addColumn<int>("mask");

    QTest::newRow("all five") << checked({"OGN", "ADS-L", "PilotAware", "FANET", "RemoteID"}) << 0x9E;
    QTest::newRow("none") << QHash<QString, bool>() << 0;
    QTest::newRow("OGN and FANET") << checked({"OGN", "FANET"}) << 18;
    QTest::newRow("unchecked entries count for nothing")
        << QHash<QString, bool> {{"OGN", false}, {"FANET", true}} << 16;
    QTest::newRow("unknown texts are ignored") << checked({"OGN", "FLARM", "ogn"}) << 2;
    QTest::newRow("everything but PilotAware") << checked({"OGN", "ADS-L", "FANET", "RemoteID"}) << 0x96;
}

void OptionConversionsTest::checkedProtocolsAddUpToTheirBits()
{
    QFETCH(Checks, checks);
    QFETCH(int, mask);

    QCOMPARE(tracktune::maskFromChecks(checks, protocols()), mask);
}

void OptionConversionsTest::everyMaskOfTableBitsSurvivesTheRoundTrip()
{
    const QList<int> bits = protocols().keys();
    for (int subset = 0; subset < (1 << bits.size()); ++subset) {
        int mask = 0;
        for (int i = 0; i < bits.size(); ++i) {
            if (subset & (1 << i))
                mask |= bits.at(i);
        }
        QCOMPARE(tracktune::maskFromChecks(tracktune::checksFromMask(mask, protocols()), protocols()), mask);
    }
}

void OptionConversionsTest::writtenMaskKeepsTheBitsNoEntryShows_data()
{
    QTest::addColumn<quint32>("reported");
    QTest::addColumn<QStringList>("checkedTexts");
    QTest::addColumn<quint32>("written");

    QTest::newRow("0xFF, OGN unchecked")
        << 0xFFu << QStringList {"ADS-L", "PilotAware", "FANET", "RemoteID"} << 0xFDu;
    QTest::newRow("0x83 written back unchanged") << 0x83u << QStringList {"OGN", "RemoteID"} << 0x83u;
    QTest::newRow("0x9E, all unchecked") << 0x9Eu << QStringList() << 0u;
    QTest::newRow("0x20, OGN checked") << 0x20u << QStringList {"OGN"} << 0x22u;
    QTest::newRow("0, all checked") << 0u << QStringList {"OGN", "ADS-L", "PilotAware", "FANET", "RemoteID"}
                                    << 0x9Eu;
    QTest::newRow("high bits kept") << 0xFFFFFFFFu << QStringList() << 0xFFFFFF61u;
}

void OptionConversionsTest::writtenMaskKeepsTheBitsNoEntryShows()
{
    QFETCH(quint32, reported);
    QFETCH(QStringList, checkedTexts);
    QFETCH(quint32, written);

    const int checkedMask = tracktune::maskFromChecks(checked(checkedTexts), protocols());
    QCOMPARE(tracktune::mergeMask(static_cast<quint32>(checkedMask), reported, protocols()), written);
}

void OptionConversionsTest::powerSnapsToTheNearestLevel_data()
{
    QTest::addColumn<OptionTable>("options");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("key");

    const QHash<int, QString> levels = powerLevels();
    QTest::newRow("10 is a key") << levels << 10 << 10;
    QTest::newRow("14 is a key") << levels << 14 << 14;
    QTest::newRow("22 is a key") << levels << 22 << 22;
    QTest::newRow("11 nearer 10") << levels << 11 << 10;
    QTest::newRow("12 tie goes up") << levels << 12 << 14;
    QTest::newRow("13 nearer 14") << levels << 13 << 14;
    QTest::newRow("17 nearer 14") << levels << 17 << 14;
    QTest::newRow("18 tie goes up") << levels << 18 << 22;
    QTest::newRow("19 nearer 22") << levels << 19 << 22;
    QTest::newRow("30 above all") << levels << 30 << 22;
    QTest::newRow("0 below all") << levels << 0 << 10;
    QTest::newRow("-5 below all") << levels << -5 << 10;
    QTest::newRow("INT_MIN") << levels << INT_MIN << 10;
    QTest::newRow("INT_MAX") << levels << INT_MAX << 22;
    QTest::newRow("one key") << QHash<int, QString> {{5, "five"}} << -3 << 5;
    QTest::newRow("negative keys") << QHash<int, QString> {{-10, "a"}, {-2, "b"}} << -6 << -2;
    QTest::newRow("no keys: the value itself") << QHash<int, QString>() << 7 << 7;
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
    QCOMPARE(MainWindow::checksFromMask(0x20, protocols()), tracktune::checksFromMask(0x20, protocols()));
    QCOMPARE(MainWindow::maskFromChecks(checked({"OGN", "FANET"}), protocols()), 18);
    QCOMPARE(MainWindow::nearestOptionKey(12, powerLevels()), 14);
}

QTEST_APPLESS_MAIN(OptionConversionsTest)
#include "tst_optionconversions.moc"
