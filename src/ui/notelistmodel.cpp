#include "notelistmodel.h"

#include "notejson.h"

void NoteListModel::setNotes(const ReminderNotes& notes)
{
    // Records have no equality of their own; their JSON form is a complete comparison.
    if (notes.size() == m_notes.size() && NoteJson::encodeCompact(notes) == NoteJson::encodeCompact(m_notes))
        return;
    const bool countChanges = notes.size() != m_notes.size();
    beginResetModel();
    m_notes = notes;
    endResetModel();
    if (countChanges)
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
