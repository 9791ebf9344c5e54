#pragma once

#include "remindernote.h"

#include <QByteArray>
#include <QString>

/// Appointments as an iCalendar file other calendar programs import: floating local times, one
/// hour each, CR LF line ends, no byte-order mark.
namespace IcsWriter {

/// The whole document for `appointments`, in their order; records without alarm are left out.
[[nodiscard]] QByteArray write(const ReminderNotes& appointments);

/// `time` as a floating local DATE-TIME value: "20261207T143000".
[[nodiscard]] QString floatingTime(const QDateTime& time);
/// The RRULE FREQ word of `interval` ("WEEKLY"); empty for none.
[[nodiscard]] QString frequency(RepeatInterval interval);

/// `,` and `;` escaped, and a backslash doubled so that a reader gets it back as typed.
[[nodiscard]] QString escapeSummary(const QString& text);
/// As `escapeSummary`, and every line break (LF, CR LF or a lone CR) as `\n`.
[[nodiscard]] QString escapeDescription(const QString& text);

} // namespace IcsWriter
