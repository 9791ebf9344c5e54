#pragma once

#include "remindernote.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>

/// One appointment of our own as the one-event .ics file of a vdir calendar folder, which
/// vdirsyncer keeps in step with a CalDAV calendar, a plain note as a one-journal file (VJOURNAL:
/// title, text and creation, no day), and such a file read back.
///
/// What travels: the text, alarm and end time, repeat rule, popup, sound and sound name. What
/// never does: the application and the shell command. They stay in this machine's data file, and
/// nothing in a file is ever read as one, so a file from elsewhere cannot make this machine start
/// a program. Times are floating wall-clock times, as the .ics export writes them: a record says
/// "14:30" and means it on every machine and on both sides of a clock change, also when it repeats.
namespace SyncFile {

/// What a file says besides the record: when it was last changed, how often, and its UID as
/// written there (a file from another program keeps its own spelling; empty: the record's id).
struct Stamp {
    QDateTime modified;
    int sequence = 0;
    QString uid;
};

/// What a file brings: a record with the fields that travel (and defaults elsewhere), keyed by
/// the file's UID, and its stamp.
struct Incoming {
    ReminderNote note;
    Stamp stamp;
};

/// "<id>.ics", the name a record's file has in the folder.
[[nodiscard]] QString fileName(const QUuid& id);

/// The record id a UID names: the UID itself where it is a UUID (ours are), else a UUID derived
/// from it (a phone's "…@google.com"), the same on every machine; null for an empty UID.
[[nodiscard]] QUuid recordId(const QString& uid);

/// The file for `note`, a VEVENT for an appointment, a VJOURNAL for a plain note: lines folded at
/// 75 bytes, CR LF line ends.
[[nodiscard]] QByteArray write(const ReminderNote& note, const Stamp& stamp);

/// The first event or journal entry of `bytes`, as an appointment or a plain note; nothing when it
/// has no UID, an event no start that reads as a time, a journal entry no time
/// at all, or the bytes are not UTF-8. An event's text differing from its summary keeps both.
[[nodiscard]] std::optional<Incoming> read(QByteArrayView bytes);

/// `local` with every field that travels taken from `incoming`, its kind too; the rest stays as it
/// was (a note made elsewhere keeps the alarm settings it had here, as `edit --no-alarm` does).
[[nodiscard]] ReminderNote merged(const ReminderNote& local, const ReminderNote& incoming);

} // namespace SyncFile
