#pragma once

#include "remindernote.h"

#include <QDate>
#include <QDateTime>

/// The lists of the panel's three tabs, derived from the store's records at a given moment.
/// Day boundaries are local midnights and half-open: a day includes its midnight, not the next.
namespace EntryLists {

[[nodiscard]] QDateTime startOfDay(const QDate& day);
/// Milliseconds since the epoch, an invalid time the earliest of all, as QDateTime orders them.
/// The lists compare these: a QDateTime in local time is converted again at every comparison.
[[nodiscard]] qint64 msecs(const QDateTime& time);

/// Every appointment, in store order.
[[nodiscard]] ReminderNotes appointments(const ReminderNotes& notes);
/// Appointments from today's midnight up to (not including) tomorrow's, latest first.
[[nodiscard]] ReminderNotes todayAppointments(const ReminderNotes& notes, const QDateTime& now);
/// Appointments from tomorrow's midnight on, latest first.
[[nodiscard]] ReminderNotes futureAppointments(const ReminderNotes& notes, const QDateTime& now);
/// Appointments before today's midnight, latest first.
[[nodiscard]] ReminderNotes pastAppointments(const ReminderNotes& notes, const QDateTime& now);
/// Plain notes, newest first.
[[nodiscard]] ReminderNotes plainNotes(const ReminderNotes& notes);

/// Appointments that touch `day` (from their start up to their end, both days included), earliest first.
[[nodiscard]] ReminderNotes displayDayAppointments(const ReminderNotes& notes, const QDate& day);
/// "Termine heute", "Termine morgen", "Termine gestern" or e.g. "Montag, 24. März".
[[nodiscard]] QString displayDayLabel(const QDate& day, const QDateTime& now);

/// The alarm time of a new appointment on `selectedDay`: that day at the current hour and minute.
[[nodiscard]] std::optional<QDateTime> newAppointmentDate(
    const std::optional<QDate>& selectedDay, const QDateTime& now);

} // namespace EntryLists
