#pragma once

#include <QDateTime>

#include <optional>

/// The editor's date texts and the date and time changes its pickers make, in local time.
namespace EditorDates {

/// "Heute, 09:30", "Morgen, 09:30" or "Mi., 9. Dez., 09:30"; `now` says which day is today.
[[nodiscard]] QString selectedDate(const QDateTime& date, const QDateTime& now);
/// "9. Dez., 09:30".
[[nodiscard]] QString dateShort(const QDateTime& date);
/// "9. Dez. 2026".
[[nodiscard]] QString day(const QDateTime& date);
/// "09:30"; empty for an invalid date.
[[nodiscard]] QString time(const QDateTime& date);

/// One hour later, or `date` itself where that cannot be computed.
[[nodiscard]] QDateTime oneHourLater(const QDateTime& date);
/// `date`'s time of day on the local day of `day`.
[[nodiscard]] QDateTime onDay(const QDateTime& date, const QDateTime& day);
/// `date`'s day at a typed time: "14:30", "9:5", "1430", "930" or an hour alone ("9"); nothing for
/// any other text.
[[nodiscard]] std::optional<QDateTime> atTime(const QDateTime& date, const QString& hoursMinutes);

} // namespace EditorDates
