#include "testsupport.h"
#include "vdircalendarstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The vdir calendars of tests/data/vdir in December 2026: recurrence with an exception date and
// a moved occurrence, a zone defined in the file and one known by name, whole days, consent.
class tst_VdirCalendarStore : public QObject {
    Q_OBJECT

private slots:
    void listsCalendarFolders();
    void expandsOccurrences_data();
    void expandsOccurrences();
    void rangeAndCache();
    void consent();

private:
    static QString folder(const QString& name)
    {
        return QDir(QStringLiteral(ZETTELWERK_TEST_DATA "/vdir/") + name).canonicalPath();
    }
    static VdirCalendarStore allowed(
        const QStringList& roots = { QStringLiteral(ZETTELWERK_TEST_DATA "/vdir") })
    {
        return VdirCalendarStore({ [] { return std::optional(true); }, [](bool) { return true; } }, roots);
    }
};

void tst_VdirCalendarStore::listsCalendarFolders()
{
    VdirCalendarStore store = allowed();
    QStringList listed;
    for (const CalendarInfo& calendar : store.calendars())
        listed.append(calendar.title + u' ' + calendar.color + u' ' + QDir(calendar.identifier).dirName());
    // No displayname: the folder's name; an invalid colour: grey; a folder without .ics is none.
    QCOMPARE(listed,
        (QStringList { QStringLiteral("Arbeit #ff9500 arbeit"), QStringLiteral("familie #8E8E93 familie"),
            QStringLiteral("Privat #34c759 privat") }));
}

void tst_VdirCalendarStore::expandsOccurrences_data()
{
    QTest::addColumn<QString>("calendar");
    QTest::addColumn<QStringList>("occurrences");
    // An event of its own, lines joined by CRLF, read over [from, to) instead of a fixture.
    QTest::addColumn<QByteArray>("event");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    const QDateTime march = berlin(2024, 3, 1);
    const QDateTime april = berlin(2024, 4, 5);

    // title | start | end | repeats+frequency, local times
    const QDateTime december = berlin(2026, 12, 1);
    const QDateTime january = berlin(2027, 1, 1);
    QTest::newRow("weekly, EXDATE, moved, VTIMEZONE")
        << "arbeit"
        << QStringList { u"Call New York|10.12. 15:00|10.12. 15:30|0 Keine"_qs,
               u"Teamrunde|07.12. 10:00|07.12. 11:00|1 Wöchentlich"_qs,
               u"Teamrunde (Dienstag)|22.12. 15:00|22.12. 16:00|0 Keine"_qs,
               u"Teamrunde|28.12. 10:00|28.12. 11:00|1 Wöchentlich"_qs }
        << QByteArray() << december << january;
    QTest::newRow("whole days, UTC") << "privat"
                                     << QStringList { u"Urlaub|23.12. 00:00|27.12. 00:00|0 Keine"_qs,
                                            u"Zahnarzt|09.12. 08:30|09.12. 09:00|0 Keine"_qs }
                                     << QByteArray() << december << january;
    QTest::newRow("yearly from 1950")
        << "familie"
        << QStringList { u"Geburtstag Oma|15.12. 00:00|16.12. 00:00|1 Jährlich"_qs,
               u"<b>Feier</b> bei Tante & Onkel|26.12. 00:00|27.12. 00:00|0 Keine"_qs }
        << QByteArray() << december << january;

    // UNTIL in UTC is the instant of the last start, whatever the zone of DTSTART.
    QTest::newRow("UNTIL in UTC, far east")
        << QString()
        << QStringList { u"S|04.03. 01:00|04.03. 02:00|1 Täglich"_qs,
               u"S|05.03. 01:00|05.03. 02:00|1 Täglich"_qs, u"S|06.03. 01:00|06.03. 02:00|1 Täglich"_qs }
        << QByteArray("DTSTART;TZID=Asia/Tokyo:20240304T090000\nDURATION:PT1H\n"
                      "RRULE:FREQ=DAILY;UNTIL=20240306T000000Z")
        << march << april;
    // New York changes to summer time on 10 March, Berlin not before 31 March.
    QTest::newRow("UNTIL in UTC, west of UTC, across a clock change")
        << QString()
        << QStringList { u"S|04.03. 16:00|04.03. 17:00|1 Wöchentlich"_qs,
               u"S|11.03. 15:00|11.03. 16:00|1 Wöchentlich"_qs }
        << QByteArray("DTSTART;TZID=America/New_York:20240304T100000\nDURATION:PT1H\n"
                      "RRULE:FREQ=WEEKLY;UNTIL=20240318T135959Z")
        << march << april;
    QTest::newRow("UNTIL in local time, inclusive")
        << QString()
        << QStringList { u"S|04.03. 10:00|04.03. 10:30|1 Wöchentlich"_qs,
               u"S|11.03. 10:00|11.03. 10:30|1 Wöchentlich"_qs,
               u"S|18.03. 10:00|18.03. 10:30|1 Wöchentlich"_qs }
        << QByteArray("DTSTART;TZID=Europe/Berlin:20240304T100000\nDURATION:PT30M\n"
                      "RRULE:FREQ=WEEKLY;UNTIL=20240318T100000")
        << march << april;
    QTest::newRow("COUNT across the change to summer time")
        << QString()
        << QStringList { u"S|29.03. 09:00|29.03. 10:00|1 Täglich"_qs,
               u"S|30.03. 09:00|30.03. 10:00|1 Täglich"_qs, u"S|31.03. 09:00|31.03. 10:00|1 Täglich"_qs,
               u"S|01.04. 09:00|01.04. 10:00|1 Täglich"_qs }
        << QByteArray("DTSTART;TZID=Europe/Berlin:20240329T090000\nDURATION:PT1H\nRRULE:FREQ=DAILY;COUNT=4")
        << march << april;
    QTest::newRow("BYDAY, INTERVAL, COUNT")
        << QString()
        << QStringList { u"S|04.03. 08:00|04.03. 09:00|1 Wöchentlich"_qs,
               u"S|07.03. 08:00|07.03. 09:00|1 Wöchentlich"_qs,
               u"S|18.03. 08:00|18.03. 09:00|1 Wöchentlich"_qs,
               u"S|21.03. 08:00|21.03. 09:00|1 Wöchentlich"_qs,
               u"S|01.04. 08:00|01.04. 09:00|1 Wöchentlich"_qs }
        << QByteArray("DTSTART;TZID=Europe/Berlin:20240304T080000\nDURATION:PT1H\n"
                      "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH;COUNT=5")
        << march << april;
    QTest::newRow("EXDATE, RDATE, RECURRENCE-ID")
        << QString()
        << QStringList { u"S|05.03. 10:00|05.03. 11:00|1 Wöchentlich"_qs,
               u"S|14.03. 17:00|14.03. 18:00|1 Wöchentlich"_qs,
               u"Verschoben|20.03. 12:00|20.03. 13:00|0 Keine"_qs,
               u"S|26.03. 10:00|26.03. 11:00|1 Wöchentlich"_qs }
        << QByteArray("DTSTART;TZID=Europe/Berlin:20240305T100000\nDURATION:PT1H\nRRULE:FREQ=WEEKLY;COUNT=4\n"
                      "EXDATE;TZID=Europe/Berlin:20240312T100000\nRDATE;TZID=Europe/Berlin:20240314T170000\n"
                      "END:VEVENT\nBEGIN:VEVENT\nUID:e\nSUMMARY:Verschoben\n"
                      "RECURRENCE-ID;TZID=Europe/Berlin:20240319T100000\n"
                      "DTSTART;TZID=Europe/Berlin:20240320T120000\nDTEND;TZID=Europe/Berlin:20240320T130000")
        << march << april;
    // Counted from DTSTART, an hourly series of 2010 was cut off years before today.
    QTest::newRow("hourly since 2010")
        << QString()
        << QStringList { u"S|04.03. 00:00|04.03. 00:30|1 Keine"_qs, u"S|04.03. 01:00|04.03. 01:30|1 Keine"_qs,
               u"S|04.03. 02:00|04.03. 02:30|1 Keine"_qs }
        << QByteArray("DTSTART;TZID=Europe/Berlin:20100101T000000\nDURATION:PT30M\nRRULE:FREQ=HOURLY")
        << berlin(2024, 3, 4) << berlin(2024, 3, 4, 3, 0);
    // No 30 February: libical alone would look for one, hour by hour, until the year 2582. A day
    // is read, so that the search stays far inside the budget on a busy machine.
    for (const char* frequency : { "HOURLY", "MINUTELY" }) {
        QTest::addRow("never matching %s", frequency)
            << QString() << QStringList { u"S|04.03. 10:00|04.03. 11:00|1 Keine"_qs }
            << QByteArray("DTSTART;TZID=Europe/Berlin:20240304T100000\nDURATION:PT1H\nRRULE:FREQ=")
                + frequency + ";BYMONTH=2;BYMONTHDAY=30"
            << berlin(2024, 3, 4) << berlin(2024, 3, 5);
    }
}

void tst_VdirCalendarStore::expandsOccurrences()
{
    QFETCH(QString, calendar);
    const QByteArray ownEvent = [] {
        QFETCH(QByteArray, event);
        return event;
    }();
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    QTemporaryDir root;
    QStringList roots { QStringLiteral(ZETTELWERK_TEST_DATA "/vdir") };
    if (!ownEvent.isEmpty()) {
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("k")));
        QByteArray text = "BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:e\nSUMMARY:S\n" + ownEvent
            + "\nEND:VEVENT\nEND:VCALENDAR\n";
        QVERIFY(writeAll(root.filePath(QStringLiteral("k/e.ics")), text.replace("\n", "\r\n")));
        roots = { root.path() };
    }
    const QString identifier
        = ownEvent.isEmpty() ? folder(calendar) : QDir(root.filePath(QStringLiteral("k"))).canonicalPath();
    VdirCalendarStore store = allowed(roots);
    QStringList found;
    const QList<CalendarEvent> events = store.events(from, to, { identifier });
    for (const CalendarEvent& event : events) {
        const auto local = [](const QDateTime& date) {
            return date.toLocalTime().toString(QStringLiteral("dd.MM. HH:mm"));
        };
        found.append(QStringLiteral("%1|%2|%3|%4 %5")
                         .arg(event.title, local(event.startDate), local(event.endDate.value_or(QDateTime())))
                         .arg(int(event.repeats))
                         .arg(repeatIntervalText(event.frequency)));
    }
    found.sort();
    QFETCH(QStringList, occurrences);
    occurrences.sort();
    QCOMPARE(found, occurrences);
    if (calendar == QLatin1String("privat")) {
        const CalendarEvent& dentist = events.at(events.at(0).title == QLatin1String("Zahnarzt") ? 0 : 1);
        QCOMPARE(dentist.location, QStringLiteral("Praxis Dr. Süß"));
        QCOMPARE(dentist.notes, QStringLiteral("Bonusheft mitnehmen"));
    }
}

void tst_VdirCalendarStore::rangeAndCache()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkdir(QStringLiteral("k")));
    const QString file = root.filePath(QStringLiteral("k/e.ics"));
    const auto write = [&file](const char* summary, const char* end) {
        return writeAll(file,
            QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:e\r\nSUMMARY:") + summary
                + "\r\nDTSTART:20261201T000000\r\n" + end + "END:VEVENT\r\nEND:VCALENDAR\r\n");
    };
    QVERIFY(write("Erst", "DTEND:20261201T010000\r\n"));
    VdirCalendarStore store = allowed({ root.path() });
    const QStringList ids { QDir(root.filePath(QStringLiteral("k"))).canonicalPath() };
    // Half-open: an event at midnight belongs to the day it starts, not to the one before.
    QCOMPARE(store.events(berlin(2026, 11, 30), berlin(2026, 12, 1), ids).size(), 0);
    QCOMPARE(store.events(berlin(2026, 12, 1), berlin(2026, 12, 2), ids).constFirst().title,
        QStringLiteral("Erst"));

    // A timed event without end or duration has no end, rather than one equal to its start.
    QVERIFY(write("Dann, ohne Ende", ""));
    QFile(file).setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    const CalendarEvent changed = store.events(berlin(2026, 12, 1), berlin(2026, 12, 2), ids).constFirst();
    QCOMPARE(changed.title, QStringLiteral("Dann, ohne Ende"));
    QVERIFY(!changed.endDate);
    QCOMPARE(store.cachedFileCount(), 1);

    // A deleted file is forgotten on the next scan.
    QVERIFY(QFile::remove(file));
    QVERIFY(store.events(berlin(2026, 12, 1), berlin(2026, 12, 2), ids).isEmpty());
    QCOMPARE(store.cachedFileCount(), 0);
}

void tst_VdirCalendarStore::consent()
{
    std::optional<bool> kept;
    bool canKeep = false;
    VdirCalendarStore store({ [&kept] { return kept; },
                                [&](bool granted) {
                                    if (canKeep)
                                        kept = granted;
                                    return canKeep;
                                } },
        {});
    QCOMPARE(store.accessStatus(), CalendarAccess::NotDetermined);
    std::optional<bool> answer = false;
    store.requestFullAccess([&answer](std::optional<bool> granted) { answer = granted; });
    QCOMPARE(answer, std::nullopt); // could not be kept: an error, the prompt stays
    QCOMPARE(store.accessStatus(), CalendarAccess::NotDetermined);
    canKeep = true;
    store.requestFullAccess([&answer](std::optional<bool> granted) { answer = granted; });
    QCOMPARE(answer, std::optional(true));
    QCOMPARE(store.accessStatus(), CalendarAccess::FullAccess);
}

QTEST_GUILESS_MAIN(tst_VdirCalendarStore)
#include "tst_vdircalendarstore.moc"
