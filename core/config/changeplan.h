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
SettingValue writableValue(const DumpLine &setting, const QString &reported);

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

// Whether a TxProtMask value leaves no protocol the catalogue knows switched on: the
// tracker would transmit nothing.
bool transmitsNothing(const QString &maskValue);
// The first TxProtMask write that would leave the tracker transmitting nothing, or null.
const DumpLine *silencingWrite(const QList<DumpLine> &writes);

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
    bool isTemplate = false; // the file names no Address
};

// Settings given one by one: each must name a parameter of the dump and carry a value it
// takes; one the tracker already holds is skipped, with its reason.
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
