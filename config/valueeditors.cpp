#include "mainwindow/mainwindow.h"

#include "config/conversions.h"
#include "config/valueencoding.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QToolButton>

#include <algorithm>

namespace {

QComboBox *newOptionBox(const QStringList &texts)
{
    auto *box = new QComboBox;
    box->insertItems(box->count(), texts);
    return box;
}

QList<int> ascendingKeys(const QHash<int, QString> &table)
{
    QList<int> keys = table.keys();
    std::sort(keys.begin(), keys.end());
    return keys;
}

QStringList textsInKeyOrder(const QHash<int, QString> &table)
{
    QStringList texts;
    for (int key : ascendingKeys(table))
        texts << table.value(key);
    return texts;
}

QFont markedFont(QFont font)
{
    font.setWeight(QFont::Bold);
    return font;
}

} // namespace

void MainWindow::releaseCatalogue()
{
    for (ParameterDescriptor *descriptor : qAsConst(parameterCatalogue)) {
        // A placed editor goes with its row; one that no row took has nobody else to release it.
        if (descriptor->editor && !descriptor->editor->parentWidget())
            delete descriptor->editor;
        delete descriptor;
    }
    parameterCatalogue.clear();
}

void MainWindow::createValueEditor()
{
    releaseCatalogue();

    QComboBox *aircraftTypeBox = newOptionBox(aircraftTypes);
    QComboBox *addressTypeBox = newOptionBox(addressTypes);
    QComboBox *frequencyPlanBox = newOptionBox(frequencyPlans);
    QComboBox *txPowerBox = newOptionBox(textsInKeyOrder(txPowerLevels));

    auto *protocolButton = new QToolButton;
    protocolButton->setPopupMode(QToolButton::InstantPopup);
    protocolButton->setAutoRaise(true);
    auto *protocolMenu = new QMenu(protocolButton);
    protocolButton->setMenu(protocolMenu);
    // Ascending bit order, so the caption reads the same on every run.
    for (int bit : ascendingKeys(txProtocols)) {
        const QString text = txProtocols.value(bit);
        QAction *action = protocolMenu->addAction(text);
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, [protocolButton, text](bool checked) {
            const QString entry = text + QLatin1Char(' ');
            protocolButton->setText(
                checked ? protocolButton->text() + entry : protocolButton->text().remove(entry));
        });
    }

    const QString string = QStringLiteral("String");
    parameterCatalogue.insert(QStringLiteral("Reg"), new ParameterDescriptor(string, nullptr, nullptr));
    parameterCatalogue.insert(QStringLiteral("Address"), new ParameterDescriptor(string, nullptr, nullptr));
    parameterCatalogue.insert(QStringLiteral("AddrType"),
        new ParameterDescriptor(QStringLiteral("Select"), addressTypeBox, nullptr));
    parameterCatalogue.insert(QStringLiteral("AcftType"),
        new ParameterDescriptor(QStringLiteral("Select"), aircraftTypeBox, nullptr));
    parameterCatalogue.insert(QStringLiteral("TxPower"),
        new ParameterDescriptor(QStringLiteral("StringHashInt+"), txPowerBox, &txPowerLevels));
    parameterCatalogue.insert(QStringLiteral("FreqPlan"),
        new ParameterDescriptor(QStringLiteral("SelectInt"), frequencyPlanBox, nullptr));
    parameterCatalogue.insert(QStringLiteral("TxProtMask"),
        new ParameterDescriptor(QStringLiteral("MenuCheckboxMask"), protocolButton, &txProtocols));
    parameterCatalogue.insert(QStringLiteral("APN"), new ParameterDescriptor(string, nullptr, nullptr));
}

void MainWindow::fillValueCell(int row, ParameterDescriptor &descriptor, const QString &value)
{
    descriptor.deviceValue = value;
    if (!descriptor.editor) {
        ui->table->setItem(row, 1, new QTableWidgetItem(value));
        return;
    }
    ui->table->setCellWidget(row, 1, descriptor.editor);

    // Each editor gets the device value first and its marking afterwards, so loading marks nothing.
    const auto markRow = [this, row] { markRowChanged(row); };
    const QString &kind = descriptor.kind;
    auto *box = qobject_cast<QComboBox *>(descriptor.editor.data());
    if (box && (kind == QLatin1String("Select") || kind == QLatin1String("SelectInt"))) {
        box->setCurrentIndex(kind == QLatin1String("Select") ? tracktune::indexFromHexValue(value)
                                                             : tracktune::indexFromDecimalValue(value));
        connect(box, &QComboBox::currentTextChanged, markRow);
    } else if (box && kind == QLatin1String("StringHashInt+") && descriptor.options) {
        const int reported = tracktune::numberFromValue(value);
        const int shown = tracktune::nearestOptionKey(reported, *descriptor.options);
        box->setCurrentText(descriptor.options->value(shown));
        connect(box, &QComboBox::currentTextChanged, markRow);
        // The box cannot show the device's number: the next Apply writes the snapped value.
        if (shown != reported)
            markRowChanged(row);
    } else if (kind == QLatin1String("MenuCheckboxMask") && descriptor.options) {
        auto *button = qobject_cast<QToolButton *>(descriptor.editor.data());
        if (!button || !button->menu())
            return;
        const QHash<QString, bool> checks = tracktune::checksFromMask(
            static_cast<int>(tracktune::maskFromHexValue(value)), *descriptor.options);
        const QList<QAction *> actions = button->menu()->actions();
        for (QAction *action : actions) {
            action->setChecked(checks.value(action->text(), false));
            connect(action, &QAction::toggled, markRow);
        }
    }
}

void MainWindow::markRowChanged(int row)
{
    // An equal font raises no cellChanged, so marking a marked row ends the nesting.
    if (QTableWidgetItem *item = ui->table->item(row, 0))
        item->setFont(markedFont(font()));
}

void MainWindow::tableCellChanged(int row, int column)
{
    if (QTableWidgetItem *item = ui->table->item(row, column))
        item->setFont(markedFont(font()));
    markRowChanged(row);
}
