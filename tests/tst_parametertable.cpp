// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/announcer.h"
#include "parametertable/parametersearch.h"
#include "parametertable/parametertable.h"
#include "windowsupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

using testsupport::edit;
using testsupport::rowOf;
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
    void typedValuesPassTheTrackersRules_data();
    void typedValuesPassTheTrackersRules();
    void aScreenReaderReadsEveryRow_data();
    void aScreenReaderReadsEveryRow();
    void aScreenReaderIsToldEachNewText_data();
    void aScreenReaderIsToldEachNewText();
    void aListEditorReadsItsChoiceAndMark();
    void announcementsAreSpokenTogether_data();
    void announcementsAreSpokenTogether();
    void onlyAChoiceChangesAnEditor_data();
    void onlyAChoiceChangesAnEditor();
    void searchHidesRowsAndKeepsTheirEdits_data();
    void searchHidesRowsAndKeepsTheirEdits();
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

// The tracker's list of the window's first view, each with the note the tracker prints.
const QByteArray deviceList
    = "Address = 0x1A2B3C; # [24-bit]\nAddrType = 0x3; # [2-bit]\n"
      "AcftType = 0x1; # [4-bit]\nReg = ; # [char]\nFreqPlan = 0; # [ 0..5]\n"
      "TxPower = +14; # [  dBm]\nAPN = internet; # [char]\nTxProtMask = 0x9E; # [ mask]\n";

// Where the keyboard's keys go: the focus widget of the table's window.
QWidget *keyboardFocus(ParameterTable &table)
{
    return table.focusWidget() ? table.focusWidget() : &table;
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
        "Reg = ", "FreqPlan = 0", "TxPower = +14", "APN = internet", "TxProtMask = 0x00FF", "Hard = ZRN-LTE"};
    const QStringList shown {"Address=0x1A2B3C", "AddrType=OGN", "AcftType=(Moto-)glider",
        "Reg=", "FreqPlan=Automatic", "TxPower=NORMAL (+14 dBm)", "APN=internet",
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
        << testsupport::Edits {{"FreqPlan", "Israel"}, {"TxPower", "HIGH (+22 dBm)"}, {"TxPower", "-3 dBm"}}
        << QStringList {"FreqPlan=Israel *", "TxPower=-3 dBm *"} << QStringList {"FreqPlan=5", "TxPower=-3"};
    QTest::newRow("no protocol: none; a tracker's four digits written as four, its newer protocols offered")
        << false << QStringList {"TxProtMask=0x0000"} << testsupport::Edits {{"TxProtMask", "Meshtastic"}}
        << QStringList {"TxProtMask=Meshtastic  *"} << QStringList {"TxProtMask=0x0100"};
    QTest::newRow("a second start of the list ends the table")
        << false << QStringList {"Address=0x1", "Reg=A", "Address=0x1", "APN=b"} << testsupport::Edits()
        << QStringList {"Address=0x1", "Reg=A"} << QStringList();
    QTest::newRow("the value shown again marks nothing")
        << false << device
        << testsupport::Edits {{"AcftType", "(Moto-)glider"}, {"TxPower", "NORMAL (+14 dBm)"}} << shown
        << QStringList();
    QTest::newRow("typed text; the mask's caption in the order checked, its unnamed bits kept")
        << false << QStringList {"Reg=", "TxProtMask=0x0083"}
        << testsupport::Edits {{"Reg", "D-KXYZ"}, {"TxProtMask", "OGN"}, {"TxProtMask", "FANET"},
               {"TxProtMask", "OGN"}}
        << QStringList {"Reg=D-KXYZ *", "TxProtMask=FLARM RemoteID FANET OGN  *"}
        << QStringList {"Reg=D-KXYZ", "TxProtMask=0x0093"};
    QTest::newRow("expert mode: a known line with its kind's editor, any other as typed text")
        << true << QStringList {"Address=0x1", "BTname=", "TxPower=+14", "Wingspan=15"}
        << testsupport::Edits {{"BTname", "glider"}, {"TxPower", "HIGH (+22 dBm)"}, {"Wingspan", "16"}}
        << QStringList {"Address=0x1", "BTname=glider *", "TxPower=HIGH (+22 dBm) *", "Wingspan=16 *"}
        << QStringList {"BTname=glider", "TxPower=+22", "Wingspan=16"};
    QTest::newRow("expert mode: a switch by its texts, written as each firmware line prints it")
        << true << QStringList {"Stealth=0", "TxHW=0x1", "Encrypt=2"}
        << testsupport::Edits {{"Stealth", "On"}, {"TxHW", "Off"}}
        << QStringList {"Stealth=On *", "TxHW=Off *", "Encrypt=2"} << QStringList {"Stealth=1", "TxHW=0x0"};
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
    table.fill(tracktune::parseDump(dump.join(QStringLiteral("; #\n")).toUtf8()), expert);
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

void ParameterTableTest::typedValuesPassTheTrackersRules_data()
{
    QTest::addColumn<QString>("line"); // the tracker's, shown in expert mode
    QTest::addColumn<QString>("typed"); // null: the cell cannot be opened
    QTest::addColumn<QString>("row"); // as shown afterwards
    QTest::addColumn<QString>("refusal"); // how the reason begins; empty when taken
    QTest::newRow("a speed that would cut the link stays out") << "CONbaud = 115200"
                                                               << "9600"
                                                               << "CONbaud=115200 bps"
                                                               << "CONbaud: only 115200";
    QTest::newRow("a number beyond its range stays out") << "Verbose = 0x01"
                                                         << "0x04"
                                                         << "Verbose=0x01"
                                                         << "Verbose takes";
    QTest::newRow("a pressure the tracker would keep as another stays out")
        << "PressCorr = +1.0"
        << "1.1"
        << "PressCorr=+1.0 Pa"
        << "PressCorr: the tracker keeps quarters";
    QTest::newRow("an Address is taken in the tracker's form") << "Address = 0x1A2B3C"
                                                               << "4abcde"
                                                               << "Address=0x4ABCDE *"
                                                               << "";
    QTest::newRow("a name the catalogue lacks: only what a sentence cannot carry stays out")
        << "Wingspan = 15"
        << "15 m"
        << "Wingspan=15"
        << "Wingspan: no blank";
    QTest::newRow("an info text reads as its bytes and goes back in the tracker's form")
        << "Pilot = Jan\\x20K\\xC3\\xB6"
        << "Jan\\x20Ko"
        << "Pilot=Jan Ko *"
        << "";
    QTest::newRow("a decoded direction control or line break is shown escaped, never obeyed")
        << "Reg = D-\\xE2\\x80\\xAEKA\\x0AB"
        << "D-\\xE2\\x80\\xAEKA\\x0AB"
        << "Reg=D-\\u202eKA\\x0aB"
        << "";
    QTest::newRow("a value the tracker never takes cannot be opened")
        << "Hard = ZRN-LTE" << QString() << "Hard=ZRN-LTE"
        << "";
}

void ParameterTableTest::typedValuesPassTheTrackersRules()
{
    QFETCH(QString, line);
    QFETCH(QString, typed);
    QFETCH(QString, row);
    QFETCH(QString, refusal);
    ParameterTable table;
    table.clearForLoad();
    table.fill(tracktune::parseDump(line.toUtf8() + '\n'), true);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    QSignalSpy refused(&table, &ParameterTable::valueRefused);
    QTableWidgetItem *value = table.item(0, 1);
    QVERIFY(value);
    QCOMPARE(bool(value->flags() & Qt::ItemIsEditable), !typed.isNull());
    if (!typed.isNull()) {
        table.editItem(value);
        auto *editor = table.viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->setText(typed);
        table.commitOpenEditor();
    }
    QCOMPARE(shownRows(&table), QStringList {row});
    QCOMPARE(refused.size(), refusal.isEmpty() ? 0 : 1);
    if (!refusal.isEmpty())
        QVERIFY2(refused.first().first().toString().startsWith(refusal),
            qPrintable(refused.first().first().toString()));
}

void ParameterTableTest::translatedOptionsWriteTheTrackersValues()
{
    // The editors show the pilot's language, and the tracker still gets its numbers.
    OptionsTranslator translator;
    QCoreApplication::installTranslator(&translator);
    ParameterTable table;
    table.clearForLoad();
    table.fill(tracktune::parseDump("AcftType = 0x2\nTxPower = +14\nTxProtMask = 0x0083\n"), false);
    QCOMPARE(shownRows(&table),
        QStringList({"AcftType=\u00ABTow plane\u00BB", "TxPower=\u00ABNORMAL\u00BB (+14 dBm)",
            "TxProtMask=\u00ABFLARM\u00BB \u00ABOGN\u00BB \u00ABRemoteID\u00BB "}));
    edit(&table,
        testsupport::Edits {{"AcftType", "\u00ABHelicopter\u00BB"}, {"TxPower", "\u00ABHIGH\u00BB (+22 dBm)"},
            {"TxProtMask", "\u00ABFANET\u00BB"}});
    QCoreApplication::removeTranslator(&translator);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(written(table), QStringList({"AcftType=0x3", "TxPower=+22", "TxProtMask=0x0093"}));
}

void ParameterTableTest::aScreenReaderReadsEveryRow_data()
{
    QTest::addColumn<QStringList>("dump");
    QTest::addColumn<testsupport::Edits>("edits");
    // Per row, through the table's accessible interface: "name|value|description's start",
    // then the name and value of the editor over the Value cell, if one is.
    QTest::addColumn<QStringList>("heard");

    const QStringList dump {"AcftType=0x1", "Reg=A\\x20BC", "TxProtMask=0x00"};
    QTest::newRow("each editor named by its parameter; the cell under it reads its value; none checked: none")
        << dump << testsupport::Edits()
        << QStringList {"Aircraft type \u00b7 AcftType|(Moto-)glider|The kind of aircraft|"
                        "AcftType, The kind of aircraft, shown to other pilots|(Moto-)glider",
               "Registration \u00b7 Reg|A BC|The aircraft's registration|",
               "Protocols sent \u00b7 TxProtMask|none|Which radio protocols|TxProtMask, "};
    QTest::newRow(
        "an edited row says it is changed, the value cell follows its editor, protocols in fixed order")
        << dump
        << testsupport::Edits {{"AcftType", "Tow plane"}, {"TxProtMask", "FANET"}, {"TxProtMask", "OGN"}}
        << QStringList {"Aircraft type \u00b7 AcftType|Tow plane|changed, not yet applied|"
                        "AcftType, The kind of aircraft, shown to other pilots|Tow plane",
               "Registration \u00b7 Reg|A BC|The aircraft's registration|",
               "Protocols sent \u00b7 TxProtMask|OGN, FANET|changed, not yet applied|TxProtMask, |OGN|FANET"};
}

void ParameterTableTest::aScreenReaderReadsEveryRow()
{
    QFETCH(QStringList, dump);
    QFETCH(testsupport::Edits, edits);
    QFETCH(QStringList, heard);

    ParameterTable table;
    table.clearForLoad();
    table.fill(tracktune::parseDump(dump.join(QStringLiteral("; #\n")).toUtf8()), false);
    edit(&table, edits);
    QAccessibleInterface *view = QAccessible::queryAccessibleInterface(&table);
    QVERIFY(view && view->tableInterface());
    QCOMPARE(view->text(QAccessible::Name), QStringLiteral("Tracker settings"));
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QAccessibleInterface *name = view->tableInterface()->cellAt(row, 0);
        QAccessibleInterface *value = view->tableInterface()->cellAt(row, 1);
        QString line = name->text(QAccessible::Name) + QLatin1Char('|') + value->text(QAccessible::Name)
            + QLatin1Char('|')
            + value->text(QAccessible::Description)
                  .left(heard.value(row).section(QLatin1Char('|'), 2, 2).size())
            + QLatin1Char('|');
        QCOMPARE(name->text(QAccessible::Description), value->text(QAccessible::Description));
        if (QWidget *editor = table.cellWidget(row, 1)) {
            QAccessibleInterface *widget = QAccessible::queryAccessibleInterface(editor);
            const QString expectedName = heard.value(row).section(QLatin1Char('|'), 3, 3);
            line += widget->text(QAccessible::Name).left(expectedName.size());
            if (qobject_cast<QComboBox *>(editor))
                line += QLatin1Char('|') + widget->text(QAccessible::Value);
            // The protocols of its menu read as checkable items, checked or not.
            if (auto *button = qobject_cast<QToolButton *>(editor)) {
                QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(button->menu());
                for (int index = 0; index < menu->childCount(); ++index) {
                    const QAccessible::State state = menu->child(index)->state();
                    if (state.checked)
                        line += QLatin1Char('|') + menu->child(index)->text(QAccessible::Name);
                    QVERIFY(state.checkable);
                }
            }
        }
        rows << line;
    }
    QCOMPARE(rows, heard);
}

void ParameterTableTest::aScreenReaderIsToldEachNewText_data()
{
    QTest::addColumn<QStringList>("typed"); // into Reg's cell, one after the other
    QTest::addColumn<QStringList>("heard"); // what the cell reads after each
    QTest::newRow("a text typed twice reads each new text")
        << QStringList {"D-KTOW", "D-KABC"} << QStringList {"D-KTOW", "D-KABC"};
    QTest::newRow("a value the tracker would not take leaves the text read")
        << QStringList {"D-KTOW", "ABCDEFGHIJKLMNOPQRST"} << QStringList {"D-KTOW", "D-KTOW"};
}

void ParameterTableTest::aScreenReaderIsToldEachNewText()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, heard);

    ParameterTable table;
    table.clearForLoad();
    table.fill(tracktune::parseDump("Reg=A; #\nAddress=0x1A2B3C; #\n"), false);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    QAccessibleInterface *view = QAccessible::queryAccessibleInterface(&table);
    QVERIFY(view && view->tableInterface());
    // Typed as the pilot does, in the editor the cell opens, which is a cell widget meanwhile.
    QStringList read;
    for (const QString &text : typed) {
        table.editItem(table.item(rowOf(&table, "Reg"), 1));
        // The one open now: the last one's goes later.
        const QList<QLineEdit *> open = table.viewport()->findChildren<QLineEdit *>();
        const auto editor
            = std::find_if(open.begin(), open.end(), [](QLineEdit *line) { return line->isVisible(); });
        QVERIFY(editor != open.end());
        (*editor)->setText(text);
        // Its text is one run of attributes: a reader that joins the runs reads it to its end.
        QAccessibleTextInterface *typing = QAccessible::queryAccessibleInterface(*editor)->textInterface();
        int start = -1;
        int end = -1;
        typing->attributes(int(text.size()) - 1, &start, &end);
        QCOMPARE(typing->text(start, end), text);
        table.commitOpenEditor();
        read << view->tableInterface()->cellAt(rowOf(&table, "Reg"), 1)->text(QAccessible::Name);
    }
    QCOMPARE(read, heard);
}

void ParameterTableTest::aListEditorReadsItsChoiceAndMark()
{
    ParameterTable table;
    table.clearForLoad();
    table.fill(tracktune::parseDump("AcftType=0x1; #\n"), false);
    QAccessibleInterface *box = QAccessible::queryAccessibleInterface(table.cellWidget(0, 1));
    QVERIFY(box && box->textInterface());
    // A closed list is read by its text on Linux: its choice, and the mark once it changed.
    const auto choice
        = [box] { return box->textInterface()->text(0, box->textInterface()->characterCount()); };
    QCOMPARE(choice(), QStringLiteral("(Moto-)glider"));
    QVERIFY(!box->text(QAccessible::Name).endsWith(QStringLiteral(", changed")));
    edit(&table, "AcftType", "Tow plane");
    QCOMPARE(choice(), QStringLiteral("Tow plane"));
    QVERIFY(box->text(QAccessible::Name).startsWith(QStringLiteral("AcftType")));
    QVERIFY(box->text(QAccessible::Name).endsWith(QStringLiteral(", changed")));
    // What it is, without the tracker's note that its tooltip carries.
    QVERIFY(!box->text(QAccessible::Description).contains(QStringLiteral("[")));
}

void ParameterTableTest::announcementsAreSpokenTogether_data()
{
    QTest::addColumn<QStringList>("said"); // "topic|text", or the text alone
    QTest::addColumn<QString>("spoken"); // what the notification reads
    QTest::newRow("one outcome, as a sentence") << QStringList {"Changes saved"} << "Changes saved.";
    QTest::newRow("said together, spoken together, each once")
        << QStringList {"Changes saved", "Reg: at most 15 characters (this is 20)", "Changes saved"}
        << "Changes saved. Reg: at most 15 characters (this is 20)";
    QTest::newRow("lines and runs of blanks read as one line")
        << QStringList {"Settings saved to:\n  /tmp/a b"} << "Settings saved to: /tmp/a b.";
    QTest::newRow("the last of a topic in the place of its first")
        << QStringList {"search|25 rows match", "Changes saved", "search|3 rows match", "search|2 rows match"}
        << "2 rows match. Changes saved.";
}

void ParameterTableTest::announcementsAreSpokenTogether()
{
    QFETCH(QStringList, said);
    QFETCH(QString, spoken);

    QWidget window;
    auto *announcer = new Announcer(&window);
    for (const QString &text : said) {
        const bool topical = text.contains(QLatin1Char('|'));
        announcer->say(
            text.section(QLatin1Char('|'), -1), topical ? text.section(QLatin1Char('|'), 0, 0) : QString());
    }
    // The announcer waits for the focus to settle before it speaks.
    QCOMPARE(announcer->spokenText(), QString());
    QTRY_COMPARE(announcer->spokenText(), spoken);
}

void ParameterTableTest::onlyAChoiceChangesAnEditor_data()
{
    QTest::addColumn<QString>("start"); // the row the focus is on, in its Value cell
    QTest::addColumn<int>("key"); // 0: the wheel over the cell
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("row"); // the focus row after it
    QTest::addColumn<bool>("opens"); // a list or menu opens; Escape closes it
    QTest::addColumn<bool>("onTable"); // the focus is then on the table, not on the row's editor

    const int none = Qt::NoModifier;
    QTest::newRow("wheel over a list scrolls") << "AcftType" << 0 << none << "AcftType" << false << false;
    QTest::newRow("wheel over the protocol button scrolls")
        << "TxProtMask" << 0 << none << "TxProtMask" << false << false;
    QTest::newRow("wheel over a text cell scrolls") << "Reg" << 0 << none << "Reg" << false << true;
    QTest::newRow("Right, Down, Up: back on the address")
        << "AddrType" << int(Qt::Key_Up) << none << "Address" << false << true;
    QTest::newRow("Down over a list")
        << "AddrType" << int(Qt::Key_Down) << none << "AcftType" << false << false;
    QTest::newRow("Down from a text cell")
        << "Address" << int(Qt::Key_Down) << none << "AddrType" << false << false;
    QTest::newRow("Up over the protocol button")
        << "TxProtMask" << int(Qt::Key_Up) << none << "APN" << false << true;
    QTest::newRow("Down over the last row stays")
        << "TxProtMask" << int(Qt::Key_Down) << none << "TxProtMask" << false << true;
    QTest::newRow("PgUp over a list")
        << "AddrType" << int(Qt::Key_PageUp) << none << "Address" << false << true;
    QTest::newRow("PgDn over a list")
        << "TxPower" << int(Qt::Key_PageDown) << none << "TxProtMask" << false << false;
    QTest::newRow("PgDn over a text cell")
        << "APN" << int(Qt::Key_PageDown) << none << "TxProtMask" << false << false;
    QTest::newRow("Home over a list")
        << "FreqPlan" << int(Qt::Key_Home) << none << "Address" << false << true;
    QTest::newRow("End over a list") << "AcftType" << int(Qt::Key_End) << none << "TxProtMask" << false
                                     << false;
    QTest::newRow("Home over the protocol button")
        << "TxProtMask" << int(Qt::Key_Home) << none << "Address" << false << true;
    QTest::newRow("End over a text cell")
        << "Reg" << int(Qt::Key_End) << none << "TxProtMask" << false << false;
    QTest::newRow("a letter over a list picks nothing")
        << "AcftType" << int(Qt::Key_T) << none << "AcftType" << false << false;
    QTest::newRow("Escape over a list: the focus to the table")
        << "AcftType" << int(Qt::Key_Escape) << none << "AcftType" << false << true;
    QTest::newRow("Enter opens a list")
        << "AcftType" << int(Qt::Key_Return) << none << "AcftType" << true << true;
    QTest::newRow("Space opens a list")
        << "TxPower" << int(Qt::Key_Space) << none << "TxPower" << true << true;
    QTest::newRow("F2 opens a list") << "FreqPlan" << int(Qt::Key_F2) << none << "FreqPlan" << true << true;
    QTest::newRow("Alt+Down opens a list")
        << "AddrType" << int(Qt::Key_Down) << int(Qt::AltModifier) << "AddrType" << true << true;
    QTest::newRow("Enter opens the protocol menu")
        << "TxProtMask" << int(Qt::Key_Return) << none << "TxProtMask" << true << true;
    QTest::newRow("Space opens the protocol menu")
        << "TxProtMask" << int(Qt::Key_Space) << none << "TxProtMask" << true << true;
}

void ParameterTableTest::onlyAChoiceChangesAnEditor()
{
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, row);
    QFETCH(bool, opens);
    QFETCH(bool, onTable);

    // Shorter than its rows, so that it can scroll.
    ParameterTable table;
    table.resize(320, 130);
    table.clearForLoad();
    table.fill(tracktune::parseDump(deviceList), false);
    table.show();
    const QStringList before = shownRows(&table);
    table.setFocus();
    table.setCurrentCell(rowOf(&table, start), 1);
    QWidget *editor = table.cellWidget(table.currentRow(), 1);
    // Stepping onto a row puts the keyboard in its editor, where the keys used to change it.
    QCOMPARE(keyboardFocus(table), editor ? editor : &table);

    if (key == 0) {
        QWidget *under = editor ? editor : table.viewport();
        const QPointF at
            = editor ? QPointF(4, 4) : QPointF(table.visualItemRect(table.currentItem()).center());
        QWheelEvent wheel(at, under->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, -120), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(under, &wheel);
        QVERIFY(table.verticalScrollBar()->value() > 0);
    } else {
        QTest::keyClick(keyboardFocus(table), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    }
    if (opens) {
        QTRY_VERIFY(QApplication::activePopupWidget());
        QWidget *popup = QApplication::activePopupWidget();
        QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }
    QTRY_COMPARE(table.item(table.currentRow(), 0)->text(), row);
    QWidget *rowEditor = table.cellWidget(table.currentRow(), 1);
    QTRY_COMPARE(keyboardFocus(table), onTable || !rowEditor ? &table : rowEditor);
    QCOMPARE(shownRows(&table), before);
    QCOMPARE(table.changes().size(), 0);
}

void ParameterTableTest::searchHidesRowsAndKeepsTheirEdits_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("changedOnly");
    QTest::addColumn<QStringList>("shown"); // the rows left in sight

    // Reg and AcftType are edited in every row.
    QTest::newRow("nothing asked: every row")
        << QString() << false
        << QStringList {"Address", "AddrType", "AcftType", "Reg", "FreqPlan", "TxPower", "APN", "TxProtMask"};
    QTest::newRow("part of a name, in any case") << "txp" << false << QStringList {"TxPower", "TxProtMask"};
    QTest::newRow("the unit, in any case") << "DBM" << false << QStringList {"TxPower"};
    QTest::newRow("a row's whole description")
        << QCoreApplication::translate("KnownParameter", tracktune::findKnownParameter("APN")->description)
        << false << QStringList {"APN"};
    QTest::newRow("every word must be found") << "pilots reg" << false << QStringList {"Reg"};
    QTest::newRow("words nowhere: no row") << "glider" << false << QStringList();
    QTest::newRow("changed only: the marked rows") << QString() << true << QStringList {"AcftType", "Reg"};
    QTest::newRow("changed only and a search") << "type" << true << QStringList {"AcftType"};
}

void ParameterTableTest::searchHidesRowsAndKeepsTheirEdits()
{
    QFETCH(QString, search);
    QFETCH(bool, changedOnly);
    QFETCH(QStringList, shown);

    ParameterTable table;
    QLineEdit field;
    QCheckBox toggle;
    QLabel rowLine;
    ParameterSearch finder(&table, &field, &toggle, &rowLine);
    table.clearForLoad();
    table.fill(tracktune::parseDump(deviceList), false);
    edit(&table, {{"Reg", "D-KABC"}, {"AcftType", "Tow plane"}});
    field.setText(search);
    toggle.setChecked(changedOnly);
    QStringList seen;
    const auto inSight = [&table, &seen] {
        seen.clear();
        for (int row = 0; row < table.rowCount(); ++row) {
            if (!table.isRowHidden(row))
                seen << table.item(row, 0)->text();
        }
        return seen;
    };
    QTRY_COMPARE(inSight(), shown);
    // What Apply writes does not depend on what is in sight.
    QCOMPARE(written(table), QStringList({"AcftType=0x2", "Reg=D-KABC"}));
    // The line under the table says what the current row is.
    if (!shown.isEmpty()) {
        table.setCurrentCell(rowOf(&table, shown.first()), 0);
        QVERIFY(rowLine.text().startsWith(shown.first() + QLatin1Char(':')));
        // The firmware's note after a value ("[24-bit]") is not the pilot's.
        QVERIFY2(!rowLine.text().contains(QLatin1String("[")), qPrintable(rowLine.text()));
    }
    // Reset shows every row again.
    finder.reset();
    QCOMPARE(inSight().size(), table.rowCount());
}

QTEST_MAIN(ParameterTableTest)
#include "tst_parametertable.moc"
