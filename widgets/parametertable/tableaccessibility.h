// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

class QComboBox;
class QLineEdit;
class QTableWidget;
class QWidget;

// What the parameter table tells a screen reader beyond what it draws: its name, the
// parameter each value editor belongs to, the value under each editor, and which rows
// the pilot changed.
namespace tableaccessibility {

// Set on a row's Parameter cell: what the parameter is, as a screen reader reads it with each
// of the row's cells; the tracker's notes on units stay in the tooltip.
constexpr int SpokenDescriptionRole = Qt::UserRole + 3;

// The protocol button's description: the checked protocols in their fixed order, "none"
// when none is.
QString protocolsText(const QStringList &checked);
// A row's description: whether it is changed, then what its tooltip says.
QString rowDescription(bool changed, const QString &toolTip);

// Names the table and lets its list editors carry the name of their parameter (Qt's own
// interface for a list box reads only its current text on Linux).
void attach(QTableWidget *table);
// A list outside the table read as the table's list editors are: its choice as its text, which
// screen readers on Linux read as a closed list's value.
void readChoice(QComboBox *box);
// Names the editor by the parameter of its row, and keeps the value it shows as the
// accessible text of the cell under it.
void followEditor(QTableWidget *table, int row, QWidget *editor);
// Tells a screen reader of the caret and selection of a text editor once more, right after it
// took the focus. The view fills and selects an editor's text before it gives it the focus, so a
// reader hears of the caret first, moves to the editor on it without a word and then takes the
// focus for old news: the pilot never hears which value is being edited. Told again after the
// focus, a reader drops the earlier reports as outdated and reads the editor, its name and text,
// on the focus.
void tellCaretAgain(QLineEdit *line);
// Tells a screen reader that the cell reads another text: it would read the old one otherwise.
void cellTextChanged(QTableWidget *table, int row, int column);
// Tells a screen reader that the keyboard is on this cell.
void focusCell(QTableWidget *table, int row, int column);
// Gives the row's cells its description and tells a screen reader when it changed.
void describeRow(QTableWidget *table, int row);

} // namespace tableaccessibility
