#include "icsreader.h"

#include "timezonename.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace {

constexpr QByteArrayView beginEvent("BEGIN:VEVENT");
constexpr QByteArrayView endEvent("END:VEVENT");
constexpr qint64 secondsPerDay = 86400;

// Removes every occurrence of `pattern` from left to right, as one pass of a literal
// replace-all; what a removal joins is not looked at again. Every pattern here holds one line
// feed and cannot overlap itself, so a line feed is the place to look.
void removeAll(QByteArray& text, QByteArrayView pattern)
{
    const qsizetype lineFeed = pattern.indexOf('\n');
    char* data = text.data();
    const qsizetype size = text.size();
    qsizetype read = 0;
    qsizetype write = 0;
    qsizetype scan = lineFeed;
    while (scan < size) {
        const auto* hit = static_cast<const char*>(std::memchr(data + scan, '\n', size_t(size - scan)));
        if (!hit)
            break;
        const qsizetype start = (hit - data) - lineFeed;
        if (start + pattern.size() <= size
            && std::memcmp(data + start, pattern.data(), pattern.size()) == 0) {
            std::memmove(data + write, data + read, size_t(start - read));
            write += start - read;
            read = start + pattern.size();
            scan = read + lineFeed;
        } else {
            scan = (hit - data) + 1;
        }
    }
    if (read == 0)
        return;
    std::memmove(data + write, data + read, size_t(size - read));
    text.truncate(write + size - read);
}

// The length of the line break at `at`, 0 when there is none: LF, VT, FF, CR, NEL, LS and PS.
inline int lineBreakLength(const unsigned char* data, qsizetype at, qsizetype size)
{
    const unsigned char c = data[at];
    if (c >= 0x0A && c <= 0x0D)
        return 1;
    if (c == 0xC2)
        return at + 1 < size && data[at + 1] == 0x85 ? 2 : 0;
    if (c == 0xE2)
        return at + 2 < size && data[at + 1] == 0x80 && (data[at + 2] == 0xA8 || data[at + 2] == 0xA9) ? 3
                                                                                                       : 0;
    return 0;
}

// The bytes that may begin a line break; everything else is skipped with one table look-up.
struct BreakStarts {
    bool table[256] {};
    constexpr BreakStarts()
    {
        for (int c = 0x0A; c <= 0x0D; ++c)
            table[c] = true;
        table[0xC2] = true;
        table[0xE2] = true;
    }
};
constexpr BreakStarts breakStarts;

// The TZID parameter among `parameters` (";A=b;TZID=x"), without quotes; empty when absent.
QByteArrayView timeZoneParameter(QByteArrayView parameters)
{
    while (!parameters.isEmpty()) {
        parameters = parameters.sliced(1); // the semicolon
        const qsizetype next = parameters.indexOf(';');
        QByteArrayView parameter = next < 0 ? parameters : parameters.first(next);
        if (parameter.size() > 5 && qstrnicmp(parameter.data(), "TZID=", 5) == 0) {
            parameter = parameter.sliced(5);
            if (parameter.size() >= 2 && parameter.front() == '"' && parameter.back() == '"')
                parameter = parameter.sliced(1, parameter.size() - 2);
            return parameter;
        }
        parameters = next < 0 ? QByteArrayView() : parameters.sliced(next);
    }
    return {};
}

// Reads one property line into `map`; lines without a name, colon and value are skipped.
void readProperty(QByteArrayView line, ICSPropertyMap& map)
{
    qsizetype from = 0;
    while (from < line.size() && line[from] == ':')
        ++from;
    const qsizetype colon = line.indexOf(':', from);
    if (colon < 0 || colon + 1 == line.size())
        return;
    const QByteArrayView value = line.sliced(colon + 1);
    const QByteArrayView namePart = line.sliced(from, colon - from);
    const qsizetype semicolon = namePart.indexOf(';');
    const QByteArrayView name = semicolon < 0 ? namePart : namePart.first(semicolon);
    const QByteArrayView parameters = semicolon < 0 ? QByteArrayView() : namePart.sliced(semicolon);

    // By length first: most lines are of properties that are not read.
    switch (name.size()) {
    case 5:
        if (name == QByteArrayView("DTEND")) {
            map.end = value;
            map.endTimeZone = timeZoneParameter(parameters);
        } else if (name == QByteArrayView("RRULE")) {
            map.rrule = value;
        }
        break;
    case 7:
        if (name == QByteArrayView("SUMMARY")) {
            map.summary = value;
        } else if (name == QByteArrayView("DTSTART")) {
            map.start = value;
            map.startTimeZone = timeZoneParameter(parameters);
        }
        break;
    case 11:
        if (name == QByteArrayView("DESCRIPTION"))
            map.description = value;
        break;
    default:
        break;
    }
}

// QString::fromUtf8 drops a leading byte-order mark; inside a file it is text like any other,
// however many follow one another.
QString decoded(QByteArrayView utf8)
{
    if (!utf8.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(utf8);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(utf8);
}

// Text escapes undone in one pass: \\ \, \; always, \n and \N only where line breaks belong.
QString unescape(QByteArrayView raw, bool lineBreaks)
{
    qsizetype backslash = raw.indexOf('\\');
    if (backslash < 0)
        return decoded(raw);
    // One buffer for every value of a file: a calendar of thousands of events would otherwise
    // allocate, and fault in, a fresh one for each.
    thread_local QByteArray out;
    out.resize(0);
    out.reserve(raw.size());
    qsizetype from = 0;
    while (backslash >= 0 && backslash + 1 < raw.size()) {
        const char next = raw[backslash + 1];
        const bool plain = next == '\\' || next == ',' || next == ';';
        if (!plain && !(lineBreaks && (next == 'n' || next == 'N'))) {
            backslash = raw.indexOf('\\', backslash + 1); // kept as it is
            continue;
        }
        out.append(raw.sliced(from, backslash - from));
        out.append(plain ? next : '\n');
        from = backslash + 2;
        backslash = raw.indexOf('\\', from);
    }
    out.append(raw.sliced(from));
    QString text = decoded(out);
    if (out.capacity() > 64 * 1024)
        out.clear(); // a rare long value is not held on to
    return text;
}

bool readDigits(const char* text, int count, int& out)
{
    out = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

// Wall-clock times of one file to instants. Most days have no clock change, so the start of
// each day is looked up once per zone and the time of day added to it.
class WallClock {
public:
    std::optional<QDateTime> dateTime(QByteArrayView value, QByteArrayView zoneId);

private:
    struct Zone {
        std::optional<QTimeZone> zone; // none: the local zone
        QHash<qint64, qint64> dayStarts; // Julian day → seconds since the epoch
    };

    Zone& zoneFor(QByteArrayView id);
    qint64 dayStart(Zone& zone, const QDate& day);
    qint64 instant(Zone& zone, const QDate& day, int secondsOfDay);

    Zone m_local;
    QHash<QByteArray, Zone> m_zones;
};

WallClock::Zone& WallClock::zoneFor(QByteArrayView id)
{
    if (id.isEmpty())
        return m_local;
    const QByteArray key = id.toByteArray();
    auto found = m_zones.find(key);
    if (found != m_zones.end())
        return *found;
    Zone zone;
    zone.zone = namedTimeZone(id);
    return *m_zones.insert(key, zone);
}

qint64 WallClock::dayStart(Zone& zone, const QDate& day)
{
    const auto found = zone.dayStarts.constFind(day.toJulianDay());
    if (found != zone.dayStarts.cend())
        return *found;
    const QDateTime start = zone.zone ? day.startOfDay(*zone.zone) : day.startOfDay();
    return *zone.dayStarts.insert(day.toJulianDay(), start.toSecsSinceEpoch());
}

qint64 WallClock::instant(Zone& zone, const QDate& day, int secondsOfDay)
{
    const qint64 start = dayStart(zone, day);
    if (dayStart(zone, day.addDays(1)) - start == secondsPerDay)
        return start + secondsOfDay;
    // A day with a clock change. Counting from midnight finds the first of a time that happens
    // twice (the summer one, as RFC 5545 wants) and puts a time the clocks skip after the change.
    const qint64 counted = start + secondsOfDay;
    const QTime time = QTime::fromMSecsSinceStartOfDay(secondsOfDay * 1000);
    const QDateTime countedWallClock = zone.zone ? QDateTime::fromSecsSinceEpoch(counted, *zone.zone)
                                                 : QDateTime::fromSecsSinceEpoch(counted, Qt::LocalTime);
    if (countedWallClock.date() == day && countedWallClock.time() == time)
        return counted;
    const QDateTime wallClock = zone.zone ? QDateTime(day, time, *zone.zone) : QDateTime(day, time);
    return wallClock.isValid() ? wallClock.toSecsSinceEpoch() : counted;
}

std::optional<QDateTime> WallClock::dateTime(QByteArrayView value, QByteArrayView zoneId)
{
    const qsizetype size = value.size();
    if (size != 8 && size != 15 && size != 16)
        return std::nullopt;
    const char* text = value.data();
    int year = 0;
    int month = 0;
    int day = 0;
    if (!readDigits(text, 4, year) || !readDigits(text + 4, 2, month) || !readDigits(text + 6, 2, day)
        || !QDate::isValid(year, month, day))
        return std::nullopt;
    const QDate date(year, month, day);
    if (size == 8) // a whole day starts at local midnight, whatever zone is named
        return QDateTime::fromSecsSinceEpoch(dayStart(m_local, date), Qt::UTC);

    int hour = 0;
    int minute = 0;
    int second = 0;
    if (text[8] != 'T' || !readDigits(text + 9, 2, hour) || !readDigits(text + 11, 2, minute)
        || !readDigits(text + 13, 2, second) || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const int secondsOfDay = (hour * 60 + minute) * 60 + second;
    if (size == 16) {
        if (text[15] != 'Z')
            return std::nullopt;
        return QDateTime(date, QTime(hour, minute, second), Qt::UTC);
    }
    return QDateTime::fromSecsSinceEpoch(instant(zoneFor(zoneId), date, secondsOfDay), Qt::UTC);
}

std::optional<ICSEvent> buildEvent(const ICSPropertyMap& properties, WallClock& clock)
{
    if (!properties.start)
        return std::nullopt;
    const auto start = clock.dateTime(*properties.start, properties.startTimeZone);
    if (!start)
        return std::nullopt;
    ICSEvent event;
    event.summary = properties.summary ? unescape(*properties.summary, false) : QStringLiteral("Importiert");
    if (properties.description)
        event.description = unescape(*properties.description, true);
    event.startDate = *start;
    if (properties.end)
        event.endDate = clock.dateTime(*properties.end, properties.endTimeZone);
    event.recurrenceRule = parseRRule(properties.rrule);
    return event;
}

// The length of the fold (a line break and one space or tab) at `at`, 0 when there is none.
inline int foldLength(const unsigned char* data, qsizetype at, qsizetype size)
{
    const auto blank = [&](qsizetype i) { return i < size && (data[i] == ' ' || data[i] == '\t'); };
    if (data[at] == '\r' && at + 1 < size && data[at + 1] == '\n')
        return blank(at + 2) ? 3 : 0;
    return data[at] == '\n' && blank(at + 1) ? 2 : 0;
}

enum class Folds { UnfoldAsRead, AlreadyRemoved };

// The events of `text`, line by line. Unfolding as it reads copies only the lines that hold a
// fold; nothing when a fold follows an empty line, where that would read differently.
std::optional<QList<ICSEvent>> readEvents(QByteArrayView text, Folds folds)
{
    WallClock clock;
    QList<ICSEvent> events;
    // Counted first: growing a list of tens of thousands would move and copy it again and again.
    events.reserve(text.count(beginEvent));
    std::optional<ICSPropertyMap> open;
    QList<QByteArray> unfolded; // the open event's folded lines, which its map points into
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    const qsizetype size = text.size();
    qsizetype lineStart = 0;
    while (true) {
        qsizetype end = lineStart;
        int breakLength = 0;
        QByteArray joined;
        qsizetype pieceStart = lineStart;
        for (; end < size; ++end) {
            if (!breakStarts.table[data[end]] || (breakLength = lineBreakLength(data, end, size)) == 0)
                continue;
            const int fold = folds == Folds::UnfoldAsRead ? foldLength(data, end, size) : 0;
            if (fold == 0)
                break;
            if (end == lineStart && lineStart > 0
                && (data[lineStart - 1] == '\n' || data[lineStart - 1] == '\r'))
                return std::nullopt;
            if (joined.isNull())
                joined.reserve(2 * (end - lineStart) + 64);
            joined.append(text.sliced(pieceStart, end - pieceStart));
            pieceStart = end + fold;
            end += fold - 1;
            breakLength = 0;
        }
        QByteArrayView line = text.sliced(pieceStart, end - pieceStart);
        if (pieceStart != lineStart) {
            joined.append(line);
            unfolded.append(joined);
            line = unfolded.constLast();
        }
        if (line == beginEvent) {
            open.emplace();
            unfolded.clear();
        } else if (open && line == endEvent) {
            if (auto event = buildEvent(*open, clock))
                events.append(std::move(*event));
            open.reset();
            unfolded.clear();
        } else if (open) {
            readProperty(line, *open);
        } else {
            unfolded.clear();
        }
        if (end >= size)
            break;
        lineStart = end + breakLength;
    }
    return events;
}

} // namespace

QList<ICSEvent> parseICS(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseICSData(file.readAll());
}

QList<ICSEvent> parseICSData(QByteArrayView bytes)
{
    if (!bytes.isValidUtf8())
        return {};
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    std::optional<QList<ICSEvent>> events = readEvents(bytes, Folds::UnfoldAsRead);
    if (!events) {
        // A fold right after an empty line: removing the folds one kind after another, as this
        // reader always has, can join what is left into new line breaks, which only the literal
        // passes over a copy reproduce.
        QByteArray text = bytes.toByteArray();
        for (const QByteArrayView fold : { "\r\n ", "\r\n\t", "\n ", "\n\t" })
            removeAll(text, fold);
        events = readEvents(text, Folds::AlreadyRemoved);
    }

    // Sorted by instant; equal starts keep their order in the file.
    QList<std::pair<qint64, qsizetype>> order;
    order.reserve(events->size());
    for (qsizetype i = 0; i < events->size(); ++i)
        order.append({ events->at(i).startDate.toMSecsSinceEpoch(), i });
    if (std::is_sorted(order.cbegin(), order.cend()))
        return std::move(*events); // as most exports are: no second list
    std::sort(order.begin(), order.end());
    QList<ICSEvent> sorted;
    sorted.reserve(events->size());
    for (const auto& [start, index] : order)
        sorted.append(std::move((*events)[index]));
    return sorted;
}

QString unescapeICSText(QByteArrayView raw, bool lineBreaks)
{
    return unescape(raw, lineBreaks);
}

std::optional<ICSEvent> buildICSEvent(const ICSPropertyMap& properties)
{
    WallClock clock;
    return buildEvent(properties, clock);
}

std::optional<QDateTime> parseICSDate(QByteArrayView value, QByteArrayView timeZoneId)
{
    WallClock clock;
    return clock.dateTime(value, timeZoneId);
}

RepeatInterval parseRRule(std::optional<QByteArrayView> value)
{
    if (!value)
        return RepeatInterval::None;
    for (const auto& [word, interval] : {
             std::pair { "FREQ=DAILY", RepeatInterval::Daily },
             std::pair { "FREQ=WEEKLY", RepeatInterval::Weekly },
             std::pair { "FREQ=MONTHLY", RepeatInterval::Monthly },
             std::pair { "FREQ=YEARLY", RepeatInterval::Yearly },
         }) {
        if (value->contains(word))
            return interval;
    }
    return RepeatInterval::None;
}
