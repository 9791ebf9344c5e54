#include "cli.h"

#include "backupcommands.h"
#include "clifiles.h"
#include "clioptions.h"
#include "idcommands.h"
#include "importcommands.h"
#include "notestore.h"
#include "recordcommands.h"
#include "synccommands.h"
#include "viewcommands.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <variant>

using Cli::failed;
using Cli::misused;
using Cli::Result;

namespace Cli {

Mode modeOf(const QStringList& args)
{
    if (args.isEmpty())
        return Mode::Gui;
    const QString& first = args.constFirst();
    if (first == QLatin1String("--self-test"))
        return Mode::SelfTest;
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help"))
        return Mode::Help;
    if (first == QLatin1String("--version"))
        return Mode::Version;
    if (first == QLatin1String("screenshot"))
        return Mode::Screenshot;
    return Mode::Command;
}

QString helpText()
{
    return QStringLiteral(
        "Zettelwerk – Notizen und Termine mit Erinnerung in der Menüleiste\n"
        "\n"
        "Aufruf:\n"
        "  zettelwerk                 startet die App im Systembereich der Leiste\n"
        "  zettelwerk list [--json]   zeigt alle Einträge (mit --json genau wie in der Datendatei)\n"
        "  zettelwerk add TEXT [--at \"JJJJ-MM-TT HH:MM\"] [Termin-Optionen]\n"
        "                             legt eine Notiz an, mit --at einen Termin; gibt die ID aus;\n"
        "                             TEXT - liest den Text von der Standardeingabe\n"
        "  zettelwerk add --schnell \"Zahnarzt morgen 14:30 wöchentlich\"\n"
        "                             liest Tag, Uhrzeit, Zeitraum und Wiederholung aus dem Text\n"
        "      --repeat Keine|Täglich|Wöchentlich|Monatlich|Jährlich\n"
        "      --until \"JJJJ-MM-TT HH:MM\"   Ende eines mehrtägigen Termins\n"
        "      --no-popup                    kein Fenster, nur Mitteilung und Glocke in der Leiste\n"
        "      --sound NAME                  Basso, Blow, Bottle, Frog, Funk, Glass, Hero, Morse, Ping,\n"
        "                                    Pop, Purr, Sosumi, Submarine oder Tink\n"
        "      --app PFAD                    Programm (.desktop) oder Datei, die geöffnet wird\n"
        "      --shell BEFEHL                Shell-Befehl, der ausgeführt wird\n"
        "  zettelwerk show ID [--json]  zeigt jedes Feld eines Eintrags\n"
        "  zettelwerk edit ID [--text TEXT] [--at \"JJJJ-MM-TT HH:MM\"] [Termin-Optionen]\n"
        "             [--popup] [--no-alarm]  ändert nur, was angegeben ist; --no-alarm macht eine Notiz\n"
        "  zettelwerk delete ID...     löscht die Einträge (alle oder keinen)\n"
        "  zettelwerk done ID         markiert einen einmaligen Termin als ausgelöst\n"
        "  zettelwerk snooze ID DAUER erinnert noch einmal nach DAUER (10m, 1h, morgen = 9:00)\n"
        "      ID: die ersten Zeichen (mindestens vier) der ID, die list zeigt und add ausgibt\n"
        "  zettelwerk agenda [--day JJJJ-MM-TT] [--json]  Termine eines Tages (wie der Tab \"Heute\")\n"
        "  zettelwerk termine [--json]  alle Termine: Kommende, Heute, Vergangen\n"
        "  zettelwerk notizen [--json]  alle Notizen, neueste zuerst\n"
        "  zettelwerk kalender [--month JJJJ-MM] [--json]  Monatskalender (* eigene, + importierte,\n"
        "                             # beides)\n"
        "      Die vier Ansichten nehmen --now \"JJJJ-MM-TT HH:MM\" (Standard: jetzt); mit --json\n"
        "      geben sie, wie batches und calendars, JSON aus (Einträge wie in der Datendatei).\n"
        "  zettelwerk screenshot --screen BILDSCHIRM --out DATEI.png\n"
        "             [--day JJJJ-MM-TT] [--now \"JJJJ-MM-TT HH:MM\"] [--dark]\n"
        "             zeichnet das Panel als Bild (mit --dark in der dunklen Darstellung);\n"
        "             BILDSCHIRM: heute, termine, notizen, delete-confirm, quit-confirm, editor,\n"
        "             editor-alarm, editor-schnell, settings, settings-confirm, help, about,\n"
        "             about-en, export, export-confirm, export-restored, heute-unreadable, heute-rang,\n"
        "             import-apple, import-access, import-ics, import-duplicates, import-success,\n"
        "             import-history, alarm oder alarm-missed (das Alarmfenster)\n"
        "  zettelwerk hilfe           der Hilfetext des Panels (wie \"Kopieren\" ihn kopiert)\n"
        "%1"
        "  zettelwerk backup DATEI    speichert alle Einträge als JSON-Backup\n"
        "  zettelwerk export-ics DATEI [--all]\n"
        "                             speichert die Termine ab heute (mit --all alle) als ICS-Datei\n"
        "  zettelwerk restore DATEI   ersetzt alle Einträge durch die des Backups\n"
        "  zettelwerk sync-folder [ORDNER | --aus] [--notizen an|aus]\n"
        "                             führt die eigenen Termine in einem vdir-Kalenderordner, den\n"
        "                             vdirsyncer mit einem CalDAV-Kalender abgleicht (ohne ORDNER:\n"
        "                             zeigt die Wahl); Anwendung und Shell-Befehl bleiben hier;\n"
        "                             --notizen an: auch die Notizen (als Journal-Einträge);\n"
        "                             aus: Notizen im Ordner bleiben dort, werden nicht mehr abgeglichen\n"
        "  zettelwerk sync [--entfernen]\n"
        "                             gleicht einmal ab: schreibt, was sich hier geändert hat, und\n"
        "                             übernimmt, was sich im Ordner geändert hat; fehlt mehr als die\n"
        "                             Hälfte auf einmal im Ordner, entfernt es nur mit --entfernen\n"
        "  zettelwerk sync-conflicts [--json]\n"
        "                             die Fassungen, die beim Abgleich unterlagen (beide Seiten\n"
        "                             hatten geändert; die neuere gilt)\n"
        "  zettelwerk undo-conflict ID  holt eine solche Fassung zurück; die bisherige wird\n"
        "                             dafür aufgehoben\n"
        "  zettelwerk --self-test     lädt die Fenster ohne Anzeige und beendet sich\n"
        "  zettelwerk --version       zeigt die Version\n"
        "\n"
        "Text und Dateinamen, die mit - beginnen, stehen hinter --, z.B. zettelwerk add -- \"-5 Grad\".\n"
        "Läuft die App bereits, führt sie add, edit, delete, done, snooze, restore, import, undo-import,\n"
        "sync und undo-conflict selbst aus.\n"
        "Rückgabewert: 0 bei Erfolg, 1 wenn der Befehl scheitert, 2 bei falschem Aufruf.\n")
        .arg(ImportCommands::helpText());
}

QString usage(const QString& command)
{
    // The command's own lines of the help: from its "  zettelwerk COMMAND" to the next command.
    const QString start = QStringLiteral("  zettelwerk ") + command;
    QStringList picked;
    bool inside = false;
    for (const QString& line : helpText().split(u'\n')) {
        if (line.startsWith(QLatin1String("  zettelwerk ")) || !line.startsWith(u' '))
            inside = !command.isEmpty() && (line == start || line.startsWith(start + u' '));
        if (inside)
            picked.append(line);
    }
    if (picked.isEmpty())
        return helpText();
    return QStringLiteral(
        "Aufruf:\n%1\n\nRückgabewert: 0 bei Erfolg, 1 wenn der Befehl scheitert, 2 bei falschem "
        "Aufruf.\n")
        .arg(picked.join(u'\n'));
}

QString versionText()
{
    return QStringLiteral("Zettelwerk %1\n").arg(QStringLiteral(ZETTELWERK_VERSION));
}

bool changesData(const QStringList& args)
{
    return !args.isEmpty()
        && (args.constFirst() == QLatin1String("add") || args.constFirst() == QLatin1String("restore")
            || (IdCommands::handles(args.constFirst()) && args.constFirst() != QLatin1String("show"))
            || SyncCommands::handles(args.constFirst()) || ImportCommands::changesData(args));
}

QStringList argumentsFrom(int argc, const char* const* argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        QStringDecoder decoder(QStringDecoder::System, QStringDecoder::Flag::ConvertInitialBom);
        args.append(decoder.decode(QByteArrayView(argv[i])));
    }
    return args;
}

QStringList withAbsolutePaths(const QStringList& args)
{
    QStringList result = args;
    const QString command = args.value(0);
    static const QStringList valueOptions = RecordCommands::addValueOptions()
        + QStringList { QStringLiteral("--calendar"), QStringLiteral("--from"), QStringLiteral("--to") };
    // The running app has another working folder: a calendar folder is named to it whole; the
    // value of --notizen is a word, not a folder.
    if (command == QLatin1String("sync-folder")) {
        for (qsizetype i = 1; i < result.size(); ++i) {
            if (result.at(i) == QLatin1String("--notizen"))
                ++i;
            else if (!result.at(i).startsWith(u'-') && !result.at(i).isEmpty())
                result[i] = QFileInfo(result.at(i)).absoluteFilePath();
        }
        return result;
    }
    if (command != QLatin1String("add") && command != QLatin1String("import"))
        return result;
    // Walked as the command reads it, so that a value that happens to read "--app" is left alone.
    for (qsizetype i = 1; i + 1 < result.size(); ++i) {
        if (result.at(i) == QLatin1String("--"))
            break;
        if (!valueOptions.contains(result.at(i)))
            continue;
        // A calendar's folder is made absolute, its shown name stays as it is.
        const bool path = result.at(i) == QLatin1String("--app")
            || (result.at(i) == QLatin1String("--calendar") && QFileInfo::exists(result.at(i + 1)));
        if (path && !result.at(i + 1).isEmpty())
            result[i + 1] = QFileInfo(result.at(i + 1)).absoluteFilePath();
        ++i;
    }
    return result;
}

std::variant<Request, Result> prepare(const QStringList& args)
{
    Request request { withAbsolutePaths(args), std::nullopt };
    // `add -` takes its text from standard input, read here: the running app has another one.
    const qsizetype dash = request.args.indexOf(QStringLiteral("-"));
    const qsizetype optionsEnd = request.args.indexOf(QStringLiteral("--"));
    if (request.args.value(0) == QLatin1String("add") && dash > 0 && (optionsEnd < 0 || dash < optionsEnd)) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return failed(QStringLiteral("Die Standardeingabe lässt sich nicht lesen"));
        QString text = QString::fromUtf8(in.readAll());
        if (text.endsWith(u'\n'))
            text.chop(1);
        request.args.removeAt(dash);
        if (optionsEnd < 0)
            request.args.append(QStringLiteral("--"));
        request.args.append(text);
    }
    const std::optional<QString> path = args.value(0) == QLatin1String("restore")
        ? BackupCommands::inputFile(args)
        : ImportCommands::inputFile(args);
    if (!path)
        return request;
    auto read = CliFiles::read(*path);
    if (const auto* reason = std::get_if<QString>(&read))
        return failed(*reason);
    auto& contents = std::get<CliFiles::Contents>(read);
    request.input = std::move(contents.bytes);
    request.inputPages = std::move(contents.pages);
    return request;
}

Result execute(const QStringList& args, NoteStore& store, bool colour)
{
    auto prepared = prepare(args);
    if (const auto* refused = std::get_if<Result>(&prepared))
        return *refused;
    return execute(std::get<Request>(prepared), store, colour);
}

Result execute(const Request& request, NoteStore& store, bool colour)
{
    const QStringList& args = request.args;
    const QString command = args.value(0);
    // `--help` after any command is the help, and nothing else happens.
    if (Cli::Options::asksForHelp(args))
        return { 0, usage(command), {} };
    static const QStringList views { QStringLiteral("agenda"), QStringLiteral("termine"),
        QStringLiteral("notizen"), QStringLiteral("kalender") };
    static const QStringList readers { QStringLiteral("list"), QStringLiteral("backup"),
        QStringLiteral("export-ics"), QStringLiteral("batches"), QStringLiteral("undo-import") };
    static const QStringList startsAfresh { QStringLiteral("add"), QStringLiteral("restore"),
        QStringLiteral("import") };
    // A data file the store could not load shows as no records: that must not read as "nothing
    // there". Commands that add records go on; the store keeps the old file beside the new one.
    const bool readsStore
        = views.contains(command) || readers.contains(command) || IdCommands::handles(command);
    const std::optional<QString> damaged
        = (readsStore || startsAfresh.contains(command)) && store.notes().isEmpty()
        ? CliFiles::dataFileProblem(store.filePath())
        : std::nullopt;
    if (damaged && readsStore)
        return failed(*damaged + QStringLiteral("; sie bleibt unverändert"));

    Result result;
    if (ViewCommands::handles(command))
        result = ViewCommands::execute(args, store, colour);
    else if (RecordCommands::handles(command))
        result = RecordCommands::execute(args, store);
    else if (IdCommands::handles(command))
        result = IdCommands::execute(args, store);
    else if (BackupCommands::handles(command))
        result = BackupCommands::execute(request, store);
    else if (ImportCommands::handles(command))
        result = ImportCommands::execute(request, store);
    else if (SyncCommands::handles(command))
        result = SyncCommands::execute(args, store);
    else
        result = misused(QStringLiteral("Unbekannter Befehl: %1 (Hilfe: zettelwerk --help)").arg(command));

    if (damaged && result.exitCode == 0) {
        const QString copy = CliFiles::keptUnreadableCopy(store.filePath());
        result.err
            += QStringLiteral("Hinweis: %1; sie wurde ersetzt und liegt als %2 daneben\n")
                   .arg(*damaged, copy.isEmpty() ? QStringLiteral("Kopie") : QFileInfo(copy).fileName());
    }
    return result;
}

} // namespace Cli
