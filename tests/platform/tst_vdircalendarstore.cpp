#include "testsupport.h"
#include "vdircalendarstore.h"

#include <QRegularExpression>

// Calendars in vdir folders: the fixtures of tests/data/vdir, events of its own, the cache, consent.
class tst_VdirCalendarStore : public QObject {
    Q_OBJECT

private slots:
    void listsCalendarFolders()
    {
        VdirCalendarStore store = allowed();
        QStringList listed;
        for (const CalendarInfo& calendar : store.calendars())
            listed.append(
                calendar.title + u' ' + calendar.color + u' ' + QDir(calendar.identifier).dirName());
        // No displayname: the folder's name; an invalid colour: grey; a folder without .ics is none.
        QCOMPARE(listed, strings("Arbeit #ff9500 arbeit|familie #8E8E93 familie|Privat #34c759 privat"));
    }

    void expandsOccurrences_data()
    {
        // occurrences: "title start–end repeats frequency[ location: notes]", local; event: not a fixture
        columns<QString, QStringList, QByteArray, QDateTime, QDateTime>(
            "calendar", "occurrences", "event", "from", "to");
        const auto fixture = [](const char* calendar, const char* occurrences) {
            QTest::newRow(calendar) << QString::fromLatin1(calendar) << strings(occurrences) << QByteArray()
                                    << berlin(2026, 12, 1) << berlin(2027, 1, 1);
        };
        const auto own
            = [](const char* name, const char* occurrences, const QByteArray& event,
                  const QDateTime& from = berlin(2024, 3, 1), const QDateTime& to = berlin(2024, 4, 5)) {
                  QTest::newRow(name) << QString() << strings(occurrences) << event << from << to;
              };

        // Weekly with EXDATE and a moved occurrence, a VTIMEZONE.
        fixture("arbeit",
            "Call New York 10.12. 15:00–15:30 0 Keine|Teamrunde (Dienstag) 22.12. 15:00–16:00 0 Keine|"
            "Teamrunde 07.12. 10:00–11:00 1 Wöchentlich Raum 3: Wochenplanung|"
            "Teamrunde 28.12. 10:00–11:00 1 Wöchentlich Raum 3: Wochenplanung");
        // Whole days, UTC.
        fixture("privat",
            "Urlaub 23.12. 00:00–27.12. 00:00 0 Keine|"
            "Zahnarzt 09.12. 08:30–09:00 0 Keine Praxis Dr. Süß: Bonusheft mitnehmen");
        // Yearly from 1950.
        fixture("familie",
            "Geburtstag Oma 15.12. 00:00–16.12. 00:00 1 Jährlich|"
            "<b>Feier</b> bei Tante & Onkel 26.12. 00:00–27.12. 00:00 0 Keine");
        // UNTIL in UTC is the last start's instant; New York changes clocks on 10 March, Berlin 31 March.
        own("UNTIL in UTC, west of UTC, across a clock change",
            "S 04.03. 16:00–17:00 1 Wöchentlich|S 11.03. 15:00–16:00 1 Wöchentlich",
            "DTSTART;TZID=America/New_York:20240304T100000\nDURATION:PT1H\n"
            "RRULE:FREQ=WEEKLY;UNTIL=20240318T135959Z");
        own("UNTIL in local time, inclusive",
            "S 04.03. 10:00–10:30 1 Wöchentlich|S 11.03. 10:00–10:30 1 Wöchentlich|"
            "S 18.03. 10:00–10:30 1 Wöchentlich",
            "DTSTART;TZID=Europe/Berlin:20240304T100000\nDURATION:PT30M\n"
            "RRULE:FREQ=WEEKLY;UNTIL=20240318T100000");
        own("COUNT across the change to summer time",
            "S 29.03. 09:00–10:00 1 Täglich|S 30.03. 09:00–10:00 1 Täglich|S 31.03. 09:00–10:00 1 Täglich|"
            "S 01.04. 09:00–10:00 1 Täglich",
            "DTSTART;TZID=Europe/Berlin:20240329T090000\nDURATION:PT1H\nRRULE:FREQ=DAILY;COUNT=4");
        own("EXDATE, RDATE, RECURRENCE-ID",
            "S 05.03. 10:00–11:00 1 Wöchentlich|S 14.03. 17:00–18:00 1 Wöchentlich|"
            "Verschoben 20.03. 12:00–13:00 0 Keine|S 26.03. 10:00–11:00 1 Wöchentlich",
            "DTSTART;TZID=Europe/Berlin:20240305T100000\nDURATION:PT1H\nRRULE:FREQ=WEEKLY;COUNT=4\n"
            "EXDATE;TZID=Europe/Berlin:20240312T100000\nRDATE;TZID=Europe/Berlin:20240314T170000\n"
            "END:VEVENT\nBEGIN:VEVENT\nUID:e\nSUMMARY:Verschoben\n"
            "RECURRENCE-ID;TZID=Europe/Berlin:20240319T100000\nDTSTART;TZID=Europe/Berlin:20240320T120000\n"
            "DTEND;TZID=Europe/Berlin:20240320T130000");
        // Counted from DTSTART, an hourly series of 2010 was cut off years before today.
        own("hourly since 2010",
            "S 04.03. 00:00–00:30 1 Keine|S 04.03. 01:00–01:30 1 Keine|S 04.03. 02:00–02:30 1 Keine",
            "DTSTART;TZID=Europe/Berlin:20100101T000000\nDURATION:PT30M\nRRULE:FREQ=HOURLY",
            berlin(2024, 3, 4), berlin(2024, 3, 4, 3, 0));
        // No 30 February: libical alone would search hour by hour until 2582; a day's range keeps it quick.
        for (const char* frequency : { "HOURLY", "MINUTELY" }) {
            own(frequency, "S 04.03. 10:00–11:00 1 Keine",
                QByteArray("DTSTART;TZID=Europe/Berlin:20240304T100000\nDURATION:PT1H\nRRULE:FREQ=")
                    + frequency + ";BYMONTH=2;BYMONTHDAY=30",
                berlin(2024, 3, 4), berlin(2024, 3, 5));
        }
    }

    void expandsOccurrences()
    {
        QFETCH(QString, calendar);
        QFETCH(QByteArray, event);
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, to);
        QTemporaryDir root;
        QStringList roots { QStringLiteral(ZETTELWERK_TEST_DATA "/vdir") };
        if (!event.isEmpty()) {
            QVERIFY(QDir(root.path()).mkdir(u"k"_qs));
            QByteArray text = "BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:e\nSUMMARY:S\n" + event
                + "\nEND:VEVENT\nEND:VCALENDAR\n";
            QVERIFY(writeAll(root.filePath(u"k/e.ics"_qs), text.replace("\n", "\r\n")));
            roots = { root.path() };
        }
        const QString identifier
            = QDir(event.isEmpty() ? QStringLiteral(ZETTELWERK_TEST_DATA "/vdir/") + calendar
                                   : root.filePath(u"k"_qs))
                  .canonicalPath();
        VdirCalendarStore store = allowed(roots);
        QStringList found;
        const QList<CalendarEvent> events = store.events(from, to, { identifier });
        for (const CalendarEvent& occurrence : events) {
            const QDateTime start = occurrence.startDate.toLocalTime();
            const QDateTime end = occurrence.endDate.value_or(QDateTime()).toLocalTime();
            found.append(
                u"%1 %2–%3 %4 %5 %6: %7"_qs
                    .arg(occurrence.title, start.toString(u"dd.MM. HH:mm"_qs),
                        end.toString(end.date() == start.date() ? u"HH:mm"_qs : u"dd.MM. HH:mm"_qs),
                        QString::number(int(occurrence.repeats)), repeatIntervalText(occurrence.frequency),
                        occurrence.location, occurrence.notes)
                    .remove(QRegularExpression(u" ?: $"_qs)));
        }
        found.sort();
        QFETCH(QStringList, occurrences);
        occurrences.sort();
        QCOMPARE(found, occurrences);
    }

    void rangeAndCache()
    {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkdir(u"k"_qs));
        const QString file = root.filePath(u"k/e.ics"_qs);
        const auto write = [&file](const char* summary, const char* end) {
            return writeAll(file,
                QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:e\r\nSUMMARY:") + summary
                    + "\r\nDTSTART:20261201T000000\r\n" + end + "END:VEVENT\r\nEND:VCALENDAR\r\n");
        };
        QVERIFY(write("Erst", "DTEND:20261201T010000\r\n"));
        VdirCalendarStore store = allowed({ root.path() });
        const QStringList ids { QDir(root.filePath(u"k"_qs)).canonicalPath() };
        // Half-open: an event at midnight belongs to the day it starts, not to the one before.
        QCOMPARE(store.events(berlin(2026, 11, 30), berlin(2026, 12, 1), ids).size(), 0);
        QCOMPARE(store.events(berlin(2026, 12, 1), berlin(2026, 12, 2), ids).constFirst().title, u"Erst"_qs);

        // A timed event without end or duration has no end, rather than one equal to its start.
        QVERIFY(write("Dann, ohne Ende", ""));
        QFile(file).setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
        const CalendarEvent changed
            = store.events(berlin(2026, 12, 1), berlin(2026, 12, 2), ids).constFirst();
        QCOMPARE(changed.title, u"Dann, ohne Ende"_qs);
        QVERIFY(!changed.endDate);
        QCOMPARE(store.cachedFileCount(), 1);

        QVERIFY(QFile::remove(file));
        QVERIFY(store.events(berlin(2026, 12, 1), berlin(2026, 12, 2), ids).isEmpty());
        QCOMPARE(store.cachedFileCount(), 0);
    }

    void consent()
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

private:
    static VdirCalendarStore allowed(
        const QStringList& roots = { QStringLiteral(ZETTELWERK_TEST_DATA "/vdir") })
    {
        return VdirCalendarStore({ [] { return std::optional(true); }, [](bool) { return true; } }, roots);
    }
};

QTEST_GUILESS_MAIN(tst_VdirCalendarStore)
#include "tst_vdircalendarstore.moc"
