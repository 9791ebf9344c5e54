#include "journaltext.h"

#include "remindernote.h"

namespace {

// What the file's DESCRIPTION gives back: the escape there has one kind of line break.
QString withLineFeeds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// Summary and description as another program sees them: the lines after the title when the first
// line is exactly the title, else the whole text (nothing of a long first line is lost to them).
// An empty note has neither, not the title "Neue Notiz" shown for it here.
std::pair<QString, QString> visible(const QString& text)
{
    if (text.isEmpty())
        return {};
    ReminderNote probe;
    probe.text = text;
    QString title = probe.title();
    qsizetype end = 0;
    while (end < text.size() && text.at(end) != u'\n' && text.at(end) != u'\r')
        ++end;
    if (QStringView(text).first(end) != title)
        return { std::move(title), withLineFeeds(text) };
    if (end < text.size() && text.at(end) == u'\r')
        ++end;
    if (end < text.size() && text.at(end) == u'\n')
        ++end;
    return { std::move(title), withLineFeeds(text.sliced(end)) };
}

QString plainJoin(const QString& summary, const QString& description)
{
    if (description.isEmpty())
        return summary;
    if (summary.isEmpty())
        return description;
    return summary + u'\n' + description;
}

} // namespace

namespace JournalText {

Parts split(const QString& text)
{
    auto [summary, description] = visible(text);
    const bool whole = plainJoin(summary, description) == text;
    return { std::move(summary), std::move(description), whole ? std::nullopt : std::optional(text) };
}

QString join(const QString& summary, const QString& description, const std::optional<QString>& exact)
{
    if (!exact)
        return plainJoin(summary, description);
    // Spaces at either end may be lost on the way (libical drops those at the start of a value).
    const auto [exactSummary, exactDescription] = visible(*exact);
    const bool unchanged
        = exactSummary.trimmed() == summary.trimmed() && exactDescription.trimmed() == description.trimmed();
    return unchanged ? *exact : plainJoin(summary, description);
}

} // namespace JournalText
