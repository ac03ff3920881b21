#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QtTest>

#include <memory>

using namespace testsupport;

using Values = QHash<QString, QString>;

namespace {

// The configuration sentences among what the tracker received, one per line feed.
QStringList sentencesOnTheWire(const QByteArray &received)
{
    QByteArray text = received;
    text.replace('\x03', QByteArray()).replace('\x02', QByteArray());
    QStringList sentences = QString::fromUtf8(text).split(QLatin1Char('\n'));
    if (sentences.last().isEmpty())
        sentences.removeLast();
    return sentences;
}

} // namespace

// Edits as they mark the table, and "Apply" as the tracker sees it: the sentences it
// receives, and the table after the reload.
class ConfigurationWriteTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void applyWritesTheMarkedRows_data();
    void applyWritesTheMarkedRows();
    void editsMarkTheTable();
    void expertModeSendsTheTypedText();

private:
    void apply();

    std::unique_ptr<LoadedWindow> loaded;
    QStringList messages;
};

void ConfigurationWriteTest::initTestCase()
{
    TrackerSimulator::Options options;
    options.variant = TrackerSimulator::Variant::Vendor;
    loaded = std::make_unique<LoadedWindow>(options);
    connect(loaded->window.statusBar(), &QStatusBar::messageChanged, this,
        [this](const QString &message) { messages << message; });
    QTRY_VERIFY_WITH_TIMEOUT(loaded->loaded(), 20000);
}

void ConfigurationWriteTest::apply()
{
    loaded->listed.tracker.clearRecord();
    messages.clear();
    child<QPushButton>(&loaded->window, "applyButton")->click();
    QVERIFY(loaded->window.link().isOpen());
    QVERIFY(loaded->table->isEnabled());
    QCOMPARE(messages.first(), QStringLiteral("Writing to device..."));
    QCOMPARE(loaded->window.statusBar()->currentMessage(), QStringLiteral("Changes saved"));
}

void ConfigurationWriteTest::applyWritesTheMarkedRows_data()
{
    QTest::addColumn<Values>("device");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("marked");
    QTest::addColumn<QStringList>("sentences");
    QTest::addColumn<Values>("shownAfter");

    QTest::newRow("the value shown again marks nothing, sends nothing")
        << Values()
        << QStringList {"AcftType|pick|(Moto-)glider", "TxPower|pick|NORMAL", "Address|type|0x1A2B3C"}
        << QStringList() << QStringList() << Values();
    // Edited out of order, some edits undone; Select writes hex, SelectInt decimal. The
    // device turns the APN down.
    QTest::newRow("every kind, in table order")
        << Values()
        << QStringList {"TxProtMask|toggle|FANET", QStringLiteral("APN|type|n\u00e4t,x=y"),
               "TxPower|pick|HIGH", "Reg|type|D-K\r\nABC\r", "FreqPlan|pick|Europe",
               "FreqPlan|pick|Automatic", "AcftType|pick|UFO", "AddrType|pick|Random",
               "Address|type|0x000001", "Address|type|0x1A2B3C"}
        << QStringList {"Address", "AddrType", "AcftType", "Reg", "FreqPlan", "TxPower", "APN", "TxProtMask"}
        << QStringList {"$POGNS,Address=0x1A2B3C", "$POGNS,AddrType=0x0", "$POGNS,AcftType=0xA",
               "$POGNS,Reg=D-KABC", "$POGNS,FreqPlan=0", "$POGNS,TxPower=+22",
               QStringLiteral("$POGNS,APN=n\u00e4t,x=y"), "$POGNS,TxProtMask=0xEF"}
        << Values {{"AddrType", "Random"}, {"AcftType", "UFO"}, {"Reg", "D-KABC"}, {"TxPower", "HIGH"},
               {"APN", "internet"}, {"TxProtMask", "OGN ADS-L PilotAware RemoteID "}};
    QTest::newRow("snapped power unasked, bits no entry shows kept")
        << Values {{"TxPower", "+12"}, {"TxProtMask", "0x83"}}
        << QStringList {"TxProtMask|toggle|OGN", "TxProtMask|toggle|OGN"}
        << QStringList {"TxPower", "TxProtMask"}
        << QStringList {"$POGNS,TxPower=+14", "$POGNS,TxProtMask=0x83"}
        << Values {{"TxPower", "NORMAL"}, {"TxProtMask", "OGN RemoteID "}};
}

void ConfigurationWriteTest::applyWritesTheMarkedRows()
{
    QFETCH(Values, device);
    QFETCH(QStringList, edits);
    QFETCH(QStringList, marked);
    QFETCH(QStringList, sentences);
    QFETCH(Values, shownAfter);

    loaded->reload(device);
    edit(loaded->table, edits);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(markedRows(loaded->table), marked);
    apply();

    const QByteArray received = loaded->listed.tracker.receivedBytes();
    QCOMPARE(sentencesOnTheWire(received), sentences);
    // Written before the reload asks for the list again.
    QVERIFY(received.contains('\x03'));
    QVERIFY(received.lastIndexOf('\n') < received.indexOf('\x03'));

    QCOMPARE(markedRows(loaded->table), QStringList());
    for (auto it = shownAfter.constBegin(); it != shownAfter.constEnd(); ++it)
        QCOMPARE(shownValue(loaded->table, rowOf(loaded->table, it.key())), it.value());
}

void ConfigurationWriteTest::editsMarkTheTable()
{
    QTableWidget *table = loaded->table;
    loaded->reload();
    QSignalSpy changes(table, &QTableWidget::cellChanged);
    edit(table, {"Reg|type|D-KABC"});
    // The edit, the bold value cell and the bold name cell; the nested calls change nothing more.
    QCOMPARE(changes.count(), 3);
    edit(table, {"Reg|type|D-KABD"});
    QCOMPARE(changes.count(), 4);
    edit(table, {"AcftType|pick|UFO"});
    QCOMPARE(changes.count(), 5);
    edit(table, {"AcftType|pick|UAV"});
    QCOMPARE(changes.count(), 5);

    // Only typed values go bold; the caption lists the protocols in the order they were checked.
    edit(table, {"TxProtMask|toggle|OGN", "TxProtMask|toggle|FANET", "TxProtMask|toggle|OGN"});
    QCOMPARE(markedRows(table), (QStringList {"AcftType", "Reg", "TxProtMask"}));
    for (int row = 0; row < table->rowCount(); ++row)
        QCOMPARE(isBold(table->item(row, 1)), table->item(row, 0)->text() == QLatin1String("Reg"));
    QCOMPARE(shownValue(table, rowOf(table, "TxProtMask")), QStringLiteral("ADS-L PilotAware RemoteID OGN "));
}

void ConfigurationWriteTest::expertModeSendsTheTypedText()
{
    auto *modeButton = child<QPushButton>(&loaded->window, "buttonAdvanced");
    modeButton->click();
    QVERIFY(loaded->window.isExpertMode());
    QVERIFY(loaded->table->isEnabled());

    // Known or not, every row sends its text as typed; the mask is not merged.
    edit(loaded->table, {"BTname|type|glider", "TxProtMask|type|0x02", "TxPower|type|+22"});
    apply();

    QCOMPARE(sentencesOnTheWire(loaded->listed.tracker.receivedBytes()),
        (QStringList {"$POGNS,TxPower=+22", "$POGNS,TxProtMask=0x02", "$POGNS,BTname=glider"}));
    QCOMPARE(markedRows(loaded->table), QStringList());
    for (const char *row : {"BTname=glider", "TxProtMask=0x02", "TxPower=+22"})
        QVERIFY2(shownRows(loaded->table).contains(QLatin1String(row)), row);

    modeButton->click();
    QVERIFY(!loaded->window.isExpertMode());
    QCOMPARE(shownValue(loaded->table, rowOf(loaded->table, "TxProtMask")), QStringLiteral("OGN "));
}

QTEST_MAIN(ConfigurationWriteTest)
#include "tst_configurationwrite.moc"
