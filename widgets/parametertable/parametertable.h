// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "parametertable/parameterdescriptor.h"

#include <QHash>
#include <QLabel>
#include <QList>
#include <QString>
#include <QTableWidget>

class EditorGuard;

// The two-column parameter table ("Parameter", "Value"). It owns the editors of
// the known parameters: it builds them before every read, fills rows from the
// dump, marks the rows the user changes (EditedRole on the Parameter cell, shown
// bold), and says what the marked rows write. The window holds the mode; the
// table only shows the rows it was filled with.
class ParameterTable : public QTableWidget
{
    Q_OBJECT

public:
    // Set on a marked row's Parameter cell: the row is the user's edit, written on Apply.
    static constexpr int EditedRole = Qt::UserRole + 1;

    explicit ParameterTable(QWidget *parent = nullptr);
    ~ParameterTable() override;

    // Empties the table and drops its editors: nothing marks it until the next fill(). The
    // window keeps the pilot out of it meanwhile.
    void clearForLoad();
    // In standard mode the everyday parameters, in dump order, each with the editor of
    // its kind; a second start of the list ends the table. In expert mode every
    // entry, a known one with the editor of its kind, any other as text. Then edits mark
    // their rows, and the table is enabled.
    // The editors are built afresh for the firmware line the entries came from, or the one given.
    void fill(const QList<tracktune::DumpLine> &entries, bool expertMode,
        tracktune::FirmwareLine line = tracktune::FirmwareLine::Unknown);
    tracktune::FirmwareLine listFirmwareLine() const { return firmwareLine; }

    bool isMarked(int row) const;
    // Name and value text of every marked row, in table order.
    QList<tracktune::DumpLine> changes() const;
    // Puts these values back into the rows that show their parameters, marked as the
    // user's edits, so that a reload loses no pending change. Returns those shown.
    QList<tracktune::DumpLine> restoreEdits(const QList<tracktune::DumpLine> &edits);

    // Takes the text of a cell still being edited, as leaving the cell would: it marks its row.
    void commitOpenEditor();

    // Says "Reading the tracker..." over the rows while a read or a write runs.
    void setReading(bool reading);

    // At least 20 pixels, more for a larger font.
    int preferredRowHeight() const;

signals:
    // A value typed into a Value cell that the tracker would not take: the cell kept its value.
    void valueRefused(const QString &reason);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // A screen reader is told the current cell too, not only the table's name.
    void focusInEvent(QFocusEvent *event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

private slots:
    void tableCellChanged(int row, int column);

private:
    void createValueEditor();
    void fitNameColumn();
    // Typed values pass the tracker's rules before a cell takes them (valueRefused otherwise).
    void checkTypedValues();
    // Keeps the tracker's value on the row's Value cell, and locks a value never written.
    void describeValueCell(int row);
    bool hasPlacedEditor(int row) const; // a list or the protocols' button, not text
    void keepReported(int row, const QString &value);
    void releaseCatalogue();
    void fillValueCell(int row, ParameterDescriptor &descriptor, const QString &value);
    void setEditorValue(ParameterDescriptor &descriptor, const QString &value);
    void describeRow(int row, const tracktune::DumpLine &entry);
    bool openEditor(int row);
    // Sets the mark and its bold look together.
    void markEdited(int row);
    QString editorValue(const ParameterDescriptor &descriptor) const;

    QHash<QString, ParameterDescriptor *> parameterCatalogue;
    // The line the list shown came from: it decides options, text rules and field widths.
    tracktune::FirmwareLine firmwareLine = tracktune::FirmwareLine::Unknown;
    QLabel *readingLabel = nullptr;
    EditorGuard *editorGuard = nullptr; // keeps the editors from changing by accident
};
