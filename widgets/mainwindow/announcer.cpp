// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QStringList>

namespace {

// After the focus has settled: an operation's end gives it back to the table first.
const int settleMs = 150;

class NotificationInterface : public QAccessibleWidget
{
public:
    explicit NotificationInterface(Announcer *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    { }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<const Announcer *>(widget())->spokenText() : QString();
    }
};

QAccessibleInterface *announcerFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("Announcer") && object && object->isWidgetType())
        return new NotificationInterface(static_cast<Announcer *>(object));
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(announcerFactory);
        return true;
    }();
    Q_UNUSED(installed)
    setObjectName(QStringLiteral("announcer"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(0, 0);
    delay.setSingleShot(true);
    delay.setInterval(settleMs);
    connect(&delay, &QTimer::timeout, this, &Announcer::speak);
}

void Announcer::say(const QString &text, const QString &topic)
{
    const QString said = text.simplified();
    if (said.isEmpty())
        return;
    for (QPair<QString, QString> &one : waiting) {
        if (one.second == said)
            return;
        if (!topic.isEmpty() && one.first == topic) {
            one.second = said;
            return;
        }
    }
    waiting.append({topic, said});
    delay.start();
}

void Announcer::speak()
{
    // One sentence each, so that a reader pauses between them.
    QStringList sentences;
    for (const QPair<QString, QString> &one : std::as_const(waiting)) {
        const QString &text = one.second;
        sentences << (text.back().isLetterOrNumber() ? text + QLatin1Char('.') : text);
    }
    spoken = sentences.join(QLatin1Char(' '));
    waiting.clear();
    if (spoken.isEmpty() || !QAccessible::isActive())
        return;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
