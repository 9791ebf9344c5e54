#pragma once

#include "remindernote.h"

#include <QDate>
#include <QMap>

/// What a calendar day holds: nothing, the user's own appointments, imported ones, or both.
enum class DayEntryType { None, Note, Event, Mixed };

/// The month grid of the "Heute" tab, Monday first.
namespace MiniCalendar {

/// Day of the month → what it holds, for the month starting at `monthStart` (day 1). Each
/// appointment marks the days its half-open range [start, end) touches, so one without an end
/// marks nothing and one ending at midnight does not mark the day that begins then.
[[nodiscard]] QMap<int, DayEntryType> dayTypes(const ReminderNotes& notes, const QDate& monthStart);

/// Empty cells before the 1st: 0 for a month starting on Monday, 6 for one starting on Sunday.
[[nodiscard]] int leadingBlanks(const QDate& monthStart);

/// "März 2025".
[[nodiscard]] QString monthYearString(const QDate& month);

/// What a screen reader says of one day: "Mittwoch, 9. Dezember, heute, ausgewählt, Termine".
[[nodiscard]] QString spokenDay(const QDate& day, bool isToday, bool isSelected, DayEntryType type);

/// The column headings.
[[nodiscard]] QStringList weekdaySymbols();

/// The selection after tapping `tapped`: the same day again clears it.
[[nodiscard]] std::optional<QDate> toggledSelection(
    const std::optional<QDate>& selected, const QDate& tapped);

} // namespace MiniCalendar
