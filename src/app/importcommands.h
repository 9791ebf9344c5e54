#pragma once

#include "cli.h"

#include <QStringList>

class NoteStore;

/// The calendar commands: reading .ics files, the system calendars, importing and undoing imports.
namespace ImportCommands {

/// Whether `command` is one of ours.
[[nodiscard]] bool handles(const QString& command);
/// Whether the command writes the data file.
[[nodiscard]] bool changesData(const QStringList& args);
/// The command with its file and calendar arguments made absolute, for the running app.
[[nodiscard]] QStringList withAbsolutePaths(const QStringList& args);
/// The lines of `zettelwerk --help` for these commands.
[[nodiscard]] QString helpText();
[[nodiscard]] Cli::Result execute(const QStringList& args, NoteStore& store);

} // namespace ImportCommands
