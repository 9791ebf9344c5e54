#include "syncfile.h"

#include "icsreader.h"
#include "icswriter.h"
#include "journaltext.h"

#include <QLocale>
#include <QUrl>

namespace {

constexpr QByteArrayView popupName("X-ZETTELWERK-POPUP");
constexpr QByteArrayView soundName("X-ZETTELWERK-SOUND");
constexpr QByteArrayView soundNameName("X-ZETTELWERK-SOUND-NAME");
// A note's text exactly, where summary and description cannot give it back.
constexpr QByteArrayView exactTextName("X-ZETTELWERK-TEXT");

QString utcStamp(const QDateTime& time)
{
    return QLocale::c().toString(time.toUTC(), QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

QString flag(bool on)
{
    return on ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

// A content line cut into pieces of at most 75 bytes, each further piece after CR LF and a space;
// never inside a UTF-8 sequence, so every piece stays valid text.
QByteArray folded(const QString& line)
{
    const QByteArray utf8 = line.toUtf8();
    QByteArray out;
    qsizetype from = 0;
    qsizetype room = 75;
    while (utf8.size() - from > room) {
        qsizetype cut = from + room;
        while (cut > from && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80)
            --cut;
        out += utf8.sliced(from, cut - from) + "\r\n ";
        from = cut;
        room = 74;
    }
    return out + utf8.sliced(from) + "\r\n";
}

// The value of a TZID parameter among `parameters` (";A=b;TZID=x"), without quotes; empty when
// there is none. Parameter names are case-insensitive.
QByteArrayView zoneOf(QByteArrayView parameters)
{
    const qsizetype at = parameters.toByteArray().toUpper().indexOf(";TZID=");
    if (at < 0)
        return {};
    QByteArrayView value = parameters.sliced(at + 6);
    const qsizetype end = value.indexOf(';');
    if (end >= 0)
        value = value.first(end);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.sliced(1, value.size() - 2);
    return value;
}

struct Properties {
    QByteArrayView uid, summary, description, start, startZone, end, endZone, rrule, modified, sequence,
        popup, sound, soundName, created, stamp, exactText;
    bool hasDescription = false;
    bool journal = false;
};

// Reads the own properties of the first VEVENT or VJOURNAL; those of an event's alarms and of later
// components are not its own.
Properties componentProperties(const QByteArray& text)
{
    Properties found;
    int depth = 0; // 1 inside the component, more inside one of its own
    bool seen = false;
    for (qsizetype from = 0, next = 0; from < text.size(); from = next + 1) {
        next = text.indexOf('\n', from);
        if (next < 0)
            next = text.size();
        QByteArrayView trimmed(text.constData() + from, next - from);
        if (trimmed.endsWith('\r'))
            trimmed.chop(1);
        if (trimmed.startsWith("BEGIN:")) {
            if (depth > 0)
                ++depth;
            else if (!seen && trimmed == QByteArrayView("BEGIN:VEVENT"))
                depth = 1, seen = true;
            else if (!seen && trimmed == QByteArrayView("BEGIN:VJOURNAL"))
                depth = 1, seen = true, found.journal = true;
            continue;
        }
        if (trimmed.startsWith("END:")) {
            if (depth > 0 && --depth == 0)
                break;
            continue;
        }
        if (depth != 1)
            continue;
        const qsizetype colon = trimmed.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArrayView head = trimmed.first(colon);
        const QByteArrayView value = trimmed.sliced(colon + 1);
        const qsizetype semicolon = head.indexOf(';');
        const QByteArrayView name = semicolon < 0 ? head : head.first(semicolon);
        const QByteArrayView parameters = semicolon < 0 ? QByteArrayView() : head.sliced(semicolon);
        if (name == QByteArrayView("UID")) {
            found.uid = value;
        } else if (name == QByteArrayView("SUMMARY")) {
            found.summary = value;
        } else if (name == QByteArrayView("DESCRIPTION")) {
            found.description = value;
            found.hasDescription = true;
        } else if (name == QByteArrayView("DTSTART")) {
            found.start = value;
            found.startZone = zoneOf(parameters);
        } else if (name == QByteArrayView("DTEND")) {
            found.end = value;
            found.endZone = zoneOf(parameters);
        } else if (name == QByteArrayView("RRULE")) {
            found.rrule = value;
        } else if (name == QByteArrayView("LAST-MODIFIED")) {
            found.modified = value;
        } else if (name == QByteArrayView("SEQUENCE")) {
            found.sequence = value;
        } else if (name == popupName) {
            found.popup = value;
        } else if (name == soundName) {
            found.sound = value;
        } else if (name == soundNameName) {
            found.soundName = value;
        } else if (name == QByteArrayView("CREATED")) {
            found.created = value;
        } else if (name == QByteArrayView("DTSTAMP")) {
            found.stamp = value;
        } else if (name == exactTextName) {
            found.exactText = value;
        }
    }
    return found;
}

// The record's text from summary and description: the description when it begins with the
// summary as its title (as written here), else both, so that a title changed elsewhere is kept.
QString textOf(const QString& summary, const QString& description, bool hasDescription)
{
    if (!hasDescription || description.isEmpty())
        return summary;
    ReminderNote probe;
    probe.text = description;
    if (probe.title() == summary.trimmed())
        return description;
    return summary + u'\n' + description;
}

// A note: its text, and its creation from the first of the times a journal entry may carry.
std::optional<ReminderNote> journalNote(const Properties& found)
{
    std::optional<QString> exact;
    if (!found.exactText.isNull()) {
        const QByteArray decoded = QByteArray::fromPercentEncoding(found.exactText.trimmed().toByteArray());
        if (QByteArrayView(decoded).isValidUtf8())
            exact = QString::fromUtf8(decoded);
    }
    std::optional<QDateTime> created;
    for (const auto& [value, zone] : { std::pair { found.created, QByteArrayView() },
             { found.start, found.startZone }, { found.modified, {} }, { found.stamp, {} } }) {
        if ((created = parseICSDate(value, zone)))
            break;
    }
    if (!created)
        return std::nullopt;
    ReminderNote note;
    note.createdAt = *created;
    note.alarmDate = *created;
    note.text = JournalText::join(
        unescapeICSText(found.summary, false), unescapeICSText(found.description, true), exact);
    return note;
}

std::optional<ReminderNote> eventNote(const Properties& found)
{
    const auto start = parseICSDate(found.start, found.startZone);
    if (!start)
        return std::nullopt;
    ReminderNote note;
    note.createdAt = *start;
    note.hasAlarm = true;
    note.alarmDate = *start;
    if (const auto end = parseICSDate(found.end, found.endZone); end && *end >= *start)
        note.alarmEndDate = *end;
    note.repeatInterval = parseRRule(found.rrule.isNull() ? std::nullopt : std::optional(found.rrule));
    note.text = textOf(unescapeICSText(found.summary, false), unescapeICSText(found.description, true),
        found.hasDescription);
    // Written by us as TRUE or FALSE; another program leaves them out, and then the defaults hold.
    if (!found.popup.isNull())
        note.usePopup = found.popup.trimmed().compare("TRUE", Qt::CaseInsensitive) == 0;
    if (!found.sound.isNull())
        note.useSound = found.sound.trimmed().compare("TRUE", Qt::CaseInsensitive) == 0;
    if (!found.soundName.isEmpty())
        note.soundName = unescapeICSText(found.soundName, false);
    return note;
}

} // namespace

namespace SyncFile {

QString fileName(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces) + QStringLiteral(".ics");
}

QUuid recordId(const QString& uid)
{
    const QUuid id(uid);
    if (!id.isNull() || uid.isEmpty())
        return id;
    // A fixed namespace of our own, so that every machine derives the same id.
    static const QUuid space(QStringLiteral("{8d6e1a52-3c1f-4b7e-9a55-2f0d7c9e4b31}"));
    return QUuid::createUuidV5(space, uid);
}

QByteArray write(const ReminderNote& note, const Stamp& stamp)
{
    using IcsWriter::escapeDescription;
    using IcsWriter::escapeSummary;
    QStringList lines { QStringLiteral("BEGIN:VCALENDAR"), QStringLiteral("VERSION:2.0"),
        QStringLiteral("PRODID:-//Zettelwerk//DE"),
        note.hasAlarm ? QStringLiteral("BEGIN:VEVENT") : QStringLiteral("BEGIN:VJOURNAL"),
        QStringLiteral("UID:")
            + (recordId(stamp.uid) == note.id ? stamp.uid : note.id.toString(QUuid::WithoutBraces)),
        QStringLiteral("DTSTAMP:") + utcStamp(stamp.modified),
        QStringLiteral("LAST-MODIFIED:") + utcStamp(stamp.modified),
        QStringLiteral("SEQUENCE:%1").arg(stamp.sequence) };
    if (!note.hasAlarm) {
        // No DTSTART: a journal entry without a day is a note to the programs that show them.
        const JournalText::Parts parts = JournalText::split(note.text);
        lines << QStringLiteral("CREATED:") + utcStamp(note.createdAt);
        if (!parts.summary.isEmpty())
            lines << QStringLiteral("SUMMARY:") + escapeSummary(parts.summary);
        if (!parts.description.isEmpty())
            lines << QStringLiteral("DESCRIPTION:") + escapeDescription(parts.description);
        // Percent-encoded, so that no escape of any reader or writer on the way can change it.
        if (parts.exact)
            lines << QString::fromLatin1(exactTextName) + u':'
                    + QString::fromLatin1(QUrl::toPercentEncoding(*parts.exact));
        lines << QStringLiteral("END:VJOURNAL") << QStringLiteral("END:VCALENDAR");
    } else {
        lines << QStringLiteral("DTSTART:") + IcsWriter::floatingTime(note.alarmDate);
        if (note.alarmEndDate)
            lines << QStringLiteral("DTEND:") + IcsWriter::floatingTime(*note.alarmEndDate);
        lines << QStringLiteral("SUMMARY:") + escapeSummary(note.title());
        if (!note.text.isEmpty())
            lines << QStringLiteral("DESCRIPTION:") + escapeDescription(note.text);
        if (note.repeatInterval != RepeatInterval::None)
            lines << QStringLiteral("RRULE:FREQ=") + IcsWriter::frequency(note.repeatInterval);
        lines << QString::fromLatin1(popupName) + u':' + flag(note.usePopup)
              << QString::fromLatin1(soundName) + u':' + flag(note.useSound)
              << QString::fromLatin1(soundNameName) + u':' + escapeSummary(note.soundName)
              << QStringLiteral("BEGIN:VALARM") << QStringLiteral("ACTION:DISPLAY")
              << QStringLiteral("TRIGGER:PT0S")
              << QStringLiteral("DESCRIPTION:") + escapeSummary(note.title()) << QStringLiteral("END:VALARM")
              << QStringLiteral("END:VEVENT") << QStringLiteral("END:VCALENDAR");
    }
    QByteArray out;
    for (const QString& line : std::as_const(lines))
        out += folded(line);
    return out;
}

std::optional<Incoming> read(QByteArrayView bytes)
{
    if (!bytes.isValidUtf8())
        return std::nullopt;
    QByteArray text = bytes.toByteArray();
    text.replace("\r\n", "\n");
    text.replace("\n ", "").replace("\n\t", "");
    const Properties found = componentProperties(text);
    const QString uid = QString::fromUtf8(found.uid.trimmed());
    const QUuid id = recordId(uid);
    if (id.isNull())
        return std::nullopt;
    std::optional<ReminderNote> note = found.journal ? journalNote(found) : eventNote(found);
    if (!note)
        return std::nullopt;

    Incoming incoming;
    incoming.note = std::move(*note);
    incoming.note.id = id;
    if (const auto modified = parseICSDate(found.modified))
        incoming.stamp.modified = *modified;
    incoming.stamp.sequence = QByteArray(found.sequence.toByteArray()).trimmed().toInt();
    incoming.stamp.uid = uid;
    return incoming;
}

ReminderNote merged(const ReminderNote& local, const ReminderNote& incoming)
{
    ReminderNote note = local;
    note.text = incoming.text;
    if (!incoming.hasAlarm) {
        // Made a note elsewhere: the alarm's settings stay put away here, as after `edit --no-alarm`.
        note.hasAlarm = false;
        // The file keeps whole seconds; a record made here a moment ago keeps its own.
        if (local.createdAt.toSecsSinceEpoch() != incoming.createdAt.toSecsSinceEpoch())
            note.createdAt = incoming.createdAt;
        return note;
    }
    // Moved elsewhere, or made an appointment there: it rings here at its new time.
    if (!local.hasAlarm || incoming.alarmDate != local.alarmDate
        || incoming.repeatInterval != local.repeatInterval)
        note.isTriggered = false;
    note.hasAlarm = true;
    note.alarmDate = incoming.alarmDate;
    note.alarmEndDate = incoming.alarmEndDate;
    note.repeatInterval = incoming.repeatInterval;
    note.usePopup = incoming.usePopup;
    note.useSound = incoming.useSound;
    note.soundName = incoming.soundName;
    return note;
}

} // namespace SyncFile
