#pragma once

#include "cli.h"
#include "remindernote.h"

#include <QStringList>

#include <variant>

class NoteStore;

namespace Cli {
class Options;
}

/// The record commands: `list` and `add`.
namespace RecordCommands {

/// One record as `list` shows it after its id: kind, time, title and, for an appointment, its marks.
[[nodiscard]] QString describe(const ReminderNote& note);

[[nodiscard]] bool handles(const QString& command);
/// The options of `add` that take a value.
[[nodiscard]] const QStringList& addValueOptions();
[[nodiscard]] Cli::Result execute(const QStringList& args, NoteStore& store);

/// The alarm settings `add` and `edit` take besides the text; checked before anything is stored.
struct AlarmOptions {
    std::optional<QDateTime> at;
    std::optional<QDateTime> until;
    std::optional<RepeatInterval> repeat;
    bool usePopup = true;
    std::optional<QString> sound;
    QString app;
    QString shell;

    /// Anything besides `--at`: these make sense for appointments only.
    [[nodiscard]] bool givesMoreThanTheTime() const;
};
/// The alarm options among `options`, each checked on its own; or why one is wrong.
[[nodiscard]] std::variant<AlarmOptions, Cli::Result> readAlarmOptions(const Cli::Options& options);

} // namespace RecordCommands
