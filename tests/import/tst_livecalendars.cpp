#include "livecalendars.h"

#include "fakecalendarstore.h"
#include "testsupport.h"

// Calendars shown without importing: a calendar store in memory, a real folder for the file watch.
class tst_LiveCalendars : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_store = FakeCalendarStore();
        m_now = berlin(2026, 12, 7, 10, 0);
        m_live = std::make_unique<LiveCalendars>([this] { return m_now; });
    }

    void windows_data()
    {
        columns<QDate, QList<QDate>>("covered", "expected");
        const QList<QDate> usual { QDate(2026, 11, 1), QDate(2028, 1, 1) };
        QTest::newRow("none covered") << QDate() << usual;
        QTest::newRow("first month of the window") << QDate(2026, 11, 30) << usual;
        QTest::newRow("last month of the window") << QDate(2027, 12, 1) << usual;
        QTest::newRow("the month after")
            << QDate(2028, 1, 15) << usual + QList { QDate(2028, 1, 1), QDate(2028, 2, 1) };
        QTest::newRow("the month before")
            << QDate(2026, 10, 31) << usual + QList { QDate(2026, 10, 1), QDate(2026, 11, 1) };
    }

    void windows()
    {
        QFETCH(QDate, covered);
        QList<QDate> days;
        for (const LiveCalendars::Window& window : LiveCalendars::windows(QDate(2026, 12, 7), covered)) {
            QCOMPARE(window.start.time(), QTime(0, 0));
            days << window.start.date() << window.end.date();
        }
        QTEST(days, "expected");
    }

    void occurrencesAsRecords()
    {
        CalendarEvent team
            = calendarEvent(u"Teamrunde"_s, berlin(2026, 12, 7, 10, 0), RepeatInterval::Weekly);
        team.location = u"Raum 3"_s;
        CalendarEvent untitled = calendarEvent({}, berlin(2026, 12, 8, 9, 0));
        untitled.endDate.reset();
        const CalendarInfo work { u"/kalender/Arbeit"_s, u"Arbeit"_s, u"#ff0000"_s };
        const QList<CalendarEvent> events { team, untitled, team };

        const ReminderNotes notes = LiveCalendars::toNotes(events, work);
        QCOMPARE(textsOf(notes), strings("Teamrunde\nOrt: Raum 3|Ohne Titel|Teamrunde\nOrt: Raum 3"));
        const ReminderNote& first = notes.constFirst();
        QCOMPARE(first.alarmDate, berlin(2026, 12, 7, 10, 0));
        QCOMPARE(first.alarmEndDate, std::optional(berlin(2026, 12, 7, 11, 0)));
        QCOMPARE(notes.at(1).alarmEndDate, std::nullopt);
        QCOMPARE(first.importSource, u"Arbeit"_s);
        // Shown, never rung: each occurrence stands alone and has nothing to raise.
        QVERIFY(first.hasAlarm && first.isTriggered && !first.usePopup && !first.useSound);
        QCOMPARE(first.repeatInterval, RepeatInterval::None);
        QVERIFY(first.launchAppPath.isEmpty() && first.shellScript.isEmpty());

        // Read again: the same records; twins, and one event in two calendars, have ids of their own.
        const ReminderNotes later = LiveCalendars::toNotes(events, work);
        QVERIFY(std::equal(later.cbegin(), later.cend(), notes.cbegin(), notes.cend(),
            [](const ReminderNote& a, const ReminderNote& b) { return a.hasSameFields(b); }));
        QVERIFY(notes.at(0).id != notes.at(2).id);
        const CalendarInfo home { u"/kalender/Privat"_s, u"Privat"_s, u"#00ff00"_s };
        QVERIFY(LiveCalendars::toNotes({ team }, home).constFirst().id != first.id);
    }

    void readingFollowsChoiceAndMonth()
    {
        m_store.add(u"Arbeit"_s,
            { calendarEvent(u"Später"_s, berlin(2027, 3, 1, 9, 0)),
                calendarEvent(u"Übernächstes Jahr"_s, berlin(2028, 1, 15, 9, 0)) });
        // From the last day of the usual window into the month after it, once covered in two windows.
        CalendarEvent trip = calendarEvent(u"Reise"_s, berlin(2027, 12, 31, 9, 0));
        trip.endDate = berlin(2028, 1, 2, 18, 0);
        m_store.add(u"Privat"_s, { calendarEvent(u"Zahnarzt"_s, berlin(2026, 12, 9, 8, 30)), trip });
        m_store.add(u"Geheim"_s, { calendarEvent(u"Nicht gewählt"_s, berlin(2026, 12, 8, 8, 0)) });
        QSignalSpy changed(m_live.get(), &LiveCalendars::changed);
        show({ u"/kalender/Arbeit"_s, u"/kalender/Privat"_s, u"/kalender/Fort"_s });
        // By start across calendars; outside the window and unchosen calendars stay out.
        QCOMPARE(textsOf(m_live->notes()), strings("Zahnarzt|Später|Reise"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_live->find(m_live->notes().constFirst().id)->text, u"Zahnarzt"_s);

        m_live->cover(QDate(2028, 1, 1));
        m_live->waitForResults();
        QCOMPARE(textsOf(m_live->notes()), strings("Zahnarzt|Später|Reise|Übernächstes Jahr"));
        m_live->cover(QDate(2026, 12, 1));
        m_live->waitForResults();
        QCOMPARE(textsOf(m_live->notes()), strings("Zahnarzt|Später|Reise"));

        // Reading the same again tells nobody; choosing none empties the list.
        changed.clear();
        m_live->reload();
        m_live->waitForResults();
        QCOMPARE(changed.count(), 0);
        // The open panel's clock reads again once a minute has passed since the last reading.
        const int queries = m_store.queries;
        m_now = m_now.addSecs(59);
        m_live->reloadIfOld();
        m_live->waitForResults();
        QCOMPARE(m_store.queries, queries);
        m_now = m_now.addSecs(1);
        m_live->reloadIfOld();
        m_live->waitForResults();
        QCOMPARE(m_store.queries, queries + 2);
        m_live->setCalendars({});
        m_live->waitForResults();
        QVERIFY(m_live->notes().isEmpty());
        QCOMPARE(changed.count(), 1);
    }

    void aFloodKeepsThoseNearestToday()
    {
        // Every half hour from 1 November 2026 on, more than the window holds room for.
        QList<CalendarEvent> events;
        const QDateTime first = berlin(2026, 11, 1, 0, 0);
        for (int slot = 0; slot < LiveCalendars::maxShown + 400; ++slot)
            events.append(calendarEvent(u"Takt"_s, first.addSecs(slot * 1800LL)));
        m_store.add(u"Takt"_s, events);
        show({ u"/kalender/Takt"_s });
        // The month before today is nearer than the far end of the next year.
        QCOMPARE(m_live->notes().size(), LiveCalendars::maxShown);
        QCOMPARE(m_live->notes().constFirst().alarmDate, first);
        QCOMPARE(
            m_live->notes().constLast().alarmDate, first.addSecs((LiveCalendars::maxShown - 1) * 1800LL));
    }

    void aChangedFolderIsReadAgain()
    {
        QTemporaryDir folder;
        m_store.calendarList.append({ folder.path(), u"Ordner"_s, u"#000000"_s });
        show({ folder.path() });
        QVERIFY(m_live->notes().isEmpty());

        // vdirsyncer put a file there: the store now reads an event from it.
        QSignalSpy changed(m_live.get(), &LiveCalendars::changed);
        m_store.eventsByCalendar.insert(
            folder.path(), { calendarEvent(u"Neu"_s, berlin(2026, 12, 10, 9, 0)) });
        QVERIFY(writeAll(folder.filePath(u"neu.ics"_s), "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"));
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(textsOf(m_live->notes()), QStringList { u"Neu"_s });

        // Wiped and made again, it is still followed.
        m_store.eventsByCalendar.remove(folder.path());
        QVERIFY(QDir(folder.path()).removeRecursively());
        QTRY_COMPARE(changed.count(), 2);
        QVERIFY(QDir().mkpath(folder.path()));
        m_live->reload();
        m_live->waitForResults();
        m_store.eventsByCalendar.insert(
            folder.path(), { calendarEvent(u"Wieder"_s, berlin(2026, 12, 11, 9, 0)) });
        QVERIFY(writeAll(folder.filePath(u"wieder.ics"_s), "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"));
        QTRY_COMPARE(changed.count(), 3);
        QCOMPARE(textsOf(m_live->notes()), QStringList { u"Wieder"_s });
    }

private:
    void show(const QStringList& calendars)
    {
        m_live->setStore(&m_store);
        m_live->setCalendars(calendars);
        m_live->waitForResults();
    }

    FakeCalendarStore m_store;
    QDateTime m_now;
    std::unique_ptr<LiveCalendars> m_live;
};

QTEST_GUILESS_MAIN(tst_LiveCalendars)
#include "tst_livecalendars.moc"
