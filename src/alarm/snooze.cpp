#include "snooze.h"

#include <QRegularExpression>

namespace Snooze {

QString label(Choice choice)
{
    switch (choice) {
    case Choice::FiveMinutes:
        return QStringLiteral("5 Min.");
    case Choice::FifteenMinutes:
        return QStringLiteral("15 Min.");
    case Choice::OneHour:
        return QStringLiteral("1 Std.");
    case Choice::TomorrowMorning:
        return QStringLiteral("Morgen, 9:00");
    }
    return {};
}

QString key(Choice choice)
{
    switch (choice) {
    case Choice::FiveMinutes:
        return QStringLiteral("5m");
    case Choice::FifteenMinutes:
        return QStringLiteral("15m");
    case Choice::OneHour:
        return QStringLiteral("1h");
    case Choice::TomorrowMorning:
        return QStringLiteral("morgen");
    }
    return {};
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
    switch (choice) {
    case Choice::FiveMinutes:
        return now.addSecs(5 * 60);
    case Choice::FifteenMinutes:
        return now.addSecs(15 * 60);
    case Choice::OneHour:
        return now.addSecs(60 * 60);
    case Choice::TomorrowMorning:
        return QDateTime(now.toLocalTime().date().addDays(1), QTime(9, 0));
    }
    return now;
}

std::optional<QDateTime> parse(const QString& text, const QDateTime& now)
{
    const QString lower = text.trimmed().toLower();
    if (lower == key(Choice::TomorrowMorning))
        return until(Choice::TomorrowMorning, now);
    // Up to a week: a longer wait is a new appointment, not a snooze.
    static const QRegularExpression span(QStringLiteral("^([1-9][0-9]{0,4})(m|min|h|std)$"));
    const QRegularExpressionMatch match = span.match(lower);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 minutes = match.captured(1).toLongLong() * (match.captured(2).startsWith(u'm') ? 1 : 60);
    if (minutes > 7 * 24 * 60)
        return std::nullopt;
    return now.addSecs(minutes * 60);
}

} // namespace Snooze
