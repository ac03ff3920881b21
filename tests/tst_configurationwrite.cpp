#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
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

QStringList markedRows(QTableWidget *table)
{
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->font().weight() > QFont::Medium)
            names << table->item(row, 0)->text();
    }
    return names;
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
        auto *button = qobject_cast<QToolButton *>(table->cellWidget(row, 1));
        QVERIFY2(button, qPrintable(step));
        QAction *toggled = nullptr;
        for (QAction *action : button->menu()->actions()) {
            if (action->text() == what)
                toggled = action;
        }
        QVERIFY2(toggled, qPrintable(step));
        toggled->trigger();
    } else {
        table->item(row, 1)->setText(what);
    }
}

// The configuration sentences among what the tracker received, one per line feed.
QList<QByteArray> sentencesOnTheWire(const QByteArray &received)
{
    QByteArray text;
    for (char byte : received) {
        if (byte != 0x03 && byte != 0x02)
            text += byte;
    }
    QList<QByteArray> sentences = text.split('\n');
    if (sentences.last().isEmpty())
        sentences.removeLast();
    return sentences;
}

} // namespace

// "Apply" as the tracker sees it: the sentences it receives, and the table after the reload.
class ConfigurationWriteTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void applySendsOneSentencePerMarkedRow_data();
    void applySendsOneSentencePerMarkedRow();
    void expertModeSendsTheTypedText();

private:
    void loadWith(const Values &values);
    void apply();

    std::unique_ptr<ListedTracker> listed;
    std::unique_ptr<MainWindow> window;
    QTableWidget *table = nullptr;
    QList<TrackerSimulator::Parameter> factory;
    QStringList messages;
};

void ConfigurationWriteTest::initTestCase()
{
    TrackerSimulator::Options options;
    // Unpaced, a dump lands whole before the next read discards it.
    options.paced = false;
    options.variant = TrackerSimulator::Variant::Vendor;
    listed = std::make_unique<ListedTracker>(options);
    factory = listed->tracker.parameters();
    window = std::make_unique<MainWindow>();
    table = child<QTableWidget>(window.get(), "table");
    connect(window->statusBar(), &QStatusBar::messageChanged, this,
        [this](const QString &message) { messages << message; });
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && table->rowCount() > 0, 20000);
}

void ConfigurationWriteTest::init()
{
    listed->tracker.setParameters(factory);
}

void ConfigurationWriteTest::cleanupTestCase()
{
    window.reset();
    listed.reset();
}

void ConfigurationWriteTest::loadWith(const Values &values)
{
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        listed->tracker.setParameter(it.key(), it.value());
    child<QPushButton>(window.get(), "refreshButton")->click();
    QVERIFY(table->isEnabled());
}

void ConfigurationWriteTest::apply()
{
    listed->tracker.clearRecord();
    messages.clear();
    child<QPushButton>(window.get(), "applyButton")->click();
    QVERIFY(window->link().isOpen());
    QVERIFY(table->isEnabled());
    QCOMPARE(messages.first(), QStringLiteral("Writing to device..."));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Changes saved"));
}

void ConfigurationWriteTest::applySendsOneSentencePerMarkedRow_data()
{
    QTest::addColumn<Values>("device");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("sentences");
    QTest::addColumn<Values>("shownAfter");

    QTest::newRow("nothing marked sends nothing") << Values() << QStringList() << QStringList() << Values();
    QTest::newRow("String") << Values() << QStringList {"Reg|type|D-KABC"}
                            << QStringList {"$POGNS,Reg=D-KABC"} << Values {{"Reg", "D-KABC"}};
    QTest::newRow("String Address as typed")
        << Values() << QStringList {"Address|type|0x00ABCD"} << QStringList {"$POGNS,Address=0x00ABCD"}
        << Values {{"Address", "0x00ABCD"}};
    QTest::newRow("String with comma and UTF-8 unchanged")
        << Values() << QStringList {QStringLiteral("APN|type|n\u00e4t,x=y")}
        << QStringList {QStringLiteral("$POGNS,APN=n\u00e4t,x=y")} << Values {{"APN", "internet"}};
    QTest::newRow("String with CR LF is one sentence")
        << Values() << QStringList {"Reg|type|D-K\r\nABC\r"} << QStringList {"$POGNS,Reg=D-KABC"}
        << Values {{"Reg", "D-KABC"}};
    QTest::newRow("Select at index 10")
        << Values() << QStringList {"AcftType|pick|UFO"} << QStringList {"$POGNS,AcftType=0xA"}
        << Values {{"AcftType", "UFO"}};
    QTest::newRow("Select at index 15")
        << Values() << QStringList {"AcftType|pick|Static object"} << QStringList {"$POGNS,AcftType=0xF"}
        << Values {{"AcftType", "Static object"}};
    QTest::newRow("Select at index 0")
        << Values() << QStringList {"AddrType|pick|Random"} << QStringList {"$POGNS,AddrType=0x0"}
        << Values {{"AddrType", "Random"}};
    QTest::newRow("SelectInt") << Values() << QStringList {"FreqPlan|pick|USA/Canada"}
                               << QStringList {"$POGNS,FreqPlan=2"} << Values {{"FreqPlan", "USA/Canada"}};
    QTest::newRow("StringHashInt+") << Values() << QStringList {"TxPower|pick|HIGH"}
                                    << QStringList {"$POGNS,TxPower=+22"} << Values {{"TxPower", "HIGH"}};
    QTest::newRow("snapped power is written unasked")
        << Values {{"TxPower", "+12"}} << QStringList() << QStringList {"$POGNS,TxPower=+14"}
        << Values {{"TxPower", "NORMAL"}};
    QTest::newRow("mask 0xFF, OGN unchecked keeps the unlisted bits")
        << Values {{"TxProtMask", "0xFF"}} << QStringList {"TxProtMask|toggle|OGN"}
        << QStringList {"$POGNS,TxProtMask=0xFD"}
        << Values {{"TxProtMask", "ADS-L PilotAware FANET RemoteID "}};
    QTest::newRow("mask 0x83 written back unchanged")
        << Values {{"TxProtMask", "0x83"}} << QStringList {"TxProtMask|toggle|OGN", "TxProtMask|toggle|OGN"}
        << QStringList {"$POGNS,TxProtMask=0x83"} << Values {{"TxProtMask", "OGN RemoteID "}};
    QTest::newRow("mask, nothing checked")
        << Values {{"TxProtMask", "0x12"}} << QStringList {"TxProtMask|toggle|OGN", "TxProtMask|toggle|FANET"}
        << QStringList {"$POGNS,TxProtMask=0x0"} << Values {{"TxProtMask", ""}};
    QTest::newRow("rows in table order")
        << Values()
        << QStringList {"TxProtMask|toggle|RemoteID", "APN|type|web", "Reg|type|D-KABC", "AcftType|pick|UFO"}
        << QStringList {"$POGNS,AcftType=0xA", "$POGNS,Reg=D-KABC", "$POGNS,APN=web",
               "$POGNS,TxProtMask=0x7F"}
        << Values {{"AcftType", "UFO"}, {"Reg", "D-KABC"}, {"APN", "web"},
               {"TxProtMask", "OGN ADS-L PilotAware FANET "}};
}

void ConfigurationWriteTest::applySendsOneSentencePerMarkedRow()
{
    QFETCH(Values, device);
    QFETCH(QStringList, edits);
    QFETCH(QStringList, sentences);
    QFETCH(Values, shownAfter);

    loadWith(device);
    for (const QString &step : edits) {
        edit(table, step);
        if (QTest::currentTestFailed())
            return;
    }
    apply();

    const QByteArray received = listed->tracker.receivedBytes();
    QList<QByteArray> expected;
    for (const QString &sentence : sentences)
        expected << sentence.toUtf8();
    QCOMPARE(sentencesOnTheWire(received), expected);
    // Written before the reload asks for the list again.
    if (!sentences.isEmpty())
        QVERIFY(received.lastIndexOf('\n') < received.indexOf('\x03'));
    QVERIFY(received.contains('\x03'));

    QCOMPARE(markedRows(table), QStringList());
    for (auto it = shownAfter.constBegin(); it != shownAfter.constEnd(); ++it)
        QCOMPARE(shownValue(table, rowOf(table, it.key())), it.value());
}

void ConfigurationWriteTest::expertModeSendsTheTypedText()
{
    auto *modeButton = child<QPushButton>(window.get(), "buttonAdvanced");
    modeButton->click();
    QVERIFY(window->isExpertMode());
    QVERIFY(table->isEnabled());

    // Known or not, every row sends its text as typed; the mask is not merged.
    edit(table, "BTname|type|glider");
    edit(table, "TxProtMask|type|0x02");
    edit(table, "TxPower|type|+22");
    apply();

    QCOMPARE(sentencesOnTheWire(listed->tracker.receivedBytes()),
        (QList<QByteArray> {"$POGNS,TxPower=+22", "$POGNS,TxProtMask=0x02", "$POGNS,BTname=glider"}));
    QCOMPARE(markedRows(table), QStringList());
    QCOMPARE(table->item(rowOf(table, "BTname"), 1)->text(), QStringLiteral("glider"));
    QCOMPARE(table->item(rowOf(table, "TxProtMask"), 1)->text(), QStringLiteral("0x02"));
    QCOMPARE(table->item(rowOf(table, "TxPower"), 1)->text(), QStringLiteral("+22"));

    modeButton->click();
    QVERIFY(!window->isExpertMode());
    QCOMPARE(shownValue(table, rowOf(table, "TxProtMask")), QStringLiteral("OGN "));
}

QTEST_MAIN(ConfigurationWriteTest)
#include "tst_configurationwrite.moc"
