#include "rowmodel.h"

RowModel::RowModel(QStringList roles, QObject* parent)
    : QAbstractListModel(parent)
    , m_roles(std::move(roles))
{
}

void RowModel::setRows(const QList<Row>& rows)
{
    if (rows.size() != m_rows.size()) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
        emit countChanged();
        return;
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i) == m_rows.at(i))
            continue;
        m_rows[i] = rows.at(i);
        emit dataChanged(index(int(i)), index(int(i)));
    }
}

int RowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant RowModel::data(const QModelIndex& index, int role) const
{
    const int column = role - Qt::UserRole;
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) || column < 0
        || column >= m_roles.size())
        return {};
    return m_rows.at(index.row()).value(column);
}

QHash<int, QByteArray> RowModel::roleNames() const
{
    QHash<int, QByteArray> names;
    for (qsizetype i = 0; i < m_roles.size(); ++i)
        names.insert(Qt::UserRole + int(i), m_roles.at(i).toUtf8());
    return names;
}
