#pragma once

#include <QAbstractListModel>
#include <QStringList>
#include <QVariantList>

/// A list for the screen: rows of values in the order of the role names given. A new list of the
/// same length changes only the rows that differ, so the views keep their items.
class RowModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    using Row = QVariantList;

    explicit RowModel(QStringList roles, QObject* parent = nullptr);

    [[nodiscard]] int count() const { return int(m_rows.size()); }
    [[nodiscard]] const QList<Row>& rows() const { return m_rows; }
    void setRows(const QList<Row>& rows);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

private:
    QStringList m_roles;
    QList<Row> m_rows;
};
