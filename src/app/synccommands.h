#pragma once

#include "cli.h"

#include <QStringList>

class NoteStore;

/// The appointments (and, when chosen, the notes) kept in step with a vdir calendar folder:
/// `sync-folder` and `sync`.
namespace SyncCommands {

[[nodiscard]] bool handles(const QString& command);
[[nodiscard]] Cli::Result execute(const QStringList& args, NoteStore& store);

} // namespace SyncCommands
