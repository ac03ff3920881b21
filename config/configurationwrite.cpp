#include "mainwindow/mainwindow.h"

#include "config/conversions.h"
#include "config/valueencoding.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QToolButton>

namespace {

// A row is written when its Parameter cell is heavier than QFont::Medium.
bool isMarked(const QTableWidgetItem *nameItem)
{
    return nameItem && nameItem->font().weight() > QFont::Medium;
}

QString cellText(const QTableWidgetItem *item)
{
    return item ? item->text() : QString();
}

QString maskEditorValue(const ParameterDescriptor &descriptor)
{
    auto *button = qobject_cast<QToolButton *>(descriptor.editor.data());
    if (!button || !button->menu() || !descriptor.options)
        return QString();
    QHash<QString, bool> checks;
    const QList<QAction *> actions = button->menu()->actions();
    for (const QAction *action : actions)
        checks.insert(action->text(), action->isChecked());
    const int checked = tracktune::maskFromChecks(checks, *descriptor.options);
    const quint32 reported = tracktune::maskFromHexValue(descriptor.deviceValue);
    return tracktune::hexMaskValue(
        tracktune::mergeMask(static_cast<quint32>(checked), reported, *descriptor.options));
}

// The value text a standard-mode row sends, by the kind of its parameter.
QString editorValue(const ParameterDescriptor &descriptor, const QTableWidgetItem *valueItem)
{
    const QString &kind = descriptor.kind;
    if (kind == QLatin1String("String"))
        return cellText(valueItem);
    if (kind == QLatin1String("MenuCheckboxMask"))
        return maskEditorValue(descriptor);
    const auto *box = qobject_cast<const QComboBox *>(descriptor.editor.data());
    if (!box)
        return QString();
    if (kind == QLatin1String("Select"))
        return tracktune::hexIndexValue(box->currentIndex());
    if (kind == QLatin1String("SelectInt"))
        return tracktune::decimalIndexValue(box->currentIndex());
    if (kind == QLatin1String("StringHashInt+") && descriptor.options)
        return tracktune::optionKeyValue(box->currentText(), *descriptor.options);
    return QString();
}

} // namespace

void MainWindow::on_applyButton_clicked()
{
    writeChanges();
}

void MainWindow::writeChanges()
{
    ui->table->setEnabled(false);
    ui->statusBar->showMessage(QStringLiteral("Writing to device..."));

    for (int row = 0; row < ui->table->rowCount(); ++row) {
        const QTableWidgetItem *nameItem = ui->table->item(row, 0);
        if (!isMarked(nameItem))
            continue;
        const QString name = nameItem->text();
        const QTableWidgetItem *valueItem = ui->table->item(row, 1);
        QString value;
        if (expertMode) {
            value = cellText(valueItem);
        } else if (const ParameterDescriptor *descriptor = parameterCatalogue.value(name)) {
            value = editorValue(*descriptor, valueItem);
        }
        serial.sendCommand(tracktune::configurationSentence(name, value));
    }

    loadConfiguration();
    // Shown whatever the reload gave; a failed reload has already closed the link.
    ui->statusBar->showMessage(QStringLiteral("Changes saved"));
}
