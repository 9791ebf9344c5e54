#pragma once

#include "cli.h"

#include <QIODevice>
#include <QString>

#include <optional>

/// The commands whose output can be larger than the data file, written piece by piece as they are
/// made: `list --json` of a large file would otherwise hold the records, the document and its text
/// at once.
namespace CliStream {

/// Runs `request` with its output going to `out` in pieces, when it is `list --json` or
/// `ics-parse FILE` as typed without options; the exit status, the same bytes as the ordinary run.
/// Nothing for every other command, and for a data file that is missing, empty or unreadable: the
/// ordinary run then answers with its reasons.
[[nodiscard]] std::optional<int> run(
    const Cli::Request& request, const QString& dataFilePath, QIODevice& out);

} // namespace CliStream
