#include "parametertable/parametertable.h"
#include "testsupport.h"

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

} // namespace

void ParameterTableTest::editsMakeTheirSettings_data()
{
    QTest::addColumn<bool>("expert");
    QTest::addColumn<QStringList>("dump");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("rows"); // as shown, " *" after a marked row
    QTest::addColumn<QStringList>("changes"); // what Apply writes

    // Lists as text: ";" between entries.
    const auto row = [](const char *what, bool expert, const QString &dump, const QString &edits,
                         const QString &rows, const QString &changes) {
        QTest::newRow(what) << expert << dump.split(';') << edits.split(';', Qt::SkipEmptyParts)
                            << rows.split(';', Qt::SkipEmptyParts) << changes.split(';', Qt::SkipEmptyParts);
    };
    const char *device = "Address = 0x1A2B3C;AddrType = 0x3;AcftType = 0x1;NoTrack = 0x0;Reg = ;FreqPlan = 0;"
                         "TxPower = +14;APN = internet;TxProtMask = 0xFF;Hard = ZRN-LTE";
    const char *shown = "Address=0x1A2B3C;AddrType=OGN;AcftType=(Moto-)glider;Reg=;FreqPlan=Automatic;"
                        "TxPower=NORMAL;APN=internet;TxProtMask=OGN ADS-L PilotAware FANET RemoteID ";
    row("known parameters in dump order, nothing marked", false, device, "", shown, "");
    row("hex and decimal readings", false, "AddrType=0x2;AcftType=F;FreqPlan=2;TxPower=10;TxProtMask=12", "",
        "AddrType=FLARM;AcftType=Static object;FreqPlan=USA/Canada;TxPower=LOW;TxProtMask=OGN FANET ", "");
    row("beyond the lists; a power between levels is snapped and marked", false,
        "AddrType=4;AcftType=10;FreqPlan=10;TxPower=+17;TxProtMask=0x60", "",
        "AddrType=;AcftType=;FreqPlan=;TxPower=NORMAL *;TxProtMask=", "TxPower=+14");
    row("not numbers read as 0", false, "AddrType=x;TxPower=max;TxProtMask=none", "",
        "AddrType=Random;TxPower=LOW *;TxProtMask=", "TxPower=+10");
    row("a second start of the list ends the table", false, "Address=0x1;Reg=A;Address=0x1;APN=b", "",
        "Address=0x1;Reg=A", "");
    row("the value shown again marks nothing", false, device,
        "AcftType|pick|(Moto-)glider;TxPower|pick|NORMAL", shown, "");
    row("caption in the order checked; unnamed bits kept", false, "TxProtMask=0x83",
        "TxProtMask|toggle|OGN;TxProtMask|toggle|FANET;TxProtMask|toggle|OGN",
        "TxProtMask=RemoteID FANET OGN  *", "TxProtMask=0x93");
    row("expert mode: every line as typed text", true, "Address=0x1;BTname=;TxPower=+14",
        "BTname|type|glider;TxPower|type|+22", "Address=0x1;BTname=glider *;TxPower=+22 *",
        "BTname=glider;TxPower=+22");
}

void ParameterTableTest::editsMakeTheirSettings()
{
    QFETCH(bool, expert);
    QFETCH(QStringList, dump);
    QFETCH(QStringList, edits);
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
    QStringList written;
    for (const tracktune::DumpLine &change : table.changes())
        written << change.name + QLatin1Char('=') + change.value;
    QCOMPARE(written, changes);

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
            "TxProtMask=\u00ABOGN\u00BB \u00ABRemoteID\u00BB "}));
    edit(&table,
        {"AcftType|pick|\u00ABHelicopter\u00BB", "TxPower|pick|\u00ABHIGH\u00BB",
            "TxProtMask|toggle|\u00ABFANET\u00BB"});
    QCoreApplication::removeTranslator(&translator);
    if (QTest::currentTestFailed())
        return;
    QStringList written;
    for (const tracktune::DumpLine &change : table.changes())
        written << change.name + QLatin1Char('=') + change.value;
    QCOMPARE(written, QStringList({"AcftType=0x3", "TxPower=+22", "TxProtMask=0x93"}));
}

QTEST_MAIN(ParameterTableTest)
#include "tst_parametertable.moc"
