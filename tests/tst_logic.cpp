#include "config/catalogue.h"
#include "config/conversions.h"
#include "config/dumpline.h"
#include "config/valueencoding.h"
#include "config/verification.h"
#include "firmware/flasherarguments.h"
#include "firmware/flasherprogress.h"
#include "link/serial.h"

#include <QtTest>

#include <functional>

using Rule = std::function<QString(const QString &)>;

namespace {

const auto &lists = tracktune::optionLists();

QString setTexts(const QHash<QString, bool> &checks)
{
    QStringList texts;
    for (auto it = checks.constBegin(); it != checks.constEnd(); ++it) {
        if (it.value())
            texts << it.key();
    }
    texts.sort();
    return texts.join(QLatin1Char(' '));
}

// "a|b|c" as its parts.
QString part(const QString &input, int index)
{
    return input.section(QLatin1Char('|'), index, index);
}

// Each rule turns one input text into the text it gives, so that one table covers a module.
const QHash<QString, Rule> configurationRules = {
    {"dump line",
        [](const QString &line) {
            const auto entry = tracktune::parseDumpLine(line);
            return entry ? entry->name + QLatin1Char('=') + entry->value : QStringLiteral("<none>");
        }},
    {"hard", [](const QString &value) { return tracktune::firmwareFolderFor(value); }},
    {"Select", [](const QString &v) { return QString::number(tracktune::indexFromHexValue(v)); }},
    {"SelectInt", [](const QString &v) { return QString::number(tracktune::indexFromDecimalValue(v)); }},
    {"power",
        [](const QString &v) {
            return lists.txPowerLevels.value(
                tracktune::nearestOptionKey(tracktune::numberFromValue(v), lists.txPowerLevels));
        }},
    {"mask shows",
        [](const QString &v) {
            return setTexts(
                tracktune::checksFromMask(int(tracktune::maskFromHexValue(v)), lists.txProtocols));
        }},
    {"mask writes",
        [](const QString &in) {
            QHash<QString, bool> checks;
            for (const QString &text : part(in, 1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                checks.insert(text, true);
            const int checked = tracktune::maskFromChecks(checks, lists.txProtocols);
            return tracktune::hexMaskValue(tracktune::mergeMask(
                quint32(checked), tracktune::maskFromHexValue(part(in, 0)), lists.txProtocols));
        }},
    {"sentence",
        [](const QString &in) {
            return QString::fromUtf8(
                tracktune::configurationSentence(part(in, 0), part(in, 1)).toPercentEncoding("$,=+"));
        }},
    {"port refusal",
        [](const QString &in) {
            return tracktune::portRefusalMessage("ttyUSB0",
                part(in, 0) == "refused" ? QSerialPort::PermissionError : QSerialPort::DeviceNotFoundError,
                part(in, 1) == "permitted");
        }},
    {"taken",
        [](const QString &in) {
            return tracktune::reportsAsWritten(part(in, 0), part(in, 1)) ? QStringLiteral("yes")
                                                                         : QStringLiteral("no");
        }},
};

const QHash<QString, Rule> firmwareRules = {
    {"arguments",
        [](const QString &templateText) {
            return tracktune::flasherArguments(
                templateText, "esp32s3", "/dev/ttyUSB0", "/fw", "/img/a, b.bin")
                .join(QLatin1Char('|'));
        }},
    {"chip", [](const QString &architecture) { return tracktune::chipFromArchitecture(architecture); }},
    {"progress",
        [](const QString &line) {
            const std::optional<int> percent = tracktune::progressPercent(line);
            return percent ? QString::number(*percent) : QStringLiteral("<none>");
        }},
    {"folders",
        [](const QString &architecture) {
            return tracktune::firmwareFolders(
                "/opt/tt", {"/home/u/.local/share/tracktune", "/opt/tt"}, architecture)
                .join(QLatin1Char('|'));
        }},
};

} // namespace

// The pure rules of each module, one table each: the row says what it proves.
class LogicTest : public QObject
{
    Q_OBJECT

private slots:
    void configuration_data();
    void configuration() { check(configurationRules); }
    void firmware_data();
    void firmware() { check(firmwareRules); }

private:
    static void columns()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
    }
    static void row(const char *what, const QString &rule, const QString &input, const QString &expected)
    {
        QTest::newRow(what) << rule << input << expected;
    }
    static void check(const QHash<QString, Rule> &rules)
    {
        QFETCH(QString, rule);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QVERIFY2(rules.contains(rule), qPrintable(rule));
        QCOMPARE(rules.value(rule)(input), expected);
    }
};

void LogicTest::configuration_data()
{
    columns();
    row("blanks inside a value go", "dump line", "Reg = D K ABC ;x", "Reg=DKABC");
    row("second = ends the value", "dump line", "Pilot=a=b;c", "Pilot=a");
    row("line without = gives nothing", "dump line", "Batt:4.12V", "<none>");
    row("empty Hard is the plain tracker", "hard", "", "esp32-tracker");
    row("other hardware passes", "hard", "esp32-custom", "esp32-custom");
    row("Select reads hex", "Select", "F", "15");
    row("SelectInt reads decimal", "SelectInt", "10", "10");
    row("power 12: the tie goes up", "power", "12", "NORMAL");
    row("power not a number reads 0: LOW", "power", "max", "LOW");
    row("mask: bit 1 has no entry", "mask shows", "0x83", "OGN RemoteID");
    row("mask: 0x20 sets no entry", "mask shows", "0x20", "");
    row("OGN unchecked from 0xFF keeps unnamed bits", "mask writes", "0xFF|ADS-L PilotAware FANET RemoteID",
        "0xFD");
    row("high bits kept", "mask writes", "0xFFFFFFFF|", "0xFFFFFF61");
    row("comma and = go as they are", "sentence", "Reg|a,b=c", "$POGNS,Reg=a,b=c%0A");
    row("line breaks never split a sentence", "sentence", "Reg|D-K\r\nABC\r", "$POGNS,Reg=D-KABC%0A");
    row("nor does a CR in the name", "sentence", "\rReg|x", "$POGNS,Reg=x%0A");
    row("no permission: how to get it", "port refusal", "refused|not permitted",
        "Not permitted to open /dev/ttyUSB0: add your user to the dialout group, then log in again");
    row("refused though permitted: held elsewhere", "port refusal", "refused|permitted",
        "ttyUSB0 is in use by another program");
    row("hex widths differ", "taken", "0xFFF|0x0FFF", "yes");
    row("blank dropped by the device", "taken", "D K|DK", "no");
    row("nor blanks around what was written", "taken", "\tweb |web\r", "yes");
}

void LogicTest::firmware_data()
{
    columns();
    row("word, chip, word, port, file: no leading blanks, a comma in a path kept", "arguments",
        "a, ${CHIP}, b, ${PORT}, ${FIRMWARE_FILE}", "a|esp32s3|b|/dev/ttyUSB0|/img/a, b.bin");
    row("unknown placeholder and case stay", "arguments", "${chip},${BAUD}", "${chip}|${BAUD}");
    row("line breaks are no separators", "arguments", "a,\nb\n", "a|\nb\n");
    row("empty template: one empty argument", "arguments", "", "");
    row("chip before the first dash", "chip", "esp32c3-tracker", "esp32c3");
    row("no blank before %: 0", "progress", "Writing at 0x00010000... (42%)\n", "0");
    row("CR between updates: the last counts", "progress",
        "Writing at 0x1... (40 %)\rWriting at 0x2... (50 %)\r\n", "50");
    row("bar with colours", "progress",
        "\r\x1b[1;34mWriting at 0x0004c000\x1b[0m [====>   ]  33.3% 81920/245760 bytes...", "33");
    row("colour reset is no (", "progress", "Writing at 0x1 \x1b(B 57.8%", "57");
    row("above 100 is no percentage", "progress", "Writing at 0x1 [==] 44444444444444444444%", "<none>");
    row("other lines carry no progress", "progress", "Packed 245760 bytes to 139458 (56 %)\n", "<none>");
    row("beside the program first, then the data folders, no repeats", "folders", "esp32-tracker",
        "/opt/tt/firmware/esp32-tracker|/home/u/.local/share/tracktune/firmware/esp32-tracker");
}

QTEST_APPLESS_MAIN(LogicTest)
#include "tst_logic.moc"
