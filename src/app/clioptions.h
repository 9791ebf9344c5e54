#pragma once

#include "cli.h"
#include "notestore.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <QDateTime>

#include <optional>
#include <variant>

namespace Cli {

/// A command that could not be carried out: exit status 1 and the reason on stderr.
[[nodiscard]] inline Result failed(const QString& reason)
{
    return { 1, {}, reason + QLatin1Char('\n') };
}

/// A command carried out: exit status 0 and `text` as a line on stdout (nothing when empty).
[[nodiscard]] inline Result succeeded(const QString& text)
{
    return { 0, text.isEmpty() ? QString() : text + QLatin1Char('\n'), {} };
}

/// What every command that changes data answers when the store could not write the file.
[[nodiscard]] inline Result saveFailed(const NoteStore& store)
{
    return failed(QStringLiteral("Die Daten konnten nicht gespeichert werden: %1").arg(store.saveError()));
}

/// A command typed wrongly (unknown command or option, missing or extra argument): exit status 2.
[[nodiscard]] inline Result misused(const QString& reason)
{
    return { 2, {}, reason + QLatin1Char('\n') };
}

/// How the command line writes a local time: "2026-12-07 14:30".
inline const QString dateInputFormat = QStringLiteral("yyyy-MM-dd HH:mm");

/// A local wall-clock time in `dateInputFormat`, or why the text is not one (also a time the clocks
/// skip).
[[nodiscard]] std::variant<QDateTime, QString> parseLocalTime(const QString& text);

/// Reads `--name value` pairs and `--flag`s around the positional arguments; unknown options are an
/// error. Anything that starts with "-" is an option, so that a mistyped option never becomes a
/// file name or a note's text; after "--" every argument is positional.
class Options {
public:
    Options(
        const QStringList& args, qsizetype first, const QStringList& known, const QStringList& flags = {});

    /// Whether `--help` or `-h` stands among a command's options (before any "--").
    [[nodiscard]] static bool asksForHelp(const QStringList& args);

    /// Why the arguments are wrong; empty when they are not.
    [[nodiscard]] const QString& error() const { return m_error; }
    [[nodiscard]] bool flag(const QString& name) const { return m_flags.contains(name); }
    [[nodiscard]] const QStringList& positional() const { return m_positional; }
    [[nodiscard]] std::optional<QString> value(const QString& name) const
    {
        const auto found = m_values.constFind(name);
        return found == m_values.cend() ? std::nullopt : std::optional(*found);
    }

private:
    QStringList m_positional;
    QStringList m_flags;
    QHash<QString, QString> m_values;
    QString m_error;
};

} // namespace Cli
