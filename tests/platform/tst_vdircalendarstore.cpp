#include "testsupport.h"
#include "vdircalendarstore.h"

#include <QDir>
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
    static VdirCalendarStore fixtureStore()
    {
        return VdirCalendarStore({ [] { return std::optional(true); }, [](bool) { return true; } },
            { QStringLiteral(ZETTELWERK_TEST_DATA "/vdir") });
    }
};

void tst_VdirCalendarStore::listsCalendarFolders()
{
    VdirCalendarStore store = fixtureStore();
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

    // title | start | end | repeats+frequency, local times
    QTest::newRow("weekly, EXDATE, moved, VTIMEZONE")
        << "arbeit"
        << QStringList { u"Call New York|10.12. 15:00|10.12. 15:30|0 Keine"_qs,
               u"Teamrunde|07.12. 10:00|07.12. 11:00|1 Wöchentlich"_qs,
               u"Teamrunde (Dienstag)|22.12. 15:00|22.12. 16:00|0 Keine"_qs,
               u"Teamrunde|28.12. 10:00|28.12. 11:00|1 Wöchentlich"_qs };
    QTest::newRow("whole days, UTC") << "privat"
                                     << QStringList { u"Urlaub|23.12. 00:00|27.12. 00:00|0 Keine"_qs,
                                            u"Zahnarzt|09.12. 08:30|09.12. 09:00|0 Keine"_qs };
    QTest::newRow("yearly from 1950")
        << "familie"
        << QStringList { u"Geburtstag Oma|15.12. 00:00|16.12. 00:00|1 Jährlich"_qs,
               u"<b>Feier</b> bei Tante & Onkel|26.12. 00:00|27.12. 00:00|0 Keine"_qs };
}

void tst_VdirCalendarStore::expandsOccurrences()
{
    QFETCH(QString, calendar);
    VdirCalendarStore store = fixtureStore();
    QStringList found;
    const QList<CalendarEvent> events
        = store.events(berlin(2026, 12, 1), berlin(2027, 1, 1), { folder(calendar) });
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
    VdirCalendarStore store(
        { [] { return std::optional(true); }, [](bool) { return true; } }, { root.path() });
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
