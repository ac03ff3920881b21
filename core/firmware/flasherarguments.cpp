// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/flasherarguments.h"

#include <QFile>

namespace tracktune {

QStringList firmwareFolders(
    const QString &applicationDir, const QStringList &dataFolders, const QString &architecture)
{
    QStringList folders;
    for (const QString &base : QStringList {applicationDir} + dataFolders) {
        const QString folder = base + QStringLiteral("/firmware/") + architecture;
        if (!folders.contains(folder))
            folders << folder;
    }
    return folders;
}

bool isPlainFolderName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        const ushort u = c.unicode();
        const bool allowed = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')
            || u == '.' || u == '_' || u == '-';
        if (!allowed)
            return false;
    }
    return true;
}

QString flasherName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("esptool.exe");
#else
    return QStringLiteral("esptool");
#endif
}

QStringList requiredComponents()
{
    return {flasherName(), QStringLiteral("bootloader.bin"), QStringLiteral("partitions.bin"),
        QStringLiteral("config-app.txt"), wholeFlashTemplateName()};
}

QString applicationTemplate(const QString &folder)
{
    const QString older = QStringLiteral("config.txt");
    const QString current = QStringLiteral("config-app.txt");
    return !QFile::exists(folder + QLatin1Char('/') + current)
            && QFile::exists(folder + QLatin1Char('/') + older)
        ? older
        : current;
}

QString wholeFlashTemplateName()
{
    return QStringLiteral("config-merged.txt");
}

QString firmwareReleasePage()
{
    return QStringLiteral("https://pjalocha.github.io/ogn-tracker/");
}

QString flasherReleasePage()
{
    return QStringLiteral("https://github.com/espressif/esptool/releases");
}

QString chipFromArchitecture(const QString &architecture)
{
    return architecture.section(QLatin1Char('-'), 0, 0);
}

QString textUpToNul(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    return QString::fromUtf8(nul < 0 ? bytes : bytes.left(nul));
}

TextFile templateText(const QByteArray &bytes, const QString &name)
{
    TextFile file = decodeTextFile(bytes, maxTemplateBytes);
    if (!file.problem.isEmpty())
        file.problem.prepend(name + QStringLiteral(": "));
    return file;
}

QStringList flasherArguments(const QString &templateText, const QString &chip, const QString &port,
    const QString &firmwareDir, const QString &firmwareFile)
{
    QString text = templateText;
    text.replace(QStringLiteral(", "), QStringLiteral(","));
    QStringList arguments = text.split(QLatin1Char(','));
    // Filled in after the split and the trim, so a comma or a blank in a path stays as it
    // is; in this order, so a chosen file name that looks like a placeholder is taken as it is.
    for (QString &argument : arguments) {
        // A template saved with a line break at its end must not hand the flasher the image
        // path with a line feed on it.
        argument = argument.trimmed();
        argument.replace(QStringLiteral("${CHIP}"), chip);
        argument.replace(QStringLiteral("${PORT}"), port);
        argument.replace(QStringLiteral("${FIRMWARE_DIR}"), firmwareDir);
        argument.replace(QStringLiteral("${FIRMWARE_FILE}"), firmwareFile);
    }
    return arguments;
}

} // namespace tracktune
