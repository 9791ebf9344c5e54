#pragma once

#include "icsreader.h"
#include "remindernote.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>

/// The terminal views for scripts: compact JSON, records as objects exactly as the data file
/// holds them. The shapes are part of the command line's interface (see the README).
namespace JsonViews {

/// {"day":"2026-12-07","label":"Heute","appointments":[…]}
[[nodiscard]] QByteArray agenda(const ReminderNotes& notes, const QDate& day, const QDateTime& now);
/// {"upcoming":[…],"today":[…],"past":[…]}, each latest first as on the "Termine" tab.
[[nodiscard]] QByteArray appointments(const ReminderNotes& notes, const QDateTime& now);
/// […], newest first.
[[nodiscard]] QByteArray plainNotes(const ReminderNotes& notes);
/// {"month":"2026-12","days":[{"day":7,"entries":"own"|"imported"|"both"},…]}, days with entries only.
[[nodiscard]] QByteArray calendar(const ReminderNotes& notes, const QDate& month);
/// A text as a JSON string, quotes included.
[[nodiscard]] QByteArray string(const QString& text);
/// The same, appended to `out`.
void appendString(QByteArray& out, QStringView text);
/// One line of `ics-parse`: {"summary":…,"description":…,"start":"…","end":"…"|null,"repeat":"…"}
void appendEvent(QByteArray& out, const ICSEvent& event);

} // namespace JsonViews
