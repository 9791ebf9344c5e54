#include "alarmsounds.h"
#include "applauncher.h"
#include "desktopalarmactions.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <csignal>

namespace {

QByteArray desktopEntry(const QString& name, const QString& exec)
{
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n").arg(name, exec).toUtf8();
}

quint16 le16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
quint32 le32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

struct Wav {
    QByteArray fmt;
    QByteArray samples;
};

// Walks the RIFF chunks rather than trusting a fixed 44-byte header; a malformed file reads as empty.
Wav readWav(const QString& name)
{
    const QByteArray file = readAll(QStringLiteral(":/sounds/%1.wav").arg(name));
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE"
        || le32(file, 4) != quint32(file.size() - 8))
        return {};
    Wav wav;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const quint32 size = le32(file, at + 4);
        const QByteArray chunk = file.mid(at + 8, size);
        if (chunk.size() != qsizetype(size))
            return {};
        if (file.mid(at, 4) == "fmt ")
            wav.fmt = chunk;
        else if (file.mid(at, 4) == "data")
            wav.samples = chunk;
        at += 8 + size + (size & 1);
    }
    return wav;
}

} // namespace

class tst_DesktopAlarmActions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void shellCommandIsNotWaitedFor();
    void shellCommandReachesShellUnchanged_data();
    void shellCommandReachesShellUnchanged();
    void desktopEntryIsLaunched_data();
    void desktopEntryIsLaunched();
    void unlaunchablePathIsRefused_data();
    void unlaunchablePathIsRefused();
    void displayName_data();
    void displayName();
    void unknownSoundPlaysNothing();
    void soundNamesUseTheirResources();
    void soundIsShortAudiblePcm_data();
    void soundIsShortAudiblePcm();
    void soundsAreDistinct();
};

void tst_DesktopAlarmActions::shellCommandIsNotWaitedFor()
{
    QTemporaryDir dir;
    DesktopAlarmActions actions({}, {});
    const QString pidFile = dir.filePath(QStringLiteral("sleeper.pid"));
    pid_t sleeper = 0;
    auto stopSleeper = qScopeGuard([&sleeper] {
        if (sleeper > 0)
            ::kill(sleeper, SIGTERM);
    });

    QElapsedTimer clock;
    clock.start();
    actions.runShellCommand(QStringLiteral("echo $$ > '%1'; exec sleep 60").arg(pidFile));
    // Not a speed target: a call that waited would block for the whole minute.
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));

    const QString marker = dir.filePath(QStringLiteral("second"));
    actions.runShellCommand(QStringLiteral("printf second > '%1'").arg(marker));
    QTRY_COMPARE_WITH_TIMEOUT(readAll(marker), QByteArray("second"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(readAll(pidFile).endsWith('\n'), 10000);
    sleeper = readAll(pidFile).trimmed().toInt();
    QVERIFY(sleeper > 0);
    QCOMPARE(::kill(sleeper, 0), 0); // still running although the next command has finished
}

void tst_DesktopAlarmActions::shellCommandReachesShellUnchanged_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("expected");

    // @OUT@ becomes the double-quoted path of "out" in a fresh folder, @DIR@ that folder.
    const QString out = QStringLiteral("out");
    QTest::newRow("sequence") << QStringLiteral("printf a > @OUT@; printf b >> @OUT@") << out
                              << QByteArray("ab");
    QTest::newRow("and/or") << QStringLiteral("false && printf no > @OUT@ || printf yes > @OUT@") << out
                            << QByteArray("yes");
    QTest::newRow("pipe") << QStringLiteral("printf abc | tr a-z A-Z > @OUT@") << out << QByteArray("ABC");
    QTest::newRow("no extra arguments")
        << QStringLiteral("printf '%s|%s' \"$#\" \"$1\" > @OUT@") << out << QByteArray("0|");
    QTest::newRow("backslash") << QStringLiteral("printf '%s' 'a\\tb' > @OUT@") << out << QByteArray("a\\tb");
    QTest::newRow("two lines") << QStringLiteral("printf a > @OUT@\nprintf b >> @OUT@") << out
                               << QByteArray("ab");
    QTest::newRow("spaces and quotes in path")
        << QStringLiteral("printf '%s' \"a b\" > \"@DIR@/dir with space/it's.txt\"")
        << QStringLiteral("dir with space/it's.txt") << QByteArray("a b");
    QTest::newRow("non-ASCII path") << QStringLiteral("printf x > \"@DIR@/Übersicht.txt\"")
                                    << QStringLiteral("Übersicht.txt") << QByteArray("x");
}

void tst_DesktopAlarmActions::shellCommandReachesShellUnchanged()
{
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(QByteArray, expected);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dir with space")));
    command.replace(
        QStringLiteral("@OUT@"), QLatin1Char('"') + dir.filePath(QStringLiteral("out")) + QLatin1Char('"'));
    DesktopAlarmActions({}, {}).runShellCommand(command.replace(QStringLiteral("@DIR@"), dir.path()));
    QTRY_COMPARE_WITH_TIMEOUT(readAll(dir.filePath(file)), expected, 10000);
}

void tst_DesktopAlarmActions::desktopEntryIsLaunched_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("plain") << QStringLiteral("apps") << QStringLiteral("marker.desktop");
    QTest::newRow("spaces") << QStringLiteral("my apps") << QStringLiteral("Mein Programm.desktop");
    QTest::newRow("non-ASCII") << QStringLiteral("Büro Ordner") << QStringLiteral("Wecker ä.desktop");
}

void tst_DesktopAlarmActions::desktopEntryIsLaunched()
{
    QFETCH(QString, folder);
    QFETCH(QString, fileName);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(folder));
    const QString marker = dir.filePath(folder + QStringLiteral("/marker"));
    const QString entry = dir.filePath(folder + QLatin1Char('/') + fileName);
    // Double quotes group the Exec argument; the single quotes are the shell's, for the spaces.
    const QString exec = QStringLiteral("/bin/sh -c \"echo launched > '%1'\"").arg(marker);
    QVERIFY(writeAll(entry, desktopEntry(QStringLiteral("Marker"), exec)));

    DesktopAlarmActions({}, {}).openPath(entry);
    QTRY_COMPARE_WITH_TIMEOUT(readAll(marker), QByteArray("launched\n"), 10000);
    QVERIFY(QFile::remove(marker));
    QVERIFY(AppLauncher::open(entry));
    QTRY_COMPARE_WITH_TIMEOUT(readAll(marker), QByteArray("launched\n"), 10000);
}

void tst_DesktopAlarmActions::unlaunchablePathIsRefused_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // null: the file does not exist

    QTest::newRow("missing entry") << QStringLiteral("nowhere.desktop") << QByteArray();
    QTest::newRow("missing folder") << QStringLiteral("no such folder/x y.desktop") << QByteArray();
    QTest::newRow("not a key file") << QStringLiteral("garbage.desktop") << QByteArray("just some text");
    QTest::newRow("not an application")
        << QStringLiteral("folder.desktop") << QByteArray("[Desktop Entry]\nType=Directory\nName=Ordner\n");
}

void tst_DesktopAlarmActions::unlaunchablePathIsRefused()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);

    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QVERIFY(content.isNull() || writeAll(path, content));
    QVERIFY(!AppLauncher::open(path));
    DesktopAlarmActions({}, {}).openPath(path);
}

void tst_DesktopAlarmActions::displayName_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // null: the file does not exist
    QTest::addColumn<QString>("expected");

    const QString mine = QStringLiteral("Mein Wecker");
    QTest::newRow("Name") << QStringLiteral("w.desktop") << desktopEntry(mine, QStringLiteral("true"))
                          << mine;
    QTest::newRow("program uninstalled")
        << QStringLiteral("alt.desktop")
        << desktopEntry(mine, QStringLiteral("true\nTryExec=/nonexistent/gone")) << mine;
    const QByteArray link("[Desktop Entry]\nType=Link\nName=Webseite\nURL=https://example.org\n");
    QTest::newRow("link entry") << QStringLiteral("web.desktop") << link << QStringLiteral("Webseite");
    QTest::newRow("no Name") << QStringLiteral("Ohne Namen.desktop")
                             << QByteArray("[Desktop Entry]\nType=Application\nExec=true\n")
                             << QStringLiteral("Ohne Namen");
    QTest::newRow("missing entry") << QStringLiteral("mit Leerzeichen/Uhr Programm.desktop") << QByteArray()
                                   << QStringLiteral("Uhr Programm");
    QTest::newRow("app bundle") << QStringLiteral("Rechner.app") << QByteArray() << QStringLiteral("Rechner");
    QTest::newRow("other file") << QStringLiteral("notes.txt") << QByteArray("x")
                                << QStringLiteral("notes.txt");
}

void tst_DesktopAlarmActions::displayName()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QVERIFY(content.isNull() || writeAll(path, content));
    QCOMPARE(AppLauncher::displayName(path), expected);
}

void tst_DesktopAlarmActions::unknownSoundPlaysNothing()
{
    DesktopAlarmActions actions({}, {});
    for (const char* name : { "", "basso", " Basso", "Basso.wav", "../sounds/Basso", "Beep" })
        actions.playSound(QString::fromLatin1(name));
    QVERIFY(actions.findChildren<QSoundEffect*>().isEmpty());
}

void tst_DesktopAlarmActions::soundNamesUseTheirResources()
{
    DesktopAlarmActions actions({}, {});
    const QStringList names = alarmSoundNames();
    for (const QString& name : names) {
        actions.playSound(name);
        actions.playSound(name);
    }
    const QList<QSoundEffect*> effects = actions.findChildren<QSoundEffect*>();
    QSet<QString> played;
    for (QSoundEffect* effect : effects) {
        // Silenced before the event loop could start it: the test makes no noise.
        effect->setMuted(true);
        effect->stop();
        QCOMPARE(effect->source().scheme(), QStringLiteral("qrc"));
        QVERIFY(QFile::exists(QLatin1Char(':') + effect->source().path()));
        played.insert(QFileInfo(effect->source().path()).completeBaseName());
    }
    QCOMPARE(effects.size(), names.size()); // a name played twice reuses its effect
    QCOMPARE(played, QSet<QString>(names.begin(), names.end()));
}

void tst_DesktopAlarmActions::soundIsShortAudiblePcm_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = alarmSoundNames();
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void tst_DesktopAlarmActions::soundIsShortAudiblePcm()
{
    QFETCH(QString, name);
    const Wav wav = readWav(name);
    QVERIFY(wav.fmt.size() >= 16);
    const quint16 channels = le16(wav.fmt, 2);
    const quint32 rate = le32(wav.fmt, 4);
    QCOMPARE(le16(wav.fmt, 0), quint16(1)); // integer PCM, which every backend plays
    QVERIFY(channels == 1 || channels == 2);
    QVERIFY(rate >= 8000 && rate <= 96000);
    QCOMPARE(le16(wav.fmt, 14), quint16(16));
    QCOMPARE(le16(wav.fmt, 12), quint16(channels * 2));
    QCOMPARE(le32(wav.fmt, 8), rate * channels * 2);
    QVERIFY(!wav.samples.isEmpty() && wav.samples.size() % (channels * 2) == 0);
    QVERIFY2(wav.samples.size() <= qsizetype(rate * channels * 2), "longer than a second");
    int peak = 0;
    for (qsizetype at = 0; at < wav.samples.size(); at += 2)
        peak = std::max(peak, std::abs(int(qint16(le16(wav.samples, at)))));
    QVERIFY2(peak > 3000, qPrintable(QString::number(peak))); // about -20 dBFS: audible
}

void tst_DesktopAlarmActions::soundsAreDistinct()
{
    const QStringList names = alarmSoundNames();
    QCOMPARE(names.size(), 14);
    QSet<QByteArray> samples;
    for (const QString& name : names)
        samples.insert(readWav(name).samples);
    QCOMPARE(samples.size(), names.size());
}

QTEST_MAIN(tst_DesktopAlarmActions)
#include "tst_desktopalarmactions.moc"
