#pragma once

#include "exportmodel.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

/// The backup screen's groups and records as one list, so that a view builds only the rows in
/// sight: each group's heading row ("group") followed by its records ("record"). A change of
/// selection changes only the rows it touches.
class ExportListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by ExportController")

public:
    enum Role {
        KindRole = Qt::UserRole + 1,
        KeyRole,
        TitleRole,
        SymbolRole,
        TintRole,
        ButtonTextRole,
        CountRole,
        RecordIdRole,
        DateTextRole,
        RepeatTextRole,
        SelectedRole,
        FirstRole,
        LastRole,
    };

    using QAbstractListModel::QAbstractListModel;

    void setGroups(const QList<ExportGroup>& groups);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

private:
    struct Entry {
        qsizetype group = 0;
        qsizetype record = -1; // index into the group's rows; -1 for the heading row
    };

    QList<ExportGroup> m_groups;
    QList<Entry> m_entries;
};
