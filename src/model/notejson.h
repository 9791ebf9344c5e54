#pragma once

#include "remindernote.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

/// The JSON form of a list of records: the data file, backups and restore input.
namespace NoteJson {

/// No whitespace, keys in declaration order: the data file's layout.
[[nodiscard]] QByteArray encodeCompact(const ReminderNotes& notes);
/// The same written to `out` in pieces, so that a long list is never held whole as text; whether
/// every piece went in.
[[nodiscard]] bool writeCompact(QIODevice& out, const ReminderNotes& notes);
/// Two-space indentation, one key per line, keys sorted: the backup layout.
[[nodiscard]] QByteArray encodePretty(const ReminderNotes& notes);

/// All records of `json`, or nothing when any part of it is not valid; `error` then says why.
[[nodiscard]] std::optional<ReminderNotes> decode(const QByteArray& json, QString* error = nullptr);

/// `2025-03-01T07:30:00Z`: UTC, whole seconds.
[[nodiscard]] QString formatDate(const QDateTime& date);
/// The point in time of a string in exactly the `formatDate` layout, or nothing.
[[nodiscard]] std::optional<QDateTime> parseDate(QStringView text);

/// Whether `date` is valid and its `formatDate` text lies in years 0001 to 9999, so the file can
/// hold it and read it back.
[[nodiscard]] bool isStorable(const QDateTime& date);
/// Whether every date of `note` is storable.
[[nodiscard]] bool isStorable(const ReminderNote& note);
/// The German reason for a date that is not storable.
[[nodiscard]] QString unstorableDateReason();

} // namespace NoteJson
