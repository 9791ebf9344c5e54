#include "icswriter.h"

#include <QLocale>

namespace IcsWriter {

QString floatingTime(const QDateTime& time)
{
    // Floating local time; C locale keeps the digits ASCII whatever the desktop's settings.
    return QLocale::c().toString(time.toLocalTime(), QStringLiteral("yyyyMMdd'T'HHmmss"));
}

QString frequency(RepeatInterval interval)
{
    switch (interval) {
    case RepeatInterval::Daily:
        return QStringLiteral("DAILY");
    case RepeatInterval::Weekly:
        return QStringLiteral("WEEKLY");
    case RepeatInterval::Monthly:
        return QStringLiteral("MONTHLY");
    case RepeatInterval::Yearly:
        return QStringLiteral("YEARLY");
    case RepeatInterval::None:
        break;
    }
    return {};
}

QString escapeSummary(const QString& text)
{
    QString escaped = text;
    // The backslash first, or the escapes added below would be doubled too.
    escaped.replace(u'\\', QStringLiteral("\\\\"));
    escaped.replace(u',', QStringLiteral("\\,"));
    escaped.replace(u';', QStringLiteral("\\;"));
    return escaped;
}

QString escapeDescription(const QString& text)
{
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\\\"));
    // A bare carriage return would end the line for many readers: every line break is one `\n`.
    escaped.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    escaped.replace(u'\r', u'\n');
    escaped.replace(u'\n', QStringLiteral("\\n"));
    escaped.replace(u',', QStringLiteral("\\,"));
    escaped.replace(u';', QStringLiteral("\\;"));
    return escaped;
}

QByteArray write(const ReminderNotes& appointments)
{
    QStringList lines { QStringLiteral("BEGIN:VCALENDAR"), QStringLiteral("VERSION:2.0"),
        QStringLiteral("PRODID:-//Zettelwerk//DE") };
    for (const ReminderNote& note : appointments) {
        if (!note.hasAlarm)
            continue;
        lines << QStringLiteral("BEGIN:VEVENT")
              << QStringLiteral("UID:%1@zettelwerk").arg(note.id.toString(QUuid::WithoutBraces).toUpper())
              << QStringLiteral("DTSTART:") + floatingTime(note.alarmDate)
              << QStringLiteral("DTEND:") + floatingTime(note.alarmDate.addSecs(3600))
              << QStringLiteral("SUMMARY:") + escapeSummary(note.title());
        const QString description = escapeDescription(note.text);
        if (!description.isEmpty())
            lines << QStringLiteral("DESCRIPTION:") + description;
        if (note.repeatInterval != RepeatInterval::None)
            lines << QStringLiteral("RRULE:FREQ=") + frequency(note.repeatInterval);
        lines << QStringLiteral("END:VEVENT");
    }
    lines << QStringLiteral("END:VCALENDAR");
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace IcsWriter
