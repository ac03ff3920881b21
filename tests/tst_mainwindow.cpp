#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QtTest>

using testsupport::child;
using testsupport::PortListing;

// The window's widget tree, its first state and the expert-mode toggle.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { listing = std::make_unique<PortListing>(QHash<QString, QString>()); }
    void cleanup() { listing.reset(); }

    void windowStartsWithItsTitleAndSize();
    void widgetsHaveTheirTextsAndSizes_data();
    void widgetsHaveTheirTextsAndSizes();
    void onlyPortListAndExpertModeAreUsableAtStart();
    void tableShowsTwoNamedColumns();
    void layoutsHoldTheWidgetsInOrder();
    void expertModeShowsTheToolsAndBack();
    void serialMonitorOpensOnceWithoutBlocking();
    void destroyingAConnectedWindowIsSafe();

private:
    std::unique_ptr<PortListing> listing;
};

void TestMainWindow::windowStartsWithItsTitleAndSize()
{
    MainWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Halvern ZUR Uvuzud uvuz - 25.7"));
    QCOMPARE(window.size(), QSize(518, 616));
    QVERIFY(window.menuWidget() == nullptr);
    QCOMPARE(window.statusBar()->objectName(), QStringLiteral("statusBar"));
}

void TestMainWindow::widgetsHaveTheirTextsAndSizes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("minimumSize");

    QTest::newRow("update firmware") << "buttonFirmwareUpdate"
                                     << "Update firmware" << QSize(100, 30);
    QTest::newRow("serial monitor") << "buttonSerialMonitor"
                                    << "Serial Monitor" << QSize(100, 30);
    QTest::newRow("refresh") << "refreshButton"
                             << "Refresh" << QSize(90, 30);
    QTest::newRow("expert mode") << "buttonAdvanced"
                                 << "Expert mode" << QSize(90, 30);
    QTest::newRow("apply") << "applyButton"
                           << "Apply" << QSize(90, 30);
}

void TestMainWindow::widgetsHaveTheirTextsAndSizes()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QSize, minimumSize);

    MainWindow window;
    auto *button = window.findChild<QPushButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), text);
    QCOMPARE(button->minimumSize(), minimumSize);
    QCOMPARE(button->isCheckable(), name == QLatin1String("buttonAdvanced"));
}

void TestMainWindow::onlyPortListAndExpertModeAreUsableAtStart()
{
    MainWindow window;
    window.show();
    QVERIFY(!child<QTableWidget>(&window, "table")->isEnabled());
    QVERIFY(!child<QPushButton>(&window, "refreshButton")->isEnabled());
    QVERIFY(!child<QPushButton>(&window, "applyButton")->isEnabled());
    QVERIFY(!child<QPushButton>(&window, "buttonFirmwareUpdate")->isEnabled());
    QVERIFY(child<QComboBox>(&window, "serialPortList")->isEnabled());
    QVERIFY(!child<QComboBox>(&window, "serialPortList")->isEditable());
    QVERIFY(child<QPushButton>(&window, "buttonAdvanced")->isEnabled());
    QVERIFY(!child<QPushButton>(&window, "buttonAdvanced")->isChecked());
    QVERIFY(child<QPushButton>(&window, "buttonSerialMonitor")->isEnabled());
    QVERIFY(!child<QFrame>(&window, "frameExpertTools")->isVisible());

    auto *label = child<QLabel>(&window, "label");
    QCOMPARE(label->text(), QStringLiteral("Serial port:"));
    QCOMPARE(label->sizePolicy().horizontalPolicy(), QSizePolicy::Maximum);
    QCOMPARE(label->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
    auto *frame = child<QFrame>(&window, "frameExpertTools");
    QCOMPARE(frame->frameShape(), QFrame::StyledPanel);
    QCOMPARE(frame->frameShadow(), QFrame::Raised);
    QCOMPARE(frame->layout()->contentsMargins(), QMargins(0, 0, 0, 0));
}

void TestMainWindow::tableShowsTwoNamedColumns()
{
    MainWindow window;
    window.show();
    auto *table = child<QTableWidget>(&window, "table");
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Parameter"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Value"));
    QCOMPARE(table->columnWidth(0), 150);
    QVERIFY(table->horizontalHeader()->stretchLastSection());
    QVERIFY(!table->horizontalHeader()->cascadingSectionResizes());
    QVERIFY(!table->horizontalHeader()->highlightSections());
    QVERIFY(table->verticalHeader()->isHidden());
    QVERIFY(table->alternatingRowColors());
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
}

void TestMainWindow::layoutsHoldTheWidgetsInOrder()
{
    MainWindow window;
    auto *central = child<QWidget>(&window, "centralwidget");
    QCOMPARE(window.centralWidget(), central);
    auto *vertical = qobject_cast<QVBoxLayout *>(central->layout());
    QVERIFY(vertical);
    QCOMPARE(vertical->objectName(), QStringLiteral("verticalLayout"));
    QCOMPARE(vertical->count(), 4);
    QCOMPARE(vertical->itemAt(0)->layout()->objectName(), QStringLiteral("horizontalLayout_2"));
    QCOMPARE(vertical->itemAt(1)->widget()->objectName(), QStringLiteral("frameExpertTools"));
    QCOMPARE(vertical->itemAt(2)->widget()->objectName(), QStringLiteral("table"));
    QCOMPARE(vertical->itemAt(3)->layout()->objectName(), QStringLiteral("horizontalLayout"));

    const auto namesIn = [](QLayout *layout) {
        QStringList names;
        for (int i = 0; i < layout->count(); ++i) {
            QLayoutItem *item = layout->itemAt(i);
            names << (item->widget() ? item->widget()->objectName() : QStringLiteral("spacer"));
            if (QSpacerItem *spacer = item->spacerItem()) {
                if (spacer->sizeHint() != QSize(40, 20)
                    || spacer->sizePolicy().horizontalPolicy() != QSizePolicy::Expanding
                    || spacer->sizePolicy().verticalPolicy() != QSizePolicy::Minimum)
                    names << QStringLiteral("wrong spacer");
            }
        }
        return names;
    };
    QCOMPARE(namesIn(vertical->itemAt(0)->layout()), (QStringList {"label", "serialPortList"}));
    QCOMPARE(namesIn(child<QFrame>(&window, "frameExpertTools")->layout()),
        (QStringList {"buttonFirmwareUpdate", "spacer", "buttonSerialMonitor"}));
    QCOMPARE(namesIn(vertical->itemAt(3)->layout()),
        (QStringList {"refreshButton", "buttonAdvanced", "spacer", "applyButton"}));
}

void TestMainWindow::expertModeShowsTheToolsAndBack()
{
    MainWindow window;
    window.show();
    auto *toggle = child<QPushButton>(&window, "buttonAdvanced");
    auto *frame = child<QFrame>(&window, "frameExpertTools");

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(window.isExpertMode());
    QCOMPARE(toggle->text(), QStringLiteral("Standard mode"));
    QVERIFY(frame->isVisible());
    // Without a device the reload fails and the link reports itself closed.
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Connection closed"));

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(!window.isExpertMode());
    QCOMPARE(toggle->text(), QStringLiteral("Expert mode"));
    QVERIFY(!frame->isVisible());
}

void TestMainWindow::serialMonitorOpensOnceWithoutBlocking()
{
    MainWindow window;
    window.show();
    QTest::mouseClick(child<QPushButton>(&window, "buttonAdvanced"), Qt::LeftButton);
    auto *monitorButton = child<QPushButton>(&window, "buttonSerialMonitor");
    QTest::mouseClick(monitorButton, Qt::LeftButton);
    QTest::mouseClick(monitorButton, Qt::LeftButton);

    QList<QWidget *> monitors;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("SerialMonitor") && widget->isVisible())
            monitors << widget;
    }
    QCOMPARE(monitors.size(), 1);
    QCOMPARE(monitors.first()->windowTitle(), QStringLiteral("Serial monitor"));
    QVERIFY(!monitors.first()->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    monitors.first()->close();
}

void TestMainWindow::destroyingAConnectedWindowIsSafe()
{
    testsupport::ListedTracker listed;
    auto window = std::make_unique<MainWindow>();
    window->show();
    auto *table = child<QTableWidget>(window.get(), "table");
    QTRY_VERIFY_WITH_TIMEOUT(window->link().isOpen() && table->isEnabled(), 15000);
    window.reset();
    QTRY_VERIFY(!listed.tracker.peerOpen());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
