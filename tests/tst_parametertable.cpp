// SPDX-License-Identifier: GPL-3.0-or-later
#include "parametertable/parametertable.h"
#include "windowsupport.h"

#include <QtTest>

using testsupport::edit;
using testsupport::shownRows;

// The table fed with dump text, no tracker: what the editors show, what marks a row,
// and exactly what the marked rows write.
class ParameterTableTest : public QObject
{
    Q_OBJECT

private slots:
    void editsMakeTheirSettings_data();
    void editsMakeTheirSettings();
    void translatedOptionsWriteTheTrackersValues();
};

namespace {

// Shows every option text in another language: «Tow plane». The rest stays English.
class OptionsTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "Options") != 0)
            return QString();
        return QStringLiteral("\u00AB%1\u00BB").arg(QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }
};

// What Apply writes, as "Name=Value".
QStringList written(const ParameterTable &table)
{
    QStringList settings;
    for (const tracktune::DumpLine &change : table.changes())
        settings << change.name + QLatin1Char('=') + change.value;
    return settings;
}

} // namespace

void ParameterTableTest::editsMakeTheirSettings_data()
{
    QTest::addColumn<bool>("expert");
    QTest::addColumn<QStringList>("dump"); // "Name = Value" lines
    QTest::addColumn<testsupport::Edits>("edits");
    QTest::addColumn<QStringList>("rows"); // as shown, " *" after a marked row
    QTest::addColumn<QStringList>("changes"); // what Apply writes

    const QStringList device {"Address = 0x1A2B3C", "AddrType = 0x3", "AcftType = 0x1", "NoTrack = 0x0",
        "Reg = ", "FreqPlan = 0", "TxPower = +14", "APN = internet", "TxProtMask = 0xFF", "Hard = ZRN-LTE"};
    const QStringList shown {"Address=0x1A2B3C", "AddrType=OGN", "AcftType=(Moto-)glider",
        "Reg=", "FreqPlan=Automatic", "TxPower=NORMAL", "APN=internet",
        "TxProtMask=FLARM OGN ADS-L PilotAware FANET LoRaWAN ADS-B RemoteID "};
    QTest::newRow("hex and decimal readings; values beyond a list and between levels as they are, unmarked")
        << false
        << QStringList {"AddrType=0x2", "AcftType=10", "FreqPlan=9", "TxPower=+20", "TxProtMask=12", "Reg="}
        << testsupport::Edits {{"Reg", "D-KXYZ"}}
        << QStringList {"AddrType=FLARM", "AcftType=10", "FreqPlan=9", "TxPower=+20 dBm",
               "TxProtMask=OGN FANET ", "Reg=D-KXYZ *"}
        << QStringList {"Reg=D-KXYZ"};
    QTest::newRow("an option picked over a value beyond the list; picked back, the tracker's value")
        << false << QStringList {"FreqPlan=9", "TxPower=-3"}
        << testsupport::Edits {{"FreqPlan", "Israel"}, {"TxPower", "HIGH"}, {"TxPower", "-3 dBm"}}
        << QStringList {"FreqPlan=Israel *", "TxPower=-3 dBm *"} << QStringList {"FreqPlan=5", "TxPower=-3"};
    QTest::newRow("no protocol: none; a tracker's four digits written as four, its newer protocols offered")
        << false << QStringList {"TxProtMask=0x0000"} << testsupport::Edits {{"TxProtMask", "Meshtastic"}}
        << QStringList {"TxProtMask=Meshtastic  *"} << QStringList {"TxProtMask=0x0100"};
    QTest::newRow("a second start of the list ends the table")
        << false << QStringList {"Address=0x1", "Reg=A", "Address=0x1", "APN=b"} << testsupport::Edits()
        << QStringList {"Address=0x1", "Reg=A"} << QStringList();
    QTest::newRow("the value shown again marks nothing")
        << false << device << testsupport::Edits {{"AcftType", "(Moto-)glider"}, {"TxPower", "NORMAL"}}
        << shown << QStringList();
    QTest::newRow("typed text; the mask's caption in the order checked, its unnamed bits kept")
        << false << QStringList {"Reg=", "TxProtMask=0x83"}
        << testsupport::Edits {{"Reg", "D-KXYZ"}, {"TxProtMask", "OGN"}, {"TxProtMask", "FANET"},
               {"TxProtMask", "OGN"}}
        << QStringList {"Reg=D-KXYZ *", "TxProtMask=FLARM RemoteID FANET OGN  *"}
        << QStringList {"Reg=D-KXYZ", "TxProtMask=0x93"};
    QTest::newRow("expert mode: every line as typed text")
        << true << QStringList {"Address=0x1", "BTname=", "TxPower=+14"}
        << testsupport::Edits {{"BTname", "glider"}, {"TxPower", "+22"}}
        << QStringList {"Address=0x1", "BTname=glider *", "TxPower=+22 *"}
        << QStringList {"BTname=glider", "TxPower=+22"};
}

void ParameterTableTest::editsMakeTheirSettings()
{
    QFETCH(bool, expert);
    QFETCH(QStringList, dump);
    QFETCH(testsupport::Edits, edits);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, changes);

    ParameterTable table;
    table.clearForLoad();
    QVERIFY(!table.isEnabled());
    table.fill(tracktune::parseDump(dump.join(QStringLiteral("; #\n")).toUtf8()), expert);
    QVERIFY(table.isEnabled());
    edit(&table, edits);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(shownRows(&table), rows);
    QCOMPARE(written(table), changes);

    // A reload starts unmarked.
    table.clearForLoad();
    table.fill({{QStringLiteral("Reg"), QStringLiteral("X")}}, expert);
    QCOMPARE(table.changes().size(), 0);
}

void ParameterTableTest::translatedOptionsWriteTheTrackersValues()
{
    // The editors show the pilot's language, and the tracker still gets its numbers.
    OptionsTranslator translator;
    QCoreApplication::installTranslator(&translator);
    ParameterTable table;
    table.clearForLoad();
    table.fill(tracktune::parseDump("AcftType = 0x2\nTxPower = +14\nTxProtMask = 0x83\n"), false);
    QCOMPARE(shownRows(&table),
        QStringList({"AcftType=\u00ABTow plane\u00BB", "TxPower=\u00ABNORMAL\u00BB",
            "TxProtMask=\u00ABFLARM\u00BB \u00ABOGN\u00BB \u00ABRemoteID\u00BB "}));
    edit(&table,
        testsupport::Edits {{"AcftType", "\u00ABHelicopter\u00BB"}, {"TxPower", "\u00ABHIGH\u00BB"},
            {"TxProtMask", "\u00ABFANET\u00BB"}});
    QCoreApplication::removeTranslator(&translator);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(written(table), QStringList({"AcftType=0x3", "TxPower=+22", "TxProtMask=0x93"}));
}

QTEST_MAIN(ParameterTableTest)
#include "tst_parametertable.moc"
