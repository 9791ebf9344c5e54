#pragma once

#include "cli.h"
#include "remindernote.h"

#include <QStringList>
#include <QUuid>

#include <variant>

class NoteStore;

/// The commands that work on records by id: `show`, `edit`, `delete`, `done` and `snooze`.
namespace IdCommands {

[[nodiscard]] bool handles(const QString& command);
[[nodiscard]] Cli::Result execute(const QStringList& args, NoteStore& store);

/// What `list` shows of an id: its first eight characters, "0D90D860".
[[nodiscard]] QString shortId(const QUuid& id);
/// The one record whose id starts with `text` (at least four characters, any case, with or
/// without braces); exit status 1 for an unknown or ambiguous start, 2 for a too short one.
[[nodiscard]] std::variant<QUuid, Cli::Result> find(const QString& text, const NoteStore& store);
/// The same among `records`, where one id may stand several times.
[[nodiscard]] std::variant<QUuid, Cli::Result> find(const QString& text, const ReminderNotes& records);

} // namespace IdCommands
