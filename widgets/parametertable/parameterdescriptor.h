#pragma once

#include "config/catalogue.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

// One known parameter of the table: its kind, the editor shown in its Value
// cell (none for text) and the option table its kind reads, if any.
// Owns neither: the table owns a placed editor, the catalogue the options.
struct ParameterDescriptor
{
    ParameterDescriptor(tracktune::ParameterKind kind, QWidget *editor, const QHash<int, QString> *options)
        : kind(kind), editor(editor), options(options)
    { }

    tracktune::ParameterKind kind;
    QPointer<QWidget> editor; // cleared when the table drops the row that held it
    const QHash<int, QString> *options;
    // The value text of the last load: a mask keeps the bits that no editor entry shows.
    QString deviceValue;
};
