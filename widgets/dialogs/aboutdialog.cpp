// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/aboutdialog.h"

#include "config/dumpline.h"
#include "firmware/firmwareupdate.h"
#include "firmware/flasherarguments.h"
#include "firmware/imagecheck.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

QString keys(const QKeySequence &sequence)
{
    return sequence.toString(QKeySequence::NativeText);
}

QString folderList(const QStringList &folders)
{
    QStringList lines;
    for (const QString &folder : folders)
        lines << QStringLiteral("  ") + QDir::toNativeSeparators(folder);
    return lines.join(QLatin1Char('\n'));
}

// The firmware folders that exist, in the order they are looked in.
QStringList presentFirmwareFolders(const QStringList &bases)
{
    QStringList present;
    for (const QString &base : bases) {
        const QDir firmware(base + QStringLiteral("/firmware"));
        for (const QString &name : firmware.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            present << firmware.filePath(name);
    }
    return present;
}

} // namespace

// The folder the connected tracker's update would use first, then the folders that exist.
QString AboutDialog::firmwareText(const QString &applicationFolder, const std::optional<QString> &hardware)
{
    const QStringList bases = QStringList {applicationFolder}
        + QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    const QStringList present = presentFirmwareFolders(bases);
    QString text;
    if (!hardware) {
        text = tr("Firmware folder for the connected tracker: no tracker is connected.");
    } else {
        const QString folder = tracktune::firmwareFolderFor(*hardware);
        const QString chip = tracktune::chipOfFolder(folder);
        const QString board = hardware->isEmpty() ? tr("no board name") : *hardware;
        // Found as the update finds it, which refuses a name or a folder that leads astray.
        const QString used = FirmwareUpdate(applicationFolder, folder).folder();
        text = tr("Firmware folder for the connected tracker (%1, %2):")
                   .arg(board, chip.isEmpty() ? tr("chip not known") : chip)
            + QLatin1Char('\n')
            + (used.isEmpty() ? QStringLiteral("  ") + tr("none found for %1").arg(folder)
                              : folderList({used}));
    }
    return text + QStringLiteral("\n\n") + tr("Firmware folders present:") + QLatin1Char('\n')
        + (present.isEmpty() ? QStringLiteral("  ") + tr("none") : folderList(present)) + QLatin1Char('\n')
        + tr("Your own firmware folders go in:") + QLatin1Char('\n')
        + folderList({QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
            + QStringLiteral("/firmware")});
}

AboutDialog::AboutDialog(
    const QString &applicationFolder, const std::optional<QString> &hardware, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("About tracktune"));
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    text = tr("tracktune %1").arg(QCoreApplication::applicationVersion()) + QLatin1Char('\n')
        + tr("Shows and changes the settings of an OGN aircraft tracker connected by USB, and "
             "updates its firmware.")
        + QStringLiteral("\n\n")
        + tr("Licence: GNU General Public License, version 3 or later. This program comes with "
             "ABSOLUTELY NO WARRANTY; you may share and change it under that licence.")
        + QLatin1Char('\n')
        + tr("Qt %1 (built with Qt %2)").arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR))
        + QStringLiteral("\n\n") + firmwareText(applicationFolder, hardware) + QStringLiteral("\n\n")
        + tr("Settings saved before a firmware update:") + QLatin1Char('\n')
        + folderList({dataFolder + QStringLiteral("/backups")}) + QStringLiteral("\n\n") + tr("Keyboard:")
        + QLatin1Char('\n') + tr("  %1  this help").arg(keys(QKeySequence(Qt::Key_F1))) + QLatin1Char('\n')
        + tr("  %1  read the tracker's settings again").arg(keys(QKeySequence(Qt::Key_F5)))
        + QLatin1Char('\n')
        + tr("  %1  write the changes to the tracker").arg(keys(QKeySequence(Qt::CTRL | Qt::Key_Return)))
        + QLatin1Char('\n') + tr("  Alt + the underlined letter  the button or field it marks")
        + QLatin1Char('\n') + tr("  Enter in the table  opens a setting's list; Escape  closes a dialog");

    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("aboutText"));
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setWordWrap(true);
    label->setMargin(8);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(label);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // The text is read with the dialog; the keyboard starts on Close, not on the scrolled area.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setDefault(true);
    buttons->button(QDialogButtonBox::Close)->setFocus();
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    layout->addWidget(buttons);

    // Wide enough for the folders; never larger than the screen, title bar included.
    const QFontMetrics metrics(label->font());
    resize(metrics.averageCharWidth() * 90, metrics.lineSpacing() * (text.count(QLatin1Char('\n')) + 12));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        resize(size().boundedTo(screen->availableGeometry().size() - QSize(0, 48)));
}

QString AboutDialog::plainText() const
{
    return text;
}
