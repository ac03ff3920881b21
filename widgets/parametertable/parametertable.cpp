#include "parametertable/parametertable.h"

#include "config/catalogue.h"
#include "config/conversions.h"
#include "config/valueencoding.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>

#include <algorithm>

namespace {

// The texts are shown in the pilot's language: what the box means to the tracker is each
// item's data, the list index or the table key.
QString shownOption(const QString &text)
{
    return QCoreApplication::translate("Options", text.toUtf8().constData());
}

QComboBox *newListBox(const QStringList &texts)
{
    auto *box = new QComboBox;
    for (int index = 0; index < texts.size(); ++index)
        box->addItem(shownOption(texts.at(index)), index);
    return box;
}

QComboBox *newKeyBox(const QHash<int, QString> &options)
{
    auto *box = new QComboBox;
    for (int key : tracktune::ascendingKeys(options))
        box->addItem(shownOption(options.value(key)), key);
    return box;
}

QTableWidgetItem *nameItem(const QString &name)
{
    auto *item = new QTableWidgetItem(name);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QString cellText(const QTableWidgetItem *item)
{
    return item ? item->text() : QString();
}

} // namespace

ParameterTable::ParameterTable(QWidget *parent)
    : QTableWidget(0, 2, parent), readingLabel(new QLabel(tr("Reading the tracker..."), viewport()))
{
    // Tab leaves the table for the buttons; the arrow keys move inside it.
    setTabKeyNavigation(false);
    readingLabel->setAlignment(Qt::AlignCenter);
    readingLabel->hide();
}

ParameterTable::~ParameterTable()
{
    releaseCatalogue();
}

void ParameterTable::releaseCatalogue()
{
    for (ParameterDescriptor *descriptor : qAsConst(parameterCatalogue)) {
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
    setEnabled(false);
    setHorizontalHeaderLabels({tr("Parameter"), tr("Value")});
    // The style's minimum section size would make the rows taller than asked.
    verticalHeader()->setMinimumSectionSize(preferredRowHeight());
    createValueEditor();
}

void ParameterTable::createValueEditor()
{
    releaseCatalogue();
    for (const tracktune::KnownParameter &known : tracktune::knownParameters()) {
        QWidget *editor = nullptr;
        if (known.list) {
            editor = newListBox(*known.list);
        } else if (known.kind == tracktune::kind::stringHashInt) {
            editor = newKeyBox(*known.options);
        } else if (known.kind == tracktune::kind::menuCheckboxMask) {
            auto *button = new QToolButton;
            button->setPopupMode(QToolButton::InstantPopup);
            button->setAutoRaise(true);
            auto *menu = new QMenu(button);
            button->setMenu(menu);
            // Ascending bit order, so the caption reads the same on every run.
            for (int bit : tracktune::ascendingKeys(*known.options)) {
                const QString text = shownOption(known.options->value(bit));
                QAction *action = menu->addAction(text);
                action->setData(bit);
                action->setCheckable(true);
                connect(action, &QAction::toggled, this, [button, text](bool checked) {
                    const QString entry = text + QLatin1Char(' ');
                    button->setText(checked ? button->text() + entry : button->text().remove(entry));
                });
            }
            editor = button;
        }
        parameterCatalogue.insert(known.name, new ParameterDescriptor(known.kind, editor, known.options));
    }
}

void ParameterTable::fill(const QList<tracktune::DumpLine> &entries, bool expertMode)
{
    filledInExpertMode = expertMode;
    int row = 0;
    for (const tracktune::DumpLine &entry : entries) {
        if (expertMode) {
            setRowCount(row + 1);
            setRowHeight(row, preferredRowHeight());
            setItem(row, 1, new QTableWidgetItem(entry.value));
            setItem(row, 0, nameItem(entry.name));
            describeRow(row, entry);
            ++row;
            continue;
        }
        ParameterDescriptor *descriptor = parameterCatalogue.value(entry.name);
        if (!descriptor)
            continue;
        // The device has started its list again.
        if (row > 0 && item(0, 0) && entry.name == item(0, 0)->text())
            break;
        setRowCount(row + 1);
        setRowHeight(row, preferredRowHeight());
        setItem(row, 0, nameItem(entry.name));
        fillValueCell(row, *descriptor, entry.value);
        describeRow(row, entry);
        ++row;
    }
    connect(this, &QTableWidget::cellChanged, this, &ParameterTable::tableCellChanged, Qt::UniqueConnection);
    setEnabled(true);
}

void ParameterTable::fillValueCell(int row, ParameterDescriptor &descriptor, const QString &value)
{
    descriptor.deviceValue = value;
    if (!descriptor.editor) {
        setItem(row, 1, new QTableWidgetItem(value));
        return;
    }
    setCellWidget(row, 1, descriptor.editor);
    // Reached from the table with Enter or Space, not with Tab: Tab leaves the table.
    descriptor.editor->setFocusPolicy(Qt::ClickFocus);

    // Each editor gets the device value first and its marking afterwards, so loading marks nothing.
    setEditorValue(row, descriptor, value);
    const auto markRow = [this, row] { markRowChanged(row); };
    if (auto *box = qobject_cast<QComboBox *>(descriptor.editor.data())) {
        connect(box, &QComboBox::currentTextChanged, markRow);
    } else if (auto *button = qobject_cast<QToolButton *>(descriptor.editor.data());
               button && button->menu()) {
        const QList<QAction *> actions = button->menu()->actions();
        for (QAction *action : actions)
            connect(action, &QAction::toggled, markRow);
    }
}

void ParameterTable::setEditorValue(int row, ParameterDescriptor &descriptor, const QString &value)
{
    const QString &kind = descriptor.kind;
    auto *box = qobject_cast<QComboBox *>(descriptor.editor.data());
    if (box && (kind == tracktune::kind::select || kind == tracktune::kind::selectInt)) {
        box->setCurrentIndex(kind == tracktune::kind::select ? tracktune::indexFromHexValue(value)
                                                             : tracktune::indexFromDecimalValue(value));
    } else if (box && kind == tracktune::kind::stringHashInt && descriptor.options) {
        const int reported = tracktune::numberFromValue(value);
        const int shown = tracktune::nearestOptionKey(reported, *descriptor.options);
        box->setCurrentIndex(box->findData(shown));
        // The box cannot show the device's number: the next Apply writes the snapped value.
        if (shown != reported)
            markRowChanged(row);
    } else if (kind == tracktune::kind::menuCheckboxMask && descriptor.options) {
        auto *button = qobject_cast<QToolButton *>(descriptor.editor.data());
        if (!button || !button->menu())
            return;
        const quint32 mask = tracktune::maskFromHexValue(value);
        const QList<QAction *> actions = button->menu()->actions();
        for (QAction *action : actions)
            action->setChecked((mask & action->data().toUInt()) != 0);
    }
}

void ParameterTable::describeRow(int row, const tracktune::DumpLine &entry)
{
    // What the parameter is, and the unit or range the tracker printed after its value.
    QString description;
    if (const tracktune::KnownParameter *known = tracktune::findKnownParameter(entry.name))
        description = QCoreApplication::translate("KnownParameter", known->description);
    const QString unit = entry.comment.isEmpty() ? QString() : tr("Tracker's note: %1").arg(entry.comment);
    const QString both = description.isEmpty() ? unit
        : unit.isEmpty()                       ? description
                                               : description + QLatin1Char('\n') + unit;
    item(row, 0)->setToolTip(both);
    if (QTableWidgetItem *value = item(row, 1))
        value->setToolTip(both);
    if (QWidget *editor = cellWidget(row, 1))
        editor->setToolTip(both);
}

void ParameterTable::markRowChanged(int row)
{
    QFont bold = window()->font();
    bold.setWeight(QFont::Bold);
    // An equal font raises no cellChanged, so marking a marked row ends the nesting.
    if (QTableWidgetItem *name = item(row, 0))
        name->setFont(bold);
}

void ParameterTable::tableCellChanged(int row, int column)
{
    QFont bold = window()->font();
    bold.setWeight(QFont::Bold);
    if (QTableWidgetItem *cell = item(row, column))
        cell->setFont(bold);
    markRowChanged(row);
}

bool ParameterTable::isMarked(int row) const
{
    // A row is written when its Parameter cell is heavier than QFont::Medium.
    const QTableWidgetItem *name = item(row, 0);
    return name && name->font().weight() > QFont::Medium;
}

QList<tracktune::DumpLine> ParameterTable::changes() const
{
    QList<tracktune::DumpLine> settings;
    for (int row = 0; row < rowCount(); ++row) {
        if (!isMarked(row))
            continue;
        const QString name = item(row, 0)->text();
        if (filledInExpertMode) {
            settings.append({name, cellText(item(row, 1))});
        } else if (const ParameterDescriptor *descriptor = parameterCatalogue.value(name)) {
            settings.append({name, editorValue(*descriptor, row)});
        }
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
            if (QTableWidgetItem *value = item(row, 1)) {
                value->setText(edit.value); // marks the row, as typing does
            } else if (ParameterDescriptor *descriptor = parameterCatalogue.value(edit.name);
                       descriptor && descriptor->editor) {
                setEditorValue(row, *descriptor, edit.value);
            }
            markRowChanged(row);
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
    if (auto *box = qobject_cast<QComboBox *>(editor))
        box->showPopup();
    else if (auto *button = qobject_cast<QToolButton *>(editor))
        button->showMenu();
    return true;
}

void ParameterTable::keyPressEvent(QKeyEvent *event)
{
    const int row = currentRow();
    // Plain keys only: Ctrl+Return belongs to Apply.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool activates = plain
        && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space
            || event->key() == Qt::Key_F2);
    if (activates && row >= 0 && state() != EditingState) {
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

// The value text a standard-mode row writes, by the kind of its parameter.
QString ParameterTable::editorValue(const ParameterDescriptor &descriptor, int row) const
{
    const QString &kind = descriptor.kind;
    if (kind == tracktune::kind::string)
        return cellText(item(row, 1));
    if (kind == tracktune::kind::menuCheckboxMask) {
        auto *button = qobject_cast<QToolButton *>(descriptor.editor.data());
        if (!button || !button->menu() || !descriptor.options)
            return QString();
        quint32 checked = 0;
        const QList<QAction *> actions = button->menu()->actions();
        for (const QAction *action : actions) {
            if (action->isChecked())
                checked |= action->data().toUInt();
        }
        const quint32 reported = tracktune::maskFromHexValue(descriptor.deviceValue);
        return tracktune::hexMaskValue(tracktune::mergeMask(checked, reported, *descriptor.options));
    }
    const auto *box = qobject_cast<const QComboBox *>(descriptor.editor.data());
    if (!box)
        return QString();
    if (kind == tracktune::kind::select)
        return tracktune::hexIndexValue(box->currentIndex());
    if (kind == tracktune::kind::selectInt)
        return tracktune::decimalIndexValue(box->currentIndex());
    if (kind == tracktune::kind::stringHashInt && descriptor.options)
        return tracktune::keyValue(box->currentData().toInt());
    return QString();
}
