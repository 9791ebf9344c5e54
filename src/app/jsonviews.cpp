#include "jsonviews.h"

#include "entrylists.h"
#include "minicalendar.h"
#include "notejson.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace JsonViews {

QByteArray string(const QString& text)
{
    QByteArray out;
    appendString(out, text);
    return out;
}

void appendString(QByteArray& out, QStringView text)
{
    // Qt's JSON writer turns a lone surrogate into a \u escape: such a text goes through it, every
    // other one is escaped here with the same result, without a document per string.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!text.at(i).isSurrogate())
            continue;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        const QByteArray array = QJsonDocument(QJsonArray { text.toString() }).toJson(QJsonDocument::Compact);
        out += QByteArrayView(array).sliced(1, array.size() - 2);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    out += '"';
    const char* run = utf8.constData();
    const char* const end = run + utf8.size();
    for (const char* at = run; at != end; ++at) {
        const auto c = static_cast<unsigned char>(*at);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(run, at - run);
        run = at + 1;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    out.append(run, end - run);
    out += '"';
}

void appendEvent(QByteArray& out, const ICSEvent& event)
{
    out += "{\"summary\":";
    appendString(out, event.summary);
    out += ",\"description\":";
    appendString(out, event.description);
    out += ",\"start\":\"" + NoteJson::formatDate(event.startDate).toLatin1() + "\",\"end\":";
    out += event.endDate ? '"' + NoteJson::formatDate(*event.endDate).toLatin1() + '"' : QByteArray("null");
    out += ",\"repeat\":\"" + repeatIntervalText(event.recurrenceRule).toUtf8() + "\"}\n";
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
