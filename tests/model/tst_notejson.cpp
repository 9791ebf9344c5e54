#include "notejson.h"
#include "testnotes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

// Declared ahead of the raw-string JSON below, which moc cannot tokenize.
class TstNoteJson : public QObject {
    Q_OBJECT

private slots:
    void encode_data();
    void encode();
    void decode_data();
    void decode();
    void dates_data();
    void dates();
};

namespace {

// Every field set away from its default, with text that needs escaping.
ReminderNote fullNote()
{
    ReminderNote n
        = note(1, u"Zahnarzt/Kontrolle \"Dr. Süß\"\n\t😀\\\u0001"_s, true, berlin(2025, 1, 15, 9, 0, 0, 250));
    n.alarmDate = berlin(2025, 7, 1, 10, 15, 30, 750);
    n.repeatInterval = RepeatInterval::Weekly;
    n.usePopup = false;
    n.useSound = true;
    n.soundName = u"Glocke"_s;
    n.launchAppPath = u"/usr/bin/true"_s;
    n.shellScript = u"echo ä"_s;
    n.alarmEndDate = berlin(2025, 7, 1, 11, 0);
    n.importSource = u"kalender.ics"_s;
    n.importBatchId = u"B1"_s;
    return n;
}

const QByteArray fullCompact
    = R"({"id":"00000000-0000-4000-8000-000000000001",)"
      R"("text":"Zahnarzt\/Kontrolle \"Dr. Süß\"\n\t😀\\\u0001",)"
      R"("createdAt":"2025-01-15T08:00:00Z","hasAlarm":true,"alarmDate":"2025-07-01T08:15:30Z",)"
      R"("repeatInterval":"Wöchentlich","usePopup":false,"useSound":true,"soundName":"Glocke",)"
      R"("isTriggered":false,"launchAppPath":"\/usr\/bin\/true","shellScript":"echo ä",)"
      R"("alarmEndDate":"2025-07-01T09:00:00Z","importSource":"kalender.ics","importBatchId":"B1"})";

const QByteArray minimalCompact
    = R"({"id":"00000000-0000-4000-8000-000000000002","text":"Notiz",)"
      R"("createdAt":"2025-03-01T08:00:00Z","hasAlarm":false,)"
      R"("alarmDate":"2025-03-01T08:00:00Z","repeatInterval":"Keine","usePopup":true,)"
      R"("useSound":false,"soundName":"Glass","isTriggered":false,"launchAppPath":"",)"
      R"("shellScript":"","importSource":"","importBatchId":""})";
const QByteArray minimal = "[" + minimalCompact + "]";

const QStringList optionalKeys { u"usePopup"_s, u"launchAppPath"_s, u"shellScript"_s, u"alarmEndDate"_s,
    u"importSource"_s, u"importBatchId"_s };

// `minimalCompact`, equal to `note(2, "Notiz")`, with only the keys a record must have.
QJsonObject minimalRecord()
{
    QJsonObject record = QJsonDocument::fromJson(minimal).array().first().toObject();
    for (const QString& key : optionalKeys)
        record.remove(key);
    return record;
}

QByteArray documentOf(const QJsonObject& record)
{
    return QJsonDocument(QJsonArray { record }).toJson();
}

QByteArray withValue(const QString& key, const QJsonValue& value)
{
    QJsonObject record = minimalRecord();
    record.insert(key, value);
    return documentOf(record);
}

// The minimal record as written, with `member` in place of its text: for what QJsonDocument cannot write.
QByteArray withTextMember(const QByteArray& member)
{
    return "[" + QByteArray(minimalCompact).replace(R"("text":"Notiz")", member) + "]";
}

} // namespace

void TstNoteJson::encode_data()
{
    // compact, pretty: the layout written, byte for byte; empty: only read back
    columns<ReminderNotes, QByteArray, QByteArray>("notes", "compact", "pretty");

    QTest::newRow("compact") << ReminderNotes { fullNote(), note(2, u"Notiz"_s) }
                             << "[" + fullCompact + "," + minimalCompact + "]" << QByteArray();
    // Pretty: the compact members one a line, sorted by key, with " : " after the key.
    QList<QByteArray> members = fullCompact.mid(1).chopped(1).replace(",\"", "\n\"").split('\n');
    for (QByteArray& member : members)
        member.replace(member.indexOf("\":"), 2, "\" : ").prepend("    ");
    std::sort(members.begin(), members.end());
    QTest::newRow("pretty") << ReminderNotes { fullNote() } << QByteArray()
                            << "[\n  {\n" + members.join(",\n") + "\n  }\n]";
    const auto readBack = [](const char* name, const ReminderNotes& notes) {
        QTest::newRow(name) << notes << QByteArray() << QByteArray();
    };
    readBack("empty", {});
    ReminderNotes everyRule;
    for (const RepeatInterval interval : allRepeatIntervals) {
        everyRule.append(note(int(everyRule.size()) + 20, repeatIntervalText(interval), true));
        everyRule.last().repeatInterval = interval;
    }
    readBack("every repeat rule, order kept", everyRule);
    const QString awkward = u"\0\u001F\u007F\r\n\b\f\u2028\u2029\uFEFF/\\\"'<>&"_s;
    readBack("control and separator characters", { note(6, awkward) });
    readBack("text starting with U+FEFF", { note(7, u"\uFEFFText"_s), note(8, u"\uFEFF\n"_s) });
}

void TstNoteJson::encode()
{
    QFETCH(ReminderNotes, notes);
    QFETCH(QByteArray, compact);
    QFETCH(QByteArray, pretty);

    const QList<std::pair<QByteArray, QByteArray>> layouts { { NoteJson::encodeCompact(notes), compact },
        { NoteJson::encodePretty(notes), pretty } };
    for (const auto& [json, expected] : layouts) {
        if (!expected.isEmpty())
            QCOMPARE(json, expected);
        QString error;
        const auto decoded = NoteJson::decode(json, &error);
        QVERIFY2(decoded, qPrintable(error));
        QCOMPARE(bytesOf(*decoded), bytesOf(notes));
    }
}

void TstNoteJson::decode_data()
{
    // expected: empty: refused
    columns<QByteArray, QByteArray>("json", "expected");

    QTest::newRow("empty list with whitespace") << QByteArray(" \n[ \t]\r\n") << QByteArray("[]");
    QTest::newRow("required keys only") << documentOf(minimalRecord()) << minimal;

    QJsonObject nulls = minimalRecord();
    for (const QString& key : optionalKeys)
        nulls.insert(key, QJsonValue::Null);
    nulls.insert(u"color"_s, u"red"_s);
    nulls.insert(u"nested"_s, QJsonObject { { u"a"_s, QJsonArray { 1, 2 } } });
    QTest::newRow("null optional keys use defaults, unknown keys ignored") << documentOf(nulls) << minimal;

    QTest::newRow("lower-case id, written upper-case")
        << withValue(u"id"_s, u"abcdef01-2345-4678-9abc-def012345678"_s)
        << QByteArray(minimal).replace(
               "00000000-0000-4000-8000-000000000002", "ABCDEF01-2345-4678-9ABC-DEF012345678");
    QTest::newRow("duplicate key: the last value counts")
        << withTextMember(R"("text":5,"text":"Notiz")") << minimal;
    QTest::newRow("key spelt with escapes") << withTextMember(R"("t\u0065xt":"Notiz")") << minimal;
    QTest::newRow("byte order mark") << "\xEF\xBB\xBF" + minimal << minimal;
    QTest::newRow("every escape") << withTextMember(R"("text":"\u004E\u00f6\ud83d\ude00\"\\\/\b\f\n\r\t")")
                                  << withTextMember(R"("text":"Nö😀\"\\\/\b\f\n\r\t")");
    QTest::newRow("numbers in an unknown key")
        << withTextMember(R"("n":[0,-0,12.5e-3,1E+2,-7],"text":"Notiz")") << minimal;

    const auto bad
        = [](const char* name, const QByteArray& json) { QTest::newRow(name) << json << QByteArray(); };
    const QByteArray valid = documentOf(minimalRecord());
    bad("empty input", QByteArray());
    bad("not JSON", QByteArray("notes"));
    bad("cut off", valid.left(valid.size() - 3));
    bad("garbage after list", valid + "x");
    bad("top-level object", QJsonDocument(minimalRecord()).toJson());
    bad("record is a number", QByteArray("[1]"));
    bad("records without a comma", "[" + minimalCompact + minimalCompact + "]");
    bad("comma after the last record", "[" + minimalCompact + ",]");
    const QList<std::pair<const char*, QByteArray>> badMembers {
        { "raw control character", "\"text\":\"a\tb\"" }, { "unknown escape", R"("text":"\x")" },
        { "short \\u escape", R"("text":"\u12")" }, { "lone UTF-8 continuation byte", "\"text\":\"\x80\"" },
        { "overlong UTF-8", "\"text\":\"\xC0\xAF\"" },
        { "UTF-8 of a surrogate", "\"text\":\"\xED\xA0\x80\"" },
        { "UTF-8 beyond U+10FFFF", "\"text\":\"\xF4\x90\x80\x80\"" },
        { "UTF-8 cut off by the quote", "\"text\":\"\xE2\x82\"" },
        { "number with a leading zero", R"("n":01,"text":"Notiz")" },
        { "number ending in a point", R"("n":1.,"text":"Notiz")" },
        { "number starting with a point", R"("n":.5,"text":"Notiz")" },
        { "exponent without digits", R"("n":1e,"text":"Notiz")" },
        { "nested too deeply",
            "\"n\":" + QByteArray(2000, '[') + QByteArray(2000, ']') + ",\"text\":\"Notiz\"" }
    };
    for (const auto& [name, member] : badMembers)
        bad(name, withTextMember(member));
    bad("one bad record spoils all",
        QJsonDocument(QJsonArray { minimalRecord(), minimalRecord(), 7 }).toJson());

    for (const QString& key : minimalRecord().keys()) {
        QJsonObject missing = minimalRecord();
        missing.remove(key);
        bad(qPrintable(u"missing "_s + key), documentOf(missing));
        bad(qPrintable(u"null "_s + key), withValue(key, QJsonValue::Null));
    }

    const QList<std::pair<QString, QJsonValue>> wrongTypes { { u"id"_s, 5 }, { u"text"_s, 5 },
        { u"createdAt"_s, 1740816000 }, { u"hasAlarm"_s, u"true"_s }, { u"alarmDate"_s, true },
        { u"repeatInterval"_s, 0 }, { u"usePopup"_s, u"true"_s }, { u"useSound"_s, 0 },
        { u"soundName"_s, false }, { u"isTriggered"_s, u"false"_s }, { u"launchAppPath"_s, 1 },
        { u"shellScript"_s, QJsonArray {} }, { u"alarmEndDate"_s, 0 }, { u"alarmEndDate"_s, u""_s },
        { u"importSource"_s, QJsonObject {} }, { u"importBatchId"_s, true } };
    for (const auto& [key, value] : wrongTypes) {
        QTest::addRow("%s = %s", qPrintable(key),
            QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact).constData())
            << withValue(key, value) << QByteArray();
    }

    for (const QString& text :
        { u"Weekly"_s, u"None"_s, u"Wochentlich"_s, u"wöchentlich"_s, u" Keine"_s, u""_s })
        bad(qPrintable(u"repeatInterval \"%1\""_s.arg(text)), withValue(u"repeatInterval"_s, text));

    // A fraction fails on the length as an offset does; dates() has both.
    for (const QString& key : { u"createdAt"_s, u"alarmDate"_s, u"alarmEndDate"_s })
        bad(qPrintable(key + u" with offset"_s), withValue(key, u"2025-03-01T09:00:00+01:00"_s));

    const QStringList badIds { u"{00000000-0000-4000-8000-000000000002}"_s,
        u"00000000-0000-4000-8000-0000000000002"_s, u"0000000-00000-4000-8000-000000000002"_s,
        u"0000000g-0000-4000-8000-000000000002"_s, u"00000000-0000-4000-8000-00000000000２"_s };
    for (const QString& id : badIds)
        bad(qPrintable(u"id \"%1\""_s.arg(id)), withValue(u"id"_s, id));
}

void TstNoteJson::decode()
{
    QFETCH(QByteArray, json);
    QFETCH(QByteArray, expected);

    QString error;
    const auto decoded = NoteJson::decode(json, &error);
    if (expected.isEmpty()) {
        QVERIFY2(!decoded, json.constData());
        QVERIFY(!error.isEmpty());
        return;
    }
    QVERIFY2(decoded, qPrintable(error));
    QCOMPARE(bytesOf(*decoded), expected);
}

void TstNoteJson::dates_data()
{
    // date: invalid: `text` must be rejected; text: not compared where the date is not storable
    columns<QDateTime, QString, bool>("date", "text", "storable");

    QTest::newRow("summer time") << berlin(2025, 7, 1, 9, 0) << u"2025-07-01T07:00:00Z"_s << true;
    QTest::newRow("local day differs") << berlin(2025, 1, 1, 0, 30) << u"2024-12-31T23:30:00Z"_s << true;
    QTest::newRow("in the local DST gap") << utc(2025, 3, 30, 1, 30) << u"2025-03-30T01:30:00Z"_s << true;
    QTest::newRow("leap day") << utc(2024, 2, 29, 23, 59, 59) << u"2024-02-29T23:59:59Z"_s << true;
    QTest::newRow("four-digit year") << utc(999, 1, 2, 3, 4, 5) << u"0999-01-02T03:04:05Z"_s << true;
    QTest::newRow("fraction dropped, not rounded")
        << berlin(2025, 3, 1, 10, 15, 30, 750) << u"2025-03-01T09:15:30Z"_s << true;
    QTest::newRow("fraction dropped before 1970")
        << utc(1969, 12, 31, 23, 59, 59, 500) << u"1969-12-31T23:59:59Z"_s << true;

    QTest::newRow("first storable second") << utc(1, 1, 1, 0, 0) << u"0001-01-01T00:00:00Z"_s << true;
    QTest::newRow("last storable second")
        << utc(9999, 12, 31, 23, 59, 59, 999) << u"9999-12-31T23:59:59Z"_s << true;
    // Local times whose UTC form leaves the four-digit years.
    QTest::newRow("year 1 east of UTC") << berlin(1, 1, 1, 0, 30) << QString() << false;
    QTest::newRow("9999-12-31 west of UTC")
        << QDateTime(QDate(9999, 12, 31), QTime(20, 0), QTimeZone("America/New_York")) << QString() << false;
    QTest::newRow("a second before year 1") << utc(1, 1, 1, 0, 0).addSecs(-1) << QString() << false;

    // Wrong lengths first, then one for each further check.
    const QStringList rejected { u"2025-03-01T07:30:00.000Z"_s, u"2025-03-01T08:30:00+01:00"_s,
        u"2025-03-01T07:30:00"_s, u"2025-03-01T07:30:00z"_s, u"2025-03-01 07:30:00Z"_s,
        u"2025-02-29T07:30:00Z"_s, u"2025-13-01T07:30:00Z"_s, u"2025-00-01T07:30:00Z"_s,
        u"2025-03-01T24:00:00Z"_s, u"2025-03-01T23:60:00Z"_s, u"2025-03-01T23:59:60Z"_s,
        u"-001-03-01T07:30:00Z"_s, u"２０２５-03-01T07:30:00Z"_s, u""_s };
    for (const QString& text : rejected)
        QTest::addRow("rejects \"%s\"", qPrintable(text)) << QDateTime() << text << false;
}

void TstNoteJson::dates()
{
    QFETCH(QDateTime, date);
    QFETCH(QString, text);
    QFETCH(bool, storable);

    QCOMPARE(NoteJson::isStorable(date), storable);
    if (date.isValid() && !storable)
        return;
    const auto parsed = NoteJson::parseDate(text);
    QCOMPARE(parsed.has_value(), date.isValid());
    if (!parsed)
        return;
    QCOMPARE(NoteJson::formatDate(date), text);
    // Reading gives the whole second that was written, in UTC.
    QCOMPARE(*parsed, date.addMSecs(-date.time().msec()));
    QCOMPARE(parsed->offsetFromUtc(), 0);
}

QTEST_GUILESS_MAIN(TstNoteJson)
#include "tst_notejson.moc"
