#pragma once

#include "remindernote.h"

#include <QDateTime>

/// The German date texts of the cards. `now` decides what "Heute", "Morgen" and "Gestern" mean.
namespace DateLabels {

/// "Heute, 09:30", "Morgen, 09:30", "Gestern, 09:30" or "Mo., 3. März 2025, 09:30".
[[nodiscard]] QString formatDate(const QDateTime& date, const QDateTime& now);
/// "Heute", "Morgen", "Gestern" or "Mo., 3. März 2025".
[[nodiscard]] QString formatDateOnly(const QDateTime& date, const QDateTime& now);
/// An appointment's label: ", Ganztägig" for midnight starts (and ends), else its time and " – " end time.
[[nodiscard]] QString formatDateRange(const ReminderNote& note, const QDateTime& now);
/// A note's creation day, e.g. "5. März 2025".
[[nodiscard]] QString formatCreated(const QDateTime& date);
/// The live countdown of a card: "in 45 Sek.", "in 12 Min.", "in 2 Std. 5 Min.", "in 3 Tagen", "vor 5 Min.".
[[nodiscard]] QString relativeTime(const QDateTime& date, const QDateTime& now);

} // namespace DateLabels
