// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

class QStatusBar;

// A one-line label beside the status bar's messages: it asks for what the message leaves, at
// least a share of the bar's width, and elides its text in the middle where it gets less, so the
// two never overlap. The whole text stays its text(), in its tooltip and for a screen reader.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget *parent = nullptr);
    // Beside this bar's messages: as wide as its message leaves room for.
    void followMessages(QStatusBar *bar);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr double widthShare = 0.4; // what it may take whatever the message
};
