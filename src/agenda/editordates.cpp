#include "editordates.h"

#include "germanlocale.h"

#include <QRegularExpression>

namespace {

// A wall-clock time that the spring-forward gap skips becomes the moment just after it.
QDateTime localMoment(const QDate& day, const QTime& time)
{
    const QDateTime exact(day, time);
    return exact.isValid() ? exact : day.startOfDay().addSecs(QTime(0, 0).secsTo(time));
}

} // namespace

QString EditorDates::selectedDate(const QDateTime& date, const QDateTime& now)
{
    const QDateTime local = date.toLocalTime();
    const QDate today = now.toLocalTime().date();
    QString pattern = QStringLiteral("ddd, d. MMM, HH:mm");
    if (local.date() == today)
        pattern = QStringLiteral("'Heute,' HH:mm");
    else if (local.date() == today.addDays(1))
        pattern = QStringLiteral("'Morgen,' HH:mm");
    return germanLocale().toString(local, pattern);
}

QString EditorDates::dateShort(const QDateTime& date)
{
    return germanLocale().toString(date.toLocalTime(), QStringLiteral("d. MMM, HH:mm"));
}

QString EditorDates::day(const QDateTime& date)
{
    return germanLocale().toString(date.toLocalTime(), QStringLiteral("d. MMM yyyy"));
}

QString EditorDates::time(const QDateTime& date)
{
    return date.isValid() ? germanLocale().toString(date.toLocalTime(), QStringLiteral("HH:mm")) : QString();
}

QDateTime EditorDates::oneHourLater(const QDateTime& date)
{
    const QDateTime later = date.addSecs(60 * 60);
    return later.isValid() ? later : date;
}

QDateTime EditorDates::onDay(const QDateTime& date, const QDateTime& day)
{
    return localMoment(day.toLocalTime().date(), date.toLocalTime().time());
}

std::optional<QDateTime> EditorDates::atTime(const QDateTime& date, const QString& hoursMinutes)
{
    // "14:30" and "9:5" with a colon; without one "9" is an hour, "930" and "1430" hours and minutes.
    static const QRegularExpression withColon(QStringLiteral("^\\s*(\\d{1,2})\\s*:\\s*(\\d{1,2})\\s*$"));
    static const QRegularExpression digitsOnly(QStringLiteral("^\\s*(\\d{1,2}?)(\\d{2})?\\s*$"));
    QRegularExpressionMatch match = withColon.match(hoursMinutes);
    if (!match.hasMatch())
        match = digitsOnly.match(hoursMinutes);
    if (!match.hasMatch() || match.captured(1).isEmpty())
        return std::nullopt;
    const QTime time(match.captured(1).toInt(), match.captured(2).toInt());
    if (!time.isValid())
        return std::nullopt;
    return localMoment(date.toLocalTime().date(), time);
}
