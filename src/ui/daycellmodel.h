#pragma once

#include "daycell.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

/// The day cells of the shown month for a grid, each row read through its `cell` role. Rows
/// change in place when only their content does, so the cells on screen (and their hover
/// state) stay.
class DayCellModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by MiniCalendarController")

public:
    enum Role { CellRole = Qt::UserRole + 1 };

    using QAbstractListModel::QAbstractListModel;

    /// Returns whether anything changed.
    bool setCells(const QList<DayCell>& cells);
    [[nodiscard]] const QList<DayCell>& cells() const { return m_cells; }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

private:
    QList<DayCell> m_cells;
};
