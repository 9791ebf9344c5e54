#include "alarmservice.h"
#include "appsettings.h"
#include "import/fakecalendarstore.h"
#include "noteeditorcontroller.h"
#include "notejson.h"
#include "uitest.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <climits>

namespace {

struct Harness : PanelHarness {
    explicit Harness(bool withService = true)
        : PanelHarness(berlin(2026, 3, 20, 14, 30))
    {
        if (withService) {
            store.setServiceFactory([this](NoteStore& s) {
                actions = new FakeActions;
                return new AlarmService(s, std::unique_ptr<AlarmActions>(actions));
            });
        }
        QCoreApplication::processEvents();
    }

    /// An appointment at `now` + `minutes`, open in the editor; without text a new one, as "+" makes it.
    ReminderNote openAt(int minutes, const QString& text = u"Alt"_s, bool triggered = false)
    {
        ReminderNote note = *store.addNote(true, now.addSecs(60 * minutes));
        note.text = text;
        note.isTriggered = triggered || text.isEmpty();
        store.updateNote(note);
        store.save();
        open(note.id);
        return note;
    }

    void open(const QUuid& id)
    {
        panel.openEditor(id.toString(QUuid::WithoutBraces));
        editor.setPanel(&panel);
    }

    [[nodiscard]] ReminderNotes saved() const
    {
        return NoteJson::decode(readAll(store.filePath())).value_or(ReminderNotes {});
    }

    FakeActions* actions = nullptr;
    NoteEditorController editor;
};

std::optional<ReminderNote> find(const ReminderNotes& notes, const QUuid& id)
{
    const auto it = std::find_if(notes.cbegin(), notes.cend(), [&](const auto& n) { return n.id == id; });
    return it == notes.cend() ? std::nullopt : std::optional(*it);
}

constexpr int noEnd = INT_MIN;

} // namespace

// The editor's rules against a real store, panel and settings, with fake desktop actions.
class tst_NoteEditorController : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QSettings(u"Zettelwerk"_s, u"Zettelwerk"_s).clear();
        h.emplace();
    }
    void cleanup() { h.reset(); }

    void quickAddSuggestion_data()
    {
        // suggestion: empty: none offered; after: text, alarm, end and repeat once taken
        columns<bool, QString, QString, QString>("isNew", "text", "suggestion", "after");

        // The clock reads Friday, 20 March 2026, 14:30.
        QTest::newRow("time and repeat")
            << true << u"Zahnarzt morgen 14:30 wöchentlich"_s << u"Erkannt: Morgen, 14:30 · Wöchentlich"_s
            << u"Zahnarzt | 2026-03-21 14:30 | – | Wöchentlich"_s;
        QTest::newRow("a range") << true << u"Meeting Montag 10–12 Uhr"_s
                                 << u"Erkannt: Mo., 23. März 2026, 10:00 – 12:00"_s
                                 << u"Meeting | 2026-03-23 10:00 | 2026-03-23 12:00 | Keine"_s;
        QTest::newRow("nothing understood") << true << u"Einkaufen"_s << QString() << QString();
        QTest::newRow("only the time") << true << u"morgen 9 Uhr"_s << QString() << QString();
        QTest::newRow("an existing record") << false << u"Zahnarzt morgen 14:30"_s << QString() << QString();
    }

    void quickAddSuggestion()
    {
        QFETCH(bool, isNew);
        QFETCH(QString, text);
        QFETCH(QString, suggestion);

        h->openAt(0, isNew ? QString() : u"Alt"_s);
        QCOMPARE(h->editor.isNewNote(), isNew);
        h->editor.setText(text);
        QCOMPARE(h->editor.quickAddText(), suggestion);
        h->editor.confirm(); // Ctrl+Enter: a suggestion is taken and the editor stays, else it saves
        QCOMPARE(h->panel.editingNoteId().isEmpty(), suggestion.isEmpty());
        if (suggestion.isEmpty()) {
            QCOMPARE(h->editor.text(), text); // nothing taken
            return;
        }
        const auto when = [](const QDateTime& moment) { return moment.toString(u"yyyy-MM-dd HH:mm"_s); };
        QTEST(u"%1 | %2 | %3 | %4"_s.arg(h->editor.text(), when(h->editor.alarmDate()),
                  h->editor.hasEndDate() ? when(h->editor.alarmEndDate()) : u"–"_s,
                  h->editor.repeatNames().at(h->editor.repeatIndex())),
            "after");
        QVERIFY(h->editor.hasAlarm());
        QCOMPARE(h->editor.quickAddText(), QString());
    }
    void closing_data()
    {
        // kept: the record's text afterwards; null: it is gone
        columns<bool, QString, QString, QString>("existing", "typed", "action", "kept");

        QTest::newRow("saved as typed, untrimmed") << true << u" Neu \n"_s << u"save"_s << u" Neu \n"_s;
        QTest::newRow("new, blank, saved") << false << u" \n\t "_s << u"save"_s << QString();
        // Escape: the one typed thing Escape would throw away is asked about first.
        QTest::newRow("existing, changed, Escape") << true << u"Neu"_s << u"escape"_s << u"Alt"_s;
        QTest::newRow("new, blank, Escape") << false << u" "_s << u"escape"_s << QString();
        QTest::newRow("new with text, Escape asks, Escape again keeps it")
            << false << u"Zahnarzt"_s << u"escape escape"_s << u"Zahnarzt"_s;
    }

    void closing()
    {
        QFETCH(bool, existing);
        QFETCH(QString, typed);
        QFETCH(QString, action);
        QFETCH(QString, kept);

        const QUuid id = h->openAt(existing ? 60 : 0, existing ? u"Alt"_s : QString()).id;
        QCOMPARE(h->editor.isNewNote(), !existing);
        QSignalSpy dismissed(&h->editor, &NoteEditorController::dismissed);
        h->editor.setText(typed);
        if (action == QLatin1String("save")) {
            h->editor.saveOrDelete();
        } else {
            h->editor.escape();
            const bool asks = !existing && !typed.trimmed().isEmpty();
            QCOMPARE(h->editor.property("showDeleteConfirm").toBool(), asks);
            if (action.endsWith(u"escape escape"_s)) {
                h->editor.escape();
                QVERIFY(!h->editor.property("showDeleteConfirm").toBool());
                QCOMPARE(dismissed.count(), 0);
                h->editor.saveOrDelete(); // the question went away; the text is there to save
            }
        }

        QCOMPARE(dismissed.count(), 1);
        QCOMPARE(h->panel.editingNoteId(), QString());
        for (const ReminderNotes& notes : { h->store.notes(), h->saved() }) {
            const auto note = find(notes, id);
            QCOMPARE(note.has_value(), !kept.isNull());
            if (note)
                QCOMPARE(note->text, kept);
        }
    }

    void lastSound_data()
    {
        columns<QString, bool, bool, QString, QString>(
            "stored", "isNew", "soundOn", "loaded", "storedAfterSave");

        row("new record takes the last sound", "Ping", true, true, "Ping", "Ping");
        row("a name not in the list", "Beep", true, true, "Glass", "Glass");
        row("existing record keeps its own", "Ping", false, true, "Hero", "Hero");
        row("saved without sound: not stored", "Ping", false, false, "Hero", "Ping");
    }

    void lastSound()
    {
        QFETCH(QString, stored);
        QFETCH(bool, isNew);
        QFETCH(bool, soundOn);
        QFETCH(QString, loaded);

        h->panel.settings()->setLastSoundName(stored);
        ReminderNote note = *h->store.addNote(true, h->now);
        note.text = isNew ? QString() : u"Alt"_s;
        note.soundName = isNew ? u"Glass"_s : u"Hero"_s;
        h->store.updateNote(note);
        h->open(note.id);
        QCOMPARE(h->editor.soundName(), loaded);

        h->editor.setText(u"Termin"_s);
        h->editor.setUseSound(soundOn);
        QVERIFY(h->editor.save());
        QCOMPARE(find(h->saved(), note.id)->soundName, loaded);
        QTEST(AppSettings().lastSoundName(), "storedAfterSave");
    }

    void switches_data()
    {
        // start, end: minutes from now before the change (noEnd: none); expected*: as saved afterwards.
        // The record has fired: saving arms it again, also with its time still past.
        columns<QString, int, int, int, int>("change", "start", "end", "expectedStart", "expectedEnd");

        QTest::newRow("alarm on, date passed: now") << "alarm on" << -90 << noEnd << 0 << noEnd;
        QTest::newRow("alarm on, date ahead: kept") << "alarm on" << 30 << noEnd << 30 << noEnd;
        QTest::newRow("range on, end at start") << "range on" << 30 << 30 << 30 << 90;
        QTest::newRow("range on, end after start: kept") << "range on" << 30 << 45 << 30 << 45;
        QTest::newRow("range on, no end yet") << "range on" << 30 << noEnd << 30 << 90;
        QTest::newRow("range off: end removed") << "range off" << 30 << 45 << 30 << noEnd;
        QTest::newRow("start moved past the end") << "start +120" << 30 << 45 << 150 << 210;
        QTest::newRow("start moved, end still after") << "start +10" << 30 << 45 << 40 << 45;
        QTest::newRow("end picked before start") << "end -60" << 30 << 45 << 30 << 30;
    }

    void switches()
    {
        QFETCH(QString, change);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, expectedStart);
        QFETCH(int, expectedEnd);

        const auto at = [this](int minutes) { return h->now.addSecs(60 * minutes); };
        const ReminderNote note = h->openAt(start, u"Termin"_s, true);
        h->editor.setHasAlarm(change != QLatin1String("alarm on"));
        if (end != noEnd) {
            h->editor.setHasEndDate(change != QLatin1String("range on"));
            h->editor.setAlarmEndDate(at(end));
        }

        if (change == QLatin1String("alarm on"))
            h->editor.setHasAlarm(true);
        else if (change == QLatin1String("range on"))
            h->editor.setHasEndDate(true);
        else if (change == QLatin1String("range off"))
            h->editor.setHasEndDate(false);
        else if (change.startsWith(QLatin1String("start ")))
            h->editor.setAlarmDate(at(start + change.mid(6).toInt()));
        else
            h->editor.setAlarmEndDate(at(start + change.mid(4).toInt()));
        QVERIFY(h->editor.save());

        const auto saved = find(h->saved(), note.id);
        QCOMPARE(saved->alarmDate, at(expectedStart));
        QCOMPARE(saved->alarmEndDate, expectedEnd == noEnd ? std::nullopt : std::optional(at(expectedEnd)));
        QVERIFY(!saved->isTriggered);
    }

    void pickedDayAndTime_data()
    {
        // day: invalid: a time is typed instead; expected: invalid: refused, nothing changes
        columns<QDateTime, QDateTime, QString, QDateTime, QString>(
            "start", "day", "time", "expected", "shown");

        const QDateTime none;
        const QDateTime friday = berlin(2026, 3, 20, 14, 30);
        const QDateTime sunday = berlin(2026, 3, 29, 3, 30);
        const char* today = "Heute, 14:30";
        QTest::newRow("another day keeps the time")
            << friday << berlin(2026, 3, 25) << "" << berlin(2026, 3, 25, 14, 30) << "Mi., 25. März, 14:30";
        row("tomorrow", friday, berlin(2026, 3, 21), "", berlin(2026, 3, 21, 14, 30), "Morgen, 14:30");
        row("typed time the clocks skip", berlin(2026, 3, 29, 10, 0), none, "02:30", sunday,
            "So., 29. März, 03:30");
        QTest::newRow("day whose clocks skip the time")
            << berlin(2026, 3, 28, 2, 30) << berlin(2026, 3, 29) << "" << sunday << "So., 29. März, 03:30";
        row("three digits", friday, none, "930", berlin(2026, 3, 20, 9, 30), "Heute, 09:30");
        row("an hour alone", friday, none, "9", berlin(2026, 3, 20, 9), "Heute, 09:00");
        row("one-digit minute", friday, none, "9:5", berlin(2026, 3, 20, 9, 5), "Heute, 09:05");
        row("no such hour", friday, none, "25:00", none, today);
        row("not a time", friday, none, "halb drei", none, today);
    }

    void pickedDayAndTime()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, day);
        QFETCH(QString, time);
        QFETCH(QDateTime, expected);

        h->openAt(60);
        h->editor.setAlarmDate(start);
        if (day.isValid())
            h->editor.setAlarmDay(day);
        else
            QCOMPARE(h->editor.setAlarmTime(time), expected.isValid());
        QCOMPARE(h->editor.alarmDate(), expected.isValid() ? expected : start);
        QTEST(h->editor.formatSelectedDate(), "shown");
        QCOMPARE(NoteEditorController::formatDateShort(berlin(2026, 12, 7, 9, 5)), u"7. Dez., 09:05"_s);
    }

    void testAlarm_data()
    {
        // calls: at once; the popup comes later
        columns<bool, bool, bool, QStringList>("withService", "popup", "sound", "calls");

        // The text is 300 characters long: the notification shows 200 of them, the popup all.
        const QString notify = u"notify Erinnerung (Test)|"_s + QString(200, u'x');
        const QString popup = u"popup Erinnerung (Test)|"_s + QString(300, u'x');
        QTest::newRow("sound on") << true << false << true
                                  << QStringList { u"sound Ping"_s, notify, u"attention"_s };
        QTest::newRow("popup on") << true << true << false << QStringList { notify, u"attention"_s, popup };
        QTest::newRow("no alarm service: counter only") << false << true << true << QStringList {};
    }

    void testAlarm()
    {
        QFETCH(bool, withService);
        QFETCH(bool, popup);
        QFETCH(bool, sound);
        QFETCH(QStringList, calls);

        h.emplace(withService);
        const ReminderNote note = h->openAt(60);
        h->store.setAlarmCount(2);
        h->editor.setText(QString(300, u'x'));
        h->editor.setUsePopup(popup);
        h->editor.setUseSound(sound);
        h->editor.setSoundName(u"Ping"_s);
        h->editor.setLaunchAppPath(u"/usr/share/applications/x.desktop"_s);
        h->editor.setShellScript(u"touch /tmp/x"_s);

        if (h->actions)
            h->actions->clock.start();
        h->editor.testAlarm();
        QCOMPARE(h->store.alarmCount(), 3);
        const auto seen = [this] { return h->actions ? h->actions->calls : QStringList {}; };
        const bool popupLater = !calls.isEmpty() && calls.constLast().startsWith(QLatin1String("popup"));
        QCOMPARE(seen(), popupLater ? calls.mid(0, calls.size() - 1) : calls);
        // Only after half a second (less the 5 % a coarse timer may fire early), and only with popup on.
        QTest::qWait(NoteEditorController::testPopupDelayMs + 100);
        QCOMPARE(seen(), calls);
        if (popupLater)
            QVERIFY(h->actions->popupAfterMs >= NoteEditorController::testPopupDelayMs * 95 / 100);
        QCOMPARE(find(h->saved(), note.id)->text, u"Alt"_s);
    }

    void followsThePanelToAnotherRecord()
    {
        // A card tapped while the editor is still sliding out reuses the same editor.
        h->openAt(60);
        h->editor.setText(u"getippt"_s);
        const ReminderNote other = plain(u"Anderes"_s, h->now);
        h->store.setNotes(h->store.notes() + ReminderNotes { other });
        h->panel.openEditor(other.id.toString());
        QCOMPARE(h->editor.noteId(), other.id.toString(QUuid::WithoutBraces));
        QCOMPARE(h->editor.text(), u"Anderes"_s);
        QVERIFY(!h->editor.hasAlarm());
    }

    void aShownCalendarsOccurrenceOnlyShows()
    {
        auto calendars = std::make_unique<FakeCalendarStore>();
        calendars->add(u"Arbeit"_s, { calendarEvent(u"Teamrunde"_s, h->now.addSecs(3600)) });
        h->panel.setCalendarStore(std::move(calendars));
        h->panel.liveCalendars().setCalendars({ u"/kalender/Arbeit"_s });
        h->panel.liveCalendars().waitForResults();
        const ReminderNote shown = h->panel.liveCalendars().notes().constFirst();
        h->open(shown.id);
        QVERIFY(h->editor.readOnly());
        QVERIFY(!h->editor.isNewNote());
        QCOMPARE(h->editor.text(), u"Teamrunde"_s);
        QCOMPARE(h->editor.alarmDate(), shown.alarmDate);
        QVERIFY(h->editor.readOnlyText().startsWith(u"Aus dem Kalender „Arbeit“, nur zum Ansehen"_s));

        for (const auto& close : { &NoteEditorController::saveOrDelete, &NoteEditorController::deleteNote,
                 &NoteEditorController::escape }) {
            h->open(shown.id);
            h->editor.setText(u"Geändert"_s);
            (h->editor.*close)();
            QCOMPARE(h->panel.screen(), PanelController::Screen::Main);
            QVERIFY(h->store.notes().isEmpty());
            QCOMPARE(h->panel.liveCalendars().find(shown.id)->text, u"Teamrunde"_s);
        }
        // Its time has come: nothing rings, as it is no record of the store.
        h->now = shown.alarmDate.addSecs(60);
        QVERIFY(h->actions);
        qobject_cast<AlarmService*>(h->store.alarmService())->checkAlarms();
        QCOMPARE(h->actions->calls, QStringList {});

        h->openAt(10);
        QVERIFY(!h->editor.readOnly());
        QCOMPARE(h->editor.readOnlyText(), QString());
    }

    void failedSaveKeepsTheEditorOpen()
    {
        const ReminderNote note = h->openAt(60);
        // A folder where the data file belongs: the file cannot be replaced.
        QVERIFY(QFile::remove(h->store.filePath()));
        QVERIFY(QDir().mkdir(h->store.filePath()));
        QSignalSpy dismissed(&h->editor, &NoteEditorController::dismissed);
        h->editor.setText(u"Neu"_s);
        h->editor.saveOrDelete();
        QCOMPARE(dismissed.count(), 0);
        QCOMPARE(h->panel.editingNoteId(), note.id.toString(QUuid::WithoutBraces));
        QVERIFY2(h->editor.errorText().startsWith(u"Konnte nicht gespeichert werden: Die Datendatei"_s),
            qPrintable(h->editor.errorText()));
        // Never in the store: neither cancelling nor the next unrelated save writes it after all.
        QCOMPARE(find(h->store.notes(), note.id)->text, u"Alt"_s);
        h->editor.cancelEdit();
        QVERIFY(QDir().rmdir(h->store.filePath()));
        QVERIFY(h->store.addNote(false));
        QCOMPARE(find(h->saved(), note.id)->text, u"Alt"_s);
    }

    void appChooserOffersApplicationsOnly()
    {
        h->openAt(60);
        h->editor.setLaunchAppPath(u"/usr/share/applications/vorher.desktop"_s);
        QStringList filters;
        QString folder;
        // The dialog runs its own event loop: look at it from there, then cancel it.
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            filters = dialog->nameFilters();
            folder = dialog->directory().absolutePath();
            dialog->reject();
        });
        poll.start(20);
        h->editor.pickApp();
        QCOMPARE(filters, QStringList { u"Anwendungen (*.desktop)"_s });
        QCOMPARE(folder, u"/usr/share/applications"_s);
        QCOMPARE(h->editor.launchAppPath(), u"/usr/share/applications/vorher.desktop"_s);
    }

private:
    std::optional<Harness> h;
};

QTEST_MAIN(tst_NoteEditorController)
#include "tst_noteeditorcontroller.moc"
