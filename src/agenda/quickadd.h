#pragma once

#include "remindernote.h"

#include <QDateTime>
#include <QString>

#include <optional>

/// German quick add: "Zahnarzt morgen 14:30 wöchentlich" read as an appointment. Only what is
/// understood for certain counts; anything doubtful leaves the text alone and sets nothing.
///
/// Days: heute, morgen, übermorgen, weekdays ("Dienstag", "Di", "Di.", "am Dienstag", "nächsten
/// Dienstag"), "am 24.12.", "24.12.2027", "in 3 Tagen", "in 2 Wochen". Times: "14:30", "14.30",
/// "14 Uhr", "um 9", "9:15 Uhr", "halb 3", "viertel nach 8", "viertel vor 8", "mittags",
/// "abends", "in 10 Min.", "in 2 Stunden"; "morgens", "nachmittags", "abends" and "nachts" after an
/// hour place it in that part of the day. Repeats: täglich, jeden Tag, wöchentlich, jeden Montag,
/// monatlich, jährlich. Ranges: "von 10 bis 12", "10–12 Uhr".
///
/// "halb 3" to "halb 7", "viertel nach 5" and a bare "um 4" read hours 1 to 6 as the afternoon
/// (14:30, 18:30, 17:15, 16:00): nobody sets an appointment for half past two at night without
/// saying "nachts"; "halb 8" and "um 9" are the morning's. A time the clocks skip is not understood.
/// A day without a time rings at 09:00; a time without a day is its next coming: today, or
/// tomorrow once it has passed. A weekday is the next such day (today while its time is still
/// ahead), a day and month without a year the next such date. A date with a year, or "heute",
/// that has passed is not understood.
namespace QuickAdd {

struct Reading {
    /// The text without the words that were understood.
    QString title;
    QDateTime at;
    std::optional<QDateTime> until;
    RepeatInterval repeat = RepeatInterval::None;
};

/// What `text` says, as of `now`; nothing when no moment is understood for certain.
[[nodiscard]] std::optional<Reading> read(const QString& text, const QDateTime& now);
/// "Morgen, 14:30 – 15:00 · Wöchentlich": what the editor's suggestion and the command line show.
[[nodiscard]] QString describe(const Reading& reading, const QDateTime& now);

} // namespace QuickAdd
