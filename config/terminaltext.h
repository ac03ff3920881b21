#pragma once

#include <QByteArray>
#include <QString>

namespace tracktune {

// Text from a tracker or a file as a terminal may show it: control characters (C0 but
// tab, DEL, C1) written as "\x1b", so that no byte from outside moves the cursor,
// clears the screen or retitles the window.
QString terminalText(const QString &text);

// The largest settings file or template read; anything larger is no settings file.
constexpr qint64 maxSettingsFileBytes = 1024 * 1024;

// The bytes of a settings file as text, whole: refused (a problem, no text) when they hold
// a NUL byte, are not UTF-8 or exceed maxSettingsFileBytes. A leading byte order mark goes.
struct SettingsText
{
    QString text;
    QString problem;
};
SettingsText readSettingsText(const QByteArray &bytes);

} // namespace tracktune
