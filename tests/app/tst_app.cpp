#include "notejson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Runs the real binary in a private home, the way a user or a script starts it.
class tst_App : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void informationalOptions_data();
    void informationalOptions();
    void damagedDataFolder_data();
    void damagedDataFolder();
    void selfTestLoadsThePanel();
    void secondStartHandsOverAndExits();

private:
    QProcessEnvironment environment() const;
    struct Outcome {
        int exitCode;
        QString out;
        QString err;
    };
    Outcome runOnce(const QStringList& args);
    [[nodiscard]] QByteArray dataFile() const;

    std::unique_ptr<QTemporaryDir> m_home;
    QProcess m_running;
};

void tst_App::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QDir(m_home->path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(m_home->filePath(QStringLiteral("run")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
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
    env.insert(QStringLiteral("HOME"), m_home->path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home->filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home->filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home->filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

tst_App::Outcome tst_App::runOnce(const QStringList& args)
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(QStringLiteral(ZETTELWERK_BINARY), args);
    if (!process.waitForFinished(30000))
        return { -1, {}, QStringLiteral("did not finish") };
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

QByteArray tst_App::dataFile() const
{
    QFile file(m_home->filePath(QStringLiteral("data/Zettelwerk/notes.json")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_App::informationalOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::newRow("version") << QStringList { QStringLiteral("--version") } << 0
                             << QStringLiteral("Zettelwerk 1.2\n");
    QTest::newRow("help") << QStringList { QStringLiteral("--help") } << 0
                          << QStringLiteral("zettelwerk add TEXT");
    QTest::newRow("help text") << QStringList { QStringLiteral("hilfe") } << 0
                               << QStringLiteral("\n\n▸ Wünsche & Verbesserungen\n");
    QTest::newRow("empty list") << QStringList { QStringLiteral("list"), QStringLiteral("--json") } << 0
                                << QStringLiteral("[]\n");
    QTest::newRow("bad command") << QStringList { QStringLiteral("frobnicate") } << 1
                                 << QStringLiteral("Unbekannter Befehl: frobnicate");
}

void tst_App::informationalOptions()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    const Outcome outcome = runOnce(args);
    QCOMPARE(outcome.exitCode, exitCode);
    QVERIFY2(
        (exitCode == 0 ? outcome.out : outcome.err).contains(output), qPrintable(outcome.out + outcome.err));
    QVERIFY2(!QFile::exists(m_home->filePath(QStringLiteral("data/Zettelwerk/notes.json"))),
        "reading commands never create the data file");
}

void tst_App::damagedDataFolder_data()
{
    QTest::addColumn<bool>("fileIsFolder");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("list of a damaged file")
        << false << QStringList { QStringLiteral("list"), QStringLiteral("--json") } << 0
        << QStringLiteral("[]\n") << QStringLiteral("Failed to load notes: ");
    QTest::newRow("add that cannot be saved")
        << true << QStringList { QStringLiteral("add"), QStringLiteral("Tee") } << 1 << QString()
        << QStringLiteral("Die Daten konnten nicht gespeichert werden: ");
}

void tst_App::damagedDataFolder()
{
    QFETCH(bool, fileIsFolder);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const QString path = m_home->filePath(QStringLiteral("data/Zettelwerk/notes.json"));
    QVERIFY(fileIsFolder ? QDir().mkpath(path) : QDir().mkpath(QFileInfo(path).path()));
    if (!fileIsFolder) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[{") == 2);
    }
    const Outcome outcome = runOnce(args);
    QCOMPARE(outcome.exitCode, exitCode);
    // Machine-readable output stays clean; every diagnostic goes to stderr.
    QCOMPARE(outcome.out, out);
    QVERIFY2(outcome.err.contains(err), qPrintable(outcome.err));
}

void tst_App::selfTestLoadsThePanel()
{
    const Outcome outcome = runOnce({ QStringLiteral("--self-test") });
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.out, QStringLiteral("Selbsttest bestanden\n"));
}

void tst_App::secondStartHandsOverAndExits()
{
    m_running.setProcessEnvironment(environment());
    m_running.start(QStringLiteral(ZETTELWERK_BINARY), {});
    QVERIFY(m_running.waitForStarted());

    // Only once the first instance listens: a second start before that would rightly become the app itself.
    const QDir runtime(m_home->filePath(QStringLiteral("run")));
    QTRY_VERIFY_WITH_TIMEOUT(!runtime.entryList({ QStringLiteral("*.sock") }, QDir::System).isEmpty(), 30000);
    const Outcome second = runOnce({});
    QVERIFY2(second.out.contains(QStringLiteral("läuft bereits")), qPrintable(second.out + second.err));
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(second.out.count(u'\n'), 1);
    QCOMPARE(m_running.state(), QProcess::Running);

    // Changes go through the running instance, which saves them itself.
    const Outcome added = runOnce({ QStringLiteral("add"), QStringLiteral("Tee"), QStringLiteral("--at"),
        QStringLiteral("2030-01-01 08:00") });
    QCOMPARE(added.exitCode, 0);
    const auto saved = NoteJson::decode(dataFile());
    QVERIFY(saved && saved->size() == 1);
    QCOMPARE(added.out.trimmed(), saved->constFirst().id.toString(QUuid::WithoutBraces).toUpper());

    const QString backupPath = m_home->filePath(QStringLiteral("backup.json"));
    QCOMPARE(runOnce({ QStringLiteral("backup"), backupPath }).exitCode, 0);
    QCOMPARE(runOnce({ QStringLiteral("add"), QStringLiteral("weg") }).exitCode, 0);
    QCOMPARE(NoteJson::decode(dataFile())->size(), 2);
    const Outcome restored = runOnce({ QStringLiteral("restore"), backupPath });
    QCOMPARE(restored.out, QStringLiteral("1 Einträge wiederhergestellt\n"));
    QCOMPARE(NoteJson::decode(dataFile())->size(), 1);

    // The running app answers a change it could not save with the failure.
    const QString path = m_home->filePath(QStringLiteral("data/Zettelwerk/notes.json"));
    QVERIFY(QFile::remove(path) && QDir().mkpath(path));
    const Outcome unsaved = runOnce({ QStringLiteral("add"), QStringLiteral("verloren") });
    QCOMPARE(unsaved.exitCode, 1);
    QVERIFY2(unsaved.err.startsWith(QStringLiteral("Die Daten konnten nicht gespeichert werden: ")),
        qPrintable(unsaved.err));
    QCOMPARE(m_running.state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(tst_App)
#include "tst_app.moc"
