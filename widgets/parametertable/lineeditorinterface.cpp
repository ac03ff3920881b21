// SPDX-License-Identifier: GPL-3.0-or-later
#include "parametertable/lineeditorinterface.h"

#include <QFontMetrics>
#include <QLineEdit>

LineEditorInterface::LineEditorInterface(QLineEdit *line) : QAccessibleWidget(line, QAccessible::EditableText)
{ }

QLineEdit *LineEditorInterface::line() const
{
    return static_cast<QLineEdit *>(widget());
}

void *LineEditorInterface::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString LineEditorInterface::shownText() const
{
    const QString text = line()->text();
    switch (line()->echoMode()) {
    case QLineEdit::Normal:
        return text;
    case QLineEdit::NoEcho:
        return QString();
    default:
        return QString(text.size(), QLatin1Char('*'));
    }
}

QString LineEditorInterface::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return shownText();
    const QString text = QAccessibleWidget::text(t);
    // What an empty field asks for, where it has no description of its own.
    if (t == QAccessible::Description && text.isEmpty())
        return line()->placeholderText();
    return text;
}

void LineEditorInterface::setText(QAccessible::Text t, const QString &text)
{
    if (t == QAccessible::Value && !line()->isReadOnly())
        line()->setText(text);
    else
        QAccessibleWidget::setText(t, text);
}

QAccessible::State LineEditorInterface::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !line()->isReadOnly();
    state.readOnly = line()->isReadOnly();
    state.selectableText = true;
    return state;
}

void LineEditorInterface::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !line()->hasSelectedText())
        return;
    *startOffset = line()->selectionStart();
    *endOffset = *startOffset + line()->selectedText().size();
}

int LineEditorInterface::selectionCount() const
{
    return line()->hasSelectedText() ? 1 : 0;
}

void LineEditorInterface::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void LineEditorInterface::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        line()->deselect();
}

void LineEditorInterface::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0 && startOffset >= 0 && endOffset >= startOffset)
        line()->setSelection(startOffset, endOffset - startOffset);
}

int LineEditorInterface::cursorPosition() const
{
    return line()->cursorPosition();
}

void LineEditorInterface::setCursorPosition(int position)
{
    line()->setCursorPosition(position);
}

QString LineEditorInterface::text(int startOffset, int endOffset) const
{
    if (startOffset < 0 || endOffset < startOffset)
        return QString();
    return shownText().mid(startOffset, endOffset - startOffset);
}

int LineEditorInterface::characterCount() const
{
    return shownText().size();
}

QRect LineEditorInterface::characterRect(int offset) const
{
    // Where the character sits while the text is not scrolled: enough for a magnifier to follow.
    const QString text = shownText();
    if (offset < 0 || offset >= text.size())
        return QRect();
    const QFontMetrics metrics(line()->font());
    const QRect inside = line()->contentsRect().marginsRemoved(line()->textMargins());
    const int left = inside.left() + metrics.horizontalAdvance(text.left(offset));
    const QRect local(left, inside.top(), metrics.horizontalAdvance(text.at(offset)), inside.height());
    return QRect(line()->mapToGlobal(local.topLeft()), local.size());
}

int LineEditorInterface::offsetAtPoint(const QPoint &point) const
{
    return line()->cursorPositionAt(line()->mapFromGlobal(point));
}

void LineEditorInterface::scrollToSubstring(int, int endIndex)
{
    line()->setCursorPosition(endIndex);
}

QString LineEditorInterface::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

void LineEditorInterface::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void LineEditorInterface::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void LineEditorInterface::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (line()->isReadOnly() || startOffset < 0 || endOffset < startOffset)
        return;
    line()->setSelection(startOffset, endOffset - startOffset);
    line()->insert(text);
}
