#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class NoteStore;

/// The headless commands of the `zettelwerk` binary: scripting, tests and the hand-over to a
/// running instance all go through `execute`, so both paths behave the same.
namespace Cli {

struct Result {
    int exitCode = 0;
    QString out;
    QString err;
};

enum class Mode { Gui, SelfTest, Help, Version, Command };

/// What the arguments (without the program name) ask for.
[[nodiscard]] Mode modeOf(const QStringList& args);
[[nodiscard]] QString helpText();
[[nodiscard]] QString versionText();

/// Commands that write the data file; while the tray app runs, it carries them out itself.
[[nodiscard]] bool changesData(const QStringList& args);
/// The same command with its file arguments made absolute, for a process with another directory.
[[nodiscard]] QStringList withAbsolutePaths(const QStringList& args);

/// Runs one command against `store`; `colour` allows terminal colours in the output.
[[nodiscard]] Result execute(const QStringList& args, NoteStore& store, bool colour = false);

/// The hand-over's wire format: one JSON line each way.
[[nodiscard]] QByteArray encodeRequest(const QStringList& args);
[[nodiscard]] QStringList decodeRequest(const QByteArray& request);
[[nodiscard]] QByteArray encodeResult(const Result& result);
[[nodiscard]] Result decodeResult(const QByteArray& answer);

} // namespace Cli
