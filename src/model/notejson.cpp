#include "notejson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QTimeZone>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>
#include <variant>

namespace {

// A JSON value as the writers need it: strings, booleans and nothing else occur in a record.
struct Field {
    const char* key;
    std::variant<QString, bool> value;
};

QList<Field> fieldsOf(const ReminderNote& note)
{
    QList<Field> fields {
        { "id", note.id.toString(QUuid::WithoutBraces).toUpper() },
        { "text", note.text },
        { "createdAt", NoteJson::formatDate(note.createdAt) },
        { "hasAlarm", note.hasAlarm },
        { "alarmDate", NoteJson::formatDate(note.alarmDate) },
        { "repeatInterval", repeatIntervalText(note.repeatInterval) },
        { "usePopup", note.usePopup },
        { "useSound", note.useSound },
        { "soundName", note.soundName },
        { "isTriggered", note.isTriggered },
        { "launchAppPath", note.launchAppPath },
        { "shellScript", note.shellScript },
    };
    if (note.alarmEndDate)
        fields.append({ "alarmEndDate", NoteJson::formatDate(*note.alarmEndDate) });
    fields.append({ "importSource", note.importSource });
    fields.append({ "importBatchId", note.importBatchId });
    return fields;
}

void appendString(QByteArray& out, const QString& text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '/':
            out += "\\/";
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
            if (static_cast<unsigned char>(c) < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[(c >> 4) & 0xF];
                out += hex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendValue(QByteArray& out, const Field& field)
{
    if (const auto* text = std::get_if<QString>(&field.value))
        appendString(out, *text);
    else
        out += std::get<bool>(field.value) ? "true" : "false";
}

// The decoder's failure: one message for the whole document.
struct DecodeError {
    QString message;
};

QString at(qsizetype index, const char* key)
{
    return QStringLiteral("record %1, key \"%2\"").arg(index).arg(QLatin1String(key));
}

class RecordReader {
public:
    RecordReader(const QJsonObject& object, qsizetype index)
        : m_object(object)
        , m_index(index)
    {
    }

    [[nodiscard]] QJsonValue required(const char* key) const
    {
        const QJsonValue value = m_object.value(QLatin1String(key));
        if (value.isUndefined())
            throw DecodeError { at(m_index, key) + QStringLiteral(" is missing") };
        return value;
    }

    // Absent and null both mean "use the default".
    [[nodiscard]] std::optional<QJsonValue> optional(const char* key) const
    {
        const QJsonValue value = m_object.value(QLatin1String(key));
        if (value.isUndefined() || value.isNull())
            return std::nullopt;
        return value;
    }

    [[nodiscard]] QString string(const char* key, const QJsonValue& value) const
    {
        if (!value.isString())
            throw DecodeError { at(m_index, key) + QStringLiteral(" is not a string") };
        return value.toString();
    }

    [[nodiscard]] bool boolean(const char* key, const QJsonValue& value) const
    {
        if (!value.isBool())
            throw DecodeError { at(m_index, key) + QStringLiteral(" is not true or false") };
        return value.toBool();
    }

    [[nodiscard]] QDateTime date(const char* key, const QJsonValue& value) const
    {
        const auto parsed = NoteJson::parseDate(string(key, value));
        if (!parsed)
            throw DecodeError { at(m_index, key)
                + QStringLiteral(" is not a date like 2025-03-01T07:30:00Z") };
        return *parsed;
    }

    [[nodiscard]] QString requiredString(const char* key) const { return string(key, required(key)); }
    [[nodiscard]] bool requiredBool(const char* key) const { return boolean(key, required(key)); }
    [[nodiscard]] QDateTime requiredDate(const char* key) const { return date(key, required(key)); }
    [[nodiscard]] QString optionalString(const char* key) const
    {
        const auto value = optional(key);
        return value ? string(key, *value) : QString();
    }

    [[nodiscard]] ReminderNote read() const
    {
        ReminderNote note;
        note.id = uuid(requiredString("id"));
        note.text = requiredString("text");
        note.createdAt = requiredDate("createdAt");
        note.hasAlarm = requiredBool("hasAlarm");
        note.alarmDate = requiredDate("alarmDate");
        const auto interval = repeatIntervalFromText(requiredString("repeatInterval"));
        if (!interval)
            throw DecodeError { at(m_index, "repeatInterval")
                + QStringLiteral(" is not a known repeat rule") };
        note.repeatInterval = *interval;
        if (const auto popup = optional("usePopup"))
            note.usePopup = boolean("usePopup", *popup);
        note.useSound = requiredBool("useSound");
        note.soundName = requiredString("soundName");
        note.isTriggered = requiredBool("isTriggered");
        note.launchAppPath = optionalString("launchAppPath");
        note.shellScript = optionalString("shellScript");
        if (const auto end = optional("alarmEndDate"))
            note.alarmEndDate = date("alarmEndDate", *end);
        note.importSource = optionalString("importSource");
        note.importBatchId = optionalString("importBatchId");
        return note;
    }

private:
    [[nodiscard]] QUuid uuid(const QString& text) const
    {
        // Only the canonical 8-4-4-4-12 form; QUuid alone would also take braces.
        // ASCII first: std::isxdigit is undefined for values outside unsigned char.
        static const auto isHex = [](QChar c) { return c.unicode() < 0x80 && std::isxdigit(c.unicode()); };
        bool canonical = text.size() == 36;
        for (qsizetype i = 0; canonical && i < text.size(); ++i) {
            const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
            canonical = dash ? text.at(i) == u'-' : isHex(text.at(i));
        }
        if (!canonical)
            throw DecodeError { at(m_index, "id") + QStringLiteral(" is not a UUID") };
        return QUuid::fromString(text);
    }

    const QJsonObject& m_object;
    qsizetype m_index;
};

int digits(QStringView text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

namespace NoteJson {

QByteArray encodeCompact(const ReminderNotes& notes)
{
    QByteArray out;
    out.reserve(notes.size() * 420 + 2);
    out += '[';
    for (qsizetype i = 0; i < notes.size(); ++i) {
        if (i > 0)
            out += ',';
        out += '{';
        const QList<Field> fields = fieldsOf(notes.at(i));
        for (qsizetype f = 0; f < fields.size(); ++f) {
            if (f > 0)
                out += ',';
            out += '"';
            out += fields.at(f).key;
            out += "\":";
            appendValue(out, fields.at(f));
        }
        out += '}';
    }
    out += ']';
    return out;
}

QByteArray encodePretty(const ReminderNotes& notes)
{
    if (notes.isEmpty())
        return QByteArrayLiteral("[\n\n]");
    QByteArray out;
    out.reserve(notes.size() * 520 + 4);
    out += "[\n";
    for (qsizetype i = 0; i < notes.size(); ++i) {
        QList<Field> fields = fieldsOf(notes.at(i));
        std::sort(fields.begin(), fields.end(),
            [](const Field& a, const Field& b) { return qstrcmp(a.key, b.key) < 0; });
        out += "  {\n";
        for (qsizetype f = 0; f < fields.size(); ++f) {
            out += "    \"";
            out += fields.at(f).key;
            out += "\" : ";
            appendValue(out, fields.at(f));
            out += f + 1 < fields.size() ? ",\n" : "\n";
        }
        out += i + 1 < notes.size() ? "  },\n" : "  }\n";
    }
    out += ']';
    return out;
}

std::optional<ReminderNotes> decode(const QByteArray& json, QString* error)
{
    const auto fail = [error](const QString& message) -> std::optional<ReminderNotes> {
        if (error)
            *error = message;
        return std::nullopt;
    };

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(QStringLiteral("not valid JSON at offset %1: %2")
                        .arg(parseError.offset)
                        .arg(parseError.errorString()));
    if (!document.isArray())
        return fail(QStringLiteral("the document is not a list of records"));

    const QJsonArray array = document.array();
    ReminderNotes notes;
    notes.reserve(array.size());
    try {
        for (qsizetype i = 0; i < array.size(); ++i) {
            const QJsonValue value = array.at(i);
            if (!value.isObject())
                throw DecodeError { QStringLiteral("record %1 is not an object").arg(i) };
            const QJsonObject object = value.toObject();
            notes.append(RecordReader(object, i).read());
        }
    } catch (const DecodeError& e) {
        return fail(e.message);
    }
    return notes;
}

QString formatDate(const QDateTime& date)
{
    // Rounded down, not toward zero: 1969-12-31T23:59:59.500 stays in 1969.
    const qint64 msecs = date.toMSecsSinceEpoch();
    const qint64 seconds = msecs / 1000 - (msecs % 1000 < 0 ? 1 : 0);
    // By hand: QDateTime::toString dominated the time of saving a large file.
    constexpr qint64 secondsPerDay = 86400;
    const qint64 days = seconds / secondsPerDay - (seconds % secondsPerDay < 0 ? 1 : 0);
    const qint64 timeOfDay = seconds - days * secondsPerDay;
    const QDate day = QDate::fromJulianDay(QDate(1970, 1, 1).toJulianDay() + days);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", day.year(), day.month(), day.day(),
        static_cast<int>(timeOfDay / 3600), static_cast<int>(timeOfDay / 60 % 60),
        static_cast<int>(timeOfDay % 60));
    return QString::fromLatin1(text);
}

std::optional<QDateTime> parseDate(QStringView text)
{
    // yyyy-MM-ddTHH:mm:ssZ and nothing else: no fraction, no offset, no lower-case letters.
    if (text.size() != 20 || text.at(4) != u'-' || text.at(7) != u'-' || text.at(10) != u'T'
        || text.at(13) != u':' || text.at(16) != u':' || text.at(19) != u'Z')
        return std::nullopt;
    const int year = digits(text, 0, 4);
    const int month = digits(text, 5, 2);
    const int day = digits(text, 8, 2);
    const int hour = digits(text, 11, 2);
    const int minute = digits(text, 14, 2);
    const int second = digits(text, 17, 2);
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (year < 0 || !date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

} // namespace NoteJson
