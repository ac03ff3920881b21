// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/firmwareline.h"

#include <QStyledItemDelegate>
#include <QToolButton>

// Checks a value typed into a Value cell by the tracker's rules (tracktune::writableValue)
// before the cell takes it: a value the tracker would not take or would cut leaves the cell as
// it was, and refused() says why. A value the rule rewrites ("4abcde" as "0x4ABCDE") is taken
// as rewritten.
class CheckedValueDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The tracker's value of the row, kept on the Value cell: the value always taken back.
    static constexpr int ReportedRole = Qt::UserRole + 2;

    using QStyledItemDelegate::QStyledItemDelegate;
    // What a Value cell shows of a value: an info text's "\xHH" bytes as the text they stand for, a
    // number with its unit. The cell keeps the tracker's form, which its editor holds.
    static QString shownText(const QString &name, const QString &value);
    // The text editor is named by its row's parameter, so that a screen reader says what is edited.
    QWidget *createEditor(
        QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    // The line of the list shown: typed values are checked by its rules.
    void setFirmwareLine(tracktune::FirmwareLine line) { firmwareLine = line; }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

signals:
    void refused(const QString &reason) const;

private:
    tracktune::FirmwareLine firmwareLine = tracktune::FirmwareLine::Unknown;
};

// The Parameter column: the pilot's label before the firmware's name ("Aircraft type · AcftType");
// the cell itself keeps the name, which everything else reads.
class ParameterNameDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static QString shownName(const QString &name);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

// The protocols' menu button: its caption reads from the left and is cut at its end where the
// cell is too narrow; its tooltip holds the whole list before the row's description.
class MaskButton : public QToolButton
{
    Q_OBJECT

public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
};
