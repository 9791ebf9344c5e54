#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <variant>

class NoteStore;
class QFile;

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
/// `command`'s own lines of the help with the exit statuses; the whole help for an unknown one.
[[nodiscard]] QString usage(const QString& command);
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

/// The program's arguments as text; unlike a file, an argument has no byte-order mark, so a
/// leading U+FEFF is kept.
[[nodiscard]] QStringList argumentsFrom(int argc, const char* const* argv);

/// Commands that write the data file; while the tray app runs, it carries them out itself.
[[nodiscard]] bool changesData(const QStringList& args);
/// The same command with its path options (`--app`, `--calendar`) made absolute, for a process
/// with another working directory.
[[nodiscard]] QStringList withAbsolutePaths(const QStringList& args);

/// One command as it is carried out: its arguments and the contents of the file it reads. The
/// file is read by the process the user started, so the running app never opens a path from a
/// request (a pipe or the app's own stdin would block it).
struct Request {
    QStringList args;
    std::optional<QByteArray> input;
    /// The mapped file `input` may point into.
    std::shared_ptr<const QFile> inputPages = nullptr;
};
/// The request for `args`: paths made absolute and the input file read here; or why that file
/// cannot be read.
[[nodiscard]] std::variant<Request, Result> prepare(const QStringList& args);

/// Runs one prepared command against `store`; `colour` allows terminal colours in the output.
[[nodiscard]] Result execute(const Request& request, NoteStore& store, bool colour = false);
/// `prepare` and `execute` in this process.
[[nodiscard]] Result execute(const QStringList& args, NoteStore& store, bool colour = false);

/// The hand-over's wire format: one JSON line each way.
[[nodiscard]] QByteArray encodeRequest(const Request& request);
[[nodiscard]] Request decodeRequest(const QByteArray& request);
[[nodiscard]] QByteArray encodeResult(const Result& result);
[[nodiscard]] Result decodeResult(const QByteArray& answer);

} // namespace Cli
