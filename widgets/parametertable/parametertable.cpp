// SPDX-License-Identifier: GPL-3.0-or-later
#include "parametertable/parametertable.h"

#include "parametertable/editorguard.h"
#include "parametertable/tableaccessibility.h"
#include "parametertable/valueeditors.h"

#include <QApplication>

#include "config/catalogue.h"
#include "config/firmwareline.h"
#include "config/parametervalue.h"
#include "config/valueencoding.h"
#include "config/verification.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

// The texts are shown in the pilot's language: what the box means to the tracker is each
// item's data, the list index or the table key.
QString shownOption(const QString &text)
{
    return QCoreApplication::translate("Options", text.toUtf8().constData());
}

using Options = QList<QPair<int, QString>>;

QComboBox *newListBox(const Options &options)
{
    auto *box = new QComboBox;
    for (const auto &[index, text] : options)
        box->addItem(shownOption(text), index);
    return box;
}

// Each level says what it is in the parameter's unit: "NORMAL (+14 dBm)".
QComboBox *newKeyBox(const Options &options, const char *unit)
{
    auto *box = new QComboBox;
    for (const auto &[key, option] : options) {
        const QString text = shownOption(option);
        box->addItem(unit ? ParameterTable::tr("%1 (%2 %3)")
                                .arg(text, tracktune::keyValue(key), QString::fromLatin1(unit))
                          : text,
            key);
    }
    return box;
}

// The mask's caption: the checked protocols in the order checked, "none" when none is.
const char captionProperty[] = "checkedProtocols";

void showCaption(QToolButton *button)
{
    const QString checked = button->property(captionProperty).toString();
    button->setText(checked.isEmpty() ? ParameterTable::tr("none") : checked);
}

QToolButton *newMaskButton(const Options &options)
{
    auto *button = new MaskButton;
    button->setPopupMode(QToolButton::InstantPopup);
    button->setAutoRaise(true);
    auto *menu = new QMenu(button);
    button->setMenu(menu);
    showCaption(button);
    // Ascending bit order, so the caption reads the same on every run.
    for (const auto &[bit, option] : options) {
        const QString text = shownOption(option);
        QAction *action = menu->addAction(text);
        action->setData(bit);
        action->setCheckable(true);
        QObject::connect(action, &QAction::toggled, button, [button, text](bool checked) {
            const QString entry = text + QLatin1Char(' ');
            const QString caption = button->property(captionProperty).toString();
            button->setProperty(captionProperty, checked ? caption + entry : QString(caption).remove(entry));
            showCaption(button);
        });
    }
    return button;
}

// Shows the box's entry with this data; a value beyond its options gets an entry of its
// own, unmarked as an option, with the text given, so that nothing the pilot did not choose
// is ever written, and the tracker's value can be picked back. The boxes are built afresh
// for every read.
void showEntry(QComboBox *box, int data, const QString &offListText)
{
    int index = box->findData(data);
    if (index < 0) {
        box->addItem(offListText, data);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

// The editor the parameter takes on the firmware line; none for text, which its table item edits.
QWidget *newEditor(const tracktune::ParameterValue &parameter)
{
    using Editor = tracktune::ParameterValue::Editor;
    switch (parameter.editor()) {
    case Editor::Text:
        break;
    case Editor::List:
        return newListBox(parameter.options());
    case Editor::Levels:
        return newKeyBox(parameter.options(), parameter.known().unit);
    case Editor::Mask:
        return newMaskButton(parameter.options());
    }
    return nullptr;
}

QTableWidgetItem *nameItem(const QString &name)
{
    auto *item = new QTableWidgetItem(name);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    // Read as shown: the label, then the name.
    item->setData(Qt::AccessibleTextRole, ParameterNameDelegate::shownName(name));
    return item;
}

QString cellText(const QTableWidgetItem *item)
{
    return item ? item->text() : QString();
}

} // namespace

ParameterTable::ParameterTable(QWidget *parent)
    : QTableWidget(0, 2, parent),
      readingLabel(new QLabel(tr("Reading the tracker..."), viewport())),
      editorGuard(new EditorGuard(this))
{
    // Tab leaves the table for the buttons; the arrow keys move inside it.
    setTabKeyNavigation(false);
    readingLabel->setAlignment(Qt::AlignCenter);
    readingLabel->hide();
    checkTypedValues();
    setItemDelegateForColumn(0, new ParameterNameDelegate(this));
    tableaccessibility::attach(this);
}

void ParameterTable::checkTypedValues()
{
    auto *delegate = new CheckedValueDelegate(this);
    setItemDelegateForColumn(1, delegate);
    connect(delegate, &CheckedValueDelegate::refused, this, &ParameterTable::valueRefused);
}

ParameterTable::~ParameterTable()
{
    releaseCatalogue();
}

void ParameterTable::releaseCatalogue()
{
    for (ParameterDescriptor *descriptor : std::as_const(parameterCatalogue)) {
        // A placed editor goes with its row; one that no row took has nobody else to release it.
        if (descriptor->editor && !descriptor->editor->parentWidget())
            delete descriptor->editor;
        delete descriptor;
    }
    parameterCatalogue.clear();
}

void ParameterTable::clearForLoad()
{
    clear();
    setRowCount(0);
    // Filling the table must mark nothing.
    disconnect(this, &QTableWidget::cellChanged, this, &ParameterTable::tableCellChanged);
    setHorizontalHeaderLabels({tr("Parameter"), tr("Value")});
    // The style's minimum section size would make the rows taller than asked.
    verticalHeader()->setMinimumSectionSize(preferredRowHeight());
    releaseCatalogue();
}

void ParameterTable::createValueEditor()
{
    releaseCatalogue();
    // Expert mode shows every known parameter with the editor of its kind, as the standard view
    // shows the everyday ones; the firmware line decides the options (the older line has no
    // FLARM protocol).
    for (const tracktune::KnownParameter &known : tracktune::knownParameters()) {
        parameterCatalogue.insert(known.name,
            new ParameterDescriptor(
                known, newEditor(tracktune::ParameterValue(known, QString(), firmwareLine))));
    }
}

void ParameterTable::fill(
    const QList<tracktune::DumpLine> &entries, bool expertMode, tracktune::FirmwareLine line)
{
    firmwareLine = line == tracktune::FirmwareLine::Unknown ? tracktune::firmwareLineOf(entries) : line;
    if (auto *checker = qobject_cast<CheckedValueDelegate *>(itemDelegateForColumn(1)))
        checker->setFirmwareLine(firmwareLine);
    createValueEditor();
    int row = 0;
    for (const tracktune::DumpLine &entry : entries) {
        ParameterDescriptor *descriptor = parameterCatalogue.value(entry.name);
        if (!expertMode) {
            if (!descriptor || !descriptor->known.everyday)
                continue;
            // The device has started its list again.
            if (row > 0 && item(0, 0) && entry.name == item(0, 0)->text())
                break;
        }
        setRowCount(row + 1);
        setRowHeight(row, preferredRowHeight());
        setItem(row, 0, nameItem(entry.name));
        // A name printed twice (in expert mode) shows its second value as text.
        if (descriptor && !(descriptor->editor && descriptor->editor->parentWidget()))
            fillValueCell(row, *descriptor, entry.value);
        else
            setItem(row, 1, new QTableWidgetItem(entry.value));
        keepReported(row, entry.value);
        describeRow(row, entry);
        ++row;
    }
    fitNameColumn();
    connect(this, &QTableWidget::cellChanged, this, &ParameterTable::tableCellChanged, Qt::UniqueConnection);
}

void ParameterTable::fitNameColumn()
{
    // As wide as the longest label and name shown, but never more than half the table: the
    // window keeps its size; a longer one is cut, and reads whole in its tooltip and to a reader.
    int widest = 0;
    for (int row = 0; row < rowCount(); ++row) {
        if (const QTableWidgetItem *name = item(row, 0))
            widest = std::max(
                widest, fontMetrics().horizontalAdvance(ParameterNameDelegate::shownName(name->text())));
    }
    const int padding = fontMetrics().averageCharWidth() * 3;
    setColumnWidth(0, std::max(columnWidth(0), std::min(widest + padding, viewport()->width() / 2)));
}

void ParameterTable::keepReported(int row, const QString &value)
{
    QTableWidgetItem *cell = item(row, 1);
    if (!cell)
        return;
    cell->setData(CheckedValueDelegate::ReportedRole, value);
    describeValueCell(row);
    // What the tracker prints but does not take is shown, never edited.
    if (tracktune::roleOf(item(row, 0)->text()) == tracktune::ParameterRole::NeverWritten)
        cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
}

void ParameterTable::fillValueCell(int row, ParameterDescriptor &descriptor, const QString &value)
{
    descriptor.deviceValue = value;
    if (!descriptor.editor) {
        setItem(row, 1, new QTableWidgetItem(value));
        return;
    }
    setCellWidget(row, 1, descriptor.editor);
    tableaccessibility::followEditor(this, row, descriptor.editor);
    // Reached from the table with Enter or Space, not with Tab: Tab leaves the table.
    descriptor.editor->setFocusPolicy(Qt::ClickFocus);
    editorGuard->watch(descriptor.editor);

    // Each editor gets the device value first and its marking afterwards, so loading marks nothing.
    setEditorValue(descriptor, value);
    const auto markRow = [this, row] { markEdited(row); };
    if (auto *box = qobject_cast<QComboBox *>(descriptor.editor.data())) {
        connect(box, &QComboBox::currentTextChanged, markRow);
    } else if (auto *button = qobject_cast<QToolButton *>(descriptor.editor.data());
               button && button->menu()) {
        const QList<QAction *> actions = button->menu()->actions();
        for (QAction *action : actions)
            connect(action, &QAction::toggled, markRow);
    }
}

void ParameterTable::setEditorValue(ParameterDescriptor &descriptor, const QString &value)
{
    const tracktune::ParameterValue parameter(descriptor.known, value, firmwareLine);
    if (auto *box = qobject_cast<QComboBox *>(descriptor.editor.data())) {
        // A power between the levels is shown as the tracker holds it, in its unit.
        const QString unit = descriptor.known.unit ? QString::fromLatin1(descriptor.known.unit) : QString();
        const QString offList = parameter.editor() == tracktune::ParameterValue::Editor::Levels
            ? tr("%1 %2").arg(tracktune::keyValue(parameter.key()), unit).trimmed()
            : tracktune::oneLineValue(value);
        showEntry(box, parameter.key(), offList);
    } else if (auto *button = qobject_cast<QToolButton *>(descriptor.editor.data());
               button && button->menu()) {
        const QList<QAction *> actions = button->menu()->actions();
        for (QAction *action : actions) {
            const quint32 bit = action->data().toUInt();
            action->setVisible(parameter.printsBit(bit));
            action->setChecked((parameter.mask() & bit) != 0);
        }
    }
}

void ParameterTable::describeRow(int row, const tracktune::DumpLine &entry)
{
    // What the parameter is and its unit; the firmware's own note after the value ("[24-bit]")
    // only for a parameter the program cannot describe.
    QString description;
    if (const tracktune::KnownParameter *known = tracktune::findKnownParameter(entry.name)) {
        description = QCoreApplication::translate("KnownParameter", known->description);
        if (known->unit)
            description = tr("%1 (in %2)").arg(description, QString::fromLatin1(known->unit));
    }
    const QString note = entry.comment.isEmpty() ? QString() : tr("Tracker's note: %1").arg(entry.comment);
    const QString tip = description.isEmpty() ? note : description;
    item(row, 0)->setToolTip(tip);
    item(row, 0)->setData(tableaccessibility::SpokenDescriptionRole, description);
    if (QTableWidgetItem *value = item(row, 1))
        value->setToolTip(tip);
    if (QWidget *editor = cellWidget(row, 1))
        editor->setToolTip(tip);
    tableaccessibility::describeRow(this, row);
}

void ParameterTable::markEdited(int row)
{
    QTableWidgetItem *name = item(row, 0);
    if (!name || name->data(EditedRole).toBool())
        return;
    // Marked first: the cellChanged of the Value cell's font comes back here and stops above.
    name->setData(EditedRole, true);
    QFont bold = window()->font();
    bold.setWeight(QFont::Bold);
    name->setFont(bold);
    if (QTableWidgetItem *value = item(row, 1))
        value->setFont(bold);
    tableaccessibility::describeRow(this, row);
}

void ParameterTable::tableCellChanged(int row, int column)
{
    // Only the Value cell is typed in; the Parameter cell changes when its row is marked.
    if (column == 1) {
        describeValueCell(row);
        markEdited(row);
    }
}

void ParameterTable::describeValueCell(int row)
{
    // A screen reader reads what the cell shows; a cell under an editor follows the editor.
    QTableWidgetItem *cell = item(row, 1);
    if (!cell || hasPlacedEditor(row))
        return;
    const QString shown = CheckedValueDelegate::shownText(item(row, 0)->text(), cell->text());
    if (cell->data(Qt::AccessibleTextRole).toString() == shown)
        return;
    cell->setData(Qt::AccessibleTextRole, shown);
    tableaccessibility::cellTextChanged(this, row, 1);
}

bool ParameterTable::hasPlacedEditor(int row) const
{
    // Not any cell widget: the text editor open on a cell is one too while it is typed in.
    const QTableWidgetItem *name = item(row, 0);
    const ParameterDescriptor *descriptor = name ? parameterCatalogue.value(name->text()) : nullptr;
    return descriptor && descriptor->editor && descriptor->editor == cellWidget(row, 1);
}

bool ParameterTable::isMarked(int row) const
{
    const QTableWidgetItem *name = item(row, 0);
    return name && name->data(EditedRole).toBool();
}

QList<tracktune::DumpLine> ParameterTable::changes() const
{
    QList<tracktune::DumpLine> settings;
    for (int row = 0; row < rowCount(); ++row) {
        if (!isMarked(row))
            continue;
        // A text cell says its value as typed, in either mode; an editor says it by its kind.
        const QString name = item(row, 0)->text();
        if (!cellWidget(row, 1))
            settings.append({name, cellText(item(row, 1))});
        else if (const ParameterDescriptor *descriptor = parameterCatalogue.value(name))
            settings.append({name, editorValue(*descriptor)});
    }
    return settings;
}

QList<tracktune::DumpLine> ParameterTable::restoreEdits(const QList<tracktune::DumpLine> &edits)
{
    QList<tracktune::DumpLine> shown;
    for (const tracktune::DumpLine &edit : edits) {
        const QList<QTableWidgetItem *> names = findItems(edit.name, Qt::MatchExactly);
        for (const QTableWidgetItem *name : names) {
            const int row = name->row();
            if (name->column() != 0)
                continue;
            if (QTableWidgetItem *value = item(row, 1); value && !cellWidget(row, 1)) {
                value->setText(edit.value); // marks the row, as typing does
            } else if (ParameterDescriptor *descriptor = parameterCatalogue.value(edit.name);
                       descriptor && descriptor->editor) {
                setEditorValue(*descriptor, edit.value);
            }
            markEdited(row);
            shown << edit;
            break;
        }
    }
    return shown;
}

void ParameterTable::setReading(bool reading)
{
    readingLabel->resize(viewport()->size());
    readingLabel->setVisible(reading);
    setAccessibleDescription(reading ? readingLabel->text() : QString()); // the label is no cell
}

int ParameterTable::preferredRowHeight() const
{
    return std::max(20, fontMetrics().height() + 6);
}

bool ParameterTable::openEditor(int row)
{
    QWidget *editor = cellWidget(row, 1);
    if (!editor || !editor->isEnabled())
        return false;
    editor->setFocus(Qt::OtherFocusReason);
    EditorGuard::open(editor);
    return true;
}

void ParameterTable::focusInEvent(QFocusEvent *event)
{
    QTableWidget::focusInEvent(event);
    // After the table's own focus notice, which Qt sends once this event has been handled.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus() && state() != EditingState)
            tableaccessibility::focusCell(this, currentRow(), currentColumn());
    });
}

bool ParameterTable::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool wasOpen = indexWidget(index) != nullptr;
    const bool editing = QTableWidget::edit(index, trigger, event);
    // The text editor opened has the focus now, and a screen reader was told so just before.
    if (auto *line = qobject_cast<QLineEdit *>(indexWidget(index)); editing && !wasOpen && line)
        tableaccessibility::tellCaretAgain(line);
    return editing;
}

void ParameterTable::keyPressEvent(QKeyEvent *event)
{
    const int row = currentRow();
    if (EditorGuard::opensEditor(event) && row >= 0 && state() != EditingState) {
        if (openEditor(row))
            return;
        // Space opens the text as it is; as a typed character it would replace the value.
        if (QTableWidgetItem *value = item(row, 1); value && (value->flags() & Qt::ItemIsEditable)) {
            editItem(value);
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

QModelIndex ParameterTable::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // Home and End go to the first and the last row shown, in the same column.
    if (cursorAction != MoveHome && cursorAction != MoveEnd)
        return QTableWidget::moveCursor(cursorAction, modifiers);
    const int step = cursorAction == MoveHome ? 1 : -1;
    for (int row = step > 0 ? 0 : rowCount() - 1; row >= 0 && row < rowCount(); row += step) {
        if (!isRowHidden(row))
            return model()->index(row, std::max(currentColumn(), 0));
    }
    return currentIndex();
}

// The value text an editor's row writes.
QString ParameterTable::editorValue(const ParameterDescriptor &descriptor) const
{
    const tracktune::ParameterValue parameter(descriptor.known, descriptor.deviceValue, firmwareLine);
    if (const auto *box = qobject_cast<const QComboBox *>(descriptor.editor.data()))
        return parameter.withKey(box->currentData().toInt());
    const auto *button = qobject_cast<const QToolButton *>(descriptor.editor.data());
    if (!button || !button->menu())
        return QString();
    quint32 checked = 0;
    const QList<QAction *> actions = button->menu()->actions();
    for (const QAction *action : actions) {
        if (action->isChecked())
            checked |= action->data().toUInt();
    }
    return parameter.withMask(checked);
}

void ParameterTable::commitOpenEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    // A text cell is edited in a line edit the view places on its viewport; the lists and the
    // protocol button are cell widgets of other kinds.
    const auto editors = viewport()->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    for (QLineEdit *editor : editors) {
        if (editor->isVisible()) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
            return;
        }
    }
}
