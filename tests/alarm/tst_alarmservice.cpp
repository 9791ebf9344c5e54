#include "alarmactions.h"
#include "alarmservice.h"
#include "log.h"
#include "notejson.h"
#include "notestore.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every call as one line, in order, so whole sequences can be compared.
class FakeActions : public AlarmActions {
public:
    QStringList calls;
    QStringList notifications;
    QStringList popups;

    void notify(const QString& summary, const QString& body) override
    {
        calls << QStringLiteral("notify");
        notifications << summary + QLatin1Char('|') + body;
    }
    void requestAttention() override { calls << QStringLiteral("attention"); }
    void playSound(const QString& name) override { calls << QStringLiteral("sound ") + name; }
    void openPath(const QString& path) override { calls << QStringLiteral("open ") + path; }
    void runShellCommand(const QString& command) override { calls << QStringLiteral("shell ") + command; }
    void showPopup(const QString& heading, const QString& text) override
    {
        calls << QStringLiteral("popup");
        popups << heading + QLatin1Char('|') + text;
    }
};

// A store in a throw-away folder whose clock reads `now`; the service does not own the store.
struct Harness {
    QTemporaryDir dir;
    QDateTime now = berlin(2025, 3, 1, 9, 0);
    NoteStore store { dir.path(), [this] { return now; } };
    FakeActions* actions = new FakeActions;
    AlarmService service { store, std::unique_ptr<AlarmActions>(actions) };

    ReminderNotes savedNotes() const
    {
        QFile file(store.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return NoteJson::decode(file.readAll()).value_or(ReminderNotes {});
    }
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

} // namespace

class TestAlarmService : public QObject {
    Q_OBJECT

private slots:
    void nextOccurrence_data();
    void nextOccurrence();
    void checkCycle_data();
    void checkCycle();
    void firesDueRecordsInListOrder();
    void clockJumps_data();
    void clockJumps();
    void trigger_data();
    void trigger();
    void triggerTexts_data();
    void triggerTexts();
    void firstCheckWaitsOneInterval();
};

void TestAlarmService::nextOccurrence_data()
{
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDateTime>("expected");

    const auto daily = int(RepeatInterval::Daily);
    const auto weekly = int(RepeatInterval::Weekly);
    const auto monthly = int(RepeatInterval::Monthly);
    const auto yearly = int(RepeatInterval::Yearly);
    const QDateTime noon = berlin(2025, 3, 10, 12, 0);

    QTest::newRow("still ahead") << berlin(2025, 3, 11, 8, 0) << daily << noon << berlin(2025, 3, 11, 8, 0);
    QTest::newRow("no repetition") << berlin(2025, 3, 1, 8, 0) << int(RepeatInterval::None) << noon
                                   << berlin(2025, 3, 1, 8, 0);
    QTest::newRow("exactly now moves on") << noon << daily << noon << berlin(2025, 3, 11, 12, 0);
    QTest::newRow("many days behind")
        << berlin(2025, 1, 1, 8, 0) << daily << noon << berlin(2025, 3, 11, 8, 0);
    QTest::newRow("daily over spring change")
        << berlin(2026, 3, 28, 10, 0) << daily << berlin(2026, 3, 28, 10, 0) << berlin(2026, 3, 29, 10, 0);
    // The skipped hour shifts that one day only.
    QTest::newRow("daily into the skipped hour")
        << berlin(2026, 3, 28, 2, 30) << daily << berlin(2026, 3, 28, 2, 30) << berlin(2026, 3, 29, 3, 30);
    QTest::newRow("daily past the skipped hour")
        << berlin(2026, 3, 28, 2, 30) << daily << berlin(2026, 3, 29, 12, 0) << berlin(2026, 3, 30, 2, 30);
    QTest::newRow("weekly over spring change")
        << berlin(2026, 3, 22, 10, 0) << weekly << berlin(2026, 3, 22, 10, 0) << berlin(2026, 3, 29, 10, 0);
    QTest::newRow("weekly over autumn change") << berlin(2026, 10, 18, 10, 0) << weekly
                                               << berlin(2026, 10, 18, 10, 0) << berlin(2026, 10, 25, 10, 0);
    // Dates read from the data file are UTC; the step must still keep the local wall clock.
    QTest::newRow("weekly from a UTC date") << QDateTime(QDate(2026, 3, 22), QTime(9, 0), Qt::UTC) << weekly
                                            << berlin(2026, 3, 23, 0, 0) << berlin(2026, 3, 29, 10, 0);
    QTest::newRow("monthly from 31 January")
        << berlin(2025, 1, 31, 9, 0) << monthly << berlin(2025, 1, 31, 9, 0) << berlin(2025, 2, 28, 9, 0);
    QTest::newRow("monthly stays on the clamped day")
        << berlin(2025, 1, 31, 9, 0) << monthly << berlin(2025, 2, 28, 9, 0) << berlin(2025, 3, 28, 9, 0);
    QTest::newRow("monthly into a leap February")
        << berlin(2024, 1, 31, 9, 0) << monthly << berlin(2024, 2, 1, 0, 0) << berlin(2024, 2, 29, 9, 0);
    QTest::newRow("yearly from 29 February")
        << berlin(2024, 2, 29, 9, 0) << yearly << berlin(2024, 2, 29, 9, 0) << berlin(2025, 2, 28, 9, 0);
    QTest::newRow("yearly over a leap day")
        << berlin(2023, 3, 1, 9, 0) << yearly << berlin(2023, 3, 1, 9, 0) << berlin(2024, 3, 1, 9, 0);
    QTest::newRow("yearly stays on 28 February")
        << berlin(2024, 2, 29, 9, 0) << yearly << berlin(2025, 3, 1, 0, 0) << berlin(2026, 2, 28, 9, 0);
}

void TestAlarmService::nextOccurrence()
{
    QFETCH(QDateTime, from);
    QFETCH(int, interval);
    QFETCH(QDateTime, now);
    QFETCH(QDateTime, expected);

    const QDateTime next = AlarmService::nextOccurrence(from, RepeatInterval(interval), now);
    QCOMPARE(next, expected);
    QCOMPARE(next.toLocalTime().time(), expected.time());
}

void TestAlarmService::checkCycle_data()
{
    QTest::addColumn<bool>("hasAlarm");
    QTest::addColumn<bool>("isTriggered");
    QTest::addColumn<QDateTime>("alarmDate");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QDateTime>("endDate");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<bool>("fires");
    QTest::addColumn<QDateTime>("expectedDate");

    const auto none = int(RepeatInterval::None);
    const auto daily = int(RepeatInterval::Daily);
    const auto weekly = int(RepeatInterval::Weekly);
    const QDateTime at = berlin(2025, 3, 10, 9, 0);
    const QDateTime noEnd;

    QTest::newRow("due exactly now") << true << false << at << none << noEnd << at << true << at;
    QTest::newRow("one second ahead")
        << true << false << at.addSecs(1) << none << noEnd << at << false << at.addSecs(1);
    QTest::newRow("plain note") << false << false << at.addDays(-1) << none << noEnd << at << false
                                << at.addDays(-1);
    QTest::newRow("already fired") << true << true << at.addDays(-1) << none << noEnd << at << false
                                   << at.addDays(-1);
    QTest::newRow("daily, checked after its time") << true << false << berlin(2025, 3, 9, 8, 0) << daily
                                                   << noEnd << at << true << berlin(2025, 3, 11, 8, 0);
    QTest::newRow("daily, checked before its time")
        << true << false << berlin(2025, 3, 9, 8, 0) << daily << noEnd << berlin(2025, 3, 10, 7, 59) << true
        << berlin(2025, 3, 10, 8, 0);
    QTest::newRow("weekly, several weeks behind") << true << false << berlin(2025, 1, 6, 9, 0) << weekly
                                                  << noEnd << at << true << berlin(2025, 3, 17, 9, 0);
    QTest::newRow("invalid date") << true << false << QDateTime() << none << noEnd << at << false
                                  << QDateTime();
    QTest::newRow("end date passed") << true << false << berlin(2025, 3, 9, 8, 0) << daily
                                     << berlin(2025, 3, 1, 0, 0) << at << true << berlin(2025, 3, 11, 8, 0);
}

void TestAlarmService::checkCycle()
{
    QFETCH(bool, hasAlarm);
    QFETCH(bool, isTriggered);
    QFETCH(QDateTime, alarmDate);
    QFETCH(int, interval);
    QFETCH(QDateTime, endDate);
    QFETCH(QDateTime, now);
    QFETCH(bool, fires);
    QFETCH(QDateTime, expectedDate);

    Harness h;
    h.now = now;
    ReminderNote note = alarmAt(QStringLiteral("Termin"), alarmDate, RepeatInterval(interval));
    note.hasAlarm = hasAlarm;
    note.isTriggered = isTriggered;
    if (endDate.isValid())
        note.alarmEndDate = endDate;
    h.store.setNotes({ note });
    QSignalSpy changes(&h.store, &NoteStore::notesChanged);

    h.service.checkAlarms();
    QCoreApplication::processEvents();
    // A second look at the same instant must not fire it again.
    h.service.checkAlarms();
    QCoreApplication::processEvents();

    QCOMPARE(h.actions->calls.count(QStringLiteral("notify")), fires ? 1 : 0);
    QCOMPARE(changes.count(), fires ? 1 : 0);
    const bool expectTriggered = isTriggered || (fires && interval == int(RepeatInterval::None));
    const ReminderNote& stored = h.store.notes().constFirst();
    QCOMPARE(stored.alarmDate, expectedDate);
    QCOMPARE(stored.isTriggered, expectTriggered);
    if (!fires) {
        QVERIFY(!QFile::exists(h.store.filePath()));
        return;
    }
    const ReminderNotes saved = h.savedNotes();
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.constFirst().alarmDate, expectedDate);
    QCOMPARE(saved.constFirst().isTriggered, expectTriggered);
}

void TestAlarmService::clockJumps_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<QList<int>>("hoursAtChecks"); // the clock at each check, from 09:00 on 1 March
    QTest::addColumn<int>("fired");

    const int daily = int(RepeatInterval::Daily);
    const int once = int(RepeatInterval::None);
    // Resumed three days later: one alarm for the days slept through, not three.
    QTest::newRow("daily, suspended three days") << daily << QList<int> { 0, 72, 72 } << 1;
    // Set back after it fired: its next time lies ahead again, so it waits for it.
    QTest::newRow("daily, clock set back a day") << daily << QList<int> { 1, -23, -22, 1 } << 1;
    QTest::newRow("daily, back and forward again") << daily << QList<int> { 1, -23, 1, 25 } << 2;
    QTest::newRow("one-time, clock set back") << once << QList<int> { 1, -2, 1, 2 } << 1;
}

void TestAlarmService::clockJumps()
{
    QFETCH(int, interval);
    QFETCH(QList<int>, hoursAtChecks);
    QFETCH(int, fired);

    Harness h;
    const QDateTime start = berlin(2025, 3, 1, 9, 0);
    h.store.setNotes({ alarmAt(QStringLiteral("Tabletten"), start.addSecs(1800), RepeatInterval(interval)) });
    for (const int hours : hoursAtChecks) {
        h.now = start.addSecs(3600 * hours);
        h.service.checkAlarms();
        QCoreApplication::processEvents();
    }
    QCOMPARE(h.actions->calls.count(QStringLiteral("notify")), fired);
}

void TestAlarmService::firesDueRecordsInListOrder()
{
    Harness h;
    h.now = berlin(2025, 8, 1, 12, 0);
    ReminderNote cake
        = alarmAt(QStringLiteral("🎂 Geburtstag von Oma, Kuchen mitbringen"), berlin(2025, 3, 1, 9, 0));
    ReminderNote later = alarmAt(QStringLiteral("Später"), berlin(2025, 8, 1, 12, 1));
    ReminderNote bins = alarmAt(QStringLiteral("Müll"), berlin(2025, 7, 1, 9, 0), RepeatInterval::Weekly);
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
    QCOMPARE(lines,
        QStringList({
            QStringLiteral("[AlarmService] Firing alarm for: \"🎂 Geburtstag von Oma, Kuchen m\" "
                           "alarmDate=2025-03-01 08:00:00 +0000"),
            QStringLiteral("[AlarmService] Firing alarm for: \"Müll\" alarmDate=2025-07-01 07:00:00 +0000"),
        }));
    QCOMPARE(h.actions->notifications,
        QStringList({ QStringLiteral("Erinnerung|") + cake.text, QStringLiteral("Erinnerung|Müll") }));
    QCOMPARE(h.actions->calls,
        QStringList({ QStringLiteral("notify"), QStringLiteral("attention"), QStringLiteral("popup"),
            QStringLiteral("notify"), QStringLiteral("attention") }));
    QCOMPARE(h.store.alarmCount(), 1);
    QCOMPARE(changes.count(), 1);

    cake.isTriggered = true;
    bins.alarmDate = berlin(2025, 8, 5, 9, 0);
    const ReminderNotes expected { cake, later, bins };
    QCOMPARE(NoteJson::encodeCompact(h.store.notes()), NoteJson::encodeCompact(expected));
    QCOMPARE(NoteJson::encodeCompact(h.savedNotes()), NoteJson::encodeCompact(expected));
}

void TestAlarmService::trigger_data()
{
    QTest::addColumn<bool>("usePopup");
    QTest::addColumn<bool>("useSound");
    QTest::addColumn<QString>("launch");
    QTest::addColumn<QString>("shell");
    QTest::addColumn<QStringList>("expected");

    const QString app = QStringLiteral("/usr/share/applications/org.kde.kcalc.desktop");
    const QString script = QStringLiteral("echo 'fertig' > /dev/null");
    const QString notify = QStringLiteral("notify");
    const QString attention = QStringLiteral("attention");
    const QString sound = QStringLiteral("sound Frog");
    const QString popup = QStringLiteral("popup");

    QTest::newRow("popup only") << true << false << QString() << QString()
                                << QStringList { notify, attention, popup };
    QTest::newRow("nothing but the notification")
        << false << false << QString() << QString() << QStringList { notify, attention };
    QTest::newRow("everything") << true << true << app << script
                                << QStringList { notify, attention, sound, QStringLiteral("open ") + app,
                                       QStringLiteral("shell ") + script, popup };
    QTest::newRow("sound and script")
        << false << true << QString() << script
        << QStringList { notify, attention, sound, QStringLiteral("shell ") + script };
    QTest::newRow("application and popup")
        << true << false << app << QString()
        << QStringList { notify, attention, QStringLiteral("open ") + app, popup };
}

void TestAlarmService::trigger()
{
    QFETCH(bool, usePopup);
    QFETCH(bool, useSound);
    QFETCH(QString, launch);
    QFETCH(QString, shell);
    QFETCH(QStringList, expected);

    Harness h;
    ReminderNote note = alarmAt(QStringLiteral("Tee"), h.now);
    note.usePopup = usePopup;
    note.useSound = useSound;
    note.soundName = QStringLiteral("Frog");
    note.launchAppPath = launch;
    note.shellScript = shell;

    h.service.triggerAlarm(note);
    QCOMPARE(h.actions->calls, expected);
    // Without a popup, only the tray indicator tells the user an alarm went off.
    QCOMPARE(h.store.alarmCount(), usePopup ? 0 : 1);
    h.service.triggerAlarm(note);
    QCOMPARE(h.store.alarmCount(), usePopup ? 0 : 2);
}

void TestAlarmService::triggerTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("popup");

    const QString thumb = QStringLiteral("👍🏽");
    const QString long300 = QString(300, QLatin1Char('a'));
    QTest::newRow("empty") << QString() << QStringLiteral("Neue Notiz") << QStringLiteral("Neue Notiz");
    QTest::newRow("300 characters") << long300 << long300.left(200) << long300;
    QTest::newRow("600 characters") << QString(600, QLatin1Char('b')) << QString(200, QLatin1Char('b'))
                                    << QString(500, QLatin1Char('b'));
    const QString nearBody = QString(199, QLatin1Char('c')) + thumb + QString(10, QLatin1Char('d'));
    QTest::newRow("emoji at the notification cap") << nearBody << nearBody.left(199) + thumb << nearBody;
    const QString nearPopup = QString(499, QLatin1Char('e')) + thumb + QStringLiteral("f");
    QTest::newRow("emoji at the popup cap")
        << nearPopup << QString(200, QLatin1Char('e')) << nearPopup.left(499) + thumb;
}

void TestAlarmService::triggerTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, body);
    QFETCH(QString, popup);

    Harness h;
    h.service.triggerAlarm(alarmAt(text, h.now));
    QCOMPARE(h.actions->notifications, QStringList { QStringLiteral("Erinnerung|") + body });
    QCOMPARE(h.actions->popups, QStringList { QStringLiteral("Erinnerung|") + popup });
}

void TestAlarmService::firstCheckWaitsOneInterval()
{
    Harness h;
    h.store.setNotes({ alarmAt(QStringLiteral("Frühstück"), h.now.addSecs(-60)) });
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

QTEST_GUILESS_MAIN(TestAlarmService)
#include "tst_alarmservice.moc"
