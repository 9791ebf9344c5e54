#include "cli.h"
#include "clistream.h"
#include "helpcontent.h"
#include "jsonviews.h"
#include "notejson.h"
#include "notestore.h"
#include "testsupport.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/stat.h>

class tst_Cli : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_store.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<NoteStore>(m_dir->filePath(u"data"_qs));
    }

    void refusedInput_data()
    {
        columns<QStringList, int, QString>("args", "exitCode", "reason");

        // 2: the command is typed wrongly; 1: it is well-formed but cannot be carried out.
        const auto row = [](const char* name, const char* args, int exitCode, const char* reason) {
            QTest::newRow(name) << strings(args) << exitCode << QString::fromUtf8(reason);
        };
        row("unknown command", "lsit", 2, "Unbekannter Befehl: lsit");
        row("list with extra", "list|--all", 2, "list kennt nur die Option --json");
        row("add without text", "add", 2, "add erwartet genau einen Text");
        row("add of blank text", "add| \n\t ", 1, "Der Text ist leer");
        row("add of an option", "add|-x", 2, "Unbekannte Option: -x (Text oder Dateinamen");
        row("unknown option", "add|a|--when|x", 2, "Unbekannte Option: --when");
        row("option without value", "add|a|--at", 2, "Option --at braucht einen Wert");
        row("signed year", "add|a|--at|+026-05-01 10:00", 1, "Ungültige Zeit");
        row("until skipped by summer time", "add|a|--at|2026-03-28 10:00|--until|2026-03-29 02:00", 1,
            "Die Uhrzeit 02:00 gibt es am 29.03.2026 nicht");
        // Local time in year 1 is UTC in year 0, which the file cannot hold.
        row("before year 1 in UTC", "add|Uralt|--at|0001-01-01 00:30", 1,
            "Das Datum liegt außerhalb des speicherbaren Bereichs");
        row("Wochentlich", "add|a|--at|2026-05-01 10:00|--repeat|Wochentlich", 1, "Unbekannte Wiederholung");
        row("repeat on a plain note", "add|a|--repeat|Täglich", 2,
            "Wiederholung, Ende und Alarm-Aktionen gelten nur für Termine");
        row("shell on a plain note", "add|a|--shell|ls", 2, "Wiederholung, Ende und Alarm-Aktionen");
        row("end, plain note", "add|a|--until|2026-05-01 10:00", 2, "Wiederholung, Ende und Alarm-Aktionen");
        row("no popup on a plain note", "add|a|--no-popup", 2, "Wiederholung, Ende und Alarm-Aktionen");
        row("sound on a plain note", "add|a|--sound|Ping", 2, "Wiederholung, Ende und Alarm-Aktionen");
        row("unknown sound", "add|a|--at|2026-05-01 10:00|--sound|Gong", 1, "Unbekannter Ton: Gong");
        row("no app", "add|a|--at|2026-05-01 10:00|--app|/nowhere/x.desktop", 1, "Programm nicht gefunden");
        row("end before start", "add|a|--at|2026-05-01 10:00|--until|2026-05-01 09:59", 1,
            "Das Ende (--until) liegt vor dem Beginn");
        row("view with a bad moment", "agenda|--now|morgen", 1, "Ungültige Zeit: morgen");
        row("agenda with a bad day", "agenda|--day|2026-02-30", 1, "Ungültiges Datum: 2026-02-30");
        row("bad month", "kalender|--month|2026-13", 1, "Ungültiges Datum: 2026-13 (erwartet JJJJ-MM)");
        row("notizen takes no day", "notizen|--day|2026-01-01", 2, "Unbekannte Option: --day");
        row("backup of nothing", "backup|/tmp/x.json", 1, "Keine Einträge zum Sichern");
        // Options are never file names; what a named file turns out to be is the inputFiles table's.
        row("restore from -", "restore|-", 2, "Unbekannte Option: -");
        row("export-ics --all only", "export-ics|--all", 2, "export-ics erwartet einen Dateinamen");
        row("ics-parse -v", "ics-parse|-v", 2, "Unbekannte Option: -v");
        row("restore without file", "restore", 2, "restore erwartet einen Dateinamen");
        row("export-ics of nothing", "export-ics|/tmp/x.ics", 1, "Keine Termine zum Exportieren");
        row("sync-folder of a file", "sync-folder|/etc/passwd", 1, "/etc/passwd ist kein Ordner");
        row("sync-folder of nothing", "sync-folder|", 2, "sync-folder erwartet einen Ordner");
        row("--aus with a folder", "sync-folder|--aus|/tmp", 2, "sync-folder --aus erwartet keinen Ordner");
        row("sync-folder --notizen ja", "sync-folder|--notizen|ja", 2, "--notizen erwartet an oder aus");
        row("sync-folder --aus and --notizen", "sync-folder|--aus|--notizen|an", 2,
            "sync-folder --aus schaltet alles aus: kein --notizen dazu");
        row("sync with an argument", "sync|jetzt", 2, "sync erwartet keine Argumente");
        row("sync with another option", "sync|--alle", 2, "Unbekannte Option: --alle");
        row("sync-conflicts 1A2B", "sync-conflicts|1A2B", 2, "sync-conflicts kennt nur die Option");
        row("undo-conflict without an id", "undo-conflict", 2, "undo-conflict erwartet eine ID");
        row("undo-conflict with nothing kept", "undo-conflict|1A2B", 1, "Kein Eintrag mit der ID 1A2B");
        row("hilfe with an argument", "hilfe|kalender", 2, "hilfe kennt keine Argumente");
        row("import without file", "import", 2, "import erwartet eine .ics-Datei oder --calendar");
        row("import of a device", "import|/dev/null", 1, "/dev/null ist keine gewöhnliche Datei");
        row("range for a file", "import|a.ics|--from|2026-12-01", 2, "--from und --to gelten nur");
        row("unknown calendar", "import|--calendar|/nowhere", 1, "Kein Kalender: /nowhere");
        row("range backwards", "calendars|--from|2026-12-02|--to|2026-12-01", 1,
            "Das Ende (--to) liegt vor dem Beginn (--from)");
        row("bad range day", "calendars|--to|2026-02-30", 1, "Ungültiges Datum: 2026-02-30");
        row("undo of an unknown import", "undo-import|X", 1, "Kein Import mit der ID X");
        row("quick add with --at", "add|--schnell|Tee morgen|--at|2026-05-01 10:00", 2,
            "--schnell liest die Zeit aus dem Text");
        row("quick add, time only", "add|--schnell|morgen 9 Uhr", 1, "Außer der Zeit steht nichts im Text");
        row("quick add, no time, a sound", "add|--schnell|Tee|--sound|Ping", 1, "Keine Zeit erkannt");
        row("snooze without a span", "snooze|1A2B", 2, "snooze erwartet eine ID und eine Dauer");
        row("snooze of an unknown id", "snooze|1A2B|5m", 1, "Kein Eintrag mit der ID 1A2B");
    }

    void refusedInput()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, reason);

        QVERIFY2(refused(run(args), exitCode, reason), qPrintable(m_said));
        QVERIFY(m_store->notes().isEmpty());
        QVERIFY(!QFile::exists(m_store->filePath()));
        for (const QString& arg : args)
            QVERIFY2(!arg.startsWith(u'-') || !QFile::exists(arg), "an option was taken for a file");
    }

    void add_data()
    {
        // APP stands for a .desktop file that exists; hint: on stderr
        columns<QStringList, QString, QString>("args", "saved", "hint");

        const auto row = [](const char* name, const QStringList& args, const QString& saved,
                             const QString& hint = {}) { QTest::newRow(name) << args << saved << hint; };
        row("two lines", strings("add|Einkaufen\nMilch"), u"Einkaufen\nMilch"_qs);
        row("option name after --", strings("add|--|--at"), u"--at"_qs);
        row("--help after --", strings("add|--|--help"), u"--help"_qs);
        row("U+FEFF first", { u"add"_qs, u"\uFEFFText"_qs }, u"\uFEFFText"_qs);
        // Armed at once. 03:30 on the day summer time starts is 01:30 UTC.
        row("appointment", strings("add|Zahnarzt|--at|2026-03-29 03:30|--repeat|Wöchentlich"),
            u"Zahnarzt 2026-03-29 03:30 Wöchentlich popup"_qs);
        const QString shell = u"echo \"a  b\" > '/tmp/x y'; ls $HOME"_qs;
        row("appointment with actions",
            strings(
                "add|Tee|--at|2026-05-01 10:00|--until|2026-05-03 12:30|--no-popup|--sound|Submarine|--app|"
                "APP|--shell")
                << shell,
            u"Tee 2026-05-01 10:00 Keine bis 2026-05-03 12:30 Ton Submarine App APP Shell "_qs + shell);
        row("quick add of no time", strings("add|--schnell|Einkaufen gehen"), u"Einkaufen gehen"_qs,
            u"Hinweis: keine Zeit erkannt – als Notiz angelegt\n"_qs);
        // What is understood sets the appointment and leaves the title.
        row("quick add", strings("add|--schnell|Tee am 1.3.2099 10:15 täglich|--no-popup"),
            u"Tee 2099-03-01 10:15 Täglich"_qs, u"Erkannt: So., 1. März 2099, 10:15 · Täglich\n"_qs);
    }

    void add()
    {
        QFETCH(QStringList, args);
        const QString app = m_dir->filePath(u"My App.desktop"_qs);
        QVERIFY(writeAll(app, {}));
        const Cli::Result result = run(args.replaceInStrings(u"APP"_qs, app));
        QCOMPARE(result.exitCode, 0);
        QTEST(result.err, "hint");
        QCOMPARE(m_store->notes().size(), 1);
        const ReminderNote& note = m_store->notes().constFirst();
        QCOMPARE(result.out, note.id.toString(QUuid::WithoutBraces).toUpper() + u'\n');
        QTEST(describe(note).replace(app, u"APP"_qs), "saved");
        QCOMPARE(fileContent(), NoteJson::encodeCompact(m_store->notes()));
    }

    // With a snooze: list shows it, and snooze answers with the same time.
    void listShowsEveryRecord()
    {
        m_store = std::make_unique<NoteStore>(
            m_dir->filePath(u"data"_qs), [] { return berlin(2026, 12, 7, 10); });
        QCOMPARE(run({ u"list"_qs }).out, u"Keine Einträge\n"_qs);
        QCOMPARE(run(strings("list|--json")).out, u"[]\n"_qs);

        QVERIFY(run(strings("add|Notiz")).exitCode == 0);
        const QString id = run(strings("add|Termin/1|--at|2026-12-24 18:00|--repeat|Jährlich")).out.left(8);
        QCOMPARE(
            run({ u"snooze"_qs, id.toLower(), u"1h"_qs }).out, u"Erinnert wieder am 2026-12-07 11:00\n"_qs);
        const QString note = m_store->notes().constLast().id.toString(QUuid::WithoutBraces).left(8).toUpper();
        QCOMPARE(run({ u"list"_qs }).out,
            id + u"\tTermin\t2026-12-24 18:00\tTermin/1\t(Jährlich, später: 2026-12-07 11:00)\n"_qs + note
                + u"\tNotiz\t2026-12-07 10:00\tNotiz\n"_qs);
        QCOMPARE(run(strings("list|--json")).out.toUtf8(), fileContent() + '\n');
    }

    void backupAndRestore()
    {
        QVERIFY(run(strings("add|eins")).exitCode == 0);
        QVERIFY(run(strings("add|zwei")).exitCode == 0);
        const QByteArray before = fileContent();
        const QString backupPath = m_dir->filePath(u"backup.json"_qs);

        Cli::Result result = run({ u"backup"_qs, backupPath });
        QCOMPARE(result.out, u"2 Einträge als JSON gespeichert\n"_qs);
        QVERIFY(readAll(backupPath).startsWith("[\n  {\n    \"alarmDate\" : "));

        QVERIFY(run(strings("add|drei")).exitCode == 0);
        const QByteArray replaced = fileContent();
        result = run({ u"restore"_qs, backupPath });
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(fileContent(), before);
        const QString kept = result.out.section(u"Die bisherigen Daten liegen in "_qs, 1).trimmed();
        QVERIFY2(result.out.startsWith(u"2 Einträge wiederhergestellt\n"_qs) && !kept.isEmpty(),
            qPrintable(result.out));
        QVERIFY(kept.contains(u"notes.json.before-restore-"_qs));
        QCOMPARE(readAll(kept), replaced);
        // Two restores within a second: the second keeps its own copy beside the first.
        m_store = std::make_unique<NoteStore>(
            m_dir->filePath(u"data"_qs), [] { return berlin(2026, 12, 7, 10); });
        QVERIFY(run({ u"restore"_qs, backupPath }).out.endsWith(u"before-restore-20261207-100000\n"_qs));
        QVERIFY(run({ u"restore"_qs, backupPath }).out.endsWith(u"before-restore-20261207-100000-2\n"_qs));
    }

    void inputFiles_data()
    {
        columns<QString, QString, QByteArray, int, QString>(
            "command", "kind", "content", "exitCode", "answer");

        const auto row = [](const char* name, const char* command, const char* kind, QByteArray content,
                             int exitCode, const char* answer) {
            QTest::newRow(name) << QString::fromUtf8(command) << QString::fromUtf8(kind) << content
                                << exitCode << QString::fromUtf8(answer);
        };
        const QByteArray backup = NoteJson::encodePretty({ plain(u"neu"_qs, berlin(2025, 1, 1)) });
        row("restore: a backup", "restore", "file", backup, 0, "1 Einträge wiederhergestellt\n");
        row("restore: missing file", "restore", "missing", {}, 1, "Datei nicht gefunden: %1\n");
        row("restore: not JSON", "restore", "file", "hello", 1, "%1 ist kein Zettelwerk-Backup");
        row("restore: no records", "restore", "file", "[]", 1, "Die Datei enthält keine Einträge\n");
        row("restore: a folder", "restore", "folder", {}, 1, "%1 ist ein Ordner, keine Datei\n");
        // Opening a pipe waits for a writer; a command must not wait on one.
        row("restore: a pipe", "restore", "fifo", {}, 1, "%1 ist keine gewöhnliche Datei");
        row("restore: a link to a pipe", "restore", "link to fifo", {}, 1, "%1 ist keine gewöhnliche Datei");
        row("import: empty file", "import", "file", "", 0, "0 Events importiert\n");
        row("import: not UTF-8", "import", "file", "BEGIN:VCALENDAR\r\nSUMMARY:Caf\xe9\r\n", 1,
            "%1 ist nicht in UTF-8 kodiert");
        row("ics-parse: empty file", "ics-parse", "file", "", 0, "");
        row("ics-parse: not UTF-8", "ics-parse", "file", "SUMMARY:Caf\xe9\r\n", 1,
            "%1 ist nicht in UTF-8 kodiert und kann nicht gelesen werden\n");
    }

    void inputFiles()
    {
        QFETCH(QString, command);
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(int, exitCode);
        QFETCH(QString, answer);
        QVERIFY(run(strings("add|bleibt")).exitCode == 0);
        const QByteArray before = fileContent();

        const QString path = m_dir->filePath(u"input"_qs);
        const QString target = m_dir->filePath(u"target"_qs);
        if (kind == u"file")
            QVERIFY(writeAll(path, content));
        else if (kind == u"folder")
            QVERIFY(QDir().mkpath(path));
        else if (kind == u"fifo")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == u"link to fifo")
            QVERIFY(mkfifo(QFile::encodeName(target).constData(), 0600) == 0 && QFile::link(target, path));

        const Cli::Result result = run({ command, path });
        const QString expected = answer.contains(u"%1") ? answer.arg(path) : answer;
        if (exitCode == 0) {
            QCOMPARE(result.exitCode, 0);
            QVERIFY2(expected.isEmpty() ? result.out.isEmpty() : result.out.startsWith(expected),
                qPrintable(result.out + result.err));
            return;
        }
        QVERIFY2(refused(result, exitCode, expected), qPrintable(m_said));
        QCOMPARE(fileContent(), before);
        QCOMPARE(m_store->notes().size(), 1);
    }

    void unsavedChangesFail_data()
    {
        QTest::addColumn<QStringList>("args");
        for (const char* args : { "add|Tee", "restore|backup.json" })
            QTest::newRow(args) << strings(args);
    }

    void unsavedChangesFail()
    {
        QFETCH(QStringList, args);
        const QString backup = m_dir->filePath(u"backup.json"_qs);
        QVERIFY(writeAll(backup, NoteJson::encodePretty({ plain(u"alt"_qs, berlin(2025, 1, 1)) })));
        args.replaceInStrings(u"backup.json"_qs, backup);
        // A folder where the file belongs cannot be replaced, not even by root.
        QVERIFY(QDir().mkpath(m_store->filePath()));

        QVERIFY2(
            refused(run(args), 1, u"Die Daten konnten nicht gespeichert werden: "_qs), qPrintable(m_said));
        // Nothing of the change stays in memory, so a second try adds it once.
        QVERIFY(m_store->notes().isEmpty());
        QVERIFY(QDir(m_store->filePath()).removeRecursively());
        QCOMPARE(run(args).exitCode, 0);
        QCOMPARE(m_store->notes().size(), 1);
        QCOMPARE(NoteJson::decode(fileContent())->size(), 1);
    }

    void damagedDataFileStaysAsItIs_data()
    {
        columns<bool, QStringList, QString>("fileIsFolder", "args", "reason");

        const QString damaged
            = u"Die Datendatei %1 ist beschädigt und wurde nicht geladen; sie bleibt unverändert\n"_qs;
        const QString folder = u"Die Datendatei %1 ist ein Ordner; sie bleibt unverändert\n"_qs;
        // One command of each kind that reads the records: a view, a reader, one by id.
        for (const char* command : { "agenda", "backup|/tmp/zettelwerk-never.json", "show|ABCD" }) {
            QTest::addRow("%s, damaged", command) << false << strings(command) << damaged;
            QTest::addRow("%s, a folder", command) << true << strings(command) << folder;
        }
        // A change starts a new file; the old one is kept beside it, and the user is told.
        QTest::newRow("add")
            << false << strings("add|neu")
            << u"Hinweis: Die Datendatei %1 ist beschädigt und wurde nicht geladen; sie wurde "
               "ersetzt und liegt als notes.json.unreadable-"_qs;
    }

    void damagedDataFileStaysAsItIs()
    {
        QFETCH(bool, fileIsFolder);
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        const QString path = m_store->filePath();
        const QDir dir = QFileInfo(path).dir();
        const QByteArray damaged = "[{\"id\":\"2F1D3C9E-";
        QVERIFY(fileIsFolder ? QDir().mkpath(path) : writeAll(path, damaged));
        m_store = std::make_unique<NoteStore>(dir.path());
        const QStringList before = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        const Cli::Result result = run(args);
        QVERIFY2(result.err.startsWith(reason.arg(path)), qPrintable(result.err));
        if (args.constFirst() == u"add") {
            QCOMPARE(result.exitCode, 0);
            QCOMPARE(NoteJson::decode(fileContent())->size(), 1);
            QCOMPARE(
                readAll(dir.filePath(dir.entryList({ u"notes.json.unreadable-*"_qs }).value(0))), damaged);
            return;
        }
        QVERIFY2(refused(result, 1, reason.arg(path)), qPrintable(m_said));
        QCOMPARE(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(QFileInfo(path).isDir(), fileIsFolder);
        if (!fileIsFolder)
            QCOMPARE(readAll(path), damaged);
        QVERIFY(!QFile::exists(u"/tmp/zettelwerk-never.json"_qs));
    }

    void handOverRoundTrip_data()
    {
        columns<QStringList, QByteArray>("args", "input");
        // Only a file starts with a byte-order mark; in an argument U+FEFF is text.
        QTest::newRow("U+FEFF, lines and quotes")
            << QStringList { u"add"_qs, u"\uFEFF"_qs, u"\uFEFF\uFEFFx\nZeile \"2\""_qs } << QByteArray();
        QTest::newRow("with a file") << strings("restore|b.json") << QByteArray("\xEF\xBB\xBF[]\n\0\xff", 8);
        QTest::newRow("with an empty file") << strings("import|a.ics") << QByteArray("");
    }

    void handOverRoundTrip()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        const Cli::Request request { args, input.isNull() ? std::nullopt : std::optional(input) };
        const QByteArray line = Cli::encodeRequest(request);
        QVERIFY(!line.contains('\n'));
        const Cli::Request received = Cli::decodeRequest(line);
        QCOMPARE(received.args, args);
        QCOMPARE(received.input.has_value(), !input.isNull());
        QCOMPARE(received.input.value_or(QByteArray()), input);

        const Cli::Result sent { 1, args.value(1) + u'\n', args.value(2) + u'\n' };
        const Cli::Result back = Cli::decodeResult(Cli::encodeResult(sent));
        QCOMPARE(std::tuple(back.exitCode, back.out, back.err), std::tuple(1, sent.out, sent.err));
        QCOMPARE(Cli::decodeResult(QByteArray()).exitCode, 1);

        QList<QByteArray> bytes;
        QList<const char*> argv { "zettelwerk" };
        for (const QString& arg : args)
            argv.append(bytes.emplace_back(arg.toUtf8()).constData());
        QCOMPARE(Cli::argumentsFrom(int(argv.size()), argv.constData()), args);
    }

    void pathsForTheRunningApp_data()
    {
        columns<QStringList, QStringList>("args", "sent");
        // "@" stands for the current folder.
        const auto row = [](const char* name, const char* args, const char* sent) {
            QTest::newRow(name) << strings(args)
                                << strings(sent).replaceInStrings(u"@"_qs, QDir::currentPath());
        };
        row("app after a value that reads --app", "add|x|--shell|--app|--app|tool.desktop",
            "add|x|--shell|--app|--app|@/tool.desktop");
        row("text after --", "add|--|--app", "add|--|--app");
        row("calendar folder", "import|--calendar|.", "import|--calendar|@");
        row("calendar name", "import|--calendar|Privat", "import|--calendar|Privat");
        row("sync-folder with --notizen", "sync-folder|kal|--notizen|an", "sync-folder|@/kal|--notizen|an");
        // The file is read here and its contents sent: its path is only a name.
        row("restore", "restore|b.json", "restore|b.json");
    }

    void pathsForTheRunningApp()
    {
        QFETCH(QStringList, args);
        QTEST(Cli::withAbsolutePaths(args), "sent");
    }

    void hilfePrintsTheCopiedHelp()
    {
        const Cli::Result result = run({ u"hilfe"_qs });
        QCOMPARE(std::tuple(result.exitCode, result.out, result.err),
            std::tuple(0, HelpContent::plainText(), u""_qs));
    }

    void helpAfterAnyCommand_data()
    {
        QTest::addColumn<QStringList>("args");
        for (const char* args : { "backup|-h", "restore|/nowhere.json|-h", "add|Text|--help", "import|--help",
                 "agenda|--day|x|--help" })
            QTest::newRow(args) << strings(args);
    }

    void helpAfterAnyCommand()
    {
        QFETCH(QStringList, args);
        const Cli::Result result = run(args);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, Cli::usage(args.constFirst()));
        QVERIFY2(result.out.startsWith(u"Aufruf:\n  zettelwerk "_qs + args.constFirst() + u' '),
            qPrintable(result.out));
        QCOMPARE(result.out.count(u"  zettelwerk "_qs),
            args.constFirst() == u"import"_qs || args.constFirst() == u"add"_qs ? 2 : 1);
        QCOMPARE(result.err, QString());
        QVERIFY(m_store->notes().isEmpty());
        QVERIFY(!QFile::exists(u"-h"_qs) && !QFile::exists(u"--help"_qs));
    }

    // The vdir fixture in December 2026 and the reader's fixture file, imported, again, undone.
    void importsCalendarsAndFiles()
    {
        qputenv("ZETTELWERK_VDIR", ZETTELWERK_TEST_DATA "/vdir");
        const QString arbeit = QDir(QStringLiteral(ZETTELWERK_TEST_DATA "/vdir/arbeit")).canonicalPath();
        const QStringList december = strings("--from|2026-12-01|--to|2026-12-31");
        QVERIFY(run(QStringList { u"calendars"_qs } + december)
                    .out.startsWith(u"4\tArbeit\t"_qs + arbeit + u"\n2\tPrivat\t"_qs));

        const QStringList fromCalendar = QStringList { u"import"_qs, u"--calendar"_qs, arbeit } + december;
        QVERIFY(run(fromCalendar)
                    .out.startsWith(
                        u"4 Events importiert\nKeine Duplikate\nRückgängig: zettelwerk undo-import "_qs));
        QCOMPARE(run(fromCalendar).out, u"0 Events importiert\n4 Duplikate übersprungen\n"_qs);
        const QString file = QStringLiteral(ZETTELWERK_TEST_DATA "/ics/reader.ics");
        QVERIFY(run({ u"import"_qs, file }).out.startsWith(u"14 Events importiert\n"_qs));
        QVERIFY(run({ u"import"_qs, file, u"--replace-duplicates"_qs })
                    .out.startsWith(u"14 Events importiert\n14 Duplikate ersetzt\n"_qs));
        // The two untitled events at one time both name the same old record: one of them stays.
        QCOMPARE(m_store->notes().size(), 4 + 1 + 14);

        const QStringList batches = run({ u"batches"_qs }).out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(batches.size(), 3);
        QVERIFY(batches.at(1).contains(u"\tICS: reader.ics\t1 Events - "_qs));
        QVERIFY(batches.at(2).contains(u"\tApple Kalender\t4 Events - "_qs));
        const QString batch = batches.constFirst().section(u'\t', 0, 0);
        QCOMPARE(run({ u"undo-import"_qs, batch }).out, u"14 Events entfernt (ICS: reader.ics)\n"_qs);
        // The 13 records it replaced are back.
        QCOMPARE(NoteJson::decode(fileContent())->size(), 5 + 13);

        const QString parsed = run({ u"ics-parse"_qs, file }).out;
        QCOMPARE(parsed.count(u'\n'), 14);
        QVERIFY(parsed.startsWith(
            u"{\"summary\":\"Früher, zweiter Wert\",\"description\":\"\",\"start\":\"2024-03-14T08:00:00Z\","
            "\"end\":null,\"repeat\":\"Keine\"}\n"_qs));

        // A calendar by the name it is shown with; a name is passed on as it is.
        QVERIFY(run(strings("import|--calendar|Privat") + december)
                    .out.startsWith(u"2 Events importiert\nKeine Duplikate\n"_qs));
        QCOMPARE(run(strings("import|--calendar|privat") + december).err,
            u"Kein Kalender: privat (zettelwerk calendars zeigt alle)\n"_qs);
    }

    void recordsById_data()
    {
        // A, N, O stand for the start of a record's id; answer: the start of stdout, or of stderr on failure
        columns<QStringList, int, QString, QString>("args", "exitCode", "answer", "after");

        const QString before
            = u"Zahnarzt 2026-12-09 14:30 Wöchentlich popup; Einkaufen; Tee 2026-12-08 10:00 Keine popup"_qs;
        const auto row = [&](const char* name, const char* args, int exitCode, const char* answer,
                             const char* after = nullptr) {
            QTest::newRow(name) << strings(args) << exitCode << QString::fromUtf8(answer)
                                << (after ? QString::fromUtf8(after) : before);
        };
        row("show, too short", "show|AAA", 2, "Die ID AAA ist zu kurz");
        row("show, ambiguous", "show|aaaa", 1, "Die ID aaaa passt auf 2 Einträge");
        row("show as JSON", "show|O|--json", 0, "{\"id\":\"AAAA2222-0000-4000-8000-000000000003\"");
        row("show", "show|{aaaa1111}", 0,
            "ID:           AAAA1111-0000-4000-8000-000000000001\nArt:          Termin");
        row("edit text and time", "edit|A|--text|Kontrolle|--at|2026-12-10 08:00", 0, "Geändert: Kontrolle",
            "Kontrolle 2026-12-10 08:00 Wöchentlich popup; Einkaufen; Tee 2026-12-08 10:00 Keine popup");
        row("edit a note into an appointment", "edit|N|--at|2026-12-11 09:00|--repeat|Täglich|--no-popup", 0,
            "Geändert: Einkaufen",
            "Zahnarzt 2026-12-09 14:30 Wöchentlich popup; Einkaufen 2026-12-11 09:00 Täglich; Tee 2026-12-08 "
            "10:00 Keine popup");
        row("edit an appointment into a note", "edit|A|--no-alarm", 0, "Geändert: Zahnarzt",
            "Zahnarzt; Einkaufen; Tee 2026-12-08 10:00 Keine popup");
        row("edit, nothing changes", "edit|O|--popup", 0, "Unverändert: Tee");
        // The sound switched on under the name it already had: a change all the same.
        row("edit, the sound alone", "edit|O|--sound|Glass", 0, "Geändert: Tee",
            "Zahnarzt 2026-12-09 14:30 Wöchentlich popup; Einkaufen; Tee 2026-12-08 10:00 Keine popup Ton "
            "Glass");
        row("edit a note's repeat", "edit|N|--repeat|Täglich", 2,
            "Wiederholung, Ende und Alarm-Aktionen gelten nur für Termine");
        row("no alarm, sound", "edit|A|--no-alarm|--sound|Ping", 2, "--no-alarm macht den Termin zur Notiz");
        row("end < start", "edit|O|--until|2026-12-08 09:00", 1, "Das Ende (--until) liegt vor dem Beginn");
        row("edit, empty text", "edit|O|--text| ", 1, "Der Text ist leer");
        row("edit, two ids", "edit|O|A", 2, "edit erwartet genau eine ID");
        row("done, repeating", "done|A", 1, "„Zahnarzt“ wiederholt sich");
        row("done, a note", "done|N", 1, "„Einkaufen“ ist kein Termin");
        row("done", "done|O", 0, "Erledigt: Tee",
            "Zahnarzt 2026-12-09 14:30 Wöchentlich popup; Einkaufen; Tee 2026-12-08 10:00 Keine popup "
            "erledigt");
        row("delete two", "delete|A|N", 0, "2 Einträge gelöscht", "Tee 2026-12-08 10:00 Keine popup");
        // One wrong id deletes nothing.
        row("delete with an unknown one", "delete|A|ABCD", 1, "Kein Eintrag mit der ID ABCD");
        row("delete nothing", "delete", 2, "delete erwartet eine oder mehrere IDs");
        row("snooze, a note", "snooze|N|5m", 1, "„Einkaufen“ ist kein Termin");
        row("snooze, an unknown span", "snooze|O|5 Tage", 2, "Unbekannte Dauer: 5 Tage");
    }

    void recordsById()
    {
        QFETCH(QStringList, args);

        const auto withId = [](const char* id, ReminderNote note) {
            note.id = QUuid::fromString(QLatin1StringView(id));
            return note;
        };
        ReminderNote dentist = appointment(u"Zahnarzt"_qs, berlin(2026, 12, 9, 14, 30));
        dentist.repeatInterval = RepeatInterval::Weekly;
        QVERIFY(m_store->replaceNotes({ withId("AAAA1111-0000-4000-8000-000000000001", dentist),
            withId("BBBB1111-0000-4000-8000-000000000002", plain(u"Einkaufen"_qs, berlin(2026, 12, 1, 8))),
            withId(
                "AAAA2222-0000-4000-8000-000000000003", appointment(u"Tee"_qs, berlin(2026, 12, 8, 10))) }));
        for (QString& arg : args) {
            if (arg == u"A"_qs || arg == u"N"_qs || arg == u"O"_qs)
                arg = strings("aaaa1|BBBB|AAAA22").at(u"ANO"_qs.indexOf(arg));
        }
        const auto state = [this] {
            QStringList records;
            for (const ReminderNote& note : m_store->notes())
                records << describe(note);
            return records.join(u"; "_qs);
        };
        const QByteArray saved = fileContent();

        const Cli::Result result = run(args);
        QTEST(result.exitCode, "exitCode");
        QFETCH(QString, answer);
        const QString said = result.exitCode == 0 ? result.out : result.err;
        QVERIFY2(said.startsWith(answer), qPrintable(said));
        QVERIFY((result.exitCode == 0 ? result.err : result.out).isEmpty());
        QTEST(state(), "after");
        QCOMPARE(fileContent() == saved,
            result.exitCode != 0 || result.out.startsWith(u"Unverändert"_qs)
                || args.constFirst() == u"show"_qs);
    }

    void viewsAsJson_data()
    {
        // shape: an array's length, an object's keys with values or lengths
        columns<QStringList, QString>("args", "shape");

        const auto row = [](const char* args, const char* shape) {
            QTest::newRow(args) << strings(args) << QString::fromUtf8(shape);
        };
        row("agenda|--now|2026-12-07 09:00|--json", "appointments=[1] day=2026-12-07 label=Termine heute");
        row("agenda|--json|--now|2026-12-07 09:00|--day|2026-12-08",
            "appointments=[0] day=2026-12-08 label=Termine morgen");
        row("termine|--now|2026-12-07 09:00|--json", "past=[0] today=[1] upcoming=[1]");
        row("notizen|--json", "[1]");
        row("kalender|--json|--month|2027-01", "days=[1] month=2027-01");
        row("batches|--json", "[0]");
    }

    void viewsAsJson()
    {
        QFETCH(QStringList, args);
        QVERIFY(run(strings("add|Einkaufen")).exitCode == 0);
        QVERIFY(run(strings("add|Tee|--at|2026-12-07 16:00")).exitCode == 0);
        QVERIFY(run(strings("add|Neujahr|--at|2027-01-01 00:00|--until|2027-01-01 23:00")).exitCode == 0);

        const Cli::Result result = run(args);
        QCOMPARE(result.exitCode, 0);
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(result.out.toUtf8(), &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(result.out));
        QStringList shape;
        const auto describe = [](const QJsonValue& value) {
            return value.isArray() ? u"[%1]"_qs.arg(value.toArray().size()) : value.toVariant().toString();
        };
        if (json.isArray())
            shape.append(describe(json.array()));
        const QJsonObject object = json.object();
        for (auto field = object.constBegin(); field != object.constEnd(); ++field)
            shape.append(field.key() + u'=' + describe(field.value()));
        QTEST(shape.join(u' '), "shape");
        if (args.constFirst() == u"notizen"_qs)
            QCOMPARE(NoteJson::decode(result.out.toUtf8())->constFirst().text, u"Einkaufen"_qs);
    }

    void jsonStringsAsQtWritesThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("every escape, umlauts, emoji, byte order mark")
            << QString::fromUtf16(u"\ufeffa \"b\" \\ c/d\t\n\r\b\f\u0001\u001f\u007f Grüße 🎂 ß");
        QTest::newRow("lone high surrogate") << QString::fromUtf16(u"a\xd83d b");
        QTest::newRow("lone low surrogate at the end") << QString::fromUtf16(u"a\xde00");
    }

    // Scripts compare with what Qt's JSON writer made of these texts before.
    void jsonStringsAsQtWritesThem()
    {
        QFETCH(QString, text);
        const QByteArray array = QJsonDocument(QJsonArray { text }).toJson(QJsonDocument::Compact);
        QCOMPARE(JsonViews::string(text), array.mid(1, array.size() - 2));
    }

    void streamedAsTheOrdinaryRun_data()
    {
        // file: the data file for list, else file.ics
        columns<QStringList, QByteArray, bool>("args", "file", "streamed");
        const auto row = [](const char* name, const char* args, const QByteArray& file, bool streamed) {
            QTest::newRow(name) << strings(args) << file << streamed;
        };
        const QByteArray demo = readAll(QStringLiteral(ZETTELWERK_TEST_DATA "/demo.json"));
        const QByteArray reader = readAll(QStringLiteral(ZETTELWERK_TEST_DATA "/ics/reader.ics"));
        row("list --json", "list|--json", demo, true);
        row("list --json, damaged", "list|--json", demo.chopped(1), false);
        row("list --json, no records", "list|--json", "[]", false);
        row("list --json, no file", "list|--json", {}, false);
        row("list --json --", "list|--json|--", demo, false);
        row("ics-parse", "ics-parse|file.ics", reader, true);
        row("ics-parse, no events", "ics-parse|file.ics", "BEGIN:VCALENDAR\r\n", true);
        row("ics-parse, not UTF-8", "ics-parse|file.ics", reader + "\xff", false);
        row("ics-parse --help", "ics-parse|file.ics|--help", reader, false);
    }

    void streamedAsTheOrdinaryRun()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, file);
        QFETCH(bool, streamed);
        const bool list = args.constFirst() == u"list"_qs;
        const QString dataFilePath = m_store->filePath();
        QVERIFY(!list || file.isEmpty() || writeAll(dataFilePath, file));
        QVERIFY(writeAll(m_dir->filePath(u"file.ics"_qs), list ? QByteArray() : file));
        args.replaceInStrings(u"file.ics"_qs, m_dir->filePath(u"file.ics"_qs));
        const auto prepared = Cli::prepare(args);
        QVERIFY(std::holds_alternative<Cli::Request>(prepared));

        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const std::optional<int> status = CliStream::run(std::get<Cli::Request>(prepared), dataFilePath, out);
        QCOMPARE(status.has_value(), streamed);
        if (!streamed)
            return;
        m_store = std::make_unique<NoteStore>(m_dir->filePath(u"data"_qs));
        const Cli::Result ordinary = run(args);
        QCOMPARE(*status, ordinary.exitCode);
        QCOMPARE(out.data(), ordinary.out.toUtf8());
    }

private:
    static QString describe(const ReminderNote& note)
    {
        const auto localTime
            = [](const QDateTime& at) { return at.toLocalTime().toString(u"yyyy-MM-dd HH:mm"_qs); };
        QStringList fields { note.text };
        if (note.hasAlarm)
            fields << localTime(note.alarmDate) << repeatIntervalText(note.repeatInterval);
        if (note.alarmEndDate)
            fields << u"bis"_qs << localTime(*note.alarmEndDate);
        if (note.hasAlarm && note.usePopup)
            fields << u"popup"_qs;
        if (note.useSound)
            fields << u"Ton"_qs << note.soundName;
        if (!note.launchAppPath.isEmpty())
            fields << u"App"_qs << note.launchAppPath;
        if (!note.shellScript.isEmpty())
            fields << u"Shell"_qs << note.shellScript;
        if (note.isTriggered)
            fields << u"erledigt"_qs;
        return fields.join(u' ');
    }

    // A refusal: its status, and its reason as the one line on stderr; nothing on stdout.
    bool refused(const Cli::Result& result, int exitCode, const QString& reason)
    {
        m_said = u"%1: %2%3"_qs.arg(result.exitCode).arg(result.out, result.err);
        return result.exitCode == exitCode && result.out.isEmpty() && result.err.startsWith(reason)
            && result.err.endsWith(u'\n') && result.err.count(u'\n') == 1;
    }

    QByteArray fileContent() const { return readAll(m_store->filePath()); }
    Cli::Result run(const QStringList& args) { return Cli::execute(args, *m_store); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<NoteStore> m_store;
    QString m_said; // what the last refused() looked at
};

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
