#include "calendarimportmodel.h"
#include "fakecalendarstore.h"
#include "log.h"
#include "notejson.h"
#include "testsupport.h"

#include <QAbstractItemModelTester>
#include <QRegularExpression>
#include <QTimeZone>

namespace {

// Column `index` of every row, counted from the end where negative, joined by '|'.
QString column(const RowModel* model, int index)
{
    QStringList values;
    for (const RowModel::Row& row : model->rows())
        values.append(row.at(index < 0 ? row.size() + index : index).toString());
    return values.join(u'|');
}

} // namespace

// The import screen's flows on a fake system calendar and a store in a temporary folder.
class tst_CalendarImportModel : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_model.reset();
        m_store.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_log.clear();
        Log::setSink([this](const QString& line) { m_log.append(line); });
        m_calendars = FakeCalendarStore();
        m_calendars.add(u"Arbeit"_qs,
            { calendarEvent(u"Zahnarzt"_qs, berlin(2026, 12, 9, 10, 0)),
                calendarEvent(u"Meeting"_qs, berlin(2026, 12, 9, 14, 0), RepeatInterval::Weekly),
                calendarEvent(u"A"_qs, berlin(2026, 12, 9, 15, 0)),
                calendarEvent(u"B"_qs, berlin(2026, 12, 9, 16, 0)),
                calendarEvent(QString(), berlin(2026, 12, 9, 17, 0)) });
    }

    void cleanup() { Log::setSink({}); }

    void defaultRange_data()
    {
        columns<QDateTime, QDate>("now", "end");
        QTest::newRow("first of March, midnight") << berlin(2027, 3, 1) << QDate(2027, 3, 31);
        QTest::newRow("last of February, late") << berlin(2028, 2, 29, 23, 59) << QDate(2028, 2, 29);
    }

    void defaultRange()
    {
        QFETCH(QDateTime, now);
        QFETCH(QDate, end);
        m_calendars.add(u"Monat"_qs,
            { calendarEvent(u"letzte Sekunde"_qs, end.startOfDay().addSecs(86399)),
                calendarEvent(u"danach"_qs, end.addDays(1).startOfDay()) });
        attach(now);
        QCOMPARE(m_model->startDate(), QDate(now.date().year(), now.date().month(), 1));
        QCOMPARE(m_model->endDate(), end);
        QCOMPARE(m_model->rangeStart(), m_model->startDate().startOfDay());
        tap(m_calendars.calendarList.last().identifier);
        QCOMPARE(column(m_model->appleEvents()->rows(), 0), u"letzte Sekunde"_qs);
    }

    void calendarOrder()
    {
        const QList<CalendarEvent> three(3, calendarEvent({}, berlin(2026, 12, 2, 9, 0)));
        m_calendars = FakeCalendarStore();
        for (const char* title : { "Privat", "alpha", "Zeta", "Arbeit" })
            m_calendars.add(QString::fromUtf8(title), three);
        m_calendars.add(u"Viel"_qs, three + three.mid(0, 2));
        attach();
        QCOMPARE(column(m_model->calendars(), 1), u"Viel|Arbeit|Privat|Zeta|alpha"_qs);
        QCOMPARE(column(m_model->calendars(), 3), u"5|3|3|3|3"_qs);
    }

    void tickingFetchesAndSelects()
    {
        m_calendars.access = CalendarAccess::NotDetermined;
        attach();
        QVERIFY(!m_model->accessGranted());
        QCOMPARE(m_model->calendars()->count(), 0);
        m_model->requestAccess();
        QVERIFY(m_model->accessGranted());
        // The counts are read on a worker; until they arrive the row says so.
        QVERIFY(m_model->loading());
        QCOMPARE(column(m_model->calendars(), 3), u"…"_qs);
        m_model->waitForResults();
        QVERIFY(!m_model->loading());
        QCOMPARE(column(m_model->calendars(), 3), u"5"_qs);

        QSignalSpy fetched(m_model.get(), &CalendarImportModel::eventsFetched);
        EventSelection& events = *m_model->appleEvents();
        tap(arbeit());
        QCOMPARE(fetched.size(), 1);
        QVERIFY(m_model->hasFetched());
        QCOMPARE(column(m_model->calendars(), -1), u"true"_qs);
        QCOMPARE(events.foundText(), u"5 Events gefunden"_qs);
        QCOMPARE(events.selectionText(), u"5 von 5 ausgewählt"_qs);
        QCOMPARE(events.toggleAllText(), u"Keine"_qs);
        // title, dateText, repeats, selected; an event without title shows "?".
        QCOMPARE(events.rows()->rows().at(1),
            (RowModel::Row { u"Meeting"_qs, u"9. Dez. 2026, 14:00"_qs, true, true }));
        QCOMPARE(column(events.rows(), 0), u"Zahnarzt|Meeting|A|B|?"_qs);

        events.toggleAll();
        QCOMPARE(events.importText(), u"0 Events importieren"_qs);
        QCOMPARE(events.toggleAllText(), u"Alle"_qs);
        events.toggle(2);
        QCOMPARE(events.selectionText(), u"1 von 5 ausgewählt"_qs);

        // A new range hides the list until a calendar is tapped; ticking again selects all anew.
        m_model->setEndDate(QDate(2027, 1, 31));
        m_model->waitForResults();
        QVERIFY(!m_model->hasFetched());
        tap(arbeit());
        QVERIFY(!m_model->hasFetched());
        QCOMPARE(events.count(), 0);
        tap(arbeit());
        QCOMPARE(events.selectionText(), u"5 von 5 ausgewählt"_qs);
        QCOMPARE(fetched.size(), 2);

        // Unticked again before its events arrived: they are not shown when they do.
        m_model->tapCalendar(arbeit());
        m_model->tapCalendar(arbeit());
        QVERIFY(m_model->loading());
        m_model->tapCalendar(arbeit());
        m_model->waitForResults();
        QVERIFY(!m_model->hasFetched());
        QCOMPARE(events.count(), 0);
        QCOMPARE(fetched.size(), 2);
    }

    void resolvesDuplicates_data()
    {
        columns<QStringList, int, QString, int, int>(
            "actions", "duplicates", "replaceFlags", "imported", "total");

        const auto row = [](const char* actions, int duplicates, const char* flags, int imported, int total) {
            QTest::newRow(actions) << QString::fromLatin1(actions).split(u',') << duplicates
                                   << QString::fromLatin1(flags) << imported << total;
        };
        // Meeting unticked: 4 records, 1 of them a duplicate, preset to "Überspringen".
        row("untick 1", 1, "false", 3, 5);
        row("replaceAll,skip 1", 2, "true|false", 4, 5);
        row("replaceAll,skipAll", 2, "false|false", 3, 5);
        row("replaceAll,cancel", 2, "", -1, 2);
        // "twice": a second incoming Zahnarzt matches the same record; each row keeps its own choice.
        row("twice,replace 0", 3, "true|false|false", 4, 5);
        row("twice,replace 1,replace 0", 3, "true|true|false", 5, 6);
    }

    void resolvesDuplicates()
    {
        QFETCH(QStringList, actions);
        if (actions.contains(u"twice"_qs)) {
            m_calendars.eventsByCalendar[arbeit()].append(
                calendarEvent(u"Zahnarzt"_qs, berlin(2026, 12, 9, 10, 0, 20)));
        }
        attach();
        const QUuid oldDentist = m_store->notes().constFirst().id;
        tap(arbeit());
        m_log.clear();
        for (const QString& action : std::as_const(actions)) {
            if (action.startsWith(u"untick"))
                m_model->appleEvents()->toggle(action.section(u' ', 1).toInt());
        }
        m_model->importAppleEvents();
        QVERIFY(m_model->hasCollisions());
        QVERIFY(!m_model->showBanner());
        QCOMPARE(m_log.size(), 2);
        QVERIFY(m_log.constFirst().startsWith(
            u"[Import] startImportWithCollisionCheck: %1 notes, batchId="_qs.arg(
                5 - int(actions.contains(u"untick 1"_qs)) + int(actions.contains(u"twice"_qs)))));
        QFETCH(int, duplicates);
        QCOMPARE(m_model->collisionHeading(), u"%1 Duplikate gefunden"_qs.arg(duplicates));
        QCOMPARE(m_model->newEventsText(), u"+ 3 neue Events ohne Duplikat"_qs);
        QCOMPARE(m_log.last(),
            u"[Import] collisions found: "_qs + m_model->collisionHeading().section(u' ', 0, 0));

        for (const QString& action : std::as_const(actions)) {
            const int row = action.section(u' ', 1).toInt();
            if (action.startsWith(u"replace "))
                m_model->chooseReplace(row);
            else if (action.startsWith(u"skip "))
                m_model->chooseSkip(row);
            else if (action == u"replaceAll")
                m_model->replaceAll();
            else if (action == u"skipAll")
                m_model->skipAll();
            else if (action == u"cancel")
                m_model->cancelCollisions();
        }
        const QString flags = column(m_model->collisions(), -1);
        QTEST(flags, "replaceFlags");

        m_model->executeCollisionImport();
        QFETCH(int, imported);
        QCOMPARE(m_model->importedCount().value_or(-1), imported);
        QCOMPARE(m_model->showBanner(), imported >= 0);
        QVERIFY(!m_model->hasCollisions());
        QTEST(int(m_store->notes().size()), "total");
        const bool replacedDentist = flags.startsWith(u"true");
        QCOMPARE(std::any_of(m_store->notes().cbegin(), m_store->notes().cend(),
                     [&](const ReminderNote& note) { return note.id == oldDentist; }),
            !replacedDentist);
        // Cancelled: the tab is as it was; imported: the tab starts afresh.
        QCOMPARE(m_model->hasFetched(), imported < 0);
        QCOMPARE(m_model->appleEvents()->count(), imported < 0 ? 5 : 0);
    }

    void bannerUndoAndHistory()
    {
        m_calendars.calendarList.clear();
        m_calendars.add(u"Neu"_qs, { calendarEvent(u"X"_qs, berlin(2026, 12, 20, 9, 0)) });
        attach();
        tap(m_calendars.calendarList.constFirst().identifier);
        m_model->importAppleEvents();
        QCOMPARE(m_model->bannerText(), u"1 Events importiert!"_qs);
        QCOMPARE(m_store->notes().size(), 3);
        // batchId, source, isICS, detailText, confirming
        const RowModel::Row row = m_model->history()->rows().constFirst();
        QCOMPARE(row.mid(1),
            (RowModel::Row { u"Apple Kalender"_qs, false, u"1 Events - 7. Dez., 10:00"_qs, false }));
        QCOMPARE(row.constFirst().toString(), m_model->lastBatchId().value_or(QString()));
        static const QRegularExpression upperUuid(u"^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"_qs);
        QVERIFY(upperUuid.match(row.constFirst().toString()).hasMatch());

        m_model->undoImport();
        QVERIFY(!m_model->showBanner());
        QCOMPARE(m_store->notes().size(), 2);
        QCOMPARE(m_model->history()->count(), 0);

        // Nothing ticked: a banner with 0, and its undo finds nothing to remove.
        tap(m_calendars.calendarList.constFirst().identifier);
        m_model->appleEvents()->toggleAll();
        m_model->importAppleEvents();
        QCOMPARE(m_model->bannerText(), u"0 Events importiert!"_qs);
        m_model->undoImport();
        QCOMPARE(m_store->notes().size(), 2);

        tap(m_calendars.calendarList.constFirst().identifier);
        m_model->importAppleEvents();
        const QString batch = column(m_model->history(), 0);
        m_model->askDeleteBatch(batch);
        QCOMPARE(column(m_model->history(), -1), u"true"_qs);
        m_model->cancelDeleteBatch();
        QCOMPARE(column(m_model->history(), -1), u"false"_qs);
        m_model->askDeleteBatch(batch);
        m_model->confirmDeleteBatch();
        QCOMPARE(m_model->history()->count(), 0);
        QCOMPARE(m_store->notes().size(), 2);
        QVERIFY(m_model->showBanner()); // the banner stays; its undo finds nothing any more

        // With the data file blocked an import, its undo and a deletion do not happen, and say why.
        const QString file = m_store->filePath();
        const auto block = [&file](bool blocked) {
            return blocked ? QFile::remove(file) && QDir().mkdir(file) : QDir().rmdir(file);
        };
        QVERIFY(block(true));
        tap(m_calendars.calendarList.constFirst().identifier); // off and on: fetched anew
        tap(m_calendars.calendarList.constFirst().identifier);
        m_model->importAppleEvents();
        QVERIFY(m_model->errorText().startsWith(u"Nicht importiert: Die Datendatei"_qs));
        QCOMPARE(m_store->notes().size(), 2);
        QVERIFY(block(false));
        m_model->importAppleEvents();
        QVERIFY(m_model->errorText().isEmpty());
        QCOMPARE(m_store->notes().size(), 3);
        QVERIFY(block(true));
        m_model->undoImport();
        QVERIFY(m_model->errorText().startsWith(u"Nicht rückgängig gemacht: "_qs));
        QVERIFY(m_model->showBanner());
        m_model->askDeleteBatch(*m_model->lastBatchId());
        m_model->confirmDeleteBatch();
        QVERIFY(m_model->errorText().startsWith(u"Import nicht gelöscht: "_qs));
        QCOMPARE(m_store->notes().size(), 3);
        QCOMPARE(m_model->history()->count(), 1);
        QVERIFY(block(false));
    }

    void fileTab()
    {
        attach();
        std::optional<QString> chosen;
        m_model->setFilePicker([&chosen] { return chosen; });
        m_model->setSelectedTab(1);
        m_model->pickICSFile();
        QCOMPARE(m_model->icsFileName(), QString());
        chosen = QStringLiteral(ZETTELWERK_TEST_DATA "/ics/reader.ics");
        m_model->pickICSFile();
        QCOMPARE(m_model->icsFileName(), u"reader.ics"_qs);
        QCOMPARE(m_model->icsEvents()->selectionText(), u"14 von 14 ausgewählt"_qs);
        m_model->icsEvents()->toggle(0);
        m_model->importICSEvents();
        QCOMPARE(m_model->bannerText(), u"13 Events importiert!"_qs);
        QCOMPARE(m_model->icsFileName(), QString());
        QCOMPARE(m_model->history()->rows().constFirst().mid(1, 2),
            (RowModel::Row { u"ICS: reader.ics"_qs, true }));
        m_model->setSelectedTab(0);
        QVERIFY(!m_model->showBanner());

        // Without the list, every event at once: the 13 just imported come back as duplicates.
        m_model->importICSData(u"reader.ics"_qs, readAll(*chosen));
        QCOMPARE(m_model->pendingCollisions().size(), 13);
        m_model->executeCollisionImport();
        QCOMPARE(m_model->bannerText(), u"1 Events importiert!"_qs);
    }

    void previewDates()
    {
        // In Berlin: a day's both ends, both clock changes, a new year; equal days share their text.
        QList<EventSelection::Item> items;
        for (const QString& instant :
            strings("2026-12-09T22:59:00Z|2026-12-09T23:00:00Z|2026-03-29T01:00:00Z|"
                    "2026-10-25T00:30:00Z|2026-10-25T01:30:00Z|2026-12-31T23:05:00Z|"
                    "2026-09-05T07:05:00Z|"))
            items.append({ u"x"_qs, QDateTime::fromString(instant, Qt::ISODate), false });
        EventSelection selection;
        selection.setItems(items);
        QCOMPARE(column(selection.rows(), 1),
            u"9. Dez. 2026, 23:59|10. Dez. 2026, 00:00|29. März 2026, 03:00|25. Okt. 2026, 02:30|"
            u"25. Okt. 2026, 02:30|1. Jan. 2027, 00:05|5. Sept. 2026, 09:05|"_qs
                + formatPreviewDate(QDateTime()));
    }

    void skipsUnstorableDates_data()
    {
        QTest::addColumn<bool>("fromCalendar");
        // In UTC, 20:00 on 31.12.9999 in New York is in the year 10000, Berlin's midnight of 1.1.0001 in 0.
        QTest::newRow("calendar, New York evening") << true;
        QTest::newRow("file, whole day in year 1") << false;
    }

    void skipsUnstorableDates()
    {
        QFETCH(bool, fromCalendar);
        const QTimeZone newYork("America/New_York");
        m_calendars.add(u"Fern"_qs,
            { calendarEvent(u"Zu spät"_qs, QDateTime(QDate(9999, 12, 31), QTime(20, 0), newYork)),
                calendarEvent(u"Gut"_qs, QDateTime(QDate(9999, 12, 31), QTime(9, 0), newYork)) });
        attach();
        if (fromCalendar) {
            m_model->setEndDate(QDate(10000, 1, 1));
            m_model->setStartDate(QDate(9999, 12, 1));
            m_model->waitForResults();
            tap(m_calendars.calendarList.constLast().identifier);
            QCOMPARE(m_model->appleEvents()->count(), 2);
            m_model->importAppleEvents();
        } else {
            const QString path = m_dir->filePath(u"alt.ics"_qs);
            QVERIFY(writeAll(path,
                "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:Zu früh\r\nDTSTART;VALUE=DATE:00010101\r\n"
                "END:VEVENT\r\nBEGIN:VEVENT\r\nSUMMARY:Gut\r\nDTSTART:00010102T120000Z\r\n"
                "END:VEVENT\r\nEND:VCALENDAR\r\n"));
            m_model->openICSFile(path);
            QCOMPARE(m_model->icsEvents()->count(), 2);
            m_model->importICSEvents();
        }
        QCOMPARE(m_model->bannerText(), u"1 Events importiert!"_qs);
        QCOMPARE(m_model->skippedText(), u"1 Event nicht importiert: "_qs + NoteJson::unstorableDateReason());
        QVERIFY(m_log.contains(u"[Import] \"Zu "_qs + (fromCalendar ? u"spät"_qs : u"früh"_qs)
            + u"\" nicht importiert: "_qs + NoteJson::unstorableDateReason()));
        QCOMPARE(m_store->notes().size(), 3);
        for (const ReminderNote& note : m_store->notes())
            QVERIFY(NoteJson::isStorable(note));
        m_model->setSelectedTab(1);
        QCOMPARE(m_model->skippedText(), QString());
    }

private:
    void attach(const QDateTime& now = berlin(2026, 12, 7, 10, 0))
    {
        m_store = std::make_unique<NoteStore>(m_dir->path(), [now] { return now; });
        // The user's own: the first two calendar events are already there (one with extra spaces).
        m_store->importNotes({ appointment(u"  zahnarzt"_qs, berlin(2026, 12, 9, 10, 0, 30)),
            appointment(u"Meeting"_qs, berlin(2026, 12, 9, 14, 0)) });
        m_model = std::make_unique<CalendarImportModel>();
        m_model->attach(m_store.get(), &m_calendars);
        for (RowModel* rows : { m_model->calendars(), m_model->appleEvents()->rows(), m_model->collisions(),
                 m_model->history() })
            new QAbstractItemModelTester(rows, m_model.get());
        m_model->waitForResults();
    }
    void tap(const QString& identifier)
    {
        m_model->tapCalendar(identifier);
        m_model->waitForResults();
    }
    QString arbeit() const { return m_calendars.calendarList.constFirst().identifier; }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<NoteStore> m_store;
    FakeCalendarStore m_calendars;
    std::unique_ptr<CalendarImportModel> m_model;
    QStringList m_log;
};

QTEST_GUILESS_MAIN(tst_CalendarImportModel)
#include "tst_calendarimportmodel.moc"
