#pragma once

#include <QString>

#include <optional>

/// A plain note's text as its VJOURNAL file carries it: the title as the SUMMARY other calendar
/// programs show, the lines after it as the DESCRIPTION, and the exact text beside them only where
/// those two would not give it back (a first line longer than a title or with spaces around it,
/// an empty first line, a carriage return).
namespace JournalText {

struct Parts {
    QString summary; ///< empty only for an empty text
    QString description; ///< empty: the text is its title
    std::optional<QString> exact; ///< nothing when summary and description give the text back
};

[[nodiscard]] Parts split(const QString& text);

/// The text from what a file holds. `exact` counts only while the summary and description are
/// still those it was written with (spaces at their ends aside): an edit made in another program,
/// which knows nothing of it, wins.
[[nodiscard]] QString join(
    const QString& summary, const QString& description, const std::optional<QString>& exact);

} // namespace JournalText
