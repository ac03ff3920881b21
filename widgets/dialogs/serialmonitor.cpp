// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/serialmonitor.h"

#include "link/monitortext.h"
#include "ui_serialmonitor.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextCursor>

#include <algorithm>
#include <utility>

namespace {
// What the window manager's title bar and frame may take beyond the dialog's own size.
const int frameAllowance = 48;

QStringList installedFontFamilies()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QFontDatabase::families();
#else
    return QFontDatabase().families();
#endif
}

} // namespace

SerialMonitor::SerialMonitor(QWidget *parent) : QDialog(parent), ui(new Ui_SerialMonitor)
{
    ui->setupUi(this);
    ui->textSerialOutput->setMaximumBlockCount(scrollbackLines);
    ui->textSerialOutput->setFont(terminalFont(installedFontFamilies()));
    // The tracker's lines are about 80 columns wide; the buttons stay on a small screen.
    const QFontMetrics metrics(ui->textSerialOutput->font());
    resize(std::max(width(), metrics.horizontalAdvance(QLatin1Char('0')) * 84), height());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableGeometry().size() - QSize(0, frameAllowance);
        resize(size().boundedTo(available));
    }
}

QFont SerialMonitor::terminalFont(const QStringList &installedFamilies)
{
    // Columns must line up: a family the system lacks would be replaced by a proportional one.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // A platform without a theme names its ordinary font here: fontconfig's monospace then.
    if (!QFontInfo(fixed).fixedPitch()) {
        fixed.setFamily(QStringLiteral("monospace"));
        fixed.setStyleHint(QFont::TypeWriter);
        fixed.setFixedPitch(true);
    }
    if (!installedFamilies.contains(QStringLiteral("Source Code Pro")))
        return fixed;
    QFont font(QStringLiteral("Source Code Pro"));
    font.setPointSizeF(fixed.pointSizeF());
    font.setStyleHint(QFont::Monospace);
    return font;
}

QString SerialMonitor::shownText() const
{
    return ui->textSerialOutput->toPlainText() + hiddenText;
}

void SerialMonitor::showEvent(QShowEvent *event)
{
    const QString arrived = std::exchange(hiddenText, QString());
    if (!arrived.isEmpty()) {
        QTextCursor end(ui->textSerialOutput->document());
        end.movePosition(QTextCursor::End);
        end.insertText(arrived);
    }
    QDialog::showEvent(event);
    QScrollBar *bar = ui->textSerialOutput->verticalScrollBar();
    bar->setValue(bar->maximum());
}

bool SerialMonitor::saveTo(const QString &path, QString *error) const
{
    QSaveFile file(path);
    QByteArray text = shownText().toUtf8();
    if (!text.isEmpty() && !text.endsWith('\n'))
        text.append('\n');
    if (file.open(QIODevice::WriteOnly | QIODevice::Text) && file.write(text) == text.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

SerialMonitor::~SerialMonitor()
{
    delete ui;
}

void SerialMonitor::updateConnection(const QString &device)
{
    ui->labelDevice->setText(device);
    ui->textSerialOutput->clear();
    hiddenText.clear();
    openLine = 0;
}

void SerialMonitor::append(const QString &data)
{
    if (!capturing)
        return;
    if (!isVisible()) {
        hiddenText += tracktune::withLinesCapped(data, openLine);
        // Bounded like the shown lines: about a full scrollback of terminal lines.
        const int limit = scrollbackLines * 100;
        if (hiddenText.size() > limit)
            hiddenText.remove(0, hiddenText.size() - limit);
        return;
    }
    // Appended at the end rather than the whole text set anew: a rewrite costs
    // more on every tick as the text grows.
    if (!data.isEmpty()) {
        QTextCursor end(ui->textSerialOutput->document());
        end.movePosition(QTextCursor::End);
        end.insertText(tracktune::withLinesCapped(data, openLine));
    }
    QScrollBar *bar = ui->textSerialOutput->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void SerialMonitor::on_buttonClean_clicked()
{
    ui->textSerialOutput->clear();
    hiddenText.clear();
    openLine = 0;
}

void SerialMonitor::on_buttonSave_clicked()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    const QString suggested = QDir(folder).filePath(
        QStringLiteral("tracker-%1.txt")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save what the tracker sent"), suggested, tr("Text files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!saveTo(path, &error))
        QMessageBox::warning(this, tr("Not saved"),
            tr("The text could not be written to %1:\n%2").arg(QDir::toNativeSeparators(path), error));
}

void SerialMonitor::on_buttonStartStop_clicked()
{
    const bool wasCapturing = capturing;
    capturing = !capturing;
    ui->buttonStartStop->setText(wasCapturing ? tr("Start") : tr("Stop"));
}
