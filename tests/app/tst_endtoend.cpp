#include "faketraywatcher.h"
#include "notejson.h"
#include "privatehome.h"
#include "testsupport.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QRect>
#include <QSettings>

// Stands in for the desktop's notification server and records what arrives.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList bodies;
    QList<QStringList> actions;
    QList<uint> closed;

public slots:
    QStringList GetCapabilities() { return { u"body"_s, u"actions"_s }; }
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
        const QStringList& offered, const QVariantMap&, int)
    {
        bodies.append(summary + u'|' + body);
        actions.append(offered);
        return static_cast<uint>(bodies.size());
    }

    void CloseNotification(uint id) { closed.append(id); }

signals:
    void ActionInvoked(uint id, const QString& key);
};

namespace {

// The app checks for due alarms this often.
constexpr int alarmCheckMs = 10'000;

const auto xdotool = [](const QStringList& args) { return QProcess::execute(u"xdotool"_s, args) == 0; };

QStringList xdotoolLines(const QStringList& args)
{
    QProcess process;
    process.start(u"xdotool"_s, args);
    process.waitForFinished(5000);
    return QString::fromLatin1(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

const auto visibleWindows = [](const QString& title) {
    return xdotoolLines({ u"search"_s, u"--onlyvisible"_s, u"--name"_s, u'^' + title + u'$' });
};

const auto clickAt = [](const QPoint& at) {
    return xdotool({ u"mousemove"_s, QString::number(at.x()), QString::number(at.y()), u"click"_s, u"1"_s });
};

} // namespace

class tst_EndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"), "run under dbus-run-session");
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "run under xvfb-run");

        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.registerObject(u"/org/freedesktop/Notifications"_s, &m_notifications,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        QVERIFY(bus.registerService(u"org.freedesktop.Notifications"_s));
        // logind on the system bus, which here is the test's own bus.
        QVERIFY(bus.registerService(u"org.freedesktop.login1"_s));
        QProcessEnvironment env = privateHome(m_home, u"xcb"_s);
        env.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"));
        // Under AddressSanitizer the leak check at exit would report what the X and GL plugins keep.
        env.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s);
        m_app.setProcessEnvironment(env);
        m_app.setProcessChannelMode(QProcess::MergedChannels);
        m_app.start(QStringLiteral(ZETTELWERK_BINARY), {});
        QVERIFY(m_app.waitForStarted());

        // The tray host comes after the app, as a desktop panel does at login: the app must move into it.
        QTRY_VERIFY_WITH_TIMEOUT(listening(m_home), 30000);
        QTest::qWait(3000);
        QVERIFY(bus.registerObject(u"/StatusNotifierWatcher"_s, &m_watcher,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
        QVERIFY(bus.registerService(u"org.kde.StatusNotifierWatcher"_s));
    }

    // The tray host came late and the app moved into it; a command's appointment fires on time.
    void appointmentFires()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!m_watcher.items().isEmpty(), 20000);

        // The next full minute at least 15 s away: the command line takes minutes, not seconds.
        QDateTime at = QDateTime::currentDateTime().addSecs(75);
        at.setTime(QTime(at.time().hour(), at.time().minute()));
        QCOMPARE(
            command({ u"add"_s, u"Tee"_s, u"--at"_s, at.toString(u"yyyy-MM-dd HH:mm"_s), u"--no-popup"_s }),
            0);

        const qint64 deadline = QDateTime::currentDateTime().msecsTo(at) + 12000;
        QTRY_VERIFY_WITH_TIMEOUT(!m_notifications.bodies.isEmpty(), deadline);
        QCOMPARE(m_notifications.bodies, QStringList { u"Erinnerung|Tee"_s });
        QTRY_VERIFY_WITH_TIMEOUT(savedNotes().size() == 1 && savedNotes().constFirst().isTriggered, 5000);
    }

    void snoozeFromTheNotification()
    {
        QCOMPARE(m_notifications.actions.constFirst(),
            strings("5m|5 Min.|15m|15 Min.|1h|1 Std.|morgen|Morgen, 9:00"));
        const QDateTime before = QDateTime::currentDateTime();
        emit m_notifications.ActionInvoked(1, u"15m"_s);
        QTRY_COMPARE_WITH_TIMEOUT(m_notifications.closed, QList<uint> { 1 }, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(savedNotes().value(0).snoozeDate.has_value(), 5000);
        const QDateTime until = *savedNotes().constFirst().snoozeDate;
        QVERIFY(
            until >= before.addSecs(15 * 60 - 1) && until <= QDateTime::currentDateTime().addSecs(15 * 60));
    }

    // The keyboard alone: an appointment made, changed, deleted; the text size; a backup exported.
    void keyboardAlone()
    {
        openPanel();
        QTest::qWait(500);
        const auto keys = [](const QStringList& names) {
            const bool sent = xdotool(QStringList { u"key"_s, u"--delay"_s, u"80"_s } + names);
            QTest::qWait(300);
            return sent;
        };
        const auto type = [](const QString& text) {
            return xdotool({ u"type"_s, u"--delay"_s, u"40"_s, text });
        };
        const QString tab = u"Tab"_s;
        const QString enter = u"Return"_s;
        const auto saved = [this](const QString& text) { return textsOf(savedNotes()).contains(text); };

        // Settings, help, about, then "+": the editor opens with the keyboard in the note.
        QVERIFY(keys({ tab, tab, tab, tab, enter }));
        QTest::qWait(500);
        QVERIFY(type(u"Zahnarzt"_s));
        // The switch, the month's arrows, the day, then the time: taken as typed, without Enter.
        QVERIFY(keys({ tab, tab, tab, tab, tab }));
        QVERIFY(type(u"2358"_s));
        QVERIFY(keys({ u"ctrl+Return"_s }));
        QTRY_VERIFY_WITH_TIMEOUT(saved(u"Zahnarzt"_s), 5000);
        const ReminderNotes notes = savedNotes();
        QCOMPARE(
            notes.value(textsOf(notes).indexOf(u"Zahnarzt"_s)).alarmDate.toLocalTime().time(), QTime(23, 58));

        // The header's seven, the month's three, then "Tee"'s card; Down skips Tee's delete button.
        const QStringList toFirstCard { tab, tab, tab, tab, tab, tab, tab, tab, tab, tab, tab };
        QVERIFY(keys(toFirstCard + QStringList { u"Down"_s, enter }));
        QTest::qWait(500);
        QVERIFY(keys({ u"ctrl+a"_s }));
        QVERIFY(type(u"Zahnarzt Kontrolle"_s));
        QVERIFY(keys({ u"ctrl+Return"_s }));
        QTRY_VERIFY_WITH_TIMEOUT(saved(u"Zahnarzt Kontrolle"_s), 5000);

        // Its delete button, the question's "Abbrechen", Tab to "Löschen".
        QVERIFY(keys(toFirstCard + QStringList { u"Down"_s, tab, enter }));
        QVERIFY(keys({ tab, enter }));
        QTRY_VERIFY_WITH_TIMEOUT(!saved(u"Zahnarzt Kontrolle"_s), 5000);
        QVERIFY(saved(u"Tee"_s));

        // Settings: back, autostart, then the text size, one step up and back down.
        const QString settingsFile = m_home.filePath(u"config/Zettelwerk/Zettelwerk.conf"_s);
        const auto fontScale = [&settingsFile] {
            return QSettings(settingsFile, QSettings::IniFormat).value(u"fontScale"_s, 1.0).toDouble();
        };
        QVERIFY(keys({ tab, enter }));
        QVERIFY(keys({ tab, tab, tab, u"Right"_s }));
        QTRY_VERIFY_WITH_TIMEOUT(qFuzzyCompare(fontScale(), 1.05), 5000);
        QVERIFY(keys({ u"Left"_s }));
        QTRY_VERIFY_WITH_TIMEOUT(qFuzzyCompare(fontScale(), 1.0), 5000);

        // The window height, the calendar import, then the backup screen's JSON button, last but one.
        QVERIFY(keys({ tab, tab, tab, enter }));
        QVERIFY(keys({ u"shift+Tab"_s, u"shift+Tab"_s, enter }));
        QTest::qWait(1000); // the file dialog
        const QString backup = m_home.filePath(u"sicherung"_s);
        QVERIFY(keys({ u"ctrl+a"_s }));
        QVERIFY(type(backup));
        QVERIFY(keys({ enter }));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(backup + u".json"_s), 5000);
        QCOMPARE(NoteJson::decode(readAll(backup + u".json"_s)).value_or(ReminderNotes {}).size(), 1);

        // Escape goes back one screen at a time and leaves the panel open.
        QVERIFY(keys({ u"Escape"_s, u"Escape"_s }));
        QVERIFY(!panelGeometry().isEmpty());
    }

    // Appointments missed during sleep: the wake finds them at once, one notification and one window.
    void missedAlarmsAfterSleep()
    {
        ReminderNotes notes;
        for (int i = 1; i <= 3; ++i)
            notes.append(appointment(u"Termin %1"_s.arg(i), QDateTime::currentDateTime().addSecs(-3 * 3600)));
        const qsizetype before = m_notifications.bodies.size();
        const QString backup = m_home.filePath(u"backup.json"_s);
        QVERIFY(writeAll(backup, NoteJson::encodeCompact(notes)) && command({ u"restore"_s, backup }) == 0);
        for (const bool start : { true, false }) {
            QVERIFY(QDBusConnection::sessionBus().send(
                QDBusMessage::createSignal(
                    u"/org/freedesktop/login1"_s, u"org.freedesktop.login1.Manager"_s, u"PrepareForSleep"_s)
                << start));
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_notifications.bodies.size(), before + 1, 3000);
        const QString title = u"3 verpasste Erinnerungen"_s;
        QVERIFY2(m_notifications.bodies.last().startsWith(title + u'|'),
            qPrintable(m_notifications.bodies.last()));
        QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(title).size(), 1, 5000);
        QTest::qWait(alarmCheckMs + 1000);
        QCOMPARE(m_notifications.bodies.size(), before + 1);
        // Escape answers them all and closes the window.
        QVERIFY(xdotool({ u"windowfocus"_s, u"--sync"_s, visibleWindows(title).constFirst() })
            && xdotool({ u"key"_s, u"Escape"_s }));
        QTRY_VERIFY_WITH_TIMEOUT(visibleWindows(title).isEmpty(), 5000);
    }

    void quitFromThePanel()
    {
        openPanel();
        const QRect panel = panelGeometry();
        QVERIFY(clickAt(panel.topLeft() + QPoint(190, panel.height() - 18))); // "Beenden"
        QTest::qWait(500);
        QVERIFY(clickAt(panel.topLeft() + QPoint(305, panel.height() - 18))); // "Ja"
        QVERIFY(m_app.waitForFinished(10000));
        QCOMPARE(m_app.exitStatus(), QProcess::NormalExit);
        QVERIFY2(m_app.exitCode() == 0, m_app.readAll().right(4000).constData());
    }

private:
    // The panel window as X sees it (380 wide), or an empty rectangle while it is hidden.
    [[nodiscard]] QRect panelGeometry() const
    {
        for (const QString& window : visibleWindows(u"Zettelwerk"_s)) {
            QHash<QString, int> values;
            for (const QString& line : xdotoolLines({ u"getwindowgeometry"_s, u"--shell"_s, window })) {
                const QStringList pair = line.split(u'=');
                if (pair.size() == 2)
                    values.insert(pair.at(0), pair.at(1).toInt());
            }
            if (values.value(u"WIDTH"_s) == 380)
                return { values.value(u"X"_s), values.value(u"Y"_s), 380, values.value(u"HEIGHT"_s) };
        }
        return {};
    }

    [[nodiscard]] ReminderNotes savedNotes() const
    {
        return NoteJson::decode(readAll(m_home.filePath(u"data/Zettelwerk/notes.json"_s)))
            .value_or(ReminderNotes {});
    }

    void openPanel()
    {
        if (panelGeometry().isEmpty()) {
            QDBusInterface(
                m_watcher.items().constLast(), u"/StatusNotifierItem"_s, u"org.kde.StatusNotifierItem"_s)
                .call(u"Activate"_s, 0, 0);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!panelGeometry().isEmpty(), 5000);
    }

    int command(const QStringList& args) const
    {
        return runBinary(m_app.processEnvironment(), args).exitCode;
    }

    QTemporaryDir m_home;
    FakeNotifications m_notifications;
    FakeTrayWatcher m_watcher;
    QProcess m_app;
};

QTEST_GUILESS_MAIN(tst_EndToEnd)
#include "tst_endtoend.moc"
