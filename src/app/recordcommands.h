#pragma once

#include "cli.h"

#include <QStringList>

class NoteStore;

/// The record commands: `list` and `add`.
namespace RecordCommands {

[[nodiscard]] bool handles(const QString& command);
/// The options of `add` that take a value.
[[nodiscard]] const QStringList& addValueOptions();
[[nodiscard]] Cli::Result execute(const QStringList& args, NoteStore& store);

} // namespace RecordCommands
