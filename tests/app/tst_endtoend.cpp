#include "notejson.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Stands in for the desktop's notification server and records what arrives.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList bodies;
    QList<QStringList> actions;
    QList<uint> closed;

public slots:
    QStringList GetCapabilities() { return { QStringLiteral("body"), QStringLiteral("actions") }; }
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
        const QStringList& offered, const QVariantMap&, int)
    {
        bodies.append(summary + QLatin1Char('|') + body);
        actions.append(offered);
        return static_cast<uint>(bodies.size());
    }
    void CloseNotification(uint id) { closed.append(id); }

signals:
    // What a server sends when the user picks one of a notification's actions.
    void ActionInvoked(uint id, const QString& key);
};

// Stands in for logind on the system bus, which here is the test's own bus: it tells of sleep.
class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

signals:
    void PrepareForSleep(bool start);
};

// Stands in for the panel's tray host, so the app shows its icon over D-Bus.
class FakeTrayWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)

public:
    [[nodiscard]] bool isHostRegistered() const { return true; }
    [[nodiscard]] int protocolVersion() const { return 0; }
    [[nodiscard]] QStringList items() const { return m_items; }
    QString itemService;

public slots:
    void RegisterStatusNotifierItem(const QString& service, const QDBusMessage& message)
    {
        // Items register either by bus name or by object path on the sender's connection.
        itemService = service.startsWith(QLatin1Char('/')) ? message.service() : service;
        m_items.append(itemService);
    }
    void RegisterStatusNotifierHost(const QString&) { }

private:
    QStringList m_items;
};

using namespace Qt::StringLiterals;

namespace {

bool xdotool(const QStringList& args);
// The app checks for due alarms this often.
constexpr int alarmCheckMs = 10'000;

} // namespace

class tst_EndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void appointmentFires();
    void snoozeFromTheNotification();
    void keyboardAlone();
    void missedAlarmsAfterSleep();
    void quitFromThePanel();

private:
    [[nodiscard]] QRect panelGeometry() const;
    [[nodiscard]] ReminderNotes savedNotes() const;
    void activateItem() const;

    QTemporaryDir m_home;
    FakeNotifications m_notifications;
    FakeLogind m_logind;
    FakeTrayWatcher m_watcher;
    QProcess m_app;
};

void tst_EndToEnd::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"), "run under dbus-run-session");
    QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "run under xvfb-run");

    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_notifications,
        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
    QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));
    QVERIFY(bus.registerObject(
        QStringLiteral("/org/freedesktop/login1"), &m_logind, QDBusConnection::ExportAllSignals));
    QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.login1")));
    QDir(m_home.path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(m_home.filePath(QStringLiteral("run")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"));
    // The app ends through "Beenden": under AddressSanitizer the leak check at exit would report
    // what the X and GL plugins, unloaded by then, keep for the process's life.
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    m_app.setProcessEnvironment(env);
    m_app.setProcessChannelMode(QProcess::MergedChannels);
    m_app.start(QStringLiteral(ZETTELWERK_BINARY), {});
    QVERIFY(m_app.waitForStarted());

    // The tray host comes after the app, as a desktop panel does at login: the app must move into it.
    const QDir runtime(m_home.filePath(QStringLiteral("run")));
    QTRY_VERIFY_WITH_TIMEOUT(!runtime.entryList({ QStringLiteral("*.sock") }, QDir::System).isEmpty(), 30000);
    QTest::qWait(3000);
    QVERIFY(bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &m_watcher,
        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    QVERIFY(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
}

void tst_EndToEnd::cleanupTestCase()
{
    m_app.kill();
    m_app.waitForFinished();
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    bus.unregisterService(QStringLiteral("org.freedesktop.login1"));
    bus.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
    bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
}

// The tray host came late and the app moved into it; a command hands an appointment to the
// running app, which fires it on time. (The bell's pixels: tst_trayicon; its count: tst_zettelwerkapp.)
void tst_EndToEnd::appointmentFires()
{
    QTRY_VERIFY_WITH_TIMEOUT(!m_watcher.itemService.isEmpty(), 20000);

    // The next full minute at least 15 s away: the command line takes minutes, not seconds.
    QDateTime at = QDateTime::currentDateTime().addSecs(75);
    at.setTime(QTime(at.time().hour(), at.time().minute()));
    QProcess add;
    add.setProcessEnvironment(m_app.processEnvironment());
    add.start(QStringLiteral(ZETTELWERK_BINARY),
        { QStringLiteral("add"), QStringLiteral("Tee"), QStringLiteral("--at"),
            at.toString(QStringLiteral("yyyy-MM-dd HH:mm")), QStringLiteral("--no-popup") });
    QVERIFY(add.waitForFinished(20000));
    QCOMPARE(add.exitCode(), 0);

    // Fires within 10 s of its time.
    const qint64 deadline = QDateTime::currentDateTime().msecsTo(at) + 12000;
    QTRY_VERIFY_WITH_TIMEOUT(!m_notifications.bodies.isEmpty(), deadline);
    QCOMPARE(m_notifications.bodies, QStringList { QStringLiteral("Erinnerung|Tee") });
    QTRY_VERIFY_WITH_TIMEOUT(savedNotes().size() == 1 && savedNotes().constFirst().isTriggered, 5000);
}

// "Später" in the notification puts the alarm off; put off from the command line to the next
// minute, it comes again with its actions.
void tst_EndToEnd::snoozeFromTheNotification()
{
    QCOMPARE(m_notifications.actions.constFirst(),
        (QStringList { u"5m"_s, u"5 Min."_s, u"15m"_s, u"15 Min."_s, u"1h"_s, u"1 Std."_s, u"morgen"_s,
            u"Morgen, 9:00"_s }));
    const QDateTime before = QDateTime::currentDateTime();
    emit m_notifications.ActionInvoked(1, u"15m"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_notifications.closed, QList<uint> { 1 }, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(savedNotes().value(0).snoozeDate.has_value(), 5000);
    const QDateTime until = *savedNotes().constFirst().snoozeDate;
    QVERIFY(until >= before.addSecs(15 * 60 - 1) && until <= QDateTime::currentDateTime().addSecs(15 * 60));

    QProcess snooze;
    snooze.setProcessEnvironment(m_app.processEnvironment());
    snooze.start(QStringLiteral(ZETTELWERK_BINARY),
        { u"snooze"_s, savedNotes().constFirst().id.toString(QUuid::WithoutBraces), u"1m"_s });
    QVERIFY(snooze.waitForFinished(20000));
    QCOMPARE(snooze.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_notifications.bodies.size(), 2, 80000);
    QCOMPARE(m_notifications.bodies.last(), u"Erinnerung|Tee"_s);
    QCOMPARE(m_notifications.actions.last().size(), 8);
    QTRY_VERIFY_WITH_TIMEOUT(!savedNotes().constFirst().snoozeDate, 5000);
    QVERIFY(savedNotes().constFirst().isTriggered);
}

// Appointments that fell due while the machine slept come back with a backup; the wake from
// sleep finds them at once: one notification and one window. Then a hundred due at the same
// moment: one window, three notifications and a summary. None of them rings twice.
void tst_EndToEnd::missedAlarmsAfterSleep()
{
    const auto restore = [this](int count, qint64 secondsAgo) {
        const QDateTime now = QDateTime::currentDateTime();
        ReminderNotes notes;
        for (int i = 0; i < count; ++i) {
            ReminderNote note = ReminderNote::create(now.addDays(-1));
            note.text = u"Termin %1"_s.arg(i + 1);
            note.hasAlarm = true;
            note.alarmDate = now.addSecs(-secondsAgo);
            notes.append(note);
        }
        const QString backup = m_home.filePath(u"backup.json"_s);
        QFile file(backup);
        if (!file.open(QIODevice::WriteOnly) || file.write(NoteJson::encodeCompact(notes)) <= 0)
            return false;
        file.close();
        QProcess restoring;
        restoring.setProcessEnvironment(m_app.processEnvironment());
        restoring.start(QStringLiteral(ZETTELWERK_BINARY), { u"restore"_s, backup });
        return restoring.waitForFinished(20000) && restoring.exitCode() == 0;
    };
    const auto windows = [](const QString& title) {
        QProcess search;
        search.start(
            QStringLiteral("xdotool"), { u"search"_s, u"--onlyvisible"_s, u"--name"_s, u'^' + title + u'$' });
        search.waitForFinished(5000);
        return QString::fromLatin1(search.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    };
    const auto closeWith = [&windows](const QString& title) {
        // Escape answers them all and closes the window.
        return !windows(title).isEmpty()
            && xdotool({ u"windowfocus"_s, u"--sync"_s, windows(title).constFirst() })
            && xdotool({ u"key"_s, u"Escape"_s });
    };

    qsizetype before = m_notifications.bodies.size();
    QVERIFY(restore(3, 3 * 3600));
    // Well before the next regular check is due (but for bad luck in the timer's phase).
    emit m_logind.PrepareForSleep(true);
    emit m_logind.PrepareForSleep(false);
    QTRY_COMPARE_WITH_TIMEOUT(m_notifications.bodies.size(), before + 1, 3000);
    QVERIFY2(m_notifications.bodies.last().startsWith(u"3 verpasste Erinnerungen|"_s),
        qPrintable(m_notifications.bodies.last()));
    QTRY_COMPARE_WITH_TIMEOUT(windows(u"3 verpasste Erinnerungen"_s).size(), 1, 5000);
    QVERIFY(closeWith(u"3 verpasste Erinnerungen"_s));
    QTRY_VERIFY_WITH_TIMEOUT(windows(u"3 verpasste Erinnerungen"_s).isEmpty(), 5000);

    before = m_notifications.bodies.size();
    QVERIFY(restore(100, 5));
    QTRY_COMPARE_WITH_TIMEOUT(windows(u"100 Erinnerungen"_s).size(), 1, alarmCheckMs + 5000);
    QTRY_COMPARE_WITH_TIMEOUT(m_notifications.bodies.size(), before + 4, 5000);
    QCOMPARE(m_notifications.bodies.mid(before, 3),
        (QStringList { u"Erinnerung|Termin 1"_s, u"Erinnerung|Termin 2"_s, u"Erinnerung|Termin 3"_s }));
    QVERIFY(m_notifications.bodies.last().startsWith(u"97 weitere Erinnerungen|"_s));
    // The next regular check finds nothing more to ring.
    QTest::qWait(alarmCheckMs + 1000);
    QCOMPARE(m_notifications.bodies.size(), before + 4);
    QVERIFY(closeWith(u"100 Erinnerungen"_s));
    QTRY_VERIFY_WITH_TIMEOUT(windows(u"100 Erinnerungen"_s).isEmpty(), 5000);
}

// The panel window as X sees it (380 wide), or an empty rectangle while it is hidden.
QRect tst_EndToEnd::panelGeometry() const
{
    QProcess search;
    search.start(QStringLiteral("xdotool"),
        { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
            QStringLiteral("^Zettelwerk$") });
    search.waitForFinished(5000);
    const QStringList windows
        = QString::fromLatin1(search.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& window : windows) {
        QProcess geometry;
        geometry.start(QStringLiteral("xdotool"),
            { QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window });
        geometry.waitForFinished(5000);
        QHash<QString, int> values;
        for (const QString& line : QString::fromLatin1(geometry.readAllStandardOutput()).split(u'\n')) {
            const QStringList pair = line.split(u'=');
            if (pair.size() == 2)
                values.insert(pair.at(0), pair.at(1).toInt());
        }
        if (values.value(QStringLiteral("WIDTH")) == 380)
            return { values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")), 380,
                values.value(QStringLiteral("HEIGHT")) };
    }
    return {};
}

ReminderNotes tst_EndToEnd::savedNotes() const
{
    QFile file(m_home.filePath(QStringLiteral("data/Zettelwerk/notes.json")));
    return file.open(QIODevice::ReadOnly) ? NoteJson::decode(file.readAll()).value_or(ReminderNotes {})
                                          : ReminderNotes {};
}

void tst_EndToEnd::activateItem() const
{
    QDBusInterface(m_watcher.itemService, QStringLiteral("/StatusNotifierItem"),
        QStringLiteral("org.kde.StatusNotifierItem"))
        .call(QStringLiteral("Activate"), 0, 0);
}

namespace {

bool xdotool(const QStringList& args)
{
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

bool clickAt(const QPoint& point)
{
    return xdotool({ QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
        QStringLiteral("click"), QStringLiteral("1") });
}

} // namespace

// The keyboard alone, never the pointer: an appointment made with a typed time, opened again and
// changed, deleted; the text size changed in the settings; a backup exported. Tab's order is the
// screen's, top to bottom.
void tst_EndToEnd::keyboardAlone()
{
    if (panelGeometry().isEmpty())
        activateItem();
    QTRY_VERIFY_WITH_TIMEOUT(!panelGeometry().isEmpty(), 5000);
    QTest::qWait(500);
    const auto keys = [](const QStringList& names) {
        const bool sent = xdotool(
            QStringList { QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80") } + names);
        QTest::qWait(300);
        return sent;
    };
    const auto type = [](const QString& text) {
        return xdotool({ QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), text });
    };
    const QString tab = QStringLiteral("Tab");
    const QString enter = QStringLiteral("Return");
    const auto find = [this](const QString& text) -> std::optional<ReminderNote> {
        for (const ReminderNote& note : savedNotes()) {
            if (note.text == text)
                return note;
        }
        return std::nullopt;
    };

    // Settings, help, about, then "+": the editor opens with the keyboard in the note.
    QVERIFY(keys({ tab, tab, tab, tab, enter }));
    QTest::qWait(500);
    QVERIFY(type(QStringLiteral("Zahnarzt")));
    // The switch, the month's arrows, the day, then the time: taken as typed, without Enter.
    QVERIFY(keys({ tab, tab, tab, tab, tab }));
    QVERIFY(type(QStringLiteral("2358")));
    QVERIFY(keys({ QStringLiteral("ctrl+Return") }));
    QTRY_VERIFY_WITH_TIMEOUT(find(QStringLiteral("Zahnarzt")).has_value(), 5000);
    QCOMPARE(find(QStringLiteral("Zahnarzt"))->alarmDate.toLocalTime().time(), QTime(23, 58));

    // Back on "Heute": the header's seven, the month's three, then "Tee"'s card; Down goes on to
    // the next card, past Tee's delete button.
    const QStringList toFirstCard { tab, tab, tab, tab, tab, tab, tab, tab, tab, tab, tab };
    QVERIFY(keys(toFirstCard + QStringList { QStringLiteral("Down"), enter }));
    QTest::qWait(500);
    QVERIFY(keys({ QStringLiteral("ctrl+a") }));
    QVERIFY(type(QStringLiteral("Zahnarzt Kontrolle")));
    QVERIFY(keys({ QStringLiteral("ctrl+Return") }));
    QTRY_VERIFY_WITH_TIMEOUT(find(QStringLiteral("Zahnarzt Kontrolle")).has_value(), 5000);

    // Its delete button, the question's "Abbrechen", Tab to "Löschen".
    QVERIFY(keys(toFirstCard + QStringList { QStringLiteral("Down"), tab, enter }));
    QVERIFY(keys({ tab, enter }));
    QTRY_VERIFY_WITH_TIMEOUT(!find(QStringLiteral("Zahnarzt Kontrolle")).has_value(), 5000);
    QVERIFY(find(QStringLiteral("Tee")).has_value());

    // Settings: back, autostart, then the text size, one step up and back down.
    const QString settingsFile = m_home.filePath(QStringLiteral("config/Zettelwerk/Zettelwerk.conf"));
    const auto fontScale = [&settingsFile] {
        return QSettings(settingsFile, QSettings::IniFormat)
            .value(QStringLiteral("fontScale"), 1.0)
            .toDouble();
    };
    QVERIFY(keys({ tab, enter }));
    QVERIFY(keys({ tab, tab, tab, QStringLiteral("Right") }));
    QTRY_VERIFY_WITH_TIMEOUT(qFuzzyCompare(fontScale(), 1.05), 5000);
    QVERIFY(keys({ QStringLiteral("Left") }));
    QTRY_VERIFY_WITH_TIMEOUT(qFuzzyCompare(fontScale(), 1.0), 5000);

    // The window height, the calendar import, then the backup screen; its JSON button is the
    // last but one, after the rows. The name typed without ending gets ".json".
    QVERIFY(keys({ tab, tab, tab, enter }));
    QVERIFY(keys({ QStringLiteral("shift+Tab"), QStringLiteral("shift+Tab"), enter }));
    QTest::qWait(1000); // the file dialog
    const QString backup = m_home.filePath(QStringLiteral("sicherung"));
    QVERIFY(keys({ QStringLiteral("ctrl+a") }));
    QVERIFY(type(backup));
    QVERIFY(keys({ enter }));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(backup + QStringLiteral(".json")), 5000);
    QFile written(backup + QStringLiteral(".json"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(NoteJson::decode(written.readAll()).value_or(ReminderNotes {}).size(), 1);

    // Escape goes back one screen at a time and leaves the panel open.
    QVERIFY(keys({ QStringLiteral("Escape"), QStringLiteral("Escape") }));
    QVERIFY(!panelGeometry().isEmpty());
}

// "Beenden" and "Ja" at the real panel end the app with status 0. (Making, firing and deleting
// through the panel: keyboardAlone, tst_noteeditorcontroller and tst_zettelwerkapp.)
void tst_EndToEnd::quitFromThePanel()
{
    if (panelGeometry().isEmpty())
        activateItem();
    QTRY_VERIFY_WITH_TIMEOUT(!panelGeometry().isEmpty(), 5000);
    const QRect panel = panelGeometry();
    QVERIFY(clickAt(panel.topLeft() + QPoint(190, panel.height() - 18))); // "Beenden"
    QTest::qWait(500);
    QVERIFY(clickAt(panel.topLeft() + QPoint(305, panel.height() - 18))); // "Ja"
    QVERIFY(m_app.waitForFinished(10000));
    QCOMPARE(m_app.exitStatus(), QProcess::NormalExit);
    QVERIFY2(m_app.exitCode() == 0, m_app.readAll().right(4000).constData());
}

QTEST_GUILESS_MAIN(tst_EndToEnd)
#include "tst_endtoend.moc"
