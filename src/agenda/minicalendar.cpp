#include "minicalendar.h"

#include "entrylists.h"
#include "germanlocale.h"

namespace {

DayEntryType merged(DayEntryType current, bool imported)
{
    if (imported)
        return current == DayEntryType::Note || current == DayEntryType::Mixed ? DayEntryType::Mixed
                                                                               : DayEntryType::Event;
    return current == DayEntryType::Event || current == DayEntryType::Mixed ? DayEntryType::Mixed
                                                                            : DayEntryType::Note;
}

} // namespace

namespace MiniCalendar {

QMap<int, DayEntryType> dayTypes(const ReminderNotes& notes, const QDate& monthStart)
{
    QMap<int, DayEntryType> types;
    const QDate first(monthStart.year(), monthStart.month(), 1);
    const QDateTime begin = first.startOfDay();
    const QDateTime end = first.addMonths(1).startOfDay();
    // Compared as milliseconds first: most records end before the month, start after it, or have
    // no range at all, and comparing QDateTimes in local time would convert them every time.
    const qint64 beginMs = EntryLists::msecs(begin);
    const qint64 endMs = EntryLists::msecs(end);
    for (const ReminderNote& note : notes) {
        if (!note.hasAlarm)
            continue;
        const qint64 startMs = EntryLists::msecs(note.alarmDate);
        const qint64 finishMs = note.alarmEndDate ? EntryLists::msecs(*note.alarmEndDate) : startMs;
        // An empty range marks nothing: the walk below would not take a single step.
        if (startMs >= endMs || finishMs < beginMs || finishMs <= startMs)
            continue;
        const QDateTime start = note.alarmDate;
        const QDateTime finish = note.alarmEndDate.value_or(note.alarmDate);
        const bool imported = note.isImported();
        const QDateTime rangeEnd = std::min(finish, end);
        for (QDateTime cursor = std::max(start, begin).toLocalTime(); cursor < rangeEnd;
             cursor = cursor.date().addDays(1).startOfDay()) {
            const QDate day = cursor.date();
            if (day.year() == first.year() && day.month() == first.month())
                types[day.day()] = merged(types.value(day.day(), DayEntryType::None), imported);
        }
    }
    return types;
}

int leadingBlanks(const QDate& monthStart)
{
    // Qt counts Monday as 1 and Sunday as 7.
    return QDate(monthStart.year(), monthStart.month(), 1).dayOfWeek() - 1;
}

QString monthYearString(const QDate& month)
{
    return germanLocale().toString(month, QStringLiteral("MMMM yyyy"));
}

QStringList weekdaySymbols()
{
    return { QStringLiteral("Mo"), QStringLiteral("Di"), QStringLiteral("Mi"), QStringLiteral("Do"),
        QStringLiteral("Fr"), QStringLiteral("Sa"), QStringLiteral("So") };
}

std::optional<QDate> toggledSelection(const std::optional<QDate>& selected, const QDate& tapped)
{
    if (selected == tapped)
        return std::nullopt;
    return tapped;
}

QString spokenDay(const QDate& day, bool isToday, bool isSelected, DayEntryType type)
{
    QStringList parts { germanLocale().toString(day, QStringLiteral("dddd, d. MMMM")) };
    if (isToday)
        parts.append(QStringLiteral("heute"));
    if (isSelected)
        parts.append(QStringLiteral("ausgewählt"));
    switch (type) {
    case DayEntryType::None:
        break;
    case DayEntryType::Note:
        parts.append(QStringLiteral("eigene Termine"));
        break;
    case DayEntryType::Event:
        parts.append(QStringLiteral("importierte Termine"));
        break;
    case DayEntryType::Mixed:
        parts.append(QStringLiteral("eigene und importierte Termine"));
        break;
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace MiniCalendar
