// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/elidedlabel.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>

ElidedLabel::ElidedLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

QSize ElidedLabel::sizeHint() const
{
    const QSize whole = QLabel::sizeHint();
    if (!parentWidget())
        return whole;
    return {std::min(whole.width(), int(parentWidget()->width() * widthShare)), whole.height()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    // Room for an ellipsis and a little of each end.
    return {fontMetrics().averageCharWidth() * 8, QLabel::minimumSizeHint().height()};
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, int(alignment()) | Qt::TextSingleLine, palette(), isEnabled(),
        shown, foregroundRole());
}
