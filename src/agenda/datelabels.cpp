#include "datelabels.h"

#include "germanlocale.h"

namespace {

// Which of the three named days `date` falls on, in local time: -1, 0, 1; anything else: 2.
int namedDayOffset(const QDateTime& date, const QDateTime& now)
{
    const qint64 days = now.toLocalTime().date().daysTo(date.toLocalTime().date());
    return days >= -1 && days <= 1 ? static_cast<int>(days) : 2;
}

QString dayWord(int offset)
{
    switch (offset) {
    case -1:
        return QStringLiteral("Gestern");
    case 0:
        return QStringLiteral("Heute");
    case 1:
        return QStringLiteral("Morgen");
    default:
        return {};
    }
}

bool isMidnight(const QDateTime& date)
{
    const QTime time = date.toLocalTime().time();
    return time.hour() == 0 && time.minute() == 0;
}

QString span(qint64 seconds)
{
    if (seconds < 60)
        return QStringLiteral("%1 Sek.").arg(seconds);
    const qint64 minutes = seconds / 60;
    if (minutes < 60)
        return QStringLiteral("%1 Min.").arg(minutes);
    const qint64 hours = minutes / 60;
    if (hours < 24) {
        const qint64 rest = minutes % 60;
        return rest == 0 ? QStringLiteral("%1 Std.").arg(hours)
                         : QStringLiteral("%1 Std. %2 Min.").arg(hours).arg(rest);
    }
    const qint64 days = hours / 24;
    return days == 1 ? QStringLiteral("1 Tag") : QStringLiteral("%1 Tagen").arg(days);
}

} // namespace

namespace DateLabels {

QString formatDate(const QDateTime& date, const QDateTime& now)
{
    const QDateTime local = date.toLocalTime();
    const int offset = namedDayOffset(date, now);
    if (offset != 2)
        return dayWord(offset) + QStringLiteral(", ")
            + germanLocale().toString(local, QStringLiteral("HH:mm"));
    return germanLocale().toString(local, QStringLiteral("ddd, d. MMM yyyy, HH:mm"));
}

QString formatDateOnly(const QDateTime& date, const QDateTime& now)
{
    const int offset = namedDayOffset(date, now);
    if (offset != 2)
        return dayWord(offset);
    return germanLocale().toString(date.toLocalTime(), QStringLiteral("ddd, d. MMM yyyy"));
}

QString formatDateRange(const ReminderNote& note, const QDateTime& now)
{
    const bool allDay = isMidnight(note.alarmDate) && (!note.alarmEndDate || isMidnight(*note.alarmEndDate));
    if (allDay)
        return formatDateOnly(note.alarmDate, now) + QStringLiteral(", Ganztägig");
    QString label = formatDate(note.alarmDate, now);
    if (note.alarmEndDate)
        label += QStringLiteral(" – ")
            + germanLocale().toString(note.alarmEndDate->toLocalTime(), QStringLiteral("HH:mm"));
    return label;
}

QString formatCreated(const QDateTime& date)
{
    return germanLocale().toString(date.toLocalTime(), QStringLiteral("d. MMMM yyyy"));
}

QString relativeTime(const QDateTime& date, const QDateTime& now)
{
    const qint64 seconds = now.secsTo(date);
    return seconds >= 0 ? QStringLiteral("in ") + span(seconds) : QStringLiteral("vor ") + span(-seconds);
}

} // namespace DateLabels
