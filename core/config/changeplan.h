// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "config/settingvalue.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace tracktune {

// The value a setting writes over the tracker's, or why it cannot be written: the
// parameter's own rule (settingValue), then what a sentence can carry. The window checks a
// typed value with it before the cell takes it; the command line and Load settings plan with it.
SettingValue writableValue(const DumpLine &setting, const QString &reported, FirmwareLine line);

// Whether the tracker holds a written value already: it shows it, and the value names no digit
// the tracker does not show ("CONprot=0x0F" may change a CONprot shown as "0xF").
bool holdsAlready(const QString &name, const QString &value, const QString &reported);

// The parameters that make one aircraft this aircraft, by the catalogue's role: two trackers
// sending the same radio address are a hazard, so they are copied from another tracker only
// on request.
bool isIdentityParameter(const QString &name);
// Printed by the tracker but never written ("Hard", "Soft", "TempCorr").
bool describesDevice(const QString &name);

// The settings in the order they go out: a parameter whose write makes the tracker reset
// another (writing AddrType resets the Address on newer firmware) goes before every other,
// so that the value asked for is the one that stays. Otherwise the order is kept.
QList<DumpLine> writeOrder(const QList<DumpLine> &settings);

// Whether a TxProtMask value leaves no protocol of the line switched on: the tracker would
// transmit nothing (the older line's bit 0 is a spare).
bool transmitsNothing(const QString &maskValue, FirmwareLine line);
// The first TxProtMask write that would leave the tracker transmitting nothing, or null.
const DumpLine *silencingWrite(const QList<DumpLine> &writes, FirmwareLine line);
// "CONprot=0x5: the tracker shows only 1 of its 2 digits; this also sets the digit it does not
// show", for each write that sets bits the tracker holds but does not print without naming them
// all (trackerstorage.h, writesHiddenBits); reported is the tracker's list.
QStringList hiddenBitWrites(const QList<DumpLine> &writes, const QList<DumpLine> &reported);

// The one gate every write passes on its way to the wire, against the tracker's list: a setting
// goes out only as settingValue gives it back for that list (a typed "0X1" or a value the
// tracker does not list never does); the newer firmware resets the Address whenever AddrType
// is written, so the Address the list shows follows it unless one is written. In writeOrder.
struct GatedWrites
{
    QList<DumpLine> writes;
    QList<DumpLine> refused;
    QStringList reasons; // "Name: why", one for each refused
};
GatedWrites gateWrites(const QList<DumpLine> &settings, const QList<DumpLine> &reported);

// A name of a settings file the tracker does not list.
struct MissingName
{
    QString name;
    int line = 0; // in the file; 0 when unknown
    QString nearest; // the tracker's name it most likely meant; empty when none is near
    bool catalogued = false; // another firmware's parameter, not a typing slip
};
// "line 3: TxPowr: the tracker has no such parameter; did you mean TxPower?"
QString missingNameText(const MissingName &missing);

// What to write to a tracker, decided before anything goes on the wire.
struct ChangePlan
{
    QList<DumpLine> writes; // in the value form the window writes, in writeOrder
    QStringList problems; // any of them means nothing may be written
    QStringList skipped; // lines passed over, each with its reason
    QList<MissingName> missing; // names of the file the tracker lacks, in file order
    QStringList identityKept; // identity parameters that differ but were left alone
    QStringList hiddenBits; // writes that set digits the tracker does not show: asked first
    bool isTemplate = false; // the file names no Address
};

// Settings given one by one: each must name a parameter of the dump and carry a value it
// takes; one the tracker already holds is skipped, with its reason. Writing AddrType on the newer
// firmware resets a custom Address: the Address the tracker holds is written again after it.
ChangePlan planSettings(const QList<DumpLine> &requested, const QList<DumpLine> &reported);

// A backup or template: only the values that differ from the tracker's are written.
// Identity parameters go only onto the tracker the file came from (same Address), or
// when writeIdentity is set; a file without an Address is a template, from no aircraft,
// and its identity lines too wait for writeIdentity. Names the tracker lacks are listed in
// missing, with their line in lineOf. A lossy parameter (printed short or rounded) is never
// written from a file: only by hand. When AddrType is written, the file's Address follows it,
// as the tracker may reset the Address when the type is written.
ChangePlan planFile(const QList<DumpLine> &file, const QList<DumpLine> &reported, bool writeIdentity,
    const QHash<QString, int> &lineOf = {});

} // namespace tracktune
