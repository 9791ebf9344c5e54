#pragma once

#include "remindernote.h"

#include <QString>
#include <QUuid>

#include <optional>

class NoteStore;

/// The versions an exchange set aside when a record had changed on both sides, and bringing one
/// back: nothing a conflict decided is lost.
namespace SyncConflicts {

/// The versions kept aside, in the order they were set aside; none when there is no such file,
/// nothing when it cannot be read (damaged, or a folder in its place).
[[nodiscard]] std::optional<ReminderNotes> kept(const NoteStore& store);
/// Why `kept` gave nothing (German).
[[nodiscard]] QString unreadable(const NoteStore& store);

/// Puts the version of record `id` set aside last back into the store: in the record's place
/// while it exists (whose version is then kept aside in turn, so that nothing is lost), as a
/// record again where it is gone. The next exchange takes it to the other machines. An empty
/// text when done, else why not (German).
[[nodiscard]] QString bringBack(NoteStore& store, const QUuid& id);

} // namespace SyncConflicts
