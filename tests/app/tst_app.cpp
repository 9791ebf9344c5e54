#include "notejson.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

// Runs the real binary in a private home, the way a user or a script starts it.
class tst_App : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commandLine_data();
    void commandLine();
    void addReadsStandardInput();
    void secondStartHandsOverAndExits();

private:
    QProcessEnvironment environment() const;
    struct Outcome {
        int exitCode;
        QString out;
        QString err;
    };
    Outcome run(const QStringList& args, const QByteArray& input = {});
    [[nodiscard]] QString dataFile() const { return m_home->filePath(u"data/Zettelwerk/notes.json"_s); }

    std::unique_ptr<QTemporaryDir> m_home;
    QProcess m_running;
};

void tst_App::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QDir(m_home->path()).mkpath(u"run"_s);
    QFile::setPermissions(
        m_home->filePath(u"run"_s), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void tst_App::cleanup()
{
    if (m_running.state() != QProcess::NotRunning) {
        m_running.kill();
        m_running.waitForFinished();
    }
}

QProcessEnvironment tst_App::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HOME"_s, m_home->path());
    env.insert(u"XDG_DATA_HOME"_s, m_home->filePath(u"data"_s));
    env.insert(u"XDG_CONFIG_HOME"_s, m_home->filePath(u"config"_s));
    env.insert(u"XDG_RUNTIME_DIR"_s, m_home->filePath(u"run"_s));
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return env;
}

tst_App::Outcome tst_App::run(const QStringList& args, const QByteArray& input)
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(QStringLiteral(ZETTELWERK_BINARY), args);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000))
        return { -1, {}, u"did not finish"_s };
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

void tst_App::commandLine_data()
{
    QTest::addColumn<QString>("dataFile"); // none, damaged or a folder
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // in stdout; on failure the start of stderr
    QTest::newRow("version") << u"none"_s << QStringList { u"--version"_s } << 0 << u"Zettelwerk 1.2\n"_s;
    QTest::newRow("help") << u"none"_s << QStringList { u"--help"_s } << 0 << u"zettelwerk add TEXT"_s;
    QTest::newRow("empty list") << u"none"_s << QStringList { u"list"_s, u"--json"_s } << 0 << u"[]\n"_s;
    QTest::newRow("self-test loads the panel")
        << u"none"_s << QStringList { u"--self-test"_s } << 0 << u"Selbsttest bestanden\n"_s;
    QTest::newRow("bad command") << u"none"_s << QStringList { u"frobnicate"_s } << 2
                                 << u"Unbekannter Befehl: frobnicate"_s;
    QTest::newRow("list of a damaged file")
        << u"damaged"_s << QStringList { u"list"_s, u"--json"_s } << 1 << u"Die Datendatei "_s;
    QTest::newRow("add that cannot be saved") << u"folder"_s << QStringList { u"add"_s, u"Tee"_s } << 1
                                              << u"Die Daten konnten nicht gespeichert werden: "_s;
}

// `add -`: the text as piped in, a leading "--" and all, without the last line feed.
void tst_App::addReadsStandardInput()
{
    QCOMPARE(run({ u"add"_s, u"-"_s, u"--at"_s, u"2026-12-09 10:00"_s }, "--Einkaufen\nMilch\n").exitCode, 0);
    const Outcome listed = run({ u"list"_s, u"--json"_s });
    const auto notes = NoteJson::decode(listed.out.toUtf8());
    QVERIFY2(notes && notes->size() == 1, qPrintable(listed.out + listed.err));
    QCOMPARE(notes->constFirst().text, u"--Einkaufen\nMilch"_s);
    QVERIFY(notes->constFirst().hasAlarm);
}

void tst_App::commandLine()
{
    QFETCH(QString, dataFile);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    const QString path = this->dataFile();
    if (dataFile != u"none")
        QVERIFY(QDir().mkpath(dataFile == u"folder" ? path : QFileInfo(path).path()));
    QVERIFY(dataFile != u"damaged" || writeAll(path, "[{"));
    const auto entries
        = [&path] { return QFileInfo(path).dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot); };
    const QStringList before = entries();

    const Outcome outcome = run(args);
    QCOMPARE(outcome.exitCode, exitCode);
    // Machine-readable output stays clean; a failure is one German line on stderr, no Qt warning.
    QVERIFY2(exitCode == 0 ? outcome.out.contains(output)
                           : outcome.out.isEmpty() && outcome.err.startsWith(output)
                && outcome.err.count(u'\n') == 1 && !outcome.err.contains(u"Failed"_s),
        qPrintable(outcome.out + outcome.err));
    // Nothing here creates, moves or replaces the data file.
    QCOMPARE(entries(), before);
    QCOMPARE(QFileInfo(path).isDir(), dataFile == u"folder");
    if (dataFile == u"damaged")
        QCOMPARE(readAll(path), QByteArray("[{"));
    QVERIFY(!QFile::exists(m_home->filePath(u"--help"_s)));
}

void tst_App::secondStartHandsOverAndExits()
{
    m_running.setProcessEnvironment(environment());
    m_running.start(QStringLiteral(ZETTELWERK_BINARY), {});
    QVERIFY(m_running.waitForStarted());

    // Only once the first instance listens: a second start before that would rightly become the app itself.
    const QDir runtime(m_home->filePath(u"run"_s));
    QTRY_VERIFY_WITH_TIMEOUT(!runtime.entryList({ u"*.sock"_s }, QDir::System).isEmpty(), 30000);
    const Outcome second = run({});
    QVERIFY2(second.out.contains(u"läuft bereits"_s), qPrintable(second.out + second.err));
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(second.out.count(u'\n'), 1);
    QCOMPARE(m_running.state(), QProcess::Running);

    // Changes go through the running instance, which saves them itself.
    const Outcome added = run({ u"add"_s, u"Tee"_s, u"--at"_s, u"2030-01-01 08:00"_s });
    QCOMPARE(added.exitCode, 0);
    const auto saved = NoteJson::decode(readAll(dataFile()));
    QVERIFY(saved && saved->size() == 1);
    QCOMPARE(added.out.trimmed(), saved->constFirst().id.toString(QUuid::WithoutBraces).toUpper());

    // Files are read by the command, never by the app: a pipe or the command's own stdin (a pipe
    // here) is refused at once, and a backup's contents travel with the request.
    const QString fifo = m_home->filePath(u"pipe"_s);
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : { fifo, u"/dev/stdin"_s }) {
        const Outcome refused = run({ u"restore"_s, path });
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(u"keine gewöhnliche Datei"_s), qPrintable(refused.err));
        QVERIFY(refused.out.isEmpty());
    }
    const QString backup = m_home->filePath(u"backup.json"_s);
    QVERIFY(writeAll(backup, NoteJson::encodePretty(*saved)));
    const Outcome restored = run({ u"restore"_s, backup });
    QVERIFY2(restored.out.startsWith(u"1 Einträge wiederhergestellt\nDie bisherigen Daten liegen in "_s),
        qPrintable(restored.out));
    // A refusal and its exit status come back; what the app then does is tst_cli's.
    const Outcome blank = run({ u"add"_s, u"  "_s });
    QCOMPARE(blank.exitCode, 1);
    QVERIFY2(blank.err.startsWith(u"Der Text ist leer"_s), qPrintable(blank.err));

    // By id, the app's answers and the file it saves; the text from this command's stdin.
    const QString id = added.out.left(6);
    QCOMPARE(run({ u"edit"_s, id, u"--text"_s, u"Kaffee"_s }).out, u"Geändert: Kaffee\n"_s);
    QCOMPARE(run({ u"snooze"_s, id, u"morgen"_s }).exitCode, 0);
    QCOMPARE(run({ u"done"_s, id }).out, u"Erledigt: Kaffee\n"_s);
    const auto changed = NoteJson::decode(readAll(dataFile()));
    QVERIFY(changed && changed->size() == 1 && changed->constFirst().isTriggered
        && !changed->constFirst().snoozeDate);
    QCOMPARE(changed->constFirst().text, u"Kaffee"_s);
    QCOMPARE(run({ u"add"_s, u"-"_s }, "Milch\n").exitCode, 0);
    const Outcome wrong = run({ u"delete"_s, id, u"ZZZZ"_s });
    QCOMPARE(wrong.exitCode, 1);
    QCOMPARE(wrong.err, u"Kein Eintrag mit der ID ZZZZ\n"_s);
    QCOMPARE(run({ u"delete"_s, id }).out, u"1 Eintrag gelöscht\n"_s);
    const auto left = NoteJson::decode(readAll(dataFile()));
    QVERIFY(left && left->size() == 1);
    QCOMPARE(left->constFirst().text, u"Milch"_s);
    QCOMPARE(m_running.state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(tst_App)
#include "tst_app.moc"
