// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/dumpline.h"
#include "espimages.h"
#include "firmware/espimage.h"
#include "firmware/firmwareupdate.h"
#include "firmware/flasherarguments.h"
#include "firmware/imagecheck.h"

#include <QFile>
#include <QtTest>

using namespace espimages;

// An image file checked against the tracker's board, from its bytes alone, and the argument
// lists the shipped firmware folders give the flasher for each chip and kind of image.
class EspImageTest : public QObject
{
    Q_OBJECT

private slots:
    void imageIsCheckedAgainstTheTracker_data();
    void imageIsCheckedAgainstTheTracker();
    void shippedTemplatesWriteWhereTheChipLooks_data();
    void shippedTemplatesWriteWhereTheChipLooks();
    void everythingMissingIsNamedAtOnce_data();
    void everythingMissingIsNamedAtOnce();
};

void EspImageTest::imageIsCheckedAgainstTheTracker_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("hardware"); // the tracker's Hard
    QTest::addColumn<QString>("refusal"); // in the refusal; empty: accepted
    QTest::addColumn<QStringList>("facts"); // each in what the confirmation says of it
    const QByteArray tbeam("OGNv0.1.18\0TBeam10-sx1262", 25);
    const QByteArray htit("OGNv0.2.1\0HTIT", 14);
    const QByteArray app32 = application(esp32, tbeam);
    QTest::newRow("application image, ESP32") << app32 << "TBeam10-sx1262"
                                              << ""
                                              << QStringList {"Kind: application image", "Chip: ESP32\n",
                                                     "Version: OGNv0.1.18", "Board: TBeam10-sx1262"};
    QTest::newRow("application image, ESP32-S3")
        << application(esp32s3, htit) << "HTIT"
        << "" << QStringList {"Chip: ESP32-S3", "Version: OGNv0.2.1"};
    QTest::newRow("application image, ESP32-C3, no strings of the firmware: the descriptor's version")
        << application(esp32c3, "nothing") << "HC3"
        << "" << QStringList {"Chip: ESP32-C3", "Version: esp-idf: v4.4.6"};
    QTest::newRow("the older firmware names no board: an ESP32")
        << application(esp32, "OGNv0.0.9", false) << ""
        << "" << QStringList {"Chip: ESP32"};
    QTest::newRow("whole-flash image, ESP32: bootloader at 0x1000")
        << wholeFlash(esp32, 0x1000, QByteArray("OGNv0.1.18\0TBeam12", 18)) << "TBeam12"
        << "" << QStringList {"Kind: whole-flash image, written from 0x0", "Chip: ESP32\n", "Board: TBeam12"};
    QTest::newRow("whole-flash image, ESP32-S3: bootloader at 0x0")
        << wholeFlash(esp32s3, 0, htit) << "TBeamS3"
        << ""
        << QStringList {"Kind: whole-flash image", "Chip: ESP32-S3", "Version: OGNv0.2.1",
               "The image names the board HTIT; the tracker names TBeamS3."};
    QTest::newRow("wrong chip") << application(esp32s3, htit) << "TBeam10-sx1262"
                                << "This image is for an ESP32-S3; the tracker (TBeam10-sx1262) has an ESP32."
                                << QStringList();
    QTest::newRow("wrong chip, whole-flash")
        << wholeFlash(esp32, 0x1000, tbeam) << "TTM5"
        << "This image is for an ESP32; the tracker (TTM5) has an ESP32-S3." << QStringList();
    QTest::newRow("an ESP32 whole-flash image with its bootloader at 0x0")
        << wholeFlash(esp32, 0, tbeam) << "TBeam12"
        << "This whole-flash image has its bootloader at 0x0; an ESP32 needs it at 0x1000." << QStringList();
    QTest::newRow("bootloader alone")
        << bootloader(esp32) << "TBeam12"
        << "This is a bootloader alone (for an ESP32), not the tracker's firmware." << QStringList();
    QTest::newRow("partition table alone")
        << partitionTable() << "TBeam12"
        << "This is a partition table alone, not the tracker's firmware." << QStringList();
    QTest::newRow("a web page saved as .bin")
        << QByteArray("<!DOCTYPE html>\n<html lang=\"en\">\n<head><title>Releases</title>") << "TBeam12"
        << "The file is text, not a firmware image: it begins \"<!DOCTYPE html> <html lang=\"en\"> "
           "<head><\"."
        << QStringList();
    QTest::newRow("random bytes")
        << QByteArray("\x13\x8a\x00\xff\xe9\x01", 6) << "TBeam12"
        << "The file is no ESP firmware image: it does not begin with an image header. The tracker (TBeam12) "
           "needs an application image or a whole-flash image (merged.bin) for an ESP32."
        << QStringList();
    QTest::newRow("empty") << QByteArray() << "TBeam12"
                           << "The file is empty." << QStringList();
    QTest::newRow("cut in its last segment")
        << app32.left(500) << "TBeam12"
        << "The file is cut short: it has 500 bytes, the image needs at least " << QStringList();
    QTest::newRow("whole-flash image cut before its application")
        << wholeFlash(esp32s3, 0, htit).left(0x9000) << "HTIT"
        << "The file is cut short: it has 36864 bytes, the image needs at least 65560." << QStringList();
    QByteArray badChecksum = app32;
    badChecksum[300] = char(badChecksum.at(300) ^ 0x01);
    QTest::newRow("a byte changed: the checksum") << badChecksum << "TBeam12"
                                                  << "checksum at 0x" << QStringList();
    QByteArray badSha = app32;
    badSha[badSha.size() - 1] = char(badSha.at(badSha.size() - 1) ^ 0x80);
    QTest::newRow("a changed SHA-256") << badSha << "TBeam12"
                                       << "The image's SHA-256 at 0x" << QStringList();
    QByteArray badSegments = app32;
    badSegments[1] = char(17);
    QTest::newRow("17 segments") << badSegments << "TBeam12"
                                 << "segments" << QStringList();
    QByteArray huge = application(esp32, tbeam, false);
    huge[24 + 4 + 3] = char(0xFF); // the first segment's length near 4 GiB
    QTest::newRow("a segment longer than the file") << huge << "TBeam12"
                                                    << "cut short" << QStringList();
}

void EspImageTest::imageIsCheckedAgainstTheTracker()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, hardware);
    QFETCH(QString, refusal);
    QFETCH(QStringList, facts);
    const tracktune::EspImage image = tracktune::parseEspImage(bytes, tracktune::knownHardware());
    const QString said = tracktune::imageRefusal(image, hardware, tracktune::firmwareFolderFor(hardware));
    if (refusal.isEmpty())
        QVERIFY2(said.isEmpty(), qPrintable(said));
    else
        QVERIFY2(said.contains(refusal), qPrintable(said));
    const QString described = tracktune::imageFacts(image, hardware);
    for (const QString &fact : facts)
        QVERIFY2(described.contains(fact), qPrintable(described));
}

void EspImageTest::shippedTemplatesWriteWhereTheChipLooks_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("written"); // after write_flash, "F" the folder, "I" the image
    QTest::newRow("ESP32, application") << "esp32-tracker"
                                        << "config-app.txt"
                                        << "0x1000 F/bootloader.bin 0x8000 F/partitions.bin 0x10000 I";
    QTest::newRow("ESP32-S3, application") << "esp32s3-tracker"
                                           << "config-app.txt"
                                           << "0x0 F/bootloader.bin 0x8000 F/partitions.bin 0x10000 I";
    QTest::newRow("ESP32-C3, application") << "esp32c3-tracker"
                                           << "config-app.txt"
                                           << "0x0 F/bootloader.bin 0x8000 F/partitions.bin 0x10000 I";
    for (const char *folder : {"esp32-tracker", "esp32s3-tracker", "esp32c3-tracker"})
        QTest::addRow("%s, whole flash", folder) << folder << "config-merged.txt"
                                                 << "0x0 I";
}

void EspImageTest::shippedTemplatesWriteWhereTheChipLooks()
{
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QFETCH(QString, written);
    QFile shipped(QStringLiteral(FIRMWARE_FOLDERS "/") + folder + "/" + file);
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const tracktune::TextFile text = tracktune::templateText(shipped.readAll(), file);
    QVERIFY(text.problem.isEmpty());
    const QStringList arguments = tracktune::flasherArguments(
        text.text, tracktune::chipFromArchitecture(folder), "/dev/ttyUSB0", "F", "I");
    const QString chip = tracktune::chipFromArchitecture(folder);
    QCOMPARE(
        arguments.join(' '), "--chip " + chip + " --port /dev/ttyUSB0 --baud 460800 write_flash " + written);
}

void EspImageTest::everythingMissingIsNamedAtOnce_data()
{
    QTest::addColumn<QStringList>("files"); // in program/firmware/esp32-tracker
    QTest::addColumn<bool>("onPath"); // an esptool on the PATH
    QTest::addColumn<bool>("wholeFlash"); // the image chosen; else an application image
    QTest::addColumn<QStringList>("named"); // each in what is missing; none: nothing is
    const QStringList templates {"config-app.txt", "config-merged.txt"};
    const QString flasher = "the flasher esptool: install it with \"pip install esptool\"";
    QTest::newRow("the shipped folder, a whole-flash image, esptool on the PATH")
        << templates << true << true << QStringList();
    QTest::newRow("the shipped folder, no flasher anywhere: named with where to get it and the firmware")
        << templates << false << true
        << QStringList {flasher, "https://github.com/espressif/esptool/releases",
               "merged.bin, a whole-flash image) is published at https://pjalocha.github.io/ogn-tracker/"};
    QTest::newRow("an application image: bootloader and partition table, both at once")
        << templates << true << false << QStringList {"- bootloader.bin in ", "- partitions.bin in "};
    QTest::newRow("an older folder: config.txt is its application template") << QStringList {"esptool",
        "bootloader.bin", "partitions.bin", "config.txt"} << false << false << QStringList();
    QTest::newRow("an older folder and a whole-flash image: its template is missing")
        << QStringList {"esptool", "config.txt"} << false << true << QStringList {"- config-merged.txt in "};
    QTest::newRow("an empty folder: the flasher and the templates at once")
        << QStringList() << false << true
        << QStringList {flasher, "- config-merged.txt and config-app.txt, the flasher's argument lists"};
}

void EspImageTest::everythingMissingIsNamedAtOnce()
{
    QFETCH(QStringList, files);
    QFETCH(bool, onPath);
    QFETCH(bool, wholeFlash);
    QFETCH(QStringList, named);
    QTemporaryDir root;
    const QString folder = root.filePath("program/firmware/esp32-tracker");
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(root.filePath("bin")));
    for (const QString &name : files)
        QVERIFY(QFile(folder + "/" + name).open(QIODevice::WriteOnly));
    QFile::setPermissions(folder + "/esptool", QFile::ReadOwner | QFile::ExeOwner);
    QFile onPathFlasher(root.filePath("bin/esptool"));
    QVERIFY(!onPath || onPathFlasher.open(QIODevice::WriteOnly));
    onPathFlasher.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", root.filePath("bin").toUtf8());
    FirmwareUpdate update(root.filePath("program"), "esp32-tracker");
    qputenv("PATH", path);
    QString said = update.problem();
    if (said.isEmpty())
        said = update.problemFor(
            wholeFlash ? tracktune::EspImage::Kind::WholeFlash : tracktune::EspImage::Kind::Application);
    QCOMPARE(said.isEmpty(), named.isEmpty());
    for (const QString &name : named)
        QVERIFY2(said.contains(name), qPrintable(said));
}

QTEST_GUILESS_MAIN(EspImageTest)
#include "tst_espimage.moc"
