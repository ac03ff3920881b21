#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

using testsupport::child;
using testsupport::ListedTracker;

using Values = QHash<QString, QString>;

namespace {

int rowOf(QTableWidget *table, const QString &name)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == name)
            return row;
    }
    return -1;
}

// The combo box's text, the protocol button's caption or the value item's text.
QString shownValue(QTableWidget *table, int row)
{
    if (auto *box = qobject_cast<QComboBox *>(table->cellWidget(row, 1)))
        return box->currentText();
    if (auto *button = qobject_cast<QToolButton *>(table->cellWidget(row, 1)))
        return button->text();
    QTableWidgetItem *item = table->item(row, 1);
    return item ? item->text() : QString();
}

bool isBold(const QTableWidgetItem *item)
{
    return item && item->font().weight() > QFont::Medium;
}

QStringList markedRows(QTableWidget *table)
{
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (isBold(table->item(row, 0)))
            names << table->item(row, 0)->text();
    }
    return names;
}

QAction *protocolAction(QTableWidget *table, const QString &text)
{
    auto *button = qobject_cast<QToolButton *>(table->cellWidget(rowOf(table, "TxProtMask"), 1));
    for (QAction *action : button->menu()->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// One edit as a user makes it: "Name|pick|entry", "Name|toggle|protocol" or "Name|type|text".
void edit(QTableWidget *table, const QString &step)
{
    const QString name = step.section(QLatin1Char('|'), 0, 0);
    const QString how = step.section(QLatin1Char('|'), 1, 1);
    const QString what = step.section(QLatin1Char('|'), 2);
    const int row = rowOf(table, name);
    QVERIFY2(row >= 0, qPrintable(name));
    if (how == QLatin1String("pick")) {
        auto *box = qobject_cast<QComboBox *>(table->cellWidget(row, 1));
        QVERIFY2(box && box->findText(what) >= 0, qPrintable(step));
        box->setCurrentIndex(box->findText(what));
    } else if (how == QLatin1String("toggle")) {
        QAction *action = protocolAction(table, what);
        QVERIFY2(action, qPrintable(step));
        action->trigger();
    } else {
        table->item(row, 1)->setText(what);
    }
}

} // namespace

// The editors of the known parameters: what they show after a load and how edits mark rows.
class ValueEditorsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void editorsShowTheDeviceValue_data();
    void editorsShowTheDeviceValue();
    void editsMarkTheRow_data();
    void editsMarkTheRow();
    void captionListsCheckedProtocolsInCheckOrder();
    void markingAMarkedRowRaisesNoChange();
    void refreshClearsMarksButSnapsPowerAgain_data();
    void refreshClearsMarksButSnapsPowerAgain();

private:
    void loadWith(const Values &values);

    std::unique_ptr<ListedTracker> listed;
    std::unique_ptr<MainWindow> window;
    QTableWidget *table = nullptr;
    QList<TrackerSimulator::Parameter> factory;
};

void ValueEditorsTest::initTestCase()
{
    TrackerSimulator::Options options;
    // Unpaced, a dump lands whole before the next Refresh discards it.
    options.paced = false;
    listed = std::make_unique<ListedTracker>(options);
    factory = listed->tracker.parameters();
    window = std::make_unique<MainWindow>();
    table = child<QTableWidget>(window.get(), "table");
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && table->rowCount() > 0, 20000);
}

void ValueEditorsTest::init()
{
    listed->tracker.setParameters(factory);
}

void ValueEditorsTest::cleanupTestCase()
{
    window.reset();
    listed.reset();
}

void ValueEditorsTest::loadWith(const Values &values)
{
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        listed->tracker.setParameter(it.key(), it.value());
    child<QPushButton>(window.get(), "refreshButton")->click();
    QVERIFY(table->isEnabled());
    QVERIFY(window->link().isOpen());
}

void ValueEditorsTest::editorsShowTheDeviceValue_data()
{
    QTest::addColumn<Values>("device");
    QTest::addColumn<Values>("shown");
    QTest::addColumn<QStringList>("marked");

    QTest::newRow("numbers in range")
        << Values {{"AddrType", "0"}, {"AcftType", "F"}, {"FreqPlan", "2"}, {"TxPower", "+14"},
               {"TxProtMask", "12"}}
        << Values {{"AddrType", "Random"}, {"AcftType", "Static object"}, {"FreqPlan", "USA/Canada"},
               {"TxPower", "NORMAL"}, {"TxProtMask", "OGN FANET "}}
        << QStringList();
    QTest::newRow("0x forms, unsigned power")
        << Values {{"AddrType", "0x2"}, {"AcftType", "0x7"}, {"FreqPlan", "3"}, {"TxPower", "10"},
               {"TxProtMask", "0x12"}}
        << Values {{"AddrType", "FLARM"}, {"AcftType", "Para-glider"},
               {"FreqPlan", "South America /Australia"}, {"TxPower", "LOW"}, {"TxProtMask", "OGN FANET "}}
        << QStringList();
    QTest::newRow("beyond the lists") << Values {{"AddrType", "4"}, {"AcftType", "10"}, {"FreqPlan", "10"},
        {"TxPower", "+30"}, {"TxProtMask", "0x20"}}
                                      << Values {{"AddrType", ""}, {"AcftType", ""}, {"FreqPlan", ""},
                                             {"TxPower", "HIGH"}, {"TxProtMask", ""}}
                                      << QStringList {"TxPower"};
    QTest::newRow("power tie goes up, unlisted bits show nothing")
        << Values {{"TxPower", "+12"}, {"TxProtMask", "0x60"}, {"AcftType", "0"}}
        << Values {{"TxPower", "NORMAL"}, {"TxProtMask", ""}, {"AcftType", "Unknown"}}
        << QStringList {"TxPower"};
    QTest::newRow("power tie to HIGH, bit 1 dropped")
        << Values {{"TxPower", "+18"}, {"TxProtMask", "0x83"}}
        << Values {{"TxPower", "HIGH"}, {"TxProtMask", "OGN RemoteID "}} << QStringList {"TxPower"};
    QTest::newRow("not numbers") << Values {{"AddrType", "x"}, {"AcftType", "zz"}, {"FreqPlan", "y"},
        {"TxPower", "max"}, {"TxProtMask", "none"}}
                                 << Values {{"AddrType", "Random"}, {"AcftType", "Unknown"},
                                        {"FreqPlan", "Automatic"}, {"TxPower", "LOW"}, {"TxProtMask", ""}}
                                 << QStringList {"TxPower"};
}

void ValueEditorsTest::editorsShowTheDeviceValue()
{
    QFETCH(Values, device);
    QFETCH(Values, shown);
    QFETCH(QStringList, marked);

    loadWith(device);
    for (auto it = shown.constBegin(); it != shown.constEnd(); ++it) {
        const int row = rowOf(table, it.key());
        QVERIFY2(row >= 0, qPrintable(it.key()));
        QCOMPARE(shownValue(table, row), it.value());
        if (auto *box = qobject_cast<QComboBox *>(table->cellWidget(row, 1)))
            QCOMPARE(box->currentIndex() < 0, it.value().isEmpty());
    }
    QCOMPARE(markedRows(table), marked);
}

void ValueEditorsTest::editsMarkTheRow_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("marked");
    QTest::addColumn<QStringList>("boldValues");

    QTest::newRow("picking another aircraft type")
        << QStringList {"AcftType|pick|UFO"} << QStringList {"AcftType"} << QStringList();
    QTest::newRow("picking the entry shown")
        << QStringList {"AcftType|pick|(Moto-)glider", "TxPower|pick|NORMAL"} << QStringList()
        << QStringList();
    QTest::newRow("picking the old entry again")
        << QStringList {"FreqPlan|pick|Europe", "FreqPlan|pick|Automatic"} << QStringList {"FreqPlan"}
        << QStringList();
    QTest::newRow("picking a power") << QStringList {"TxPower|pick|HIGH"} << QStringList {"TxPower"}
                                     << QStringList();
    QTest::newRow("unchecking a protocol")
        << QStringList {"TxProtMask|toggle|OGN"} << QStringList {"TxProtMask"} << QStringList();
    QTest::newRow("typing a registration")
        << QStringList {"Reg|type|D-KABC"} << QStringList {"Reg"} << QStringList {"Reg"};
    QTest::newRow("typing the old text back")
        << QStringList {"Address|type|0x000001", "Address|type|0x1A2B3C"} << QStringList {"Address"}
        << QStringList {"Address"};
    QTest::newRow("committing the same text")
        << QStringList {"Address|type|0x1A2B3C"} << QStringList() << QStringList();
    QTest::newRow("several rows") << QStringList {"Reg|type|D-KABC", "AddrType|pick|ICAO",
        "TxProtMask|toggle|FANET"} << QStringList {"AddrType", "Reg", "TxProtMask"}
                                  << QStringList {"Reg"};
}

void ValueEditorsTest::editsMarkTheRow()
{
    QFETCH(QStringList, edits);
    QFETCH(QStringList, marked);
    QFETCH(QStringList, boldValues);

    loadWith({});
    QCOMPARE(markedRows(table), QStringList());
    for (const QString &step : edits) {
        edit(table, step);
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(markedRows(table), marked);
    QStringList bold;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (isBold(table->item(row, 1)))
            bold << table->item(row, 0)->text();
    }
    QCOMPARE(bold, boldValues);
}

void ValueEditorsTest::captionListsCheckedProtocolsInCheckOrder()
{
    loadWith({{"TxProtMask", "0x12"}});
    auto *button = qobject_cast<QToolButton *>(table->cellWidget(rowOf(table, "TxProtMask"), 1));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("OGN FANET "));
    QVERIFY(protocolAction(table, "OGN")->isChecked());
    QVERIFY(!protocolAction(table, "ADS-L")->isChecked());

    edit(table, "TxProtMask|toggle|OGN");
    QCOMPARE(button->text(), QStringLiteral("FANET "));
    QCOMPARE(markedRows(table), QStringList {"TxProtMask"});
    edit(table, "TxProtMask|toggle|OGN");
    QCOMPARE(button->text(), QStringLiteral("FANET OGN "));
    edit(table, "TxProtMask|toggle|RemoteID");
    QCOMPARE(button->text(), QStringLiteral("FANET OGN RemoteID "));
    QCOMPARE(markedRows(table), QStringList {"TxProtMask"});

    loadWith({{"TxProtMask", "0x0"}});
    button = qobject_cast<QToolButton *>(table->cellWidget(rowOf(table, "TxProtMask"), 1));
    QCOMPARE(button->text(), QString());
}

void ValueEditorsTest::markingAMarkedRowRaisesNoChange()
{
    loadWith({});
    QSignalSpy changes(table, &QTableWidget::cellChanged);
    edit(table, "Reg|type|D-KABC");
    // The edit, the bold value cell and the bold name cell; the nested calls change nothing more.
    QCOMPARE(changes.count(), 3);
    edit(table, "Reg|type|D-KABD");
    QCOMPARE(changes.count(), 4);
    edit(table, "AcftType|pick|UFO");
    QCOMPARE(changes.count(), 5);
    edit(table, "AcftType|pick|UAV");
    QCOMPARE(changes.count(), 5);
}

void ValueEditorsTest::refreshClearsMarksButSnapsPowerAgain_data()
{
    QTest::addColumn<QString>("power");
    QTest::addColumn<QStringList>("marked");

    QTest::newRow("power a level") << "+22" << QStringList();
    QTest::newRow("power between levels") << "+17" << QStringList {"TxPower"};
}

void ValueEditorsTest::refreshClearsMarksButSnapsPowerAgain()
{
    QFETCH(QString, power);
    QFETCH(QStringList, marked);

    loadWith({{"TxPower", power}});
    for (const char *step :
        {"Reg|type|D-KABC", "AcftType|pick|UFO", "TxProtMask|toggle|FANET", "TxPower|pick|LOW"})
        edit(table, step);
    QCOMPARE(markedRows(table).size(), 4);

    loadWith({});
    QCOMPARE(markedRows(table), marked);
    QCOMPARE(isBold(table->item(rowOf(table, "Reg"), 1)), false);
}

QTEST_MAIN(ValueEditorsTest)
#include "tst_valueeditors.moc"
