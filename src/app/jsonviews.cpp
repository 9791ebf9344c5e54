#include "jsonviews.h"

#include "entrylists.h"
#include "minicalendar.h"
#include "notejson.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace JsonViews {

QByteArray string(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray { text }).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray agenda(const ReminderNotes& notes, const QDate& day, const QDateTime& now)
{
    return "{\"day\":" + string(day.toString(Qt::ISODate))
        + ",\"label\":" + string(EntryLists::displayDayLabel(day, now)) + ",\"appointments\":"
        + NoteJson::encodeCompact(EntryLists::displayDayAppointments(notes, day)) + '}';
}

QByteArray appointments(const ReminderNotes& notes, const QDateTime& now)
{
    return "{\"upcoming\":" + NoteJson::encodeCompact(EntryLists::futureAppointments(notes, now))
        + ",\"today\":" + NoteJson::encodeCompact(EntryLists::todayAppointments(notes, now))
        + ",\"past\":" + NoteJson::encodeCompact(EntryLists::pastAppointments(notes, now)) + '}';
}

QByteArray plainNotes(const ReminderNotes& notes)
{
    return NoteJson::encodeCompact(EntryLists::plainNotes(notes));
}

QByteArray calendar(const ReminderNotes& notes, const QDate& month)
{
    const QDate first(month.year(), month.month(), 1);
    QByteArrayList days;
    const QMap<int, DayEntryType> types = MiniCalendar::dayTypes(notes, first);
    for (auto day = types.cbegin(); day != types.cend(); ++day) {
        const char* entries = day.value() == DayEntryType::Note ? "own"
            : day.value() == DayEntryType::Event                ? "imported"
            : day.value() == DayEntryType::Mixed                ? "both"
                                                                : nullptr;
        if (entries)
            days.append("{\"day\":" + QByteArray::number(day.key()) + ",\"entries\":\"" + entries + "\"}");
    }
    return "{\"month\":" + string(first.toString(QStringLiteral("yyyy-MM"))) + ",\"days\":[" + days.join(',')
        + "]}";
}

} // namespace JsonViews
