// SPDX-License-Identifier: GPL-3.0-or-later
#include "parametertable/tableaccessibility.h"

#include "config/catalogue.h"
#include "parametertable/lineeditorinterface.h"
#include "parametertable/parametertable.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace {

// Set on the editors the table places: only they get the interface below.
const char editorProperty[] = "tracktuneParameterEditor";
// Set on a list outside the table that is read as the editors are.
const char choiceProperty[] = "tracktuneReadChoice";
// The editor's name before the mark of a changed row.
const char labelProperty[] = "tracktuneEditorLabel";

QString tableText(const char *text)
{
    return QCoreApplication::translate("ParameterTable", text);
}

// A list editor as a screen reader should hear it: its parameter as name, its choice as value.
// Screen readers on Linux read a closed list's choice as its text, so the choice is its text too.
class ListEditorInterface : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ListEditorInterface(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) { }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(t);
    }

    // The choice as read-only text.
    QString text(int start, int end) const override { return box()->currentText().mid(start, end - start); }
    int characterCount() const override { return box()->currentText().size(); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    // No attributes, as one run over the whole text (see LineEditorInterface).
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return QString();
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == showMenuAction() || actionName == pressAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }
};

// A protocol of the mask's menu: checkable, so that an unchecked one does not read like a command
// (Qt 5's menu items say only whether they are checked).
class ProtocolItemInterface : public QAccessibleObject, public QAccessibleActionInterface
{
public:
    explicit ProtocolItemInterface(QAction *action) : QAccessibleObject(action) { }

    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(menu()); }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    // A check box, as screen readers then say "checked" or "not checked" when it is ticked.
    QAccessible::Role role() const override { return QAccessible::CheckBox; }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? QString(action()->text()).remove(QLatin1Char('&')) : QString();
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.checkable = true;
        state.checked = action()->isChecked();
        state.focusable = true;
        state.focused = menu()->activeAction() == action();
        state.disabled = !action()->isEnabled();
        state.invisible = !action()->isVisible() || !menu()->isVisible();
        return state;
    }

    QRect rect() const override
    {
        const QRect inMenu = menu()->actionGeometry(action());
        return QRect(menu()->mapToGlobal(inMenu.topLeft()), inMenu.size());
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString &actionName) override
    {
        if (actionName == toggleAction() && action()->isEnabled())
            action()->trigger();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QAction *action() const { return static_cast<QAction *>(object()); }
    QMenu *menu() const { return static_cast<QMenu *>(action()->parent()); }
};

// A view's viewport, scroll bar holders and headers are its widgets, but Qt's interface for the
// view knows only cells as children and logs a warning each time a screen reader asks where one
// of these is. As panes they are given the place of the view's corner, without a warning.
bool isViewFrame(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || !qobject_cast<QAbstractItemView *>(widget->parentWidget()))
        return false;
    if (className == QLatin1String("QHeaderView"))
        return true;
    static const QStringList frames {QStringLiteral("qt_scrollarea_viewport"),
        QStringLiteral("qt_scrollarea_hcontainer"), QStringLiteral("qt_scrollarea_vcontainer")};
    return className == QLatin1String("QWidget") && frames.contains(widget->objectName());
}

QAccessibleInterface *editorFactory(const QString &className, QObject *object)
{
    if (isViewFrame(className, object))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Pane);
    if (className == QLatin1String("QAction") && object) {
        const auto *menu = qobject_cast<const QMenu *>(object->parent());
        if (menu && menu->parent() && menu->parent()->property(editorProperty).toBool())
            return new ProtocolItemInterface(static_cast<QAction *>(object));
    }
    // Every line edit, the table's text editor and those of the search and the file dialogs.
    if (className == QLatin1String("QLineEdit") && object)
        return new LineEditorInterface(static_cast<QLineEdit *>(object));
    if (className == QLatin1String("QComboBox") && object
        && (object->property(editorProperty).toBool() || object->property(choiceProperty).toBool()))
        return new ListEditorInterface(static_cast<QComboBox *>(object));
    return nullptr;
}

void installEditorFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(editorFactory);
        return true;
    }();
    Q_UNUSED(installed)
}

QStringList checkedProtocols(const QToolButton *button)
{
    QStringList checked;
    if (!button->menu())
        return checked;
    const QList<QAction *> actions = button->menu()->actions();
    for (const QAction *action : actions) {
        if (action->isChecked() && action->isVisible())
            checked << action->text();
    }
    return checked;
}

// The value the editor shows, as a screen reader should read it.
QString shownValue(const QWidget *editor)
{
    if (const auto *box = qobject_cast<const QComboBox *>(editor))
        return box->currentText();
    if (const auto *button = qobject_cast<const QToolButton *>(editor))
        return tableaccessibility::protocolsText(checkedProtocols(button));
    return QString();
}

void sendCellEvent(QAbstractItemView *table, int row, int column, QAccessible::Event event)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *view = QAccessible::queryAccessibleInterface(table);
    QAccessibleTableInterface *cells = view ? view->tableInterface() : nullptr;
    if (QAccessibleInterface *cell = cells ? cells->cellAt(row, column) : nullptr) {
        QAccessibleEvent changed(cell, event);
        QAccessible::updateAccessibility(&changed);
    }
}

// A list's popup tells its focus after its current entry's, so a screen reader hears an unnamed
// list and no entry: the entry is told again once the list has the focus.
class PopupFocus : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto *view = static_cast<QAbstractItemView *>(watched);
            QTimer::singleShot(0, view, [view] {
                const QModelIndex current = view->currentIndex();
                if (view->hasFocus() && current.isValid())
                    sendCellEvent(view, current.row(), current.column(), QAccessible::Focus);
            });
        }
        return false;
    }
};

void tellPopupEntry(QComboBox *box, const QString &name)
{
    box->view()->setAccessibleName(name);
    const QString filterName = QStringLiteral("tracktunePopupFocus");
    if (box->view()->findChild<QObject *>(filterName, Qt::FindDirectChildrenOnly))
        return;
    auto *filter = new PopupFocus(box->view());
    filter->setObjectName(filterName);
    box->view()->installEventFilter(filter);
}

} // namespace

namespace tableaccessibility {

QString protocolsText(const QStringList &checked)
{
    return checked.isEmpty() ? tableText(QT_TRANSLATE_NOOP("ParameterTable", "none"))
                             : checked.join(QStringLiteral(", "));
}

QString rowDescription(bool changed, const QString &toolTip)
{
    if (!changed)
        return toolTip;
    const QString mark = tableText(QT_TRANSLATE_NOOP("ParameterTable", "changed, not yet applied"));
    return toolTip.isEmpty() ? mark : mark + QStringLiteral(". ") + toolTip;
}

void attach(QTableWidget *table)
{
    installEditorFactory();
    table->setAccessibleName(tableText(QT_TRANSLATE_NOOP("ParameterTable", "Tracker settings")));
}

void readChoice(QComboBox *box)
{
    installEditorFactory();
    box->setProperty(choiceProperty, true);
    tellPopupEntry(box, QString());
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(box))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    // Qt tells a list's new choice by its value; the screen reader then reads the text again.
    QObject::connect(box, &QComboBox::currentTextChanged, box, [box] {
        if (QAccessible::isActive()) {
            QAccessibleValueChangeEvent changed(box, box->currentText());
            QAccessible::updateAccessibility(&changed);
        }
    });
}

void followEditor(QTableWidget *table, int row, QWidget *editor)
{
    const QTableWidgetItem *nameItem = table->item(row, 0);
    const QString name = nameItem ? nameItem->text() : QString();
    QString label = name;
    if (const tracktune::KnownParameter *known = tracktune::findKnownParameter(name))
        label += QStringLiteral(", ") + QCoreApplication::translate("KnownParameter", known->description);
    editor->setProperty(editorProperty, true);
    editor->setProperty(labelProperty, label);
    // Placing the editor in its cell may have made Qt's own interface already: it goes.
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(editor))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    editor->setAccessibleName(label);

    // The cell under the editor says what the editor shows, for a screen reader reading the table.
    QTableWidgetItem *under = table->item(row, 1);
    if (!under) {
        under = new QTableWidgetItem;
        under->setFlags(under->flags() & ~Qt::ItemIsEditable);
        table->setItem(row, 1, under);
    }
    if (auto *box = qobject_cast<QComboBox *>(editor))
        tellPopupEntry(box, label);
    const auto follow = [table, row, editor] {
        const QString value = shownValue(editor);
        if (QTableWidgetItem *cell = table->item(row, 1)) {
            cell->setData(Qt::AccessibleTextRole, value);
            sendCellEvent(table, row, 1, QAccessible::NameChanged);
        }
        // The button tells its protocols by its description; a list by its value.
        if (qobject_cast<QToolButton *>(editor)) {
            editor->setAccessibleDescription(value);
        } else if (QAccessible::isActive()) {
            QAccessibleValueChangeEvent changed(editor, value);
            QAccessible::updateAccessibility(&changed);
        }
    };
    follow();
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        QObject::connect(box, &QComboBox::currentTextChanged, table, follow);
    } else if (auto *button = qobject_cast<QToolButton *>(editor); button && button->menu()) {
        const QList<QAction *> actions = button->menu()->actions();
        for (QAction *action : actions)
            QObject::connect(action, &QAction::toggled, table, follow);
    }
}

void tellCaretAgain(QLineEdit *line)
{
    if (!QAccessible::isActive() || !line->hasFocus())
        return;
    QAccessibleTextCursorEvent caret(line, line->cursorPosition());
    QAccessible::updateAccessibility(&caret);
    if (line->hasSelectedText()) {
        const int start = line->selectionStart();
        QAccessibleTextSelectionEvent selection(line, start, start + int(line->selectedText().size()));
        QAccessible::updateAccessibility(&selection);
    }
}

void cellTextChanged(QTableWidget *table, int row, int column)
{
    sendCellEvent(table, row, column, QAccessible::NameChanged);
}

void focusCell(QTableWidget *table, int row, int column)
{
    if (row >= 0 && column >= 0)
        sendCellEvent(table, row, column, QAccessible::Focus);
}

void describeRow(QTableWidget *table, int row)
{
    QTableWidgetItem *nameItem = table->item(row, 0);
    if (!nameItem)
        return;
    const bool changed = nameItem->data(ParameterTable::EditedRole).toBool();
    const QString description = rowDescription(changed, nameItem->data(SpokenDescriptionRole).toString());
    // An editor is read without its cell: it carries the mark in its name.
    if (QWidget *editor = table->cellWidget(row, 1); editor && editor->property(editorProperty).toBool()) {
        const QString label = editor->property(labelProperty).toString();
        const QString named = changed
            ? label + QStringLiteral(", ") + tableText(QT_TRANSLATE_NOOP("ParameterTable", "changed"))
            : label;
        if (editor->accessibleName() != named)
            editor->setAccessibleName(named);
        // Read after the choice: what the parameter is, without the tracker's notes of its tooltip.
        const QString about = nameItem->data(SpokenDescriptionRole).toString();
        if (qobject_cast<QComboBox *>(editor) && editor->accessibleDescription() != about)
            editor->setAccessibleDescription(about);
    }
    for (int column = 0; column < 2; ++column) {
        QTableWidgetItem *cell = table->item(row, column);
        if (!cell || cell->data(Qt::AccessibleDescriptionRole).toString() == description)
            continue;
        cell->setData(Qt::AccessibleDescriptionRole, description);
        sendCellEvent(table, row, column, QAccessible::DescriptionChanged);
    }
}

} // namespace tableaccessibility
