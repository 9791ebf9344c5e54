#pragma once

#include "cli.h"

#include <QStringList>

class NoteStore;

/// The terminal views: `agenda`, `termine`, `notizen`, `kalender`, and `hilfe`, the panel's help.
namespace ViewCommands {

[[nodiscard]] bool handles(const QString& command);
/// `colour` allows terminal colours in the calendar.
[[nodiscard]] Cli::Result execute(const QStringList& args, const NoteStore& store, bool colour);

} // namespace ViewCommands
