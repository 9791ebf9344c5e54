#include "notelistmodel.h"

namespace {

qsizetype indexOf(const ReminderNotes& notes, const QUuid& id, qsizetype from)
{
    for (qsizetype i = from; i < notes.size(); ++i) {
        if (notes.at(i).id == id)
            return i;
    }
    return -1;
}

} // namespace

void NoteListModel::setNotes(const ReminderNotes& notes)
{
    // Row by row, keyed by record id: a view keeps its scroll position, and only the cards whose
    // record changed are built again.
    const qsizetype countBefore = m_notes.size();
    QSet<QUuid> kept;
    kept.reserve(notes.size());
    for (const ReminderNote& note : notes)
        kept.insert(note.id);
    for (qsizetype row = m_notes.size() - 1; row >= 0; --row) {
        if (kept.contains(m_notes.at(row).id))
            continue;
        qsizetype first = row;
        while (first > 0 && !kept.contains(m_notes.at(first - 1).id))
            --first;
        beginRemoveRows({}, int(first), int(row));
        m_notes.remove(first, row - first + 1);
        endRemoveRows();
        row = first;
    }

    for (qsizetype row = 0; row < notes.size(); ++row) {
        const ReminderNote& wanted = notes.at(row);
        if (row < m_notes.size() && m_notes.at(row).id == wanted.id) {
            if (!m_notes.at(row).hasSameFields(wanted)) {
                m_notes[row] = wanted;
                emit dataChanged(index(int(row)), index(int(row)));
            }
            continue;
        }
        const qsizetype found = indexOf(m_notes, wanted.id, row + 1);
        if (found < 0) {
            beginInsertRows({}, int(row), int(row));
            m_notes.insert(row, wanted);
            endInsertRows();
            continue;
        }
        beginMoveRows({}, int(found), int(found), {}, int(row));
        m_notes.move(found, row);
        endMoveRows();
        if (!m_notes.at(row).hasSameFields(wanted)) {
            m_notes[row] = wanted;
            emit dataChanged(index(int(row)), index(int(row)));
        }
    }
    if (m_notes.size() != countBefore)
        emit countChanged();
}

int NoteListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant NoteListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ReminderNote& note = m_notes.at(index.row());
    switch (role) {
    case NoteRole:
        return QVariant::fromValue(note);
    case IdRole:
        return note.id.toString(QUuid::WithoutBraces);
    default:
        return {};
    }
}

QHash<int, QByteArray> NoteListModel::roleNames() const
{
    return { { NoteRole, "note" }, { IdRole, "noteId" } };
}
