#include "icsreader.h"
#include "notejson.h"
#include "testsupport.h"

#include <sys/stat.h>

// The reader over one fixture file that holds a case per event, plus whole-file failures.
namespace {

QString instant(const std::optional<QDateTime>& date)
{
    return date ? NoteJson::formatDate(*date) : QString();
}

} // namespace

class tst_ICSReader : public QObject {
    Q_OBJECT

private slots:
    void readsFixture()
    {
        QStringList read;
        for (const ICSEvent& event : parseICS(QStringLiteral(ZETTELWERK_TEST_DATA "/ics/reader.ics")))
            read.append(u"%1|%2|%3|%4|%5"_qs.arg(event.summary, event.description, instant(event.startDate),
                instant(event.endDate), repeatIntervalText(event.recurrenceRule)));
        // "summary|description|start|end|repeat" by start, ties in file order. Dropped: separators in the
        // start, 30 February, hour 24, odd-case or padded markers, events cut off by BEGIN or the file's end.
        const QStringList expected {
            u"Früher, zweiter Wert||2024-03-14T08:00:00Z||Keine"_qs, // the last value wins
            u"Ganztägig||2024-03-14T23:00:00Z|2024-03-15T23:00:00Z|Jährlich"_qs,
            u"Unbekannte Zone||2024-03-15T08:30:00Z||Monatlich"_qs, // an unknown TZID is local
            u"UTC||2024-03-15T08:30:00Z||Keine"_qs, // a fractional end is dropped
            // A zone Qt knows is honoured, by IANA or (quoted) Windows name.
            u"Fremde Zone||2024-03-15T13:30:00Z|2024-03-15T17:00:00Z|Wöchentlich"_qs,
            // CRLF, continuations after a space and after a tab.
            u"Gefaltet|Teil eins, Teil zweiund drei|2024-03-16T08:00:00Z|2024-03-16T09:00:00Z|Keine"_qs,
            // No SUMMARY, and a lower-case rule that is not read.
            u"Importiert|ohne Titel|2024-03-17T08:00:00Z||Keine"_qs,
            u"Importiert|leerer Titel|2024-03-17T08:00:00Z||Täglich"_qs,
            u"Arzt, Termin; Raum 3 \\ A\\nB|a\nb\nc\\nd,e;f\\x|2024-03-17T09:00:00Z||Keine"_qs,
            u"Mit Alarm|vom Alarm|2024-03-17T10:00:00Z||Keine"_qs, // the nested VALARM's wins
            u"Gleich A||2024-03-18T08:00:00Z||Keine"_qs,
            u"Gleich B:mit Doppelpunkt||2024-03-18T08:00:00Z||Keine"_qs, // leading colons skipped
            u"Andere Zeilenenden||2024-03-19T08:00:00Z||Täglich"_qs, // VT, FF, NEL, LS and PS
            // 02:30 does not exist that night: read as the same time after the change, 03:30 CEST.
            u"Sommerzeit-Lücke||2024-03-31T01:30:00Z|2024-03-31T01:30:00Z|Keine"_qs,
        };
        QCOMPARE(read, expected);
    }

    void unreadableFilesGiveNothing_data()
    {
        columns<QByteArray, int>("bytes", "count");
        const QByteArray event = "BEGIN:VEVENT\r\nSUMMARY:X\r\nDTSTART:20240315T083000Z\r\nEND:VEVENT\r\n";
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + event << 1;
        QTest::newRow("invalid UTF-8") << QByteArray(event).replace("X", "\xC3\x28") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("missing file") << QByteArray("missing") << 0;
        // Folds are undone before lines are told apart, even inside the markers.
        QTest::newRow("folded markers") << QByteArray(event).replace("VEVENT", "VEV\r\n\tENT") << 1;
        QTest::newRow("fold after an empty line")
            << QByteArray(event).replace("SUMMARY", "\r\n\r\n SUMMARY").replace("DTSTART", "\n\n\tDTSTART")
            << 1;
        // Undone one kind after another, the first fold leaves "\r\n " for the third to undo.
        QTest::newRow("fold joins a fold") << QByteArray(event).replace("DTSTART", "\r\n  DTSTART") << 1;
    }

    void unreadableFilesGiveNothing()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"kalender.ics"_qs);
        if (bytes != "missing")
            QVERIFY(writeAll(path, bytes));
        QTEST(int(parseICS(path).size()), "count");
    }

    void dates_data()
    {
        columns<QByteArray, QByteArray, QString>("value", "zone", "expected");

        const QByteArray tokyo = "Asia/Tokyo";
        QTest::newRow("UTC ignores zone") << "20240315T083000Z"_ba << tokyo << u"2024-03-15T08:30:00Z"_qs;
        QTest::newRow("local summer") << "20240715T093000"_ba << QByteArray() << u"2024-07-15T07:30:00Z"_qs;
        QTest::newRow("day ignores zone") << "20240715"_ba << tokyo << u"2024-07-14T22:00:00Z"_qs;
        // Autumn: 02:30 happens twice; the first (summer time) is taken.
        QTest::newRow("fall-back") << "20241027T023000"_ba << QByteArray() << u"2024-10-27T00:30:00Z"_qs;
        QTest::newRow("leap day") << "20240229"_ba << QByteArray() << u"2024-02-28T23:00:00Z"_qs;
        QTest::newRow("no leap day") << "20230229"_ba << QByteArray() << QString();
        QTest::newRow("minute 60") << "20240315T086000Z"_ba << QByteArray() << QString();
        QTest::newRow("lower-case t") << "20240315t083000"_ba << QByteArray() << QString();
        QTest::newRow("wrong length") << "2403150"_ba << QByteArray() << QString();
        QTest::newRow("sign") << "+2024031"_ba << QByteArray() << QString();
        // A TZID is a name, never a file: anything else is local time.
        QTest::newRow("zone as a path")
            << "20240715T093000"_ba
            << "../../../usr/share/zoneinfo/" + tokyo << u"2024-07-15T07:30:00Z"_qs;
        // Opening a pipe waits for a writer that never comes.
        const QByteArray pipe = m_scratch.filePath(u"zone"_qs).toLocal8Bit();
        QVERIFY(::mkfifo(pipe.constData(), 0600) == 0);
        QTest::newRow("zone as a pipe") << "20240715T093000"_ba
                                        << "../../.." + pipe << u"2024-07-15T07:30:00Z"_qs;
    }

    void dates()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, zone);
        QTEST(instant(parseICSDate(value, zone)), "expected");
    }

private:
    QTemporaryDir m_scratch;
};

QTEST_GUILESS_MAIN(tst_ICSReader)
#include "tst_icsreader.moc"
