#include "entrylists.h"

#include "germanlocale.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

enum class Order { EarliestFirst, LatestFirst };

// The records that `keep` accepts, stably sorted by the time `timeOf` gives. Each time becomes
// milliseconds once: comparing QDateTimes in local time would convert them at every comparison.
template <typename TimeOf, typename Keep>
ReminderNotes sortedBy(const ReminderNotes& notes, TimeOf timeOf, Keep keep, Order order)
{
    struct Entry {
        qint64 at;
        qsizetype index;
    };
    std::vector<Entry> entries;
    for (qsizetype i = 0; i < notes.size(); ++i) {
        const ReminderNote& note = notes.at(i);
        const qint64 at = EntryLists::msecs(timeOf(note));
        if (keep(note, at))
            entries.push_back({ at, i });
    }
    if (order == Order::LatestFirst)
        std::stable_sort(
            entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.at > b.at; });
    else
        std::stable_sort(
            entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.at < b.at; });
    ReminderNotes result;
    result.reserve(qsizetype(entries.size()));
    for (const Entry& entry : entries)
        result.append(notes.at(entry.index));
    return result;
}

const QDateTime& alarmDate(const ReminderNote& note)
{
    return note.alarmDate;
}

} // namespace

namespace EntryLists {

QDateTime startOfDay(const QDate& day)
{
    return day.startOfDay();
}

qint64 msecs(const QDateTime& time)
{
    return time.isValid() ? time.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
}

ReminderNotes appointments(const ReminderNotes& notes)
{
    ReminderNotes result;
    std::copy_if(notes.cbegin(), notes.cend(), std::back_inserter(result),
        [](const ReminderNote& note) { return note.hasAlarm; });
    return result;
}

ReminderNotes todayAppointments(const ReminderNotes& notes, const QDateTime& now)
{
    const QDate today = now.toLocalTime().date();
    const qint64 from = msecs(startOfDay(today));
    const qint64 to = msecs(startOfDay(today.addDays(1)));
    return sortedBy(
        notes, alarmDate,
        [&](const ReminderNote& note, qint64 alarm) { return note.hasAlarm && alarm >= from && alarm < to; },
        Order::LatestFirst);
}

ReminderNotes futureAppointments(const ReminderNotes& notes, const QDateTime& now)
{
    const qint64 from = msecs(startOfDay(now.toLocalTime().date().addDays(1)));
    return sortedBy(
        notes, alarmDate,
        [&](const ReminderNote& note, qint64 alarm) { return note.hasAlarm && alarm >= from; },
        Order::LatestFirst);
}

ReminderNotes pastAppointments(const ReminderNotes& notes, const QDateTime& now)
{
    const qint64 to = msecs(startOfDay(now.toLocalTime().date()));
    return sortedBy(
        notes, alarmDate, [&](const ReminderNote& note, qint64 alarm) { return note.hasAlarm && alarm < to; },
        Order::LatestFirst);
}

ReminderNotes plainNotes(const ReminderNotes& notes)
{
    return sortedBy(
        notes, [](const ReminderNote& note) -> const QDateTime& { return note.createdAt; },
        [](const ReminderNote& note, qint64) { return !note.hasAlarm; }, Order::LatestFirst);
}

ReminderNotes displayDayAppointments(const ReminderNotes& notes, const QDate& day)
{
    const qint64 dayStart = msecs(startOfDay(day));
    const qint64 dayEnd = msecs(startOfDay(day.addDays(1)));
    return sortedBy(
        notes, alarmDate,
        [&](const ReminderNote& note, qint64 alarm) {
            if (!note.hasAlarm || alarm >= dayEnd)
                return false;
            return (note.alarmEndDate ? msecs(*note.alarmEndDate) : alarm) >= dayStart;
        },
        Order::EarliestFirst);
}

QString displayDayLabel(const QDate& day, const QDateTime& now)
{
    const QDate today = now.toLocalTime().date();
    if (day == today)
        return QStringLiteral("Termine heute");
    if (day == today.addDays(1))
        return QStringLiteral("Termine morgen");
    if (day == today.addDays(-1))
        return QStringLiteral("Termine gestern");
    return germanLocale().toString(day, QStringLiteral("dddd, d. MMMM"));
}

std::optional<QDateTime> newAppointmentDate(const std::optional<QDate>& selectedDay, const QDateTime& now)
{
    if (!selectedDay)
        return std::nullopt;
    const QTime time = now.toLocalTime().time();
    const QTime wallClock(time.hour(), time.minute());
    QDateTime date(*selectedDay, wallClock);
    // On the night the clocks go forward this wall-clock time may not exist; stepping a day from the
    // same time the day before moves it past the gap (02:30 becomes 03:30).
    if (!date.isValid())
        date = QDateTime(selectedDay->addDays(-1), wallClock).addDays(1);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace EntryLists
