#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

class NoteStore;

/// The headless commands of the `zettelwerk` binary: scripting, tests and the hand-over to a
/// running instance all go through `execute`, so both paths behave the same.
namespace Cli {

struct Result {
    int exitCode = 0;
    QString out;
    QString err;
};

enum class Mode { Gui, SelfTest, Help, Version, Screenshot, Command };

/// What the arguments (without the program name) ask for.
[[nodiscard]] Mode modeOf(const QStringList& args);
[[nodiscard]] QString helpText();
[[nodiscard]] QString versionText();

/// What `zettelwerk screenshot` is asked to draw.
struct ScreenshotRequest {
    QString screen;
    QString outPng;
    std::optional<QDate> day;
    std::optional<QDateTime> now;
    /// Drawn in the dark appearance.
    bool dark = false;
};
/// The screenshot command's arguments, or why they are wrong.
[[nodiscard]] std::variant<ScreenshotRequest, QString> readScreenshotRequest(const QStringList& args);

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
