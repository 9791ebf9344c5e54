#include "notejsonreader.h"

#include <QSysInfo>

#include <bit>
#include <cstring>

namespace {

using namespace NoteJsonKeys;

// Deeper nesting (only unknown keys can nest at all) is refused rather than risking the stack.
constexpr int maxDepth = 1024;

// The reader's failure: one message for the whole document.
struct DecodeError {
    QString message;
};

QString at(qsizetype index, int key)
{
    const std::string_view name = names[std::size_t(key)];
    return QStringLiteral("record %1, key \"%2\"")
        .arg(index)
        .arg(QLatin1StringView(name.data(), qsizetype(name.size())));
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

template <typename Char> int hexValue(Char c)
{
    if (c >= '0' && c <= '9')
        return int(c - '0');
    if (c >= 'a' && c <= 'f')
        return int(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return int(c - 'A' + 10);
    return -1;
}

int hex4(const char* p)
{
    int value = 0;
    for (int i = 0; i < 4; ++i) {
        const int digit = hexValue(p[i]);
        if (digit < 0)
            return -1;
        value = value << 4 | digit;
    }
    return value;
}

constexpr quint64 ones = 0x0101010101010101ULL;
constexpr quint64 highs = 0x8080808080808080ULL;

// The high bit set in each of eight bytes that is zero. Only the lowest marked byte is certain (a
// borrow may mark the byte above a zero), which is all the callers look at.
constexpr quint64 zeroBytes(quint64 v)
{
    return (v - ones) & ~v & highs;
}

// Bytes that end a plain ASCII run in a string: a quote, a backslash, a control character or the
// start of a multi-byte sequence.
constexpr quint64 specialBytes(quint64 v)
{
    const quint64 control = (v - ones * 0x20) & ~v & highs;
    return (v & highs) | control | zeroBytes(v ^ (ones * '"')) | zeroBytes(v ^ (ones * '\\'));
}

// Bytes that end a run an escaped string can copy as it is: a backslash or a non-ASCII byte.
constexpr quint64 escapeOrWideBytes(quint64 v)
{
    return (v & highs) | zeroBytes(v ^ (ones * '\\'));
}

// The index of the lowest marked byte, in memory order.
int firstByte(quint64 marks)
{
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        return std::countr_zero(marks) / 8;
    else
        return std::countl_zero(marks) / 8;
}

// The length of the well-formed UTF-8 sequence at `p` (lead byte >= 0x80), 0 for an ill-formed one.
int utf8Length(const char* p, const char* end)
{
    const auto byte = [p, end](qsizetype i) { return p + i < end ? static_cast<unsigned char>(p[i]) : 0u; };
    const auto follows = [&byte](qsizetype i, unsigned low = 0x80, unsigned high = 0xBF) {
        return byte(i) >= low && byte(i) <= high;
    };
    const unsigned lead = byte(0);
    if (lead >= 0xC2 && lead <= 0xDF)
        return follows(1) ? 2 : 0;
    if (lead == 0xE0)
        return follows(1, 0xA0) && follows(2) ? 3 : 0;
    if (lead == 0xED) // would encode a surrogate
        return follows(1, 0x80, 0x9F) && follows(2) ? 3 : 0;
    if (lead >= 0xE1 && lead <= 0xEF)
        return follows(1) && follows(2) ? 3 : 0;
    if (lead == 0xF0)
        return follows(1, 0x90) && follows(2) && follows(3) ? 4 : 0;
    if (lead >= 0xF1 && lead <= 0xF3)
        return follows(1) && follows(2) && follows(3) ? 4 : 0;
    if (lead == 0xF4)
        return follows(1, 0x80, 0x8F) && follows(2) && follows(3) ? 4 : 0;
    return 0;
}

constexpr bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days from 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's algorithm).
constexpr qint64 daysFromCivil(qint64 year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const qint64 era = (year >= 0 ? year : year - 399) / 400;
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// Only the canonical 8-4-4-4-12 form in either case; QUuid alone would also take braces.
template <typename Char> std::optional<QUuid> parseUuid(const Char* text, qsizetype size)
{
    if (size != 36)
        return std::nullopt;
    std::array<uchar, 16> bytes {};
    int nibble = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-')
                return std::nullopt;
            continue;
        }
        const int digit = hexValue(text[i]);
        if (digit < 0)
            return std::nullopt;
        bytes[std::size_t(nibble / 2)] = uchar(bytes[std::size_t(nibble / 2)] << 4 | digit);
        ++nibble;
    }
    return QUuid(uint(bytes[0]) << 24 | uint(bytes[1]) << 16 | uint(bytes[2]) << 8 | bytes[3],
        ushort(bytes[4] << 8 | bytes[5]), ushort(bytes[6] << 8 | bytes[7]), bytes[8], bytes[9], bytes[10],
        bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
}

const char16_t* utf16(const QString& text)
{
    return reinterpret_cast<const char16_t*>(text.constData());
}

const std::array<QByteArray, allRepeatIntervals.size()>& repeatIntervalBytes()
{
    static const auto texts = [] {
        std::array<QByteArray, allRepeatIntervals.size()> utf8;
        for (std::size_t i = 0; i < utf8.size(); ++i)
            utf8[i] = repeatIntervalText(allRepeatIntervals[i]).toUtf8();
        return utf8;
    }();
    return texts;
}

} // namespace

NoteJsonReader::NoteJsonReader(QByteArrayView json)
    : m_begin(json.data())
    , m_pos(json.data())
    , m_end(json.data() + json.size())
{
}

std::optional<ReminderNotes> NoteJsonReader::read(QString* error)
{
    ReminderNotes notes;
    // A record of the data file takes about 400 bytes.
    notes.reserve((m_end - m_pos) / 384);
    if (!visit([&notes](ReminderNote&& note) { notes.append(std::move(note)); }, error))
        return std::nullopt;
    return notes;
}

bool NoteJsonReader::visit(const std::function<void(ReminderNote&&)>& visit, QString* error)
{
    try {
        list(visit);
        return true;
    } catch (const DecodeError& e) {
        if (error)
            *error = e.message;
        return false;
    }
}

void NoteJsonReader::list(const std::function<void(ReminderNote&&)>& visit)
{
    // Some editors put a byte order mark in front; it is no part of the document.
    if (m_end - m_pos >= 3 && std::memcmp(m_pos, "\xEF\xBB\xBF", 3) == 0)
        m_pos += 3;
    skipSpace();
    if (m_pos == m_end || *m_pos != '[') {
        value(1);
        skipSpace();
        if (m_pos != m_end)
            syntaxError("garbage at the end of the document");
        throw DecodeError { QStringLiteral("the document is not a list of records") };
    }
    ++m_pos;
    skipSpace();
    qsizetype count = 0;
    if (m_pos != m_end && *m_pos == ']') {
        ++m_pos;
    } else {
        for (;;) {
            if (m_pos != m_end && *m_pos == '{') {
                visit(record(count++));
            } else {
                value(2);
                throw DecodeError { QStringLiteral("record %1 is not an object").arg(count) };
            }
            skipSpace();
            if (m_pos != m_end && *m_pos == ',') {
                ++m_pos;
                skipSpace();
                continue;
            }
            expect(']', "the list is not closed");
            break;
        }
    }
    skipSpace();
    if (m_pos != m_end)
        syntaxError("garbage at the end of the document");
}

ReminderNote NoteJsonReader::record(qsizetype index)
{
    Slots fields;
    ++m_pos;
    skipSpace();
    if (m_pos != m_end && *m_pos == '}') {
        ++m_pos;
        return noteOf(fields, index);
    }
    // The writers' order, so that the first guess is nearly always right.
    int expected = 0;
    for (;;) {
        int known = expected;
        if (!skipExpectedKey(expected)) {
            if (m_pos == m_end || *m_pos != '"')
                syntaxError("a key is missing");
            known = keyOf(string(), expected);
        }
        skipSpace();
        expect(':', "a colon is missing after a key");
        skipSpace();
        if (known < 0) {
            value(3);
        } else {
            // A later value of the same key replaces an earlier one.
            fields[std::size_t(known)] = slotValue(3);
            expected = known + 1;
        }
        skipSpace();
        if (m_pos != m_end && *m_pos == ',') {
            ++m_pos;
            skipSpace();
            continue;
        }
        expect('}', "a record is not closed");
        return noteOf(fields, index);
    }
}

ReminderNote NoteJsonReader::noteOf(const Slots& fields, qsizetype index)
{
    using Kind = Slot::Kind;
    const auto fail = [index](int key, const char* what) {
        return DecodeError { at(index, key) + QLatin1StringView(what) };
    };
    const auto given = [&fields](int key) {
        const Kind kind = fields[std::size_t(key)].kind;
        return kind != Kind::Absent && kind != Kind::Null;
    };
    const auto required = [&](int key) -> const Slot& {
        if (fields[std::size_t(key)].kind == Kind::Absent)
            throw fail(key, " is missing");
        return fields[std::size_t(key)];
    };
    const auto stringSlot = [&](int key) -> const Slot& {
        const Slot& slot = required(key);
        if (slot.kind != Kind::String)
            throw fail(key, " is not a string");
        return slot;
    };
    const auto boolean = [&](int key) {
        const Slot& slot = required(key);
        if (slot.kind != Kind::True && slot.kind != Kind::False)
            throw fail(key, " is not true or false");
        return slot.kind == Kind::True;
    };
    const auto string = [&](int key) { return sharedText(stringSlot(key), m_recent[std::size_t(key)]); };
    const auto date = [&](int key) {
        const Slot& slot = stringSlot(key);
        const QString decoded = slot.escaped ? text(slot) : QString();
        const auto parsed = slot.escaped ? parseDate(utf16(decoded), decoded.size())
                                         : parseDate(slot.begin, slot.end - slot.begin);
        if (!parsed)
            throw fail(key, " is not a date like 2025-03-01T07:30:00Z");
        return *parsed;
    };

    ReminderNote note;
    const Slot& id = stringSlot(Id);
    const QString decodedId = id.escaped ? text(id) : QString();
    const auto uuid
        = id.escaped ? parseUuid(utf16(decodedId), decodedId.size()) : parseUuid(id.begin, id.end - id.begin);
    if (!uuid)
        throw fail(Id, " is not a UUID");
    note.id = *uuid;
    note.text = text(stringSlot(Text));
    note.createdAt = date(CreatedAt);
    note.hasAlarm = boolean(HasAlarm);
    note.alarmDate = date(AlarmDate);
    const Slot& rule = stringSlot(RepeatIntervalKey);
    std::optional<RepeatInterval> interval;
    if (rule.escaped) {
        interval = repeatIntervalFromText(text(rule));
    } else {
        const QByteArrayView bytes(rule.begin, rule.end - rule.begin);
        for (std::size_t i = 0; i < allRepeatIntervals.size() && !interval; ++i) {
            const QByteArray& known = repeatIntervalBytes()[i];
            if (known.size() == bytes.size()
                && std::memcmp(known.constData(), bytes.data(), bytes.size()) == 0)
                interval = allRepeatIntervals[i];
        }
    }
    if (!interval)
        throw fail(RepeatIntervalKey, " is not a known repeat rule");
    note.repeatInterval = *interval;
    if (given(UsePopup))
        note.usePopup = boolean(UsePopup);
    note.useSound = boolean(UseSound);
    note.soundName = string(SoundName);
    note.isTriggered = boolean(IsTriggered);
    if (given(LaunchAppPath))
        note.launchAppPath = string(LaunchAppPath);
    if (given(ShellScript))
        note.shellScript = string(ShellScript);
    if (given(AlarmEndDate))
        note.alarmEndDate = date(AlarmEndDate);
    if (given(ImportSource))
        note.importSource = string(ImportSource);
    if (given(ImportBatchId))
        note.importBatchId = string(ImportBatchId);
    if (given(SnoozeDate))
        note.snoozeDate = date(SnoozeDate);
    return note;
}

void NoteJsonReader::syntaxError(const char* what) const
{
    throw DecodeError {
        QStringLiteral("not valid JSON at offset %1: %2").arg(m_pos - m_begin).arg(QLatin1StringView(what))
    };
}

NoteJsonReader::Slot NoteJsonReader::string()
{
    const char* p = m_pos + 1;
    bool escaped = false;
    for (;;) {
        while (m_end - p >= 8) {
            quint64 eight;
            std::memcpy(&eight, p, sizeof eight);
            if (const quint64 special = specialBytes(eight)) {
                p += firstByte(special);
                break;
            }
            p += 8;
        }
        if (p == m_end) {
            m_pos = p;
            syntaxError("a string is not closed");
        }
        const auto c = static_cast<unsigned char>(*p);
        if (c == '"')
            break;
        if (c == '\\') {
            escaped = true;
            const char next = p + 1 != m_end ? p[1] : '\0';
            if (next == 'u' && m_end - p >= 6 && hex4(p + 2) >= 0) {
                p += 6;
            } else if (next == '"' || next == '\\' || next == '/' || next == 'b' || next == 'f' || next == 'n'
                || next == 'r' || next == 't') {
                p += 2;
            } else {
                m_pos = p;
                syntaxError("invalid escape sequence");
            }
        } else if (c < 0x20) {
            m_pos = p;
            syntaxError("a control character in a string must be escaped");
        } else if (c < 0x80) {
            ++p;
        } else if (const int length = utf8Length(p, m_end)) {
            p += length;
        } else {
            m_pos = p;
            syntaxError("invalid UTF-8 in a string");
        }
    }
    const Slot slot { Slot::Kind::String, escaped, m_pos + 1, p };
    m_pos = p + 1;
    return slot;
}

NoteJsonReader::Slot NoteJsonReader::slotValue(int depth)
{
    if (m_pos != m_end) {
        switch (*m_pos) {
        case '"':
            return string();
        case 't':
            literal("true", 4);
            return { Slot::Kind::True };
        case 'f':
            literal("false", 5);
            return { Slot::Kind::False };
        case 'n':
            literal("null", 4);
            return { Slot::Kind::Null };
        default:
            break;
        }
    }
    value(depth);
    return { Slot::Kind::Other };
}

void NoteJsonReader::value(int depth)
{
    if (depth > maxDepth)
        syntaxError("nested too deeply");
    if (m_pos == m_end)
        syntaxError("a value is missing");
    switch (*m_pos) {
    case '{':
    case '[':
        break;
    case '"':
        string();
        return;
    case 't':
        literal("true", 4);
        return;
    case 'f':
        literal("false", 5);
        return;
    case 'n':
        literal("null", 4);
        return;
    default:
        number();
        return;
    }
    const char open = *m_pos;
    const char close = open == '{' ? '}' : ']';
    ++m_pos;
    skipSpace();
    if (m_pos != m_end && *m_pos == close) {
        ++m_pos;
        return;
    }
    for (;;) {
        if (open == '{') {
            if (m_pos == m_end || *m_pos != '"')
                syntaxError("a key is missing");
            string();
            skipSpace();
            expect(':', "a colon is missing after a key");
            skipSpace();
        }
        value(depth + 1);
        skipSpace();
        if (m_pos != m_end && *m_pos == ',') {
            ++m_pos;
            skipSpace();
            continue;
        }
        expect(close, open == '{' ? "an object is not closed" : "a list is not closed");
        return;
    }
}

void NoteJsonReader::literal(const char* word, qsizetype size)
{
    if (m_end - m_pos < size || std::memcmp(m_pos, word, std::size_t(size)) != 0)
        syntaxError("illegal value");
    m_pos += size;
}

void NoteJsonReader::number()
{
    const char* p = m_pos;
    const auto digits = [&p, this] {
        const char* first = p;
        while (p != m_end && isDigit(*p))
            ++p;
        return p != first;
    };
    if (p != m_end && *p == '-')
        ++p;
    // No leading zeros: "01" ends after the 0 and then lacks its separator.
    if (p != m_end && *p == '0')
        ++p;
    else if (p == m_end || *p < '1' || *p > '9')
        syntaxError("illegal value");
    else
        digits();
    if (p != m_end && *p == '.') {
        ++p;
        if (!digits()) {
            m_pos = p;
            syntaxError("illegal number");
        }
    }
    if (p != m_end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != m_end && (*p == '+' || *p == '-'))
            ++p;
        if (!digits()) {
            m_pos = p;
            syntaxError("illegal number");
        }
    }
    m_pos = p;
}

bool NoteJsonReader::skipExpectedKey(int key)
{
    if (key >= Count)
        return false;
    const std::string_view name = names[std::size_t(key)];
    const auto size = qsizetype(name.size());
    // Spelt as the writers spell it; a key with escapes in it takes the long way.
    if (m_end - m_pos < size + 2 || m_pos[0] != '"' || m_pos[size + 1] != '"'
        || std::memcmp(m_pos + 1, name.data(), name.size()) != 0)
        return false;
    m_pos += size + 2;
    return true;
}

int NoteJsonReader::keyOf(const Slot& key, int expected) const
{
    const QByteArrayView bytes(key.begin, key.end - key.begin);
    // A key spelt with escapes ("\u0069d") is still that key.
    const QString decoded = key.escaped ? text(key) : QString();
    const auto matches = [&](int candidate) {
        const std::string_view name = names[std::size_t(candidate)];
        if (key.escaped)
            return decoded == QLatin1StringView(name.data(), qsizetype(name.size()));
        return bytes.size() == qsizetype(name.size())
            && std::memcmp(bytes.data(), name.data(), name.size()) == 0;
    };
    if (expected < Count && matches(expected))
        return expected;
    for (int candidate = 0; candidate < Count; ++candidate) {
        if (matches(candidate))
            return candidate;
    }
    return -1;
}

QString NoteJsonReader::text(const Slot& slot) const
{
    const qsizetype size = slot.end - slot.begin;
    // QString::fromUtf8 would drop a leading U+FEFF, which belongs to the text here.
    if (!slot.escaped && (size < 3 || std::memcmp(slot.begin, "\xEF\xBB\xBF", 3) != 0))
        return QString::fromUtf8(slot.begin, size);
    // Never more UTF-16 units than bytes: an escape is longer than its unit, four bytes make two.
    QString result(size, Qt::Uninitialized);
    auto* const first = reinterpret_cast<char16_t*>(result.data());
    char16_t* out = first;
    for (const char* p = slot.begin; p != slot.end;) {
        // Plain ASCII eight bytes at a time, up to the first escape or multi-byte sequence.
        if (slot.end - p >= 8) {
            quint64 eight;
            std::memcpy(&eight, p, sizeof eight);
            const quint64 marks = escapeOrWideBytes(eight);
            const int plain = marks ? firstByte(marks) : 8;
            for (int i = 0; i < plain; ++i)
                out[i] = char16_t(p[i]);
            out += plain;
            p += plain;
            if (plain == 8)
                continue;
        }
        const auto c = static_cast<unsigned char>(*p);
        if (c == '\\') {
            const char kind = p[1];
            p += 2;
            switch (kind) {
            case 'b':
                *out++ = u'\b';
                break;
            case 'f':
                *out++ = u'\f';
                break;
            case 'n':
                *out++ = u'\n';
                break;
            case 'r':
                *out++ = u'\r';
                break;
            case 't':
                *out++ = u'\t';
                break;
            case 'u':
                *out++ = char16_t(hex4(p));
                p += 4;
                break;
            default:
                *out++ = char16_t(kind);
            }
        } else if (c < 0x80) {
            *out++ = c;
            ++p;
        } else {
            // Well-formed: `string()` checked it.
            const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            char32_t u = c & (0x7F >> length);
            for (int i = 1; i < length; ++i)
                u = u << 6 | (static_cast<unsigned char>(p[i]) & 0x3F);
            p += length;
            if (QChar::requiresSurrogates(u)) {
                *out++ = QChar::highSurrogate(u);
                *out++ = QChar::lowSurrogate(u);
            } else {
                *out++ = char16_t(u);
            }
        }
    }
    result.truncate(out - first);
    return result;
}

QString NoteJsonReader::sharedText(const Slot& slot, Recent& recent) const
{
    const QByteArrayView bytes(slot.begin, slot.end - slot.begin);
    if (bytes.isEmpty())
        return {};
    // Sound names, import sources and batch ids repeat from record to record: one copy serves all.
    if (bytes.size() == recent.bytes.size()
        && std::memcmp(bytes.data(), recent.bytes.data(), bytes.size()) == 0)
        return recent.text;
    recent = { bytes, text(slot) };
    return recent.text;
}

template <typename Char> std::optional<QDateTime> NoteJsonReader::parseDate(const Char* text, qsizetype size)
{
    // yyyy-MM-ddTHH:mm:ssZ and nothing else: no fraction, no offset, no lower-case letters.
    if (size != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':'
        || text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    const auto digits = [text](int from, int count) {
        int value = 0;
        for (int i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            value = value * 10 + int(text[i] - '0');
        }
        return value;
    };
    const int year = digits(0, 4);
    const int month = digits(5, 2);
    const int day = digits(8, 2);
    const int hour = digits(11, 2);
    const int minute = digits(14, 2);
    const int second = digits(17, 2);
    static constexpr int monthDays[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    // Year 0 does not exist for QDate either.
    if (year < 1 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59
        || second < 0 || second > 59)
        return std::nullopt;
    if (day > monthDays[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0))
        return std::nullopt;
    const qint64 seconds = daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return QDateTime::fromMSecsSinceEpoch(seconds * 1000, Qt::UTC);
}

template std::optional<QDateTime> NoteJsonReader::parseDate<char>(const char*, qsizetype);
template std::optional<QDateTime> NoteJsonReader::parseDate<char16_t>(const char16_t*, qsizetype);
