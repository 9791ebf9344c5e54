#pragma once

#include "cli.h"

#include <QStringList>

#include <optional>

class NoteStore;

/// Backups and exports: `backup`, `export-ics` and `restore`.
namespace BackupCommands {

[[nodiscard]] bool handles(const QString& command);
/// The file `restore` reads, when its arguments name exactly one.
[[nodiscard]] std::optional<QString> inputFile(const QStringList& args);
[[nodiscard]] Cli::Result execute(const Cli::Request& request, NoteStore& store);

} // namespace BackupCommands
