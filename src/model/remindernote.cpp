#include "remindernote.h"

#include <QTextBoundaryFinder>

namespace {

const QString untitled = QStringLiteral("Neue Notiz");

bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

bool isSpaceOrTab(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

} // namespace

QString leadingCharacters(const QString& text, int count)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    int seen = 0;
    while (seen < count && graphemes.toNextBoundary() != -1)
        ++seen;
    return seen < count ? text : text.left(graphemes.position());
}

QString repeatIntervalText(RepeatInterval interval)
{
    switch (interval) {
    case RepeatInterval::None:
        return QStringLiteral("Keine");
    case RepeatInterval::Daily:
        return QStringLiteral("Täglich");
    case RepeatInterval::Weekly:
        return QStringLiteral("Wöchentlich");
    case RepeatInterval::Monthly:
        return QStringLiteral("Monatlich");
    case RepeatInterval::Yearly:
        return QStringLiteral("Jährlich");
    }
    return {};
}

std::optional<RepeatInterval> repeatIntervalFromText(const QString& text)
{
    for (const RepeatInterval interval : allRepeatIntervals) {
        if (repeatIntervalText(interval) == text)
            return interval;
    }
    return std::nullopt;
}

ReminderNote ReminderNote::create(const QDateTime& now)
{
    ReminderNote note;
    note.id = QUuid::createUuid();
    note.createdAt = now;
    note.alarmDate = now;
    return note;
}

QString alarmText(const QString& text, int count)
{
    return text.isEmpty() ? untitled : leadingCharacters(text, count);
}

QString ReminderNote::title() const
{
    qsizetype end = 0;
    while (end < text.size() && !isLineBreak(text.at(end)))
        ++end;
    qsizetype begin = 0;
    while (begin < end && isSpaceOrTab(text.at(begin)))
        ++begin;
    while (end > begin && isSpaceOrTab(text.at(end - 1)))
        --end;
    if (begin == end)
        return untitled;

    return leadingCharacters(text.mid(begin, end - begin), 50);
}

bool ReminderNote::hasSameFields(const ReminderNote& other) const
{
    return id == other.id && text == other.text && createdAt == other.createdAt && hasAlarm == other.hasAlarm
        && alarmDate == other.alarmDate && repeatInterval == other.repeatInterval
        && usePopup == other.usePopup && useSound == other.useSound && soundName == other.soundName
        && isTriggered == other.isTriggered && launchAppPath == other.launchAppPath
        && shellScript == other.shellScript && alarmEndDate == other.alarmEndDate
        && importSource == other.importSource && importBatchId == other.importBatchId
        && snoozeDate == other.snoozeDate;
}
