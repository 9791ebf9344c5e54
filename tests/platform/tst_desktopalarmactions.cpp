#include "alarmsounds.h"
#include "applauncher.h"
#include "desktopalarmactions.h"
#include "desktopnotifier.h"
#include "fakebusservice.h"
#include "testsupport.h"

#include <QScopeGuard>
#include <QSet>
#include <QSoundEffect>
#include <QtEndian>

#include <csignal>

class FakeNotificationServer : public FakeBusService, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    FakeNotificationServer(QStringList capabilities, bool answersCapabilities)
        : FakeBusService(u"org.freedesktop.Notifications"_s, u"/org/freedesktop/Notifications"_s)
        , m_capabilities(std::move(capabilities))
        , m_answersCapabilities(answersCapabilities)
    {
    }

    // "app|replaces|summary|body|urgency's type and value|resident", one per notification.
    QStringList received;
    int capabilityRequests = 0;

public slots:
    QStringList GetCapabilities()
    {
        ++capabilityRequests;
        if (!m_answersCapabilities)
            sendErrorReply(QDBusError::Failed, u"capabilities unknown"_s);
        return m_capabilities;
    }

    uint Notify(const QString& app, uint replaces, const QString& /*icon*/, const QString& summary,
        const QString& body, const QStringList& /*actions*/, const QVariantMap& hints, int /*timeout*/)
    {
        const QVariant urgency = hints.value(u"urgency"_s);
        received << u"%1|%2|%3|%4|%5 %6|%7"_s.arg(app, QString::number(replaces), summary, body,
            QString::fromLatin1(urgency.typeName()), QString::number(urgency.toUInt()),
            hints.value(u"resident"_s).toString());
        return 40 + uint(received.size());
    }

private:
    QStringList m_capabilities;
    bool m_answersCapabilities;
};

// The desktop's side of an alarm: notifications over D-Bus, shell commands, application entries, sounds.
class tst_DesktopAlarmActions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void notificationArrives_data()
    {
        // late: the server starts after the notifier, which then asks what it renders
        columns<QStringList, bool, bool, QString, QString>(
            "capabilities", "answersCapabilities", "late", "body", "expected");

        const QStringList markup = strings("body|body-markup");
        QTest::newRow("markup server: typed entity stays text")
            << markup << true << false << u"Tom &amp; Jerry"_s << u"Tom &amp;amp; Jerry"_s;
        QTest::newRow("markup server started later") << markup << true << true << u"<b>"_s << u"&lt;b&gt;"_s;
        QTest::newRow("plain server: raw") << strings("body") << true << false << u"<b>&"_s << u"<b>&"_s;
        // Without an answer nobody knows whether markup is rendered; raw text at worst shows tags.
        QTest::newRow("capabilities fail: raw") << markup << false << false << u"<b>&"_s << u"<b>&"_s;
    }

    void notificationArrives()
    {
        QFETCH(QStringList, capabilities);
        QFETCH(bool, answersCapabilities);
        QFETCH(bool, late);
        QFETCH(QString, body);
        QFETCH(QString, expected);

        FakeNotificationServer server(capabilities, answersCapabilities);
        QVERIFY(late || server.start());
        DesktopNotifier notifier;
        QSignalSpy delivered(&notifier, &DesktopNotifier::delivered);
        // The summary is plain text for every server, so it is never escaped.
        const QString summary = u"Termin <heute> & morgen"_s;
        if (late) {
            notifier.notify(summary, body);
            QTest::qWait(300);
            QCOMPARE(delivered.count(), 0);
            QVERIFY(server.start());
            QTRY_COMPARE(server.capabilityRequests, 1);
        }
        // Asked what it renders once, not once per alarm.
        for (int i = 0; i < 2; ++i)
            notifier.notify(summary, body);

        QTRY_COMPARE_WITH_TIMEOUT(delivered.count(), 2, 10000);
        QCOMPARE(delivered.first().first().toUInt(), 41u);
        QCOMPARE(server.capabilityRequests, 1);
        // Id 0: an unseen alarm is never replaced; urgency a byte (else ignored), critical (2) stays.
        QCOMPARE(server.received,
            QStringList(2, u"Zettelwerk|0|"_s + summary + u'|' + expected + u"|uchar 2|true"_s));
    }

    void shellCommandIsNotWaitedFor()
    {
        QTemporaryDir dir;
        DesktopAlarmActions actions({}, {});
        const QString pidFile = dir.filePath(u"sleeper.pid"_s);
        pid_t sleeper = 0;
        auto stopSleeper = qScopeGuard([&sleeper] {
            if (sleeper > 0)
                ::kill(sleeper, SIGTERM);
        });

        QElapsedTimer clock;
        clock.start();
        actions.runShellCommand(u"echo $$ > '%1'; exec sleep 60"_s.arg(pidFile));
        // Not a speed target: a call that waited would block for the whole minute.
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));

        const QString marker = dir.filePath(u"second"_s);
        actions.runShellCommand(u"printf second > '%1'"_s.arg(marker));
        QTRY_COMPARE_WITH_TIMEOUT(readAll(marker), QByteArray("second"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(readAll(pidFile).endsWith('\n'), 10000);
        sleeper = readAll(pidFile).trimmed().toInt();
        QVERIFY(sleeper > 0);
        QCOMPARE(::kill(sleeper, 0), 0); // still running although the next command has finished
    }

    void shellCommandReachesShellUnchanged_data()
    {
        columns<QString, QString, QByteArray>("command", "file", "expected");

        // @OUT@ becomes the double-quoted path of "out" in a fresh folder, @DIR@ that folder.
        QTest::newRow("no extra arguments")
            << u"printf '%s|%s' \"$#\" \"$1\" > @OUT@"_s << u"out"_s << "0|"_ba;
        QTest::newRow("two lines") << u"printf a > @OUT@\nprintf b >> @OUT@"_s << u"out"_s << "ab"_ba;
        QTest::newRow("spaces and quotes in path")
            << u"printf '%s' \"a b\" > \"@DIR@/dir with space/it's.txt\""_s << u"dir with space/it's.txt"_s
            << "a b"_ba;
        QTest::newRow("non-ASCII path")
            << u"printf x > \"@DIR@/Übersicht.txt\""_s << u"Übersicht.txt"_s << "x"_ba;
    }

    void shellCommandReachesShellUnchanged()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QByteArray, expected);

        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"dir with space"_s));
        command.replace(u"@OUT@"_s, u'"' + dir.filePath(u"out"_s) + u'"').replace(u"@DIR@"_s, dir.path());
        DesktopAlarmActions({}, {}).runShellCommand(command);
        QTRY_COMPARE_WITH_TIMEOUT(readAll(dir.filePath(file)), expected, 10000);
    }

    void desktopEntries_data()
    {
        // content: null: the file does not exist; @EXEC@: writes a marker
        columns<QString, QByteArray, bool>("fileName", "content", "launches");

        const QByteArray marker = "[Desktop Entry]\nType=Application\nName=Marker\nExec=@EXEC@\n";
        QTest::newRow("non-ASCII") << u"Büro Ordner/Wecker ä.desktop"_s << marker << true;
        QTest::newRow("missing entry") << u"nowhere.desktop"_s << QByteArray() << false;
        QTest::newRow("not a key file") << u"garbage.desktop"_s << QByteArray("just some text") << false;
    }

    void desktopEntries()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(bool, launches);

        QTemporaryDir dir;
        const QString entry = dir.filePath(fileName);
        const QString marker = QFileInfo(entry).dir().filePath(u"marker"_s);
        const QString exec = u"/bin/sh -c \"echo launched > '%1'\""_s.arg(marker);
        QVERIFY(content.isNull()
            || (QDir().mkpath(QFileInfo(entry).path())
                && writeAll(entry, content.replace("@EXEC@", exec.toUtf8()))));

        QCOMPARE(AppLauncher::open(entry), launches);
        if (!launches) {
            DesktopAlarmActions({}, {}).openPath(entry); // and nothing else happens
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(readAll(marker), QByteArray("launched\n"), 10000);
        QVERIFY(QFile::remove(marker));
        DesktopAlarmActions({}, {}).openPath(entry);
        QTRY_COMPARE_WITH_TIMEOUT(readAll(marker), QByteArray("launched\n"), 10000);
    }

    void onlyKnownSoundsPlay()
    {
        // Never freed: Qt 6.4 leaks a sample whose effect goes mid-load, and a load may never finish.
        static DesktopAlarmActions& actions = *new DesktopAlarmActions({}, {});
        for (const char* name : { "", "basso", " Basso", "Basso.wav", "../sounds/Basso", "Beep" })
            actions.playSound(QString::fromLatin1(name));
        QVERIFY(actions.findChildren<QSoundEffect*>().isEmpty());

        const QStringList names = alarmSoundNames();
        QSet<QByteArray> files;
        for (const QString& name : names) {
            actions.playSound(name);
            actions.playSound(name);
            const QByteArray file = readAll(u":/sounds/%1.wav"_s.arg(name));
            files.insert(file);
            // Audible: its 16-bit samples come near full scale somewhere.
            const QByteArray samples = file.mid(file.indexOf("data") + 8);
            int peak = 0;
            for (qsizetype at = 0; at + 1 < samples.size(); at += 2)
                peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(samples.constData() + at))));
            QVERIFY2(peak > 3000, qPrintable(name));
        }
        // Every name has a sound of its own.
        QCOMPARE(files.size(), names.size());
        const QList<QSoundEffect*> effects = actions.findChildren<QSoundEffect*>();
        QSet<QString> played;
        for (QSoundEffect* effect : effects) {
            // Silenced before the event loop could start it: the test makes no noise.
            effect->setMuted(true);
            effect->stop();
            QVERIFY(QFile::exists(u':' + effect->source().path()));
            played.insert(QFileInfo(effect->source().path()).completeBaseName());
        }
        QCOMPARE(effects.size(), names.size()); // a name played twice reuses its effect
        QCOMPARE(played, QSet<QString>(names.begin(), names.end()));
    }
};

QTEST_MAIN(tst_DesktopAlarmActions)
#include "tst_desktopalarmactions.moc"
