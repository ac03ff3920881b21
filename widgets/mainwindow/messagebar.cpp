// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/messagebar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A path shown on one line: elided in the middle to the width the label has.
class ElidedLabel : public QLabel
{
public:
    using QLabel::QLabel;
    void setFullText(const QString &text)
    {
        full = text;
        setToolTip(text);
        elide();
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QLabel::resizeEvent(event);
        elide();
    }

private:
    void elide()
    {
        setText(fontMetrics().elidedText(full, Qt::ElideMiddle, qMax(0, contentsRect().width())));
    }
    QString full;
};

} // namespace

MessageBar::MessageBar(QWidget *parent)
    : QFrame(parent),
      icon(new QLabel(this)),
      message(new QLabel(this)),
      fileLabel(new ElidedLabel(this)),
      closeButton(new QToolButton(this))
{
    setObjectName(QStringLiteral("messageBar"));
    setFrameShape(QFrame::StyledPanel);
    setAccessibleName(tr("Outcome"));
    message->setObjectName(QStringLiteral("messageText"));
    fileLabel->setObjectName(QStringLiteral("messageFile"));
    for (QLabel *label : {message, fileLabel}) {
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    message->setWordWrap(true);
    // A long path must not widen the window: it is elided to the width there is.
    fileLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    closeButton->setObjectName(QStringLiteral("messageClose"));
    closeButton->setAutoRaise(true);
    closeButton->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    closeButton->setToolTip(tr("Close this message"));
    closeButton->setAccessibleName(tr("Close this message"));
    connect(closeButton, &QToolButton::clicked, this, &MessageBar::clear);

    auto *texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->addWidget(message);
    texts->addWidget(fileLabel);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 4, 4);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    row->addWidget(closeButton, 0, Qt::AlignTop);
    hide();
}

void MessageBar::showMessage(Kind kind, const QString &text, const QString &shownFile)
{
    const QStyle::StandardPixmap pixmap = kind == Kind::Error ? QStyle::SP_MessageBoxCritical
        : kind == Kind::Warning                               ? QStyle::SP_MessageBoxWarning
                                                              : QStyle::SP_MessageBoxInformation;
    const int extent = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(extent, extent));
    message->setText(text);
    file = shownFile;
    static_cast<ElidedLabel *>(fileLabel)->setFullText(file);
    fileLabel->setVisible(!file.isEmpty());
    show();
    // A new name is announced by a screen reader: the outcome is heard, not only shown.
    setAccessibleName(tr("Outcome: %1").arg(this->text()));
    setAccessibleDescription(this->text());
    emit messageChanged(this->text());
}

void MessageBar::clear()
{
    if (isHidden() && message->text().isEmpty())
        return;
    message->clear();
    file.clear();
    static_cast<ElidedLabel *>(fileLabel)->setFullText(QString());
    hide();
    setAccessibleName(tr("Outcome"));
    setAccessibleDescription(QString());
    emit messageChanged(QString());
}

QString MessageBar::text() const
{
    if (message->text().isEmpty())
        return QString();
    return file.isEmpty() ? message->text() : message->text() + QLatin1Char(' ') + file;
}
