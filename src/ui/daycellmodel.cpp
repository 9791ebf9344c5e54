#include "daycellmodel.h"

bool DayCellModel::setCells(const QList<DayCell>& cells)
{
    if (cells == m_cells)
        return false;
    if (cells.size() != m_cells.size()) {
        beginResetModel();
        m_cells = cells;
        endResetModel();
        return true;
    }
    for (qsizetype row = 0; row < cells.size(); ++row) {
        if (cells.at(row) == m_cells.at(row))
            continue;
        m_cells[row] = cells.at(row);
        const QModelIndex changed = index(static_cast<int>(row));
        emit dataChanged(changed, changed, { CellRole });
    }
    return true;
}

int DayCellModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_cells.size());
}

QVariant DayCellModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)
        || role != CellRole)
        return {};
    return QVariant::fromValue(m_cells.at(index.row()));
}

QHash<int, QByteArray> DayCellModel::roleNames() const
{
    return { { CellRole, "cell" } };
}
