#pragma once

#include "cli.h"

#include <QStringList>

#include <optional>

class NoteStore;

/// The calendar commands: reading .ics files, the system calendars, importing and undoing imports.
namespace ImportCommands {

/// Whether `command` is one of ours.
[[nodiscard]] bool handles(const QString& command);
/// Whether the command writes the data file.
[[nodiscard]] bool changesData(const QStringList& args);
/// The file the command reads (`import FILE`, `ics-parse FILE`), when its arguments name one.
[[nodiscard]] std::optional<QString> inputFile(const QStringList& args);
/// The lines of `zettelwerk --help` for these commands.
[[nodiscard]] QString helpText();
[[nodiscard]] Cli::Result execute(const Cli::Request& request, NoteStore& store);

} // namespace ImportCommands
