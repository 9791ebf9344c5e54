#include "timelinemodel.h"

namespace {

// Headers and the divider are rows of their own, held as empty records with ids of their own, so
// the row-by-row update keeps them in place like any card.
const QUuid futureHeaderId { 0x5a1b0001, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1 };
const QUuid todayDividerId { 0x5a1b0001, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2 };
const QUuid pastHeaderId { 0x5a1b0001, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3 };

ReminderNote marker(const QUuid& id)
{
    ReminderNote note;
    note.id = id;
    return note;
}

} // namespace

void TimelineModel::setLists(
    const ReminderNotes& future, const ReminderNotes& today, const ReminderNotes& past)
{
    ReminderNotes rows;
    rows.reserve(future.size() + today.size() + past.size() + 3);
    if (!future.isEmpty())
        rows.append(marker(futureHeaderId));
    rows.append(future);
    rows.append(marker(todayDividerId));
    rows.append(today);
    if (!past.isEmpty())
        rows.append(marker(pastHeaderId));
    rows.append(past);
    setNotes(rows);
    const int todayRow = future.isEmpty() ? 0 : int(future.size()) + 1;
    if (todayRow != m_todayRow) {
        m_todayRow = todayRow;
        emit todayRowChanged();
    }
}

QVariant TimelineModel::data(const QModelIndex& index, int role) const
{
    if (role != KindRole)
        return NoteListModel::data(index, role);
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QUuid& id = notes().at(index.row()).id;
    if (id == futureHeaderId)
        return QStringLiteral("future");
    if (id == todayDividerId)
        return QStringLiteral("today");
    if (id == pastHeaderId)
        return QStringLiteral("past");
    return QStringLiteral("appointment");
}

QHash<int, QByteArray> TimelineModel::roleNames() const
{
    QHash<int, QByteArray> names = NoteListModel::roleNames();
    names.insert(KindRole, "kind");
    return names;
}
