#include "cli.h"
#include "helpcontent.h"
#include "notejson.h"
#include "notestore.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_Cli : public QObject {
    Q_OBJECT

private slots:
    void init();
    void refusedInput_data();
    void refusedInput();
    void addPlainNote();
    void addAppointment();
    void addAppointmentWithActions();
    void listShowsEveryRecord();
    void backupAndRestore();
    void restoreRefusesBadFiles_data();
    void restoreRefusesBadFiles();
    void unsavedChangesFail_data();
    void unsavedChangesFail();
    void handOverRoundTrip();
    void hilfePrintsTheCopiedHelp();
    void importsCalendarsAndFiles();

private:
    QByteArray fileContent() const;
    Cli::Result run(const QStringList& args) { return Cli::execute(args, *m_store); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<NoteStore> m_store;
};

void tst_Cli::init()
{
    m_store.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<NoteStore>(m_dir->filePath(QStringLiteral("data")));
}

QByteArray tst_Cli::fileContent() const
{
    return readAll(m_store->filePath());
}

void tst_Cli::refusedInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("reason");

    const auto row = [](const char* name, QStringList args, const char* reason) {
        QTest::newRow(name) << args << QString::fromUtf8(reason);
    };
    row("unknown command", { u"lsit"_qs }, "Unbekannter Befehl: lsit");
    row("list with extra", { u"list"_qs, u"--all"_qs }, "list kennt nur die Option --json");
    row("add without text", { u"add"_qs }, "add erwartet genau einen Text");
    row("add with two texts", { u"add"_qs, u"a"_qs, u"b"_qs }, "add erwartet genau einen Text");
    row("unknown option", { u"add"_qs, u"a"_qs, u"--when"_qs, u"x"_qs }, "Unbekannte Option: --when");
    row("option without value", { u"add"_qs, u"a"_qs, u"--at"_qs }, "Option --at braucht einen Wert");
    row("month 13", { u"add"_qs, u"a"_qs, u"--at"_qs, u"2026-13-01 10:00"_qs }, "Ungültige Zeit");
    row("seconds given", { u"add"_qs, u"a"_qs, u"--at"_qs, u"2026-05-01 10:00:00"_qs }, "Ungültige Zeit");
    row("skipped by summer time", { u"add"_qs, u"a"_qs, u"--at"_qs, u"2026-03-29 02:30"_qs },
        "Ungültige Zeit");
    row("repeat without umlaut",
        { u"add"_qs, u"a"_qs, u"--at"_qs, u"2026-05-01 10:00"_qs, u"--repeat"_qs, u"Wochentlich"_qs },
        "Unbekannte Wiederholung");
    row("repeat on a plain note", { u"add"_qs, u"a"_qs, u"--repeat"_qs, u"Täglich"_qs },
        "Wiederholung, Ende und Alarm-Aktionen gelten nur für Termine");
    const QString at = u"2026-05-01 10:00"_qs;
    row("unknown sound", { u"add"_qs, u"a"_qs, u"--at"_qs, at, u"--sound"_qs, u"Gong"_qs },
        "Unbekannter Ton: Gong");
    row("missing app", { u"add"_qs, u"a"_qs, u"--at"_qs, at, u"--app"_qs, u"/nowhere/x.desktop"_qs },
        "Programm nicht gefunden");
    row("end before start", { u"add"_qs, u"a"_qs, u"--at"_qs, at, u"--until"_qs, u"2026-05-01 09:59"_qs },
        "Das Ende (--until) liegt vor dem Beginn");
    row("no popup on a plain note", { u"add"_qs, u"a"_qs, u"--no-popup"_qs },
        "Wiederholung, Ende und Alarm-Aktionen");
    row("shell on a plain note", { u"add"_qs, u"a"_qs, u"--shell"_qs, u"ls"_qs },
        "Wiederholung, Ende und Alarm-Aktionen");
    row("view with a bad moment", { u"agenda"_qs, u"--now"_qs, u"morgen"_qs }, "Ungültige Zeit: morgen");
    row("agenda with a bad day", { u"agenda"_qs, u"--day"_qs, u"2026-02-30"_qs },
        "Ungültiges Datum: 2026-02-30");
    row("calendar with a bad month", { u"kalender"_qs, u"--month"_qs, u"2026-13"_qs },
        "Ungültiges Datum: 2026-13");
    row("notizen takes no day", { u"notizen"_qs, u"--day"_qs, u"2026-01-01"_qs }, "Unbekannte Option: --day");
    row("backup of nothing", { u"backup"_qs, u"/tmp/x.json"_qs }, "Keine Einträge zum Sichern");
    row("restore without file", { u"restore"_qs }, "restore erwartet einen Dateinamen");
    row("export-ics without file", { u"export-ics"_qs, u"--all"_qs }, "export-ics erwartet einen Dateinamen");
    row("export-ics of nothing", { u"export-ics"_qs, u"/tmp/x.ics"_qs }, "Keine Termine zum Exportieren");
    row("hilfe with an argument", { u"hilfe"_qs, u"kalender"_qs }, "hilfe kennt keine Argumente");
    row("import without file", { u"import"_qs }, "import erwartet eine .ics-Datei oder --calendar");
    row("import of a missing file", { u"import"_qs, u"/nowhere.ics"_qs },
        "Datei nicht gefunden: /nowhere.ics");
    row("range for a file", { u"import"_qs, u"a.ics"_qs, u"--from"_qs, u"2026-12-01"_qs },
        "--from und --to gelten nur");
    row("unknown calendar", { u"import"_qs, u"--calendar"_qs, u"/nowhere"_qs }, "Kein Kalender: /nowhere");
    row("range backwards", { u"calendars"_qs, u"--from"_qs, u"2026-12-02"_qs, u"--to"_qs, u"2026-12-01"_qs },
        "Das Ende (--to) liegt vor dem Beginn (--from)");
    row("bad range day", { u"calendars"_qs, u"--to"_qs, u"2026-02-30"_qs }, "Ungültiges Datum: 2026-02-30");
    row("undo of an unknown import", { u"undo-import"_qs, u"X"_qs }, "Kein Import mit der ID X");
}

void tst_Cli::refusedInput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, reason);

    const Cli::Result result = run(args);
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.startsWith(reason), qPrintable(result.err));
    QVERIFY(result.err.endsWith(u'\n') && result.err.count(u'\n') == 1);
    QVERIFY(result.out.isEmpty());
    QVERIFY(m_store->notes().isEmpty());
    QVERIFY(!QFile::exists(m_store->filePath()));
}

void tst_Cli::addPlainNote()
{
    const Cli::Result result = run({ u"add"_qs, u"Einkaufen\nMilch"_qs });
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(m_store->notes().size(), 1);
    const ReminderNote& note = m_store->notes().constFirst();
    QCOMPARE(result.out, note.id.toString(QUuid::WithoutBraces).toUpper() + u'\n');
    QCOMPARE(note.text, u"Einkaufen\nMilch"_qs);
    QVERIFY(!note.hasAlarm);
    QVERIFY(!note.isTriggered);
    QCOMPARE(NoteJson::decode(fileContent())->size(), 1);
}

void tst_Cli::addAppointment()
{
    const Cli::Result result = run(
        { u"add"_qs, u"Zahnarzt"_qs, u"--at"_qs, u"2026-03-29 03:30"_qs, u"--repeat"_qs, u"Wöchentlich"_qs });
    QCOMPARE(result.exitCode, 0);
    const ReminderNote& note = m_store->notes().constFirst();
    QVERIFY(note.hasAlarm);
    QVERIFY2(!note.isTriggered, "an appointment added from the command line is armed at once");
    QCOMPARE(note.repeatInterval, RepeatInterval::Weekly);
    // 03:30 summer time in Berlin is 01:30 UTC.
    QCOMPARE(NoteJson::formatDate(note.alarmDate), u"2026-03-29T01:30:00Z"_qs);
    const auto saved = NoteJson::decode(fileContent());
    QVERIFY(saved && saved->size() == 1 && !saved->constFirst().isTriggered);
}

void tst_Cli::addAppointmentWithActions()
{
    const QString app = m_dir->filePath(QStringLiteral("My App.desktop"));
    QFile(app).open(QIODevice::WriteOnly);
    const QString command = QStringLiteral("echo \"a  b\" > '/tmp/x y'; ls $HOME");
    const Cli::Result result = run(
        { u"add"_qs, u"Tee"_qs, u"--at"_qs, u"2026-05-01 10:00"_qs, u"--until"_qs, u"2026-05-03 12:30"_qs,
            u"--no-popup"_qs, u"--sound"_qs, u"Submarine"_qs, u"--app"_qs, app, u"--shell"_qs, command });
    QCOMPARE(result.exitCode, 0);
    const ReminderNote& note = m_store->notes().constFirst();
    QVERIFY(!note.usePopup);
    QVERIFY(note.useSound);
    QCOMPARE(note.soundName, u"Submarine"_qs);
    QCOMPARE(note.launchAppPath, app);
    QCOMPARE(note.shellScript, command);
    QVERIFY(note.alarmEndDate.has_value());
    QCOMPARE(NoteJson::formatDate(*note.alarmEndDate), u"2026-05-03T10:30:00Z"_qs);
    QVERIFY(!note.isTriggered);
}

void tst_Cli::listShowsEveryRecord()
{
    QCOMPARE(run({ u"list"_qs }).out, u"Keine Einträge\n"_qs);
    QCOMPARE(run({ u"list"_qs, u"--json"_qs }).out, u"[]\n"_qs);

    QVERIFY(run({ u"add"_qs, u"Notiz"_qs }).exitCode == 0);
    QVERIFY(
        run({ u"add"_qs, u"Termin/1"_qs, u"--at"_qs, u"2026-12-24 18:00"_qs, u"--repeat"_qs, u"Jährlich"_qs })
            .exitCode
        == 0);
    const QStringList lines = run({ u"list"_qs }).out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0), u"Termin\t2026-12-24 18:00\tTermin/1\t(Jährlich)"_qs);
    QVERIFY(lines.at(1).startsWith(u"Notiz\t"_qs) && lines.at(1).endsWith(u"\tNotiz"_qs));

    QCOMPARE(run({ u"list"_qs, u"--json"_qs }).out.toUtf8(), fileContent() + '\n');
}

void tst_Cli::backupAndRestore()
{
    QVERIFY(run({ u"add"_qs, u"eins"_qs }).exitCode == 0);
    QVERIFY(run({ u"add"_qs, u"zwei"_qs }).exitCode == 0);
    const QByteArray before = fileContent();
    const QString backupPath = m_dir->filePath(QStringLiteral("backup.json"));

    Cli::Result result = run({ u"backup"_qs, backupPath });
    QCOMPARE(result.out, u"2 Einträge als JSON gespeichert\n"_qs);
    QFile backup(backupPath);
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QVERIFY(backup.readAll().startsWith("[\n  {\n    \"alarmDate\" : "));

    QVERIFY(run({ u"add"_qs, u"drei"_qs }).exitCode == 0);
    result = run({ u"restore"_qs, backupPath });
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, u"2 Einträge wiederhergestellt\n"_qs);
    QCOMPARE(fileContent(), before);
}

void tst_Cli::restoreRefusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << QByteArray() << u"Datei konnte nicht gelesen werden\n"_qs;
    QTest::newRow("not JSON") << QByteArray("hello") << u"Datei konnte nicht gelesen werden\n"_qs;
    QTest::newRow("one bad record") << QByteArray(R"([{"id":"x"}])")
                                    << u"Datei konnte nicht gelesen werden\n"_qs;
    QTest::newRow("no records") << QByteArray("[]") << u"Die Datei enthält keine Einträge\n"_qs;
}

void tst_Cli::restoreRefusesBadFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QVERIFY(run({ u"add"_qs, u"bleibt"_qs }).exitCode == 0);
    const QByteArray before = fileContent();

    const QString path = m_dir->filePath(QStringLiteral("input.json"));
    QVERIFY(content.isNull() || writeAll(path, content));
    const Cli::Result result = run({ u"restore"_qs, path });
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.err, reason);
    QCOMPARE(fileContent(), before);
    QCOMPARE(m_store->notes().size(), 1);
}

void tst_Cli::unsavedChangesFail_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("add note") << QStringList { u"add"_qs, u"Tee"_qs };
    QTest::newRow("add appointment") << QStringList { u"add"_qs, u"Tee"_qs, u"--at"_qs,
        u"2026-05-01 10:00"_qs };
    QTest::newRow("restore") << QStringList { u"restore"_qs, u"backup.json"_qs };
}

void tst_Cli::unsavedChangesFail()
{
    QFETCH(QStringList, args);
    const QString backup = m_dir->filePath(u"backup.json"_qs);
    QVERIFY(writeAll(backup, NoteJson::encodePretty({ plain(u"alt"_qs, berlin(2025, 1, 1)) })));
    args.replaceInStrings(u"backup.json"_qs, backup);
    // A folder where the file belongs cannot be replaced, not even by root.
    QVERIFY(QDir().mkpath(m_store->filePath()));

    const Cli::Result result = run(args);
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(
        result.err.startsWith(u"Die Daten konnten nicht gespeichert werden: "_qs), qPrintable(result.err));
    QCOMPARE(result.err.count(u'\n'), 1);
    QVERIFY(result.out.isEmpty());
}

void tst_Cli::handOverRoundTrip()
{
    const QStringList args { u"add"_qs, u"Zeile 1\nZeile \"2\""_qs, u"--at"_qs, u"2026-01-01 00:00"_qs };
    QCOMPARE(Cli::decodeRequest(Cli::encodeRequest(args)), args);
    QVERIFY(!Cli::encodeRequest(args).contains('\n'));

    const Cli::Result sent { 1, u"aus\n"_qs, u"fehler\n"_qs };
    const Cli::Result received = Cli::decodeResult(Cli::encodeResult(sent));
    QCOMPARE(received.exitCode, 1);
    QCOMPARE(received.out, sent.out);
    QCOMPARE(received.err, sent.err);
    QCOMPARE(Cli::decodeResult(QByteArray()).exitCode, 1);

    const QStringList relative = Cli::withAbsolutePaths({ u"restore"_qs, u"backup.json"_qs });
    QVERIFY(relative.at(1).startsWith(u'/') && relative.at(1).endsWith(u"/backup.json"_qs));
    const QStringList app = Cli::withAbsolutePaths(
        { u"add"_qs, u"x"_qs, u"--shell"_qs, u"--app"_qs, u"--app"_qs, u"tool.desktop"_qs });
    QCOMPARE(app.mid(0, 5), QStringList({ u"add"_qs, u"x"_qs, u"--shell"_qs, u"--app"_qs, u"--app"_qs }));
    QCOMPARE(app.at(5), QDir::current().absoluteFilePath(u"tool.desktop"_qs));
}

void tst_Cli::hilfePrintsTheCopiedHelp()
{
    const Cli::Result result = run({ u"hilfe"_qs });
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, HelpContent::plainText());
    QVERIFY(result.out.startsWith(u"Zettelwerk - macOS"_qs) && !result.out.endsWith(u'\n'));
    QVERIFY(result.err.isEmpty());
}

// The vdir fixture in December 2026 and the reader's fixture file, imported, again, undone.
void tst_Cli::importsCalendarsAndFiles()
{
    qputenv("ZETTELWERK_VDIR", ZETTELWERK_TEST_DATA "/vdir");
    const QString arbeit = QDir(QStringLiteral(ZETTELWERK_TEST_DATA "/vdir/arbeit")).canonicalPath();
    const QStringList december { u"--from"_qs, u"2026-12-01"_qs, u"--to"_qs, u"2026-12-31"_qs };
    QVERIFY(run(QStringList { u"calendars"_qs } + december)
                .out.startsWith(u"4\tArbeit\t"_qs + arbeit + u"\n2\tPrivat\t"_qs));

    const QStringList fromCalendar = QStringList { u"import"_qs, u"--calendar"_qs, arbeit } + december;
    QVERIFY(
        run(fromCalendar)
            .out.startsWith(u"4 Events importiert\nKeine Duplikate\nRückgängig: zettelwerk undo-import "_qs));
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
    QCOMPARE(Cli::withAbsolutePaths({ u"import"_qs, u"a.ics"_qs, u"--from"_qs, u"x"_qs }).at(1),
        QDir::current().absoluteFilePath(u"a.ics"_qs));

    // A calendar by the name it is shown with; a name is passed on as it is.
    QVERIFY(run(QStringList { u"import"_qs, u"--calendar"_qs, u"Privat"_qs } + december)
                .out.startsWith(u"2 Events importiert\nKeine Duplikate\n"_qs));
    QCOMPARE(run(QStringList { u"import"_qs, u"--calendar"_qs, u"privat"_qs } + december).err,
        u"Kein Kalender: privat (zettelwerk calendars zeigt alle)\n"_qs);
    QCOMPARE(Cli::withAbsolutePaths({ u"import"_qs, u"--calendar"_qs, u"Privat"_qs }).at(2), u"Privat"_qs);
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
