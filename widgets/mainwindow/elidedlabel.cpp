// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/elidedlabel.h"

#include <QPainter>
#include <QStatusBar>
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
    // Beside a status bar's message, what the message leaves; never less than its share.
    int room = int(parentWidget()->width() * widthShare);
    if (const auto *bar = qobject_cast<const QStatusBar *>(parentWidget())) {
        const int message = fontMetrics().horizontalAdvance(bar->currentMessage());
        room = std::max(room, bar->width() - message - fontMetrics().averageCharWidth() * 4);
    }
    return {std::min(whole.width(), room), whole.height()};
}

void ElidedLabel::followMessages(QStatusBar *bar)
{
    connect(bar, &QStatusBar::messageChanged, this, &QWidget::updateGeometry);
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
