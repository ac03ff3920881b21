#include "mainwindow/flasherarguments.h"

namespace flasher {

QString firmwareFolder(const QString &applicationDir, const QString &architecture)
{
    return applicationDir + QStringLiteral("/firmware/") + architecture;
}

QStringList requiredComponents()
{
    return {QStringLiteral("esptool.exe"), QStringLiteral("bootloader.bin"), QStringLiteral("partitions.bin"),
        QStringLiteral("config.txt")};
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

QStringList flasherArguments(const QString &templateText, const QString &chip, const QString &port,
    const QString &firmwareDir, const QString &firmwareFile)
{
    QString text = templateText;
    // In this order, so a chosen file name that looks like a placeholder is taken as it is.
    text.replace(QStringLiteral("${CHIP}"), chip);
    text.replace(QStringLiteral("${PORT}"), port);
    text.replace(QStringLiteral("${FIRMWARE_DIR}"), firmwareDir);
    text.replace(QStringLiteral("${FIRMWARE_FILE}"), firmwareFile);
    text.replace(QStringLiteral(", "), QStringLiteral(","));
    return text.split(QLatin1Char(','));
}

} // namespace flasher
