#include "calendarimportservice.h"
#include "fakecalendarstore.h"
#include "testsupport.h"

// Events of both sources into records, and the access to the system calendar.
class tst_CalendarImportService : public QObject {
    Q_OBJECT

private slots:
    void converts_data()
    {
        // source: "ICS: …": events read from a file; location: only calendar events have one
        columns<QString, QString, QString, QString, RepeatInterval, QString>(
            "source", "title", "location", "notes", "repeat", "text");

        const auto row = [](const char* source, const char* title, const char* location, const char* notes,
                             RepeatInterval repeat, const char* text) {
            QTest::newRow(text) << QString::fromUtf8(source) << QString::fromUtf8(title)
                                << QString::fromUtf8(location) << QString::fromUtf8(notes) << repeat
                                << QString::fromUtf8(text);
        };
        using enum RepeatInterval;
        row("Apple Kalender", "Zahnarzt", "Praxis", "", None, "Zahnarzt\nOrt: Praxis");
        row("Apple Kalender", "", "", "", Weekly, "Importiert");
        row("Apple Kalender", "Team", "Raum 3", "Agenda", Yearly, "Team\nOrt: Raum 3\n\nAgenda");
        row("ICS: export.ics", "Arzt", "", "Zimmer 2\nnüchtern", Daily, "Arzt\n\nZimmer 2\nnüchtern");
    }

    void converts()
    {
        QFETCH(QString, source);
        QFETCH(QString, title);
        QFETCH(QString, location);
        QFETCH(QString, notes);
        QFETCH(RepeatInterval, repeat);
        CalendarEvent event = calendarEvent(title, berlin(2026, 12, 9, 14, 0), repeat);
        event.location = location;
        event.notes = notes;
        const ICSEvent fromFile { title, notes, event.startDate, event.endDate, repeat };
        const QDateTime now = berlin(2026, 12, 7, 10, 0);
        CalendarImportService service(nullptr, [now] { return now; });
        const ReminderNotes converted = source.startsWith(u"ICS: ")
            ? service.convertICSToNotes({ fromFile, fromFile }, source, u"B-1"_s)
            : service.convertToNotes({ event, event }, u"B-1"_s);
        QCOMPARE(converted.size(), 2);
        QVERIFY(converted.at(0).id != converted.at(1).id);
        const ReminderNote& note = converted.constFirst();
        QTEST(note.text, "text");
        QCOMPARE(note.repeatInterval, repeat);
        QCOMPARE(note.alarmDate, event.startDate);
        QCOMPARE(note.alarmEndDate, event.endDate);
        // Every imported record: an appointment already done, silent, of its batch.
        QVERIFY(note.hasAlarm && note.isTriggered && !note.usePopup && !note.useSound);
        QCOMPARE(note.soundName, u"Glass"_s);
        QVERIFY(note.launchAppPath.isEmpty() && note.shellScript.isEmpty());
        QCOMPARE(note.importSource, source);
        QCOMPARE(note.importBatchId, u"B-1"_s);
        QCOMPARE(note.createdAt, now);
    }

    void access_data()
    {
        columns<CalendarAccess, std::optional<bool>, bool, bool>(
            "status", "answer", "grantedAtStart", "grantedAfterRequest");

        QTest::newRow("granted earlier") << CalendarAccess::FullAccess << std::optional(true) << true << true;
        QTest::newRow("agrees") << CalendarAccess::NotDetermined << std::optional(true) << false << true;
        QTest::newRow("refuses") << CalendarAccess::NotDetermined << std::optional(false) << false << false;
        QTest::newRow("request fails")
            << CalendarAccess::NotDetermined << std::optional<bool>() << false << false;
    }

    void access()
    {
        QFETCH(CalendarAccess, status);
        QFETCH(std::optional<bool>, answer);
        FakeCalendarStore store;
        store.add(u"Arbeit"_s, {});
        store.access = status;
        store.answer = answer;

        CalendarImportService service(&store);
        QTEST(service.accessGranted(), "grantedAtStart");
        QCOMPARE(service.calendars().size(), service.accessGranted() ? 1 : 0);
        std::optional<bool> reported;
        service.requestAccess([&reported](bool granted) { reported = granted; });
        QTEST(reported.value_or(true), "grantedAfterRequest");
        QTEST(service.accessGranted(), "grantedAfterRequest");
        QCOMPARE(service.calendars().size(), service.accessGranted() ? 1 : 0);
    }

    void fetchesOnlyKnownCalendarsByStart()
    {
        FakeCalendarStore store;
        store.add(u"Arbeit"_s,
            { calendarEvent(u"spät"_s, berlin(2026, 12, 9, 18, 0)),
                calendarEvent(u"A"_s, berlin(2026, 12, 9, 8, 0)) });
        store.add(u"Privat"_s, { calendarEvent(u"B"_s, berlin(2026, 12, 9, 8, 0)) });
        CalendarImportService service(&store);
        const QDateTime from = berlin(2026, 12, 1);
        const QDateTime to = berlin(2027, 1, 1);

        QVERIFY(service.fetchEvents({}, from, to).isEmpty());
        QVERIFY(service.fetchEvents({ u"/kalender/Unbekannt"_s }, from, to).isEmpty());
        QCOMPARE(store.queries, 0);

        QStringList titles;
        for (const CalendarEvent& event :
            service.fetchEvents({ u"/kalender/Privat"_s, u"/kalender/Arbeit"_s }, from, to))
            titles.append(event.title);
        QCOMPARE(titles, strings("A|B|spät")); // equal starts in calendar order
        QCOMPARE(service.eventCount(store.calendarList.constFirst(), from, to), 2);
    }
};

QTEST_GUILESS_MAIN(tst_CalendarImportService)
#include "tst_calendarimportservice.moc"
