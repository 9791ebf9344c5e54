#include "calendarimportservice.h"
#include "fakecalendarstore.h"
#include "testsupport.h"

#include <QTest>

// Events of both sources into records, and the access to the system calendar.
namespace {

const QDateTime conversionTime = berlin(2026, 12, 7, 10, 0);

// What every imported record shares: an appointment already done, silent, of its batch.
void verifyImported(const ReminderNote& note, const QString& source)
{
    QVERIFY(note.hasAlarm && note.isTriggered && !note.usePopup && !note.useSound);
    QCOMPARE(note.soundName, QStringLiteral("Glass"));
    QVERIFY(note.launchAppPath.isEmpty() && note.shellScript.isEmpty());
    QCOMPARE(note.importSource, source);
    QCOMPARE(note.importBatchId, QStringLiteral("B-1"));
    QCOMPARE(note.createdAt, conversionTime);
}

} // namespace

class tst_CalendarImportService : public QObject {
    Q_OBJECT

private slots:
    void convertsCalendarEvents_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<RepeatInterval>("repeat");
        QTest::addColumn<QString>("text");

        const auto row = [](const char* title, const char* location, const char* notes, RepeatInterval repeat,
                             const char* text) {
            QTest::newRow(text) << QString::fromUtf8(title) << QString::fromUtf8(location)
                                << QString::fromUtf8(notes) << repeat << QString::fromUtf8(text);
        };
        row("Zahnarzt", "Praxis", "", RepeatInterval::None, "Zahnarzt\nOrt: Praxis");
        row("", "", "", RepeatInterval::Weekly, "Importiert");
        row("Team", "", "Agenda", RepeatInterval::Monthly, "Team\n\nAgenda");
        row("Team", "Raum 3", "Agenda", RepeatInterval::Yearly, "Team\nOrt: Raum 3\n\nAgenda");
    }

    void convertsCalendarEvents()
    {
        QFETCH(RepeatInterval, repeat);
        CalendarEvent event = calendarEvent(QString(), berlin(2026, 12, 9, 14, 0), repeat);
        QFETCH(QString, title);
        event.title = title;
        QFETCH(QString, location);
        event.location = location;
        QFETCH(QString, notes);
        event.notes = notes;

        CalendarImportService service(nullptr, [] { return conversionTime; });
        const ReminderNotes converted = service.convertToNotes({ event, event }, QStringLiteral("B-1"));
        QCOMPARE(converted.size(), 2);
        QVERIFY(converted.at(0).id != converted.at(1).id);
        const ReminderNote& note = converted.constFirst();
        QTEST(note.text, "text");
        QCOMPARE(note.repeatInterval, repeat);
        QCOMPARE(note.alarmDate, event.startDate);
        QCOMPARE(note.alarmEndDate, event.endDate);
        verifyImported(note, QStringLiteral("Apple Kalender"));
    }

    void convertsFileEvents_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("hasEnd");
        QTest::addColumn<QString>("text");

        QTest::newRow("summary only") << "" << false << "Arzt";
        QTest::newRow("with description") << "Zimmer 2\nnüchtern" << true << "Arzt\n\nZimmer 2\nnüchtern";
    }

    void convertsFileEvents()
    {
        QFETCH(QString, description);
        QFETCH(bool, hasEnd);
        const ICSEvent event { QStringLiteral("Arzt"), description, utc(2026, 12, 9, 13, 0),
            hasEnd ? std::optional(utc(2026, 12, 10, 13, 0)) : std::nullopt, RepeatInterval::Daily };

        CalendarImportService service(nullptr, [] { return conversionTime; });
        const ReminderNotes converted
            = service.convertICSToNotes({ event }, QStringLiteral("ICS: export.ics"), QStringLiteral("B-1"));
        QCOMPARE(converted.size(), 1);
        QTEST(converted.constFirst().text, "text");
        QCOMPARE(converted.constFirst().alarmDate, event.startDate);
        QCOMPARE(converted.constFirst().alarmEndDate, event.endDate);
        QCOMPARE(converted.constFirst().repeatInterval, RepeatInterval::Daily);
        verifyImported(converted.constFirst(), QStringLiteral("ICS: export.ics"));
    }

    void access_data()
    {
        QTest::addColumn<CalendarAccess>("status");
        QTest::addColumn<std::optional<bool>>("answer");
        QTest::addColumn<bool>("grantedAtStart");
        QTest::addColumn<bool>("grantedAfterRequest");

        QTest::newRow("granted earlier") << CalendarAccess::FullAccess << std::optional(true) << true << true;
        QTest::newRow("agrees") << CalendarAccess::NotDetermined << std::optional(true) << false << true;
        QTest::newRow("refuses") << CalendarAccess::NotDetermined << std::optional(false) << false << false;
        QTest::newRow("request fails")
            << CalendarAccess::NotDetermined << std::optional<bool>() << false << false;
        QTest::newRow("write-only") << CalendarAccess::WriteOnly << std::optional(false) << false << false;
        QTest::newRow("withdrawn, refused again")
            << CalendarAccess::Denied << std::optional(false) << false << false;
    }

    void access()
    {
        QFETCH(CalendarAccess, status);
        QFETCH(std::optional<bool>, answer);
        FakeCalendarStore store;
        store.add(QStringLiteral("Arbeit"), {});
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
        store.add(QStringLiteral("Arbeit"),
            { calendarEvent(QStringLiteral("spät"), berlin(2026, 12, 9, 18, 0)),
                calendarEvent(QStringLiteral("A"), berlin(2026, 12, 9, 8, 0)) });
        store.add(
            QStringLiteral("Privat"), { calendarEvent(QStringLiteral("B"), berlin(2026, 12, 9, 8, 0)) });
        CalendarImportService service(&store);
        const QDateTime from = berlin(2026, 12, 1);
        const QDateTime to = berlin(2027, 1, 1);

        QVERIFY(service.fetchEvents({}, from, to).isEmpty());
        QVERIFY(service.fetchEvents({ QStringLiteral("/kalender/Unbekannt") }, from, to).isEmpty());
        QCOMPARE(store.queries, 0);

        QStringList titles;
        const QList<CalendarEvent> events = service.fetchEvents(
            { QStringLiteral("/kalender/Privat"), QStringLiteral("/kalender/Arbeit") }, from, to);
        for (const CalendarEvent& event : events)
            titles.append(event.title);
        // Equal starts in calendar order.
        QCOMPARE(titles, (QStringList { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("spät") }));
        QCOMPARE(service.eventCount(store.calendarList.constFirst(), from, to), 2);
    }
};

QTEST_GUILESS_MAIN(tst_CalendarImportService)
#include "tst_calendarimportservice.moc"
