// SPDX-License-Identifier: GPL-3.0-or-later
#include "parametertable/parametersearch.h"

#include "parametertable/parametertable.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace {

// What a row is: its tip holds the description and what the tracker printed beside the value.
QString descriptionOf(const QTableWidget *table, int row)
{
    const QTableWidgetItem *name = table->item(row, 0);
    return name ? name->toolTip() : QString();
}

} // namespace

ParameterSearch::ParameterSearch(
    QTableWidget *table, QLineEdit *field, QAbstractButton *changedOnly, QLabel *rowLine)
    : QObject(table), table(table), field(field), changedOnly(changedOnly), rowLine(rowLine)
{
    refilter.setSingleShot(true);
    refilter.setInterval(0);
    connect(&refilter, &QTimer::timeout, this, &ParameterSearch::apply);
    const auto later = [this] { refilter.start(); };
    connect(field, &QLineEdit::textChanged, this, later);
    connect(changedOnly, &QAbstractButton::toggled, this, later);
    // Every fill and every mark changes the model.
    QAbstractItemModel *model = table->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, later);
    connect(model, &QAbstractItemModel::dataChanged, this, later);
    connect(model, &QAbstractItemModel::modelReset, this, later);
    connect(table, &QTableWidget::currentCellChanged, this, &ParameterSearch::describeCurrentRow);

    // The value a tip or a line shows may come from the tracker: never read as markup.
    rowLine->setTextFormat(Qt::PlainText);
    field->setClearButtonEnabled(true);
    field->installEventFilter(this);
    auto *find = new QShortcut(QKeySequence::Find, field->window());
    connect(find, &QShortcut::activated, field, [field] {
        if (!field->isVisible() || !field->isEnabled())
            return;
        field->setFocus(Qt::ShortcutFocusReason);
        field->selectAll();
    });
}

bool ParameterSearch::matches(const QString &search, const QString &name, const QString &description)
{
    const QStringList words = search.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        if (!name.contains(word, Qt::CaseInsensitive) && !description.contains(word, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

void ParameterSearch::reset()
{
    field->clear();
    changedOnly->setChecked(false);
    apply();
}

bool ParameterSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != field || event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    // Escape empties the field; Down or Enter goes on to the rows it leaves.
    if (key == Qt::Key_Escape && !field->text().isEmpty()) {
        field->clear();
        return true;
    }
    if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) {
        apply();
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->isRowHidden(row))
                continue;
            table->setFocus(Qt::TabFocusReason);
            if (table->currentRow() < 0 || table->isRowHidden(table->currentRow()))
                table->setCurrentCell(row, std::max(table->currentColumn(), 0));
            return true;
        }
    }
    return false;
}

void ParameterSearch::apply()
{
    const QString search = field->text();
    const bool markedOnly = changedOnly->isChecked();
    int count = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *name = table->item(row, 0);
        const bool marked = name && name->data(ParameterTable::EditedRole).toBool();
        const bool shown = (!markedOnly || marked)
            && matches(search, name ? name->text() : QString(), descriptionOf(table, row));
        if (table->isRowHidden(row) == shown)
            table->setRowHidden(row, !shown);
        count += shown ? 1 : 0;
    }
    describeCurrentRow();
    const int narrowed = search.trimmed().isEmpty() && !markedOnly ? -1 : count;
    if (narrowed != lastShown) {
        lastShown = narrowed;
        if (narrowed >= 0)
            emit matchesChanged(narrowed);
    }
}

void ParameterSearch::describeCurrentRow()
{
    const int row = table->currentRow();
    const QTableWidgetItem *name = row >= 0 && !table->isRowHidden(row) ? table->item(row, 0) : nullptr;
    if (!name) {
        rowLine->clear();
        return;
    }
    // One line: what the row is and its unit.
    const QString description
        = descriptionOf(table, row).replace(QLatin1Char('\n'), QStringLiteral(" \u00b7 "));
    rowLine->setText(description.isEmpty() ? name->text() : tr("%1: %2").arg(name->text(), description));
}
