#include "alarmservice.h"
#include "log.h"
#include "notejson.h"
#include "notestore.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QScopeGuard>

namespace {

const QDateTime start = berlin(2025, 3, 1, 9, 0);

// A store in a throw-away folder whose clock reads `now`; the service does not own the store.
struct Harness {
    QTemporaryDir dir;
    QDateTime now = start;
    NoteStore store { dir.path(), [this] { return now; } };
    FakeActions* actions = new FakeActions;
    AlarmService service { store, std::unique_ptr<AlarmActions>(actions) };

    void check()
    {
        service.checkAlarms();
        QCoreApplication::processEvents();
    }
    QByteArray saved() const { return readAll(store.filePath()); }
};

ReminderNote alarmAt(const QString& text, const QDateTime& at, RepeatInterval interval = RepeatInterval::None)
{
    ReminderNote note = ReminderNote::create(at.addDays(-30));
    note.text = text;
    note.hasAlarm = true;
    note.alarmDate = at;
    note.repeatInterval = interval;
    return note;
}

const int once = int(RepeatInterval::None);
const int daily = int(RepeatInterval::Daily);
const QString app = u"/usr/share/applications/org.kde.kcalc.desktop"_s;
const QString script = u"echo 'fertig' > /dev/null"_s;

} // namespace

class TestAlarmService : public QObject {
    Q_OBJECT

private slots:
    void nextOccurrence_data()
    {
        // now: invalid: `from` itself
        columns<QDateTime, int, QDateTime, QDateTime>("from", "interval", "now", "expected");

        const auto row
            = [](const char* name, const QDateTime& from, int interval, const QDateTime& expected,
                  const QDateTime& now = {}) { QTest::newRow(name) << from << interval << now << expected; };
        const auto yearly = int(RepeatInterval::Yearly);
        const QDateTime noon = berlin(2025, 3, 10, 12, 0);

        row("still ahead", berlin(2025, 3, 11, 8, 0), daily, berlin(2025, 3, 11, 8, 0), noon);
        row("no repetition", berlin(2025, 3, 1, 8, 0), once, berlin(2025, 3, 1, 8, 0), noon);
        row("exactly now moves on", noon, daily, berlin(2025, 3, 11, 12, 0));
        // The skipped hour shifts that one day only.
        row("daily into the skipped hour", berlin(2026, 3, 28, 2, 30), daily, berlin(2026, 3, 29, 3, 30));
        row("daily past the skipped hour", berlin(2026, 3, 28, 2, 30), daily, berlin(2026, 3, 30, 2, 30),
            berlin(2026, 3, 29, 12, 0));
        // Dates read from the data file are UTC; over the spring change the step keeps the wall clock.
        row("weekly from a UTC date", utc(2026, 3, 22, 9, 0), int(RepeatInterval::Weekly),
            berlin(2026, 3, 29, 10, 0), berlin(2026, 3, 23, 0, 0));
        row("monthly stays on the clamped day", berlin(2025, 1, 31, 9, 0), int(RepeatInterval::Monthly),
            berlin(2025, 3, 28, 9, 0), berlin(2025, 2, 28, 9, 0));
        row("yearly over a leap day", berlin(2023, 3, 1, 9, 0), yearly, berlin(2024, 3, 1, 9, 0));
        row("yearly stays on 28 February", berlin(2024, 2, 29, 9, 0), yearly, berlin(2026, 2, 28, 9, 0),
            berlin(2025, 3, 1, 0, 0));
    }

    void nextOccurrence()
    {
        QFETCH(QDateTime, from);
        QFETCH(int, interval);
        QFETCH(QDateTime, now);

        const QDateTime next
            = AlarmService::nextOccurrence(from, RepeatInterval(interval), now.isValid() ? now : from);
        QTEST(next, "expected");
    }

    void firesDueRecordsInListOrder()
    {
        Harness h;
        h.now = berlin(2025, 8, 1, 12, 0);
        ReminderNote cake = alarmAt(u"🎂 Geburtstag von Oma, Kuchen mitbringen"_s, berlin(2025, 3, 1, 9, 0));
        ReminderNote later = alarmAt(u"Später"_s, berlin(2025, 8, 1, 12, 1));
        ReminderNote bins = alarmAt(u"Müll"_s, berlin(2025, 7, 1, 9, 0), RepeatInterval::Weekly);
        bins.usePopup = false;
        h.store.setNotes({ cake, later, bins });

        QStringList lines;
        Log::setSink([&lines](const QString& line) { lines << line; });
        const auto restoreLog = qScopeGuard([] { Log::setSink({}); });
        QSignalSpy changes(&h.store, &NoteStore::notesChanged);

        h.service.checkAlarms();
        // The store moves on at once; actions and the save wait for the event loop.
        QVERIFY(h.actions->calls.isEmpty());
        QVERIFY(h.store.notes().at(0).isTriggered);
        QVERIFY(!QFile::exists(h.store.filePath()));

        QCoreApplication::processEvents();
        QCOMPARE(lines.join(u'\n'),
            u"[AlarmService] Firing alarm for: \"🎂 Geburtstag von Oma, Kuchen m\" "
            u"alarmDate=2025-03-01 08:00:00 +0000\n"
            u"[AlarmService] Firing alarm for: \"Müll\" alarmDate=2025-07-01 07:00:00 +0000"_s);
        // Found months late, both are missed: one summary, one window, the silent one counted.
        QCOMPARE(h.actions->calls.join(u"; "_s),
            u"notify 2 verpasste Erinnerungen|01.03. 09:00 "_s + cake.title()
                + u"\n01.07. 09:00 Müll; attention; popup Verpasst|"_s + cake.text + u" / Verpasst|Müll"_s);
        QCOMPARE(h.store.alarmCount(), 1);
        QCOMPARE(changes.count(), 1);

        cake.isTriggered = true;
        bins.alarmDate = berlin(2025, 8, 5, 9, 0);
        const QByteArray expected = NoteJson::encodeCompact({ cake, later, bins });
        QCOMPARE(NoteJson::encodeCompact(h.store.notes()), expected);
        QCOMPARE(h.saved(), expected);
    }

    void fires_data()
    {
        // secondsLate: one record each, checked at 09:00, its text from texts or A, B, …; switches: which of
        // popup, sound, app and shell every record has on; expected: the calls, joined by "; "
        columns<QList<int>, QStringList, QString, QString>("secondsLate", "texts", "switches", "expected");

        const auto row = [](const char* name, const QList<int>& secondsLate, const QStringList& texts,
                             const char* switches, const QString& calls) {
            QTest::newRow(name) << secondsLate << texts << QString::fromLatin1(switches) << calls;
        };
        const auto notify
            = [](const QString& body) { return u"notify Erinnerung|"_s + body + u"; attention"_s; };
        const auto popup = [](const QString& text) { return u"; popup Erinnerung|"_s + text; };
        const QString tea = u"Tee"_s;
        row("nothing but the notification", { 0 }, { tea }, "", notify(tea));
        row("everything", { 0 }, { tea }, "popup sound app shell",
            notify(tea) + u"; sound Frog; open "_s + app + u"; shell "_s + script + popup(tea));
        // The notification shows 200 characters, the popup 500, never half an emoji.
        const QString thumb = u"👍🏽"_s;
        const QString nearBody = QString(199, u'c') + thumb + QString(10, u'd');
        const QString nearPopup = QString(499, u'e') + thumb + u'f';
        row("empty", { 0 }, { QString() }, "popup", notify(u"Neue Notiz"_s) + popup(u"Neue Notiz"_s));
        row("emoji at the notification cap", { 0 }, { nearBody }, "popup",
            notify(nearBody.left(199) + thumb) + popup(nearBody));
        row("emoji at the popup cap", { 0 }, { nearPopup }, "popup",
            notify(nearPopup.left(200)) + popup(nearPopup.left(499) + thumb));
        row("a minute late is on time", { 60 }, {}, "popup", notify(u"A"_s) + popup(u"A"_s));
        row("a second more is missed", { 61 }, {}, "popup",
            u"notify Verpasste Erinnerung|08:58 A; attention; popup Verpasst|A"_s);
        // Newest last: the list's order does not matter, the time does.
        row("missed overnight, one summary", { 3600, 50'400, 7200 }, {}, "popup",
            u"notify 3 verpasste Erinnerungen|28.02. 19:00 B\n07:00 C\n08:00 A; attention; "
            u"popup Verpasst|B / Verpasst|C / Verpasst|A"_s);
        row("sixteen on time: the summary names a dozen", QList<int>(16, 0), {}, "popup",
            u"notify Erinnerung|A; notify Erinnerung|B; notify Erinnerung|C; notify 13 weitere Erinnerungen|"
            u"09:00 D\n09:00 E\n09:00 F\n09:00 G\n09:00 H\n09:00 I\n09:00 J\n09:00 K\n09:00 L\n09:00 M\n"
            u"09:00 N\n09:00 O\n… und 1 weitere; attention; popup Erinnerung|A / Erinnerung|B / "
            u"Erinnerung|C / Erinnerung|D / Erinnerung|E / Erinnerung|F / Erinnerung|G / Erinnerung|H / "
            u"Erinnerung|I / Erinnerung|J / Erinnerung|K / Erinnerung|L / Erinnerung|M / Erinnerung|N / "
            u"Erinnerung|O / Erinnerung|P"_s);
        // One sound for the whole check.
        row("missed and on time together", { 0, 600 }, {}, "popup sound",
            u"notify Erinnerung|A; notify Verpasste Erinnerung|08:50 B; attention; sound Frog; "
            u"popup Verpasst|B / Erinnerung|A"_s);
    }

    void fires()
    {
        QFETCH(QList<int>, secondsLate);
        QFETCH(QStringList, texts);
        QFETCH(QString, switches);

        Harness h;
        ReminderNotes notes;
        for (qsizetype i = 0; i < secondsLate.size(); ++i) {
            ReminderNote note = alarmAt(
                texts.value(i, QString(QChar(char16_t(u'A' + i)))), h.now.addSecs(-secondsLate.at(i)));
            note.usePopup = switches.contains(u"popup"_s);
            note.useSound = switches.contains(u"sound"_s);
            note.soundName = u"Frog"_s;
            note.launchAppPath = switches.contains(u"app"_s) ? app : QString();
            note.shellScript = switches.contains(u"shell"_s) ? script : QString();
            notes.append(note);
        }
        h.store.setNotes(notes);
        QSignalSpy fired(&h.service, &AlarmService::fired);
        h.check();
        QTEST(h.actions->calls.join(u"; "_s), "expected");
        // Each notification offers to put off exactly the alarms it names.
        QList<QUuid> offered;
        for (const QList<QUuid>& ids : std::as_const(h.actions->notified))
            offered.append(ids);
        QCOMPARE(offered.size(), notes.size());
        QCOMPARE(QSet<QUuid>(offered.cbegin(), offered.cend()).size(), notes.size());
        QCOMPARE(fired.count(), 1);
        QCOMPARE(fired.constFirst().at(0).value<QList<QUuid>>().size(), notes.size());
        QCOMPARE(fired.constFirst().at(1).toStringList().size(), notes.size());
        // Without a popup, only the tray indicator tells the user an alarm went off; a later one adds to it.
        const int silent = notes.constFirst().usePopup ? 0 : int(notes.size());
        QCOMPARE(h.store.alarmCount(), silent);
        h.service.triggerAlarm(notes.constFirst());
        QCOMPARE(h.store.alarmCount(), silent == 0 ? 0 : silent + 1);
    }

    void checksOverTime_data()
    {
        // From 09:00: alarmSeconds the alarm, checkMinutes each check; state "plain": no alarm, "undated":
        // none set, "fired": fired before, "snoozed": put off at 09:00; next: the alarm date afterwards
        columns<QString, int, int, QList<int>, int, QDateTime>(
            "state", "interval", "alarmSeconds", "checkMinutes", "fired", "next");

        const auto row = [](const char* name, const char* state, int interval, int alarmSeconds,
                             const QList<int>& checkMinutes, int fired, int nextSeconds) {
            QTest::newRow(name) << QString::fromLatin1(state) << interval << alarmSeconds << checkMinutes
                                << fired
                                << (QString::fromLatin1(state) == u"undated"_s ? QDateTime()
                                                                               : start.addSecs(nextSeconds));
        };
        const int day = 86'400;
        // A second look at the same instant must not fire it again.
        row("due exactly now", "armed", once, 0, { 0, 0 }, 1, 0);
        row("one second ahead", "armed", once, 1, { 0, 0 }, 0, 1);
        row("plain note", "plain", once, -day, { 0, 0 }, 0, -day);
        row("already fired", "fired", once, -day, { 0, 0 }, 0, -day);
        row("invalid date", "undated", once, 0, { 0, 0 }, 0, 0);
        row("daily, checked after its time", "armed", daily, -25 * 3600, { 0, 0 }, 1, 23 * 3600);
        // Resumed three days later: one alarm for the days slept through, not three.
        row("daily, suspended three days", "armed", daily, 1800, { 0, 4320, 4320 }, 1, 3 * day + 1800);
        // Set back after it fired: its next time lies ahead again, so it waits for it.
        row("daily, clock set back and forward", "armed", daily, 1800, { 60, -1380, 60, 1500 }, 2,
            2 * day + 1800);
        // The snooze is gone once it rang: a later check, even with the clock set back, does not ring again.
        row("snoozed one-time, fired already", "fired snoozed", once, 0, { 14, 15, -60, 15, 60 }, 1, 0);
        row("snoozed daily keeps its next day", "snoozed", daily, day, { 15, 16 }, 1, day);
        // Its own time falls in the same check: one alarm, not two.
        row("snoozed, regular alarm at the same check", "snoozed", once, 600, { 15, 16 }, 1, 600);
        row("snoozed, regular alarm before it", "snoozed", once, 300, { 5, 15 }, 2, 300);
    }

    void checksOverTime()
    {
        QFETCH(QString, state);
        QFETCH(int, interval);
        QFETCH(int, alarmSeconds);
        QFETCH(QList<int>, checkMinutes);
        QFETCH(int, fired);

        Harness h;
        ReminderNote note = alarmAt(u"Tee"_s, start.addSecs(alarmSeconds), RepeatInterval(interval));
        note.hasAlarm = state != u"plain"_s;
        note.isTriggered = state.contains(u"fired"_s);
        if (state == u"undated"_s)
            note.alarmDate = QDateTime();
        h.store.setNotes({ note });
        const bool snoozed = state.contains(u"snoozed"_s);
        if (snoozed) {
            // As a notification's or the popup's "Später" asks it.
            h.actions->requestSnooze({ note.id }, Snooze::Choice::FifteenMinutes);
            QCOMPARE(h.store.notes().constFirst().snoozeDate, start.addSecs(15 * 60));
            QCOMPARE(NoteJson::decode(h.saved()).value_or(ReminderNotes()).value(0).snoozeDate,
                start.addSecs(15 * 60));
        }
        QSignalSpy changes(&h.store, &NoteStore::notesChanged);
        for (const int minutes : checkMinutes) {
            h.now = start.addSecs(60 * minutes);
            h.check();
        }
        QCOMPARE(int(h.actions->calls.filter(u"notify "_s).size()), fired);
        QCOMPARE(changes.count(), fired);
        const ReminderNote& stored = h.store.notes().constFirst();
        QVERIFY(!stored.snoozeDate);
        QTEST(stored.alarmDate, "next");
        QCOMPARE(stored.isTriggered, note.isTriggered || (fired > 0 && interval == once));
        QCOMPARE(h.saved(), fired > 0 || snoozed ? NoteJson::encodeCompact(h.store.notes()) : QByteArray());
    }

    void snoozeChoices_data()
    {
        // expected: invalid: refused
        columns<QString, QDateTime, QDateTime>("text", "now", "expected");

        const QDateTime evening = berlin(2026, 3, 28, 22, 10);
        QTest::newRow("5m") << u"5m"_s << evening << evening.addSecs(300);
        QTest::newRow("1h") << u"1h"_s << evening << evening.addSecs(3600);
        // A span, not a wall-clock time: a week over the spring change ends an hour later on the clock.
        QTest::newRow("a week") << u"168h"_s << evening << berlin(2026, 4, 4, 23, 10);
        // 09:00 on the wall clock, although the night is an hour shorter.
        QTest::newRow("morgen over the spring change") << u"Morgen"_s << evening << berlin(2026, 3, 29, 9, 0);
        QTest::newRow("morgen after midnight")
            << u"morgen"_s << berlin(2026, 3, 29, 0, 30) << berlin(2026, 3, 30, 9, 0);
        for (const char* refused : { "0m", "10", "1d", "-5m", "169h", "10 m", "" })
            QTest::newRow(refused) << QString::fromLatin1(refused) << evening << QDateTime();
    }

    void snoozeChoices()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, now);

        QTEST(Snooze::parse(text, now).value_or(QDateTime()), "expected");
        // Every choice a notification offers comes back from its key to the same moment.
        for (const Snooze::Choice choice : Snooze::allChoices) {
            QCOMPARE(Snooze::choiceForKey(Snooze::key(choice)), choice);
            QCOMPARE(Snooze::parse(Snooze::key(choice), now), Snooze::until(choice, now));
        }
    }

    void firstCheckWaitsOneInterval()
    {
        Harness h;
        h.store.setNotes({ alarmAt(u"Frühstück"_s, h.now.addSecs(-60)) });
        QElapsedTimer elapsed;
        elapsed.start();
        h.service.startTimer();
        QVERIFY(h.service.isTimerActive());
        QCoreApplication::processEvents();
        QVERIFY(h.actions->calls.isEmpty());
        QVERIFY(!h.store.notes().constFirst().isTriggered);

        QTRY_VERIFY_WITH_TIMEOUT(!h.actions->calls.isEmpty(), 20'000);
        // A coarse timer may run up to 5 % early; anything near zero means it checked at once.
        QVERIFY2(elapsed.elapsed() >= 9'000, qPrintable(QString::number(elapsed.elapsed())));
        QVERIFY(h.service.isTimerActive());
    }
};

QTEST_GUILESS_MAIN(TestAlarmService)
#include "tst_alarmservice.moc"
