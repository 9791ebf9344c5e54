#pragma once

#include "remindernote.h"

#include <QByteArray>
#include <QDateTime>
#include <QSet>
#include <QString>

/// What the export screen and the command line write, by one code path.
namespace ExportFile {

/// Replaces `path` with `bytes` in one piece (a crash never leaves half a file); false, and why
/// in `error`, when it could not.
[[nodiscard]] bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);

/// A backup: the records as in the data file, indented, keys sorted.
[[nodiscard]] QByteArray backup(const ReminderNotes& notes);

/// The ids chosen while the user has chosen nothing: everything but appointments before today.
[[nodiscard]] QSet<QUuid> defaultSelection(const ReminderNotes& notes, const QDateTime& now);

/// The records of `notes` whose id is in `ids`, in store order.
[[nodiscard]] ReminderNotes chosen(const ReminderNotes& notes, const QSet<QUuid>& ids);

/// "Zettelwerk-backup-yyyy-MM-dd.json" and "Zettelwerk-yyyy-MM-dd.ics" for the day of `now`.
[[nodiscard]] QString backupName(const QDateTime& now);
[[nodiscard]] QString icsName(const QDateTime& now);

} // namespace ExportFile
