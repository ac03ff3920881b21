// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/catalogue.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// One known parameter of the table: its catalogue entry (kind and options) and the editor
// shown in its Value cell (none for text). Owns neither: the table owns a placed editor.
struct ParameterDescriptor
{
    ParameterDescriptor(const tracktune::KnownParameter &known, QWidget *editor)
        : known(known), editor(editor)
    { }

    const tracktune::KnownParameter &known;
    QPointer<QWidget> editor; // cleared when the table drops the row that held it
    // The value text of the last load: a mask keeps the bits that no editor entry shows.
    QString deviceValue;
};
