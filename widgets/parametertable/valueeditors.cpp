// SPDX-License-Identifier: GPL-3.0-or-later
#include "parametertable/valueeditors.h"

#include "config/catalogue.h"
#include "config/changeplan.h"
#include "config/terminaltext.h"
#include "config/valueencoding.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QToolTip>

void CheckedValueDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    const auto *line = qobject_cast<const QLineEdit *>(editor);
    if (!line || index.column() != 1) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    const QString name = index.siblingAtColumn(0).data().toString();
    const tracktune::SettingValue checked
        = tracktune::writableValue({name, line->text()}, index.data(ReportedRole).toString(), firmwareLine);
    if (!checked.problem.isEmpty()) {
        emit refused(checked.problem);
        return;
    }
    if (index.data(Qt::EditRole).toString() != checked.value)
        model->setData(index, checked.value, Qt::EditRole);
}

QWidget *CheckedValueDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (!editor)
        return editor;
    editor->setAccessibleName(ParameterNameDelegate::shownName(index.siblingAtColumn(0).data().toString()));
    return editor;
}

QString CheckedValueDelegate::shownText(const QString &name, const QString &value)
{
    const tracktune::KnownParameter *known = tracktune::findKnownParameter(name);
    if (!known)
        return value;
    // A decoded byte may be a line break or a bidirectional control: shown as the command line
    // shows it, so that no text spans lines or reads in another order ("D-\u202eKABC").
    const QString text = known->kind == tracktune::ParameterKind::Text
        ? tracktune::terminalText(tracktune::decodedText(value))
        : value;
    if (known->unit && known->kind == tracktune::ParameterKind::Number && !text.isEmpty())
        return text + QLatin1Char(' ') + QString::fromLatin1(known->unit);
    return text;
}

QString ParameterNameDelegate::shownName(const QString &name)
{
    const char *label = tracktune::labelOf(name);
    return label ? tr("%1 \u00b7 %2").arg(QCoreApplication::translate("ParameterLabel", label), name) : name;
}

void ParameterNameDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = shownName(index.data().toString());
}

void CheckedValueDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() == 1)
        option->text = shownText(index.siblingAtColumn(0).data().toString(), option->text);
}

void MaskButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    // Room on the right for the menu's arrow.
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    const QRect room = rect().adjusted(margin + 2, 0, -(margin + 12), 0);
    painter.drawItemText(room, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(),
        fontMetrics().elidedText(caption, Qt::ElideRight, room.width()), QPalette::ButtonText);
}

bool MaskButton::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QToolButton::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    QToolTip::showText(
        help->globalPos(), toolTip().isEmpty() ? text() : text() + QLatin1Char('\n') + toolTip(), this);
    return true;
}
