#include "snooze.h"

#include <QRegularExpression>

namespace Snooze {

namespace {

struct Entry {
    const char16_t* key;
    const char16_t* label;
    // 0: the next day's 09:00 instead.
    int minutes;
};

// In the order of `Choice`.
constexpr std::array<Entry, allChoices.size()> entries { {
    { u"5m", u"5 Min.", 5 },
    { u"15m", u"15 Min.", 15 },
    { u"1h", u"1 Std.", 60 },
    { u"morgen", u"Morgen, 9:00", 0 },
} };

const Entry& entry(Choice choice)
{
    return entries[std::size_t(choice)];
}

} // namespace

QString label(Choice choice)
{
    return QString::fromUtf16(entry(choice).label);
}

QString key(Choice choice)
{
    return QString::fromUtf16(entry(choice).key);
}

std::optional<Choice> choiceForKey(const QString& text)
{
    for (const Choice choice : allChoices) {
        if (key(choice) == text)
            return choice;
    }
    return std::nullopt;
}

QDateTime until(Choice choice, const QDateTime& now)
{
    if (const int minutes = entry(choice).minutes)
        return now.addSecs(minutes * 60);
    return QDateTime(now.toLocalTime().date().addDays(1), QTime(9, 0));
}

std::optional<QDateTime> parse(const QString& text, const QDateTime& now)
{
    const QString lower = text.trimmed().toLower();
    if (lower == key(Choice::TomorrowMorning))
        return until(Choice::TomorrowMorning, now);
    static const QRegularExpression span(QStringLiteral("^([1-9][0-9]{0,4})(m|min|h|std)$"));
    const QRegularExpressionMatch match = span.match(lower);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 minutes = match.captured(1).toLongLong() * (match.captured(2).startsWith(u'm') ? 1 : 60);
    // Up to a week: a longer wait is a new appointment, not a snooze.
    if (minutes > 7 * 24 * 60)
        return std::nullopt;
    return now.addSecs(minutes * 60);
}

} // namespace Snooze
