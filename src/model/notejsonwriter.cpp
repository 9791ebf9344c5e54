#include "notejsonwriter.h"

#include "notejsonkeys.h"

#include <QDate>
#include <QSysInfo>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using namespace NoteJsonKeys;

constexpr std::array<int, Count> sortedKeys = [] {
    std::array<int, Count> keys {};
    for (int key = 0; key < Count; ++key)
        keys[std::size_t(key)] = key;
    std::sort(
        keys.begin(), keys.end(), [](int a, int b) { return names[std::size_t(a)] < names[std::size_t(b)]; });
    return keys;
}();

constexpr std::array<bool, 128> needsEscape = [] {
    std::array<bool, 128> escape {};
    for (std::size_t c = 0; c < 0x20; ++c)
        escape[c] = true;
    escape['"'] = escape['\\'] = escape['/'] = true;
    return escape;
}();

// What goes before each value: the record's opening or the separator, then the key and its
// colon; padded so that it is copied as one block of fixed size (the buffer always has room).
struct Prefix {
    std::array<char, 32> text {};
    qsizetype size = 0;
};

std::array<Prefix, Count> prefixes(bool pretty)
{
    std::array<Prefix, Count> result;
    for (int key = 0; key < Count; ++key) {
        const bool first = key == (pretty ? sortedKeys[0] : 0);
        std::string text = first ? (pretty ? "  {\n" : "{") : (pretty ? ",\n" : ",");
        text += pretty ? "    \"" : "\"";
        text += names[std::size_t(key)];
        text += pretty ? "\" : " : "\":";
        Prefix& prefix = result[std::size_t(key)];
        std::memcpy(prefix.text.data(), text.data(), text.size());
        prefix.size = qsizetype(text.size());
    }
    return result;
}

const std::array<Prefix, Count> compactPrefixes = prefixes(false);
const std::array<Prefix, Count> prettyPrefixes = prefixes(true);

// Of four UTF-16 units in one word, those that are not printable ASCII to copy as they are. Only
// the lowest mark is certain (a borrow may mark the unit above), which is all the caller looks at.
constexpr quint64 unitsNeedingWork(quint64 v)
{
    constexpr quint64 lanes = 0x0001000100010001ULL;
    constexpr quint64 laneHighs = 0x8000800080008000ULL;
    const auto zeroUnits = [](quint64 x) { return (x - lanes) & ~x & laneHighs; };
    const quint64 wide = v & 0xFF80FF80FF80FF80ULL;
    const quint64 control = (v - lanes * 0x20) & ~v & laneHighs;
    return wide | control | zeroUnits(v ^ (lanes * '"')) | zeroUnits(v ^ (lanes * '\\'))
        | zeroUnits(v ^ (lanes * '/'));
}

// The longest text any one UTF-16 unit turns into: `\u001f`.
constexpr qsizetype maxBytesPerUnit = 6;
// Keys, punctuation, indentation, booleans, dates and the id of one record, generously.
constexpr qsizetype recordOverhead = 1024;

char* escaped(char* out, char16_t c)
{
    *out++ = '\\';
    switch (c) {
    case '"':
    case '\\':
    case '/':
        *out++ = char(c);
        return out;
    case '\b':
        *out++ = 'b';
        return out;
    case '\f':
        *out++ = 'f';
        return out;
    case '\n':
        *out++ = 'n';
        return out;
    case '\r':
        *out++ = 'r';
        return out;
    case '\t':
        *out++ = 't';
        return out;
    default:
        static constexpr char hex[] = "0123456789abcdef";
        std::memcpy(out, "u00", 3);
        out[3] = hex[(c >> 4) & 0xF];
        out[4] = hex[c & 0xF];
        return out + 5;
    }
}

char* twoDigits(char* out, int value)
{
    out[0] = char('0' + value / 10);
    out[1] = char('0' + value % 10);
    return out + 2;
}

char* hexDigits(char* out, quint64 value, int count)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    for (int i = count - 1; i >= 0; --i, value >>= 4)
        out[i] = hex[value & 0xF];
    return out + count;
}

} // namespace

QByteArray NoteJsonWriter::document(const ReminderNotes& notes)
{
    const bool pretty = m_layout == Layout::Pretty;
    if (pretty && notes.isEmpty())
        return QByteArrayLiteral("[\n\n]");
    qsizetype expected = 16;
    for (const ReminderNote& note : notes)
        expected += note.text.size() + (pretty ? 560 : 440);
    m_out.clear();
    m_pos = m_limit = nullptr;
    reserve(expected);
    begin();
    for (const ReminderNote& note : notes)
        append(note);
    end();
    m_out.truncate(m_pos - m_out.constData());
    m_pos = m_limit = nullptr;
    return std::exchange(m_out, {});
}

void NoteJsonWriter::begin()
{
    const bool pretty = m_layout == Layout::Pretty;
    m_count = 0;
    reserve(2);
    raw(pretty ? "[\n" : "[", pretty ? 2 : 1);
}

void NoteJsonWriter::append(const ReminderNote& note)
{
    const bool pretty = m_layout == Layout::Pretty;
    if (m_count++ > 0) {
        reserve(2);
        raw(pretty ? ",\n" : ",", pretty ? 2 : 1);
    }
    record(note);
}

void NoteJsonWriter::end()
{
    const bool pretty = m_layout == Layout::Pretty;
    reserve(2);
    raw(pretty ? "\n]" : "]", pretty ? 2 : 1);
}

void NoteJsonWriter::record(const ReminderNote& note)
{
    const qsizetype units = note.text.size() + note.soundName.size() + note.launchAppPath.size()
        + note.shellScript.size() + note.importSource.size() + note.importBatchId.size()
        + repeatIntervalText(note.repeatInterval).size();
    reserve(maxBytesPerUnit * units + recordOverhead);
    const bool pretty = m_layout == Layout::Pretty;
    const std::array<Prefix, Count>& prefix = pretty ? prettyPrefixes : compactPrefixes;
    for (std::size_t i = 0; i < std::size_t(Count); ++i) {
        const int key = pretty ? sortedKeys[i] : int(i);
        if ((key == AlarmEndDate && !note.alarmEndDate) || (key == SnoozeDate && !note.snoozeDate))
            continue;
        std::memcpy(m_pos, prefix[std::size_t(key)].text.data(), sizeof(Prefix::text));
        m_pos += prefix[std::size_t(key)].size;
        field(key, note);
    }
    raw(pretty ? "\n  }" : "}", pretty ? 4 : 1);
}

void NoteJsonWriter::field(int key, const ReminderNote& note)
{
    const auto boolean = [this](bool value) {
        std::memcpy(m_pos, value ? "true" : "false", 5);
        m_pos += value ? 4 : 5;
    };
    const auto date = [this](const QDateTime& value) {
        *m_pos++ = '"';
        m_pos = writeDate(m_pos, value);
        *m_pos++ = '"';
    };
    switch (key) {
    case Id: {
        const QUuid& id = note.id;
        char* out = m_pos;
        *out++ = '"';
        out = hexDigits(out, id.data1, 8);
        *out++ = '-';
        out = hexDigits(out, id.data2, 4);
        *out++ = '-';
        out = hexDigits(out, id.data3, 4);
        *out++ = '-';
        out = hexDigits(out, quint64(id.data4[0]) << 8 | id.data4[1], 4);
        *out++ = '-';
        quint64 node = 0;
        for (int i = 2; i < 8; ++i)
            node = node << 8 | id.data4[i];
        out = hexDigits(out, node, 12);
        *out++ = '"';
        m_pos = out;
        return;
    }
    case Text:
        return string(note.text);
    case CreatedAt:
        return date(note.createdAt);
    case HasAlarm:
        return boolean(note.hasAlarm);
    case AlarmDate:
        return date(note.alarmDate);
    case RepeatIntervalKey:
        return string(repeatIntervalText(note.repeatInterval));
    case UsePopup:
        return boolean(note.usePopup);
    case UseSound:
        return boolean(note.useSound);
    case SoundName:
        return string(note.soundName);
    case IsTriggered:
        return boolean(note.isTriggered);
    case LaunchAppPath:
        return string(note.launchAppPath);
    case ShellScript:
        return string(note.shellScript);
    case AlarmEndDate:
        return date(*note.alarmEndDate);
    case ImportSource:
        return string(note.importSource);
    case ImportBatchId:
        return string(note.importBatchId);
    case SnoozeDate:
        return date(*note.snoozeDate);
    default:
        return;
    }
}

void NoteJsonWriter::string(const QString& text)
{
    // `record` made room for the longest form of every unit.
    char* out = m_pos;
    *out++ = '"';
    const auto* units = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            // Most text is plain ASCII: four units at a time, up to the first that needs more.
            if (size - i >= 4) {
                quint64 four;
                std::memcpy(&four, units + i, sizeof four);
                const quint64 marks = unitsNeedingWork(four);
                if (!marks) {
                    const auto bytes = quint32((four & 0xFF) | ((four >> 8) & 0xFF00)
                        | ((four >> 16) & 0xFF0000) | ((four >> 24) & 0xFF000000));
                    std::memcpy(out, &bytes, sizeof bytes);
                    out += 4;
                    i += 4;
                    continue;
                }
                for (const qsizetype plainEnd = i + std::countr_zero(marks) / 16; i < plainEnd; ++i)
                    *out++ = char(units[i]);
            }
        }
        const char16_t c = units[i++];
        if (c < 0x80) {
            if (needsEscape[c])
                out = escaped(out, c);
            else
                *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (!QChar::isSurrogate(c)) {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i < size && QChar::isLowSurrogate(units[i])) {
            const char32_t u = QChar::surrogateToUcs4(c, units[i++]);
            *out++ = char(0xF0 | (u >> 18));
            *out++ = char(0x80 | ((u >> 12) & 0x3F));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        } else {
            // A lone surrogate has no UTF-8 form; QString::toUtf8 writes it as '?' too.
            *out++ = '?';
        }
    }
    *out++ = '"';
    m_pos = out;
}

void NoteJsonWriter::raw(const char* text, qsizetype size)
{
    std::memcpy(m_pos, text, std::size_t(size));
    m_pos += size;
}

void NoteJsonWriter::reserve(qsizetype bytes)
{
    if (m_limit - m_pos >= bytes)
        return;
    const qsizetype used = m_pos ? m_pos - m_out.constData() : 0;
    m_out.resize(used + bytes + m_out.size() / 2);
    m_pos = m_out.data() + used;
    m_limit = m_out.data() + m_out.size();
}

char* NoteJsonWriter::writeDate(char* out, const QDateTime& date)
{
    // Rounded down, not toward zero: 1969-12-31T23:59:59.500 stays in 1969.
    const qint64 msecs = date.toMSecsSinceEpoch();
    const qint64 seconds = msecs / 1000 - (msecs % 1000 < 0 ? 1 : 0);
    constexpr qint64 secondsPerDay = 86400;
    const qint64 days = seconds / secondsPerDay - (seconds % secondsPerDay < 0 ? 1 : 0);
    const int timeOfDay = int(seconds - days * secondsPerDay);
    // Civil date of a day count (Howard Hinnant's algorithm), proleptic Gregorian like QDate.
    const qint64 shifted = days + 719468;
    const qint64 era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
    const qint64 dayOfEra = shifted - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = int(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = int(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const qint64 year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    if (year < 1 || year > 9999) {
        // QDate has no year 0, so before year 1 its numbering differs: let it do those.
        const QDate qdate = QDate::fromJulianDay(QDate(1970, 1, 1).toJulianDay() + days);
        return out
            + std::snprintf(out, 32, "%04d-%02d-%02dT%02d:%02d:%02dZ", qdate.year(), qdate.month(),
                qdate.day(), timeOfDay / 3600, timeOfDay / 60 % 60, timeOfDay % 60);
    }
    out = twoDigits(out, int(year / 100));
    out = twoDigits(out, int(year % 100));
    *out++ = '-';
    out = twoDigits(out, month);
    *out++ = '-';
    out = twoDigits(out, day);
    *out++ = 'T';
    out = twoDigits(out, timeOfDay / 3600);
    *out++ = ':';
    out = twoDigits(out, timeOfDay / 60 % 60);
    *out++ = ':';
    out = twoDigits(out, timeOfDay % 60);
    *out++ = 'Z';
    return out;
}
