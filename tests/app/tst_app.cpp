#include "notejson.h"
#include "privatehome.h"
#include "testsupport.h"

class tst_App : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        m_env = privateHome(*m_home, u"offscreen"_s);
    }

    void cleanup()
    {
        m_running.kill();
        m_running.waitForFinished();
    }

    void commandLine_data()
    {
        // content: the data file's, none when empty; output: in stdout; on failure the start of stderr
        columns<QByteArray, QStringList, int, QString>("content", "args", "exitCode", "output");
        const auto row = [](const char* name, const QByteArray& content, const char* args, int exitCode,
                             const char* output) {
            QTest::newRow(name) << content << strings(args) << exitCode << QString::fromUtf8(output);
        };
        row("version", {}, "--version", 0, "Zettelwerk 1.2\n");
        row("empty list", {}, "list|--json", 0, "[]\n");
        row("self-test loads the panel", {}, "--self-test", 0, "Selbsttest bestanden\n");
        row("bad command", {}, "frobnicate", 2, "Unbekannter Befehl: frobnicate");
        row("list of a damaged file", "[{", "list|--json", 1, "Die Datendatei ");
        row("list of a record", NoteJson::encodeCompact({ plain(u"Tee"_s, berlin(2026, 1, 1)) }),
            "list|--json", 0, "\"text\":\"Tee\"");
    }

    void commandLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        const QString path = dataFile();
        QVERIFY(content.isEmpty() || (QDir().mkpath(QFileInfo(path).path()) && writeAll(path, content)));
        const auto entries
            = [&path] { return QFileInfo(path).dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot); };
        const QStringList before = entries();

        const Outcome outcome = run(args);
        QCOMPARE(outcome.exitCode, exitCode);
        // A failure is one German line on stderr, no Qt warning.
        QVERIFY2(exitCode == 0 ? outcome.out.contains(output)
                               : outcome.out.isEmpty() && outcome.err.startsWith(output)
                    && outcome.err.count(u'\n') == 1 && !outcome.err.contains(u"Failed"_s),
            qPrintable(outcome.out + outcome.err));
        QCOMPARE(entries(), before);
        QCOMPARE(readAll(path), content);
        QVERIFY(!QFile::exists(m_home->filePath(u"--help"_s)));
    }

    void secondStartHandsOverAndExits()
    {
        m_running.setProcessEnvironment(m_env);
        m_running.start(QStringLiteral(ZETTELWERK_BINARY), {});
        QVERIFY(m_running.waitForStarted());

        // A second start before the first one listens would rightly become the app itself.
        QTRY_VERIFY_WITH_TIMEOUT(listening(*m_home), 30000);
        QCOMPARE(run({}).all(), u"0|Zettelwerk läuft bereits – das Panel wurde geöffnet.\n|"_s);
        QCOMPARE(m_running.state(), QProcess::Running);

        const QString id = run({ u"add"_s, u"Tee"_s, u"--at"_s, u"2030-01-01 08:00"_s }).out.left(6);
        // Files are read by the command, never by the app: its stdin (a pipe) is refused at once.
        QCOMPARE(run({ u"restore"_s, u"/dev/stdin"_s }).all(),
            u"1||/dev/stdin ist keine gewöhnliche Datei (sondern ein Gerät, eine Pipe oder ein Socket)\n"_s);
        QCOMPARE(run({ u"add"_s, u"  "_s }).all(), u"1||Der Text ist leer: eine Notiz braucht Text\n"_s);

        // edit stands for done, snooze and delete, which take the same way.
        QCOMPARE(run({ u"edit"_s, id, u"--text"_s, u"Kaffee"_s }).out, u"Geändert: Kaffee\n"_s);
        // `add -`: the text as piped in, without the last line feed.
        QCOMPARE(run({ u"add"_s, u"-"_s, u"--at"_s, u"2030-01-02 08:00"_s }, "--Milch\nBrot\n").exitCode, 0);
        // The add's save did not undo the edit.
        const ReminderNotes saved = NoteJson::decode(readAll(dataFile())).value_or(ReminderNotes());
        QCOMPARE(textsOf(saved), (QStringList { u"--Milch\nBrot"_s, u"Kaffee"_s }));
        QVERIFY(saved.constFirst().hasAlarm);
        QCOMPARE(m_running.state(), QProcess::Running);
    }

private:
    Outcome run(const QStringList& args, const QByteArray& input = {})
    {
        return runBinary(m_env, args, input);
    }

    [[nodiscard]] QString dataFile() const { return m_home->filePath(u"data/Zettelwerk/notes.json"_s); }

    std::unique_ptr<QTemporaryDir> m_home;
    QProcessEnvironment m_env;
    QProcess m_running;
};

QTEST_GUILESS_MAIN(tst_App)
#include "tst_app.moc"
