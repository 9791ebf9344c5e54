#include "entrylists.h"

#include "germanlocale.h"

#include <algorithm>

namespace {

template <typename Keep> ReminderNotes filtered(const ReminderNotes& notes, Keep keep)
{
    ReminderNotes result;
    std::copy_if(notes.cbegin(), notes.cend(), std::back_inserter(result), keep);
    return result;
}

ReminderNotes latestFirst(ReminderNotes notes)
{
    std::stable_sort(notes.begin(), notes.end(),
        [](const ReminderNote& a, const ReminderNote& b) { return a.alarmDate > b.alarmDate; });
    return notes;
}

} // namespace

namespace EntryLists {

QDateTime startOfDay(const QDate& day)
{
    return day.startOfDay();
}

ReminderNotes appointments(const ReminderNotes& notes)
{
    return filtered(notes, [](const ReminderNote& note) { return note.hasAlarm; });
}

ReminderNotes todayAppointments(const ReminderNotes& notes, const QDateTime& now)
{
    const QDate today = now.toLocalTime().date();
    const QDateTime from = startOfDay(today);
    const QDateTime to = startOfDay(today.addDays(1));
    return latestFirst(filtered(notes, [&](const ReminderNote& note) {
        return note.hasAlarm && note.alarmDate >= from && note.alarmDate < to;
    }));
}

ReminderNotes futureAppointments(const ReminderNotes& notes, const QDateTime& now)
{
    const QDateTime from = startOfDay(now.toLocalTime().date().addDays(1));
    return latestFirst(
        filtered(notes, [&](const ReminderNote& note) { return note.hasAlarm && note.alarmDate >= from; }));
}

ReminderNotes pastAppointments(const ReminderNotes& notes, const QDateTime& now)
{
    const QDateTime to = startOfDay(now.toLocalTime().date());
    return latestFirst(
        filtered(notes, [&](const ReminderNote& note) { return note.hasAlarm && note.alarmDate < to; }));
}

ReminderNotes plainNotes(const ReminderNotes& notes)
{
    ReminderNotes result = filtered(notes, [](const ReminderNote& note) { return !note.hasAlarm; });
    std::stable_sort(result.begin(), result.end(),
        [](const ReminderNote& a, const ReminderNote& b) { return a.createdAt > b.createdAt; });
    return result;
}

ReminderNotes displayDayAppointments(const ReminderNotes& notes, const QDate& day)
{
    const QDateTime dayStart = startOfDay(day);
    const QDateTime dayEnd = startOfDay(day.addDays(1));
    ReminderNotes result = filtered(notes, [&](const ReminderNote& note) {
        const QDateTime end = note.alarmEndDate.value_or(note.alarmDate);
        return note.hasAlarm && note.alarmDate < dayEnd && end >= dayStart;
    });
    std::stable_sort(result.begin(), result.end(),
        [](const ReminderNote& a, const ReminderNote& b) { return a.alarmDate < b.alarmDate; });
    return result;
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
