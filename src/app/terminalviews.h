#pragma once

#include "remindernote.h"

#include <QDate>
#include <QDateTime>

/// The panel's tabs as plain text, for people who live in a terminal and for scripts.
/// Each takes the moment to evaluate at, so a view can be shown "as if it were" another time.
namespace TerminalViews {

/// The "Heute" tab's list: the day's heading, then "<date label>\t<title>" per appointment.
[[nodiscard]] QString agenda(const ReminderNotes& notes, const QDate& day, const QDateTime& now);
/// The "Termine" tab: "Kommende", "Heute" and "Vergangen" sections, latest first.
[[nodiscard]] QString appointments(const ReminderNotes& notes, const QDateTime& now);
/// The "Notizen" tab: "<creation day>\t<title>", newest first.
[[nodiscard]] QString plainNotes(const ReminderNotes& notes);
/// The month grid with a marker after each day: "*" own, "+" imported, "#" both; optionally coloured.
[[nodiscard]] QString calendar(const ReminderNotes& notes, const QDate& month, bool colour);

} // namespace TerminalViews
