#include "exportlistmodel.h"

namespace {

// The rows' identities in order: a group by its key, a record by its id.
QStringList identities(const QList<ExportGroup>& groups)
{
    QStringList keys;
    for (const ExportGroup& group : groups) {
        keys.append(group.key);
        for (const ExportRow& row : group.rows)
            keys.append(row.id);
    }
    return keys;
}

} // namespace

void ExportListModel::setGroups(const QList<ExportGroup>& groups)
{
    if (identities(groups) != identities(m_groups)) {
        beginResetModel();
        m_groups = groups;
        m_entries.clear();
        for (qsizetype group = 0; group < m_groups.size(); ++group) {
            m_entries.append({ group, -1 });
            for (qsizetype record = 0; record < m_groups.at(group).rows.size(); ++record)
                m_entries.append({ group, record });
        }
        endResetModel();
        return;
    }
    // Same rows: only those whose text or mark changed, in runs of neighbours.
    const QList<ExportGroup> before = std::exchange(m_groups, groups);
    int row = 0;
    int runStart = -1;
    const auto endRun = [&] {
        if (runStart >= 0)
            emit dataChanged(index(runStart), index(row - 1));
        runStart = -1;
    };
    const auto visit = [&](bool changed) {
        if (changed && runStart < 0)
            runStart = row;
        else if (!changed)
            endRun();
        ++row;
    };
    for (qsizetype g = 0; g < m_groups.size(); ++g) {
        const ExportGroup& now = m_groups.at(g);
        const ExportGroup& old = before.at(g);
        visit(now.title != old.title || now.buttonText != old.buttonText || now.icon != old.icon
            || now.color != old.color);
        for (qsizetype r = 0; r < now.rows.size(); ++r)
            visit(now.rows.at(r) != old.rows.at(r));
    }
    endRun();
}

int ExportListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant ExportListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Entry& entry = m_entries.at(index.row());
    const ExportGroup& group = m_groups.at(entry.group);
    const bool isRecord = entry.record >= 0;
    const ExportRow row = isRecord ? group.rows.at(entry.record) : ExportRow {};
    switch (role) {
    case KindRole:
        return isRecord ? QStringLiteral("record") : QStringLiteral("group");
    case KeyRole:
        return group.key;
    case TitleRole:
        return isRecord ? row.title : group.title;
    case SymbolRole:
        return group.icon;
    case TintRole:
        return group.color;
    case ButtonTextRole:
        return group.buttonText;
    case CountRole:
        return int(group.rows.size());
    case RecordIdRole:
        return row.id;
    case DateTextRole:
        return row.dateText;
    case RepeatTextRole:
        return row.repeatText;
    case SelectedRole:
        return row.selected;
    case FirstRole:
        return entry.record == 0;
    case LastRole:
        return isRecord && entry.record == group.rows.size() - 1;
    default:
        return {};
    }
}

QHash<int, QByteArray> ExportListModel::roleNames() const
{
    return {
        { KindRole, "kind" },
        { KeyRole, "key" },
        { TitleRole, "title" },
        { SymbolRole, "symbol" },
        { TintRole, "tint" },
        { ButtonTextRole, "buttonText" },
        { CountRole, "count" },
        { RecordIdRole, "recordId" },
        { DateTextRole, "dateText" },
        { RepeatTextRole, "repeatText" },
        { SelectedRole, "selected" },
        { FirstRole, "first" },
        { LastRole, "last" },
    };
}
