#include "cli.h"

#include "alarmsounds.h"
#include "clifiles.h"
#include "clioptions.h"
#include "exportfile.h"
#include "helpcontent.h"
#include "icswriter.h"
#include "importcommands.h"
#include "notejson.h"
#include "notestore.h"
#include "terminalviews.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

#include <variant>

namespace {

using Cli::failed;
using Cli::misused;
using Cli::Options;
using Cli::Result;
using Cli::saveFailed;
using Cli::succeeded;

const QString dateInputFormat = QStringLiteral("yyyy-MM-dd HH:mm");

// The options of `add` that take a value.
const QStringList& addValueOptions()
{
    static const QStringList options { QStringLiteral("--at"), QStringLiteral("--repeat"),
        QStringLiteral("--until"), QStringLiteral("--sound"), QStringLiteral("--app"),
        QStringLiteral("--shell") };
    return options;
}

// A local wall-clock time, or why the text is not one.
std::variant<QDateTime, QString> parseLocalTime(const QString& text)
{
    const QDate day = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(text.mid(11), QStringLiteral("HH:mm"));
    if (text.size() != 16 || text.at(10) != u' ' || !day.isValid() || !time.isValid()
        || day.toString(QStringLiteral("yyyy-MM-dd")) != text.left(10))
        return QStringLiteral("Ungültige Zeit: %1 (erwartet JJJJ-MM-TT HH:MM)").arg(text);
    const QDateTime moment(day, time);
    // The hour the clocks skip when summer time starts.
    if (!moment.isValid() || moment.date() != day || moment.time() != time)
        return QStringLiteral(
            "Die Uhrzeit %1 gibt es am %2 nicht: die Uhren werden in dieser Nacht vorgestellt")
            .arg(time.toString(QStringLiteral("HH:mm")), day.toString(QStringLiteral("dd.MM.yyyy")));
    return moment;
}

QString describe(const ReminderNote& note)
{
    if (!note.hasAlarm) {
        return QStringLiteral("Notiz\t%1\t%2")
            .arg(note.createdAt.toLocalTime().toString(dateInputFormat), note.title());
    }
    QStringList flags;
    if (note.repeatInterval != RepeatInterval::None)
        flags.append(repeatIntervalText(note.repeatInterval));
    if (note.isTriggered)
        flags.append(QStringLiteral("erledigt"));
    if (note.isImported())
        flags.append(note.importSource);
    QString line = QStringLiteral("Termin\t%1\t%2")
                       .arg(note.alarmDate.toLocalTime().toString(dateInputFormat), note.title());
    if (!flags.isEmpty())
        line += QStringLiteral("\t(%1)").arg(flags.join(QStringLiteral(", ")));
    return line;
}

Result list(const QStringList& args, const NoteStore& store)
{
    const Options options(args, 1, {}, { QStringLiteral("--json") });
    if (!options.error().isEmpty() || !options.positional().isEmpty())
        return misused(QStringLiteral("list kennt nur die Option --json"));
    const bool json = options.flag(QStringLiteral("--json"));
    if (json)
        return succeeded(QString::fromUtf8(NoteJson::encodeCompact(store.notes())));
    if (store.notes().isEmpty())
        return succeeded(QStringLiteral("Keine Einträge"));
    QStringList lines;
    for (const ReminderNote& note : store.notes())
        lines.append(describe(note));
    return succeeded(lines.join(QLatin1Char('\n')));
}

// The alarm settings `add` takes besides the text; checked before anything is stored.
struct AlarmOptions {
    std::optional<QDateTime> at;
    std::optional<QDateTime> until;
    RepeatInterval repeat = RepeatInterval::None;
    bool usePopup = true;
    std::optional<QString> sound;
    QString app;
    QString shell;
};

std::variant<AlarmOptions, Result> readAlarmOptions(const Options& options)
{
    AlarmOptions alarm;
    for (const auto& [name, target] :
        { std::pair { u"--at", &alarm.at }, std::pair { u"--until", &alarm.until } }) {
        if (const auto text = options.value(QString::fromUtf16(name))) {
            const auto time = parseLocalTime(*text);
            if (const auto* reason = std::get_if<QString>(&time))
                return failed(*reason);
            *target = std::get<QDateTime>(time);
        }
    }
    if (const auto text = options.value(QStringLiteral("--repeat"))) {
        const auto interval = repeatIntervalFromText(*text);
        if (!interval)
            return failed(QStringLiteral(
                "Unbekannte Wiederholung: %1 (Keine, Täglich, Wöchentlich, Monatlich oder Jährlich)")
                              .arg(*text));
        alarm.repeat = *interval;
    }
    alarm.usePopup = !options.flag(QStringLiteral("--no-popup"));
    alarm.sound = options.value(QStringLiteral("--sound"));
    if (alarm.sound && !alarmSoundNames().contains(*alarm.sound))
        return failed(QStringLiteral("Unbekannter Ton: %1 (%2)")
                          .arg(*alarm.sound, alarmSoundNames().join(QStringLiteral(", "))));
    alarm.app = options.value(QStringLiteral("--app")).value_or(QString());
    if (!alarm.app.isEmpty() && !QFileInfo::exists(alarm.app))
        return failed(QStringLiteral("Programm nicht gefunden: %1").arg(alarm.app));
    alarm.shell = options.value(QStringLiteral("--shell")).value_or(QString());

    const bool alarmOptionGiven = alarm.until || alarm.repeat != RepeatInterval::None || !alarm.usePopup
        || alarm.sound || !alarm.app.isEmpty() || !alarm.shell.isEmpty();
    if (!alarm.at && alarmOptionGiven)
        return misused(
            QStringLiteral("Wiederholung, Ende und Alarm-Aktionen gelten nur für Termine mit --at"));
    if (alarm.until && *alarm.until < *alarm.at)
        return failed(QStringLiteral("Das Ende (--until) liegt vor dem Beginn (--at)"));
    return alarm;
}

Result add(const QStringList& args, NoteStore& store)
{
    const Options options(args, 1, addValueOptions(), { QStringLiteral("--no-popup") });
    if (!options.error().isEmpty())
        return misused(options.error());
    if (options.positional().size() != 1)
        return misused(QStringLiteral("add erwartet genau einen Text, z.B. zettelwerk add \"Zahnarzt\""));
    // The editor discards a record without text; the command line does not make one either.
    if (options.positional().constFirst().trimmed().isEmpty())
        return failed(QStringLiteral("Der Text ist leer: eine Notiz braucht Text"));
    const auto read = readAlarmOptions(options);
    if (const auto* refused = std::get_if<Result>(&read))
        return *refused;
    const AlarmOptions& alarm = std::get<AlarmOptions>(read);

    // Built whole and added in one change, so a failed save leaves nothing behind.
    ReminderNote note = ReminderNote::create(store.now());
    note.text = options.positional().constFirst();
    if (alarm.at) {
        note.hasAlarm = true;
        note.alarmDate = *alarm.at;
        note.repeatInterval = alarm.repeat;
        note.alarmEndDate = alarm.until;
        note.usePopup = alarm.usePopup;
        note.useSound = alarm.sound.has_value();
        note.soundName = alarm.sound.value_or(note.soundName);
        note.launchAppPath = alarm.app.isEmpty() ? QString() : QFileInfo(alarm.app).absoluteFilePath();
        note.shellScript = alarm.shell;
    }
    if (!NoteJson::isStorable(note))
        return failed(NoteJson::unstorableDateReason());
    if (!store.addNote(note))
        return saveFailed(store);
    return succeeded(note.id.toString(QUuid::WithoutBraces).toUpper());
}

// Writes an output file the user named, with a German reason when it cannot.
std::optional<Result> writeOutput(const QString& path, const QByteArray& bytes)
{
    if (const auto problem = CliFiles::writeProblem(path))
        return failed(*problem);
    if (!ExportFile::write(path, bytes))
        return failed(CliFiles::writeFailure(path));
    return std::nullopt;
}

Result backup(const QStringList& args, const NoteStore& store)
{
    const Options options(args, 1, {});
    if (!options.error().isEmpty())
        return misused(options.error());
    if (options.positional().size() != 1)
        return misused(QStringLiteral("backup erwartet einen Dateinamen"));
    if (store.notes().isEmpty())
        return failed(QStringLiteral("Keine Einträge zum Sichern"));
    if (auto refused = writeOutput(options.positional().constFirst(), ExportFile::backup(store.notes())))
        return *refused;
    return succeeded(QStringLiteral("%1 Einträge als JSON gespeichert").arg(store.notes().size()));
}

// The backup screen's ICS export: its default choice (no appointments before today), or all.
Result exportIcs(const QStringList& args, const NoteStore& store)
{
    const Options options(args, 1, {}, { QStringLiteral("--all") });
    if (!options.error().isEmpty())
        return misused(options.error());
    if (options.positional().size() != 1)
        return misused(QStringLiteral("export-ics erwartet einen Dateinamen"));
    ReminderNotes appointments = options.flag(QStringLiteral("--all"))
        ? store.notes()
        : ExportFile::chosen(store.notes(), ExportFile::defaultSelection(store.notes(), store.now()));
    appointments.removeIf([](const ReminderNote& n) { return !n.hasAlarm; });
    if (appointments.isEmpty())
        return failed(QStringLiteral("Keine Termine zum Exportieren"));
    if (auto refused = writeOutput(options.positional().constFirst(), IcsWriter::write(appointments)))
        return *refused;
    return succeeded(QStringLiteral("%1 Termine als ICS gespeichert").arg(appointments.size()));
}

// The one file `restore` reads, when the arguments name exactly one.
std::optional<QString> restoreInput(const QStringList& args)
{
    const Options options(args, 1, {});
    if (!options.error().isEmpty() || options.positional().size() != 1)
        return std::nullopt;
    return options.positional().constFirst();
}

Result restore(const Cli::Request& request, NoteStore& store)
{
    const Options options(request.args, 1, {});
    if (!options.error().isEmpty())
        return misused(options.error());
    if (options.positional().size() != 1)
        return misused(QStringLiteral("restore erwartet einen Dateinamen"));
    const QString& path = options.positional().constFirst();
    if (!request.input)
        return failed(QStringLiteral("Der Inhalt von %1 fehlt in der Anfrage").arg(path));
    const QByteArray& data = *request.input;
    const auto decoded = NoteJson::decode(data);
    if (!decoded)
        return failed(
            QStringLiteral("%1 ist kein Zettelwerk-Backup (kein gültiges JSON der Einträge)").arg(path));
    if (decoded->isEmpty())
        return failed(QStringLiteral("Die Datei enthält keine Einträge"));
    for (qsizetype i = 0; i < decoded->size(); ++i) {
        if (!NoteJson::isStorable(decoded->at(i)))
            return failed(QStringLiteral("Eintrag %1 von %2: %3")
                              .arg(i + 1)
                              .arg(path, NoteJson::unstorableDateReason()));
    }
    // The data it replaces stays beside the data file: the command line has no undo button.
    QString kept;
    if (QFileInfo(store.filePath()).isFile()) {
        const QString stem = store.filePath() + QStringLiteral(".before-restore-")
            + store.now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        kept = stem;
        for (int n = 2; QFileInfo::exists(kept); ++n)
            kept = stem + u'-' + QString::number(n);
        if (!QFile::copy(store.filePath(), kept))
            return failed(
                QStringLiteral("Die bisherigen Daten konnten nicht als %1 aufbewahrt werden; nichts "
                               "wurde wiederhergestellt")
                    .arg(kept));
    }
    const auto result = store.restoreFromJSON(data);
    if (!result || !store.saveError().isEmpty()) {
        if (!kept.isEmpty())
            QFile::remove(kept);
        return saveFailed(store);
    }
    QString answer = QStringLiteral("%1 Einträge wiederhergestellt").arg(result->count);
    if (!kept.isEmpty())
        answer += QStringLiteral("\nDie bisherigen Daten liegen in %1").arg(kept);
    return succeeded(answer);
}

// The terminal views evaluate "as if it were" --now; agenda reads --day, kalender --month.
struct ViewOptions {
    QDateTime now;
    QDate day;
};

std::variant<ViewOptions, Result> readViewOptions(
    const QStringList& args, const QString& dateOption, const QDateTime& now)
{
    const Options options(args, 1,
        dateOption.isEmpty() ? QStringList { QStringLiteral("--now") }
                             : QStringList { QStringLiteral("--now"), dateOption });
    if (!options.error().isEmpty())
        return misused(options.error());
    if (!options.positional().isEmpty())
        return misused(QStringLiteral("Unerwartetes Argument: %1").arg(options.positional().constFirst()));
    ViewOptions view { now, {} };
    if (const auto text = options.value(QStringLiteral("--now"))) {
        const auto moment = parseLocalTime(*text);
        if (const auto* reason = std::get_if<QString>(&moment))
            return failed(*reason);
        view.now = std::get<QDateTime>(moment);
    }
    view.day = view.now.date();
    const bool month = dateOption == QLatin1String("--month");
    if (const auto text = dateOption.isEmpty() ? std::nullopt : options.value(dateOption)) {
        view.day = QDate::fromString(*text, month ? QStringLiteral("yyyy-MM") : QStringLiteral("yyyy-MM-dd"));
        if (!view.day.isValid())
            return failed(QStringLiteral("Ungültiges Datum: %1 (erwartet %2)")
                              .arg(*text, month ? QStringLiteral("JJJJ-MM") : QStringLiteral("JJJJ-MM-TT")));
    }
    return view;
}

Result view(const QStringList& args, const NoteStore& store, bool colour)
{
    const QString& command = args.constFirst();
    const bool byMonth = command == QLatin1String("kalender");
    const bool byDay = command == QLatin1String("agenda");
    const auto read = readViewOptions(args,
        byMonth     ? QStringLiteral("--month")
            : byDay ? QStringLiteral("--day")
                    : QString(),
        store.now());
    if (const auto* refused = std::get_if<Result>(&read))
        return *refused;
    const ViewOptions& options = std::get<ViewOptions>(read);
    if (byDay)
        return succeeded(TerminalViews::agenda(store.notes(), options.day, options.now));
    if (byMonth)
        return succeeded(TerminalViews::calendar(store.notes(), options.day, colour));
    if (command == QLatin1String("termine"))
        return succeeded(TerminalViews::appointments(store.notes(), options.now));
    return succeeded(TerminalViews::plainNotes(store.notes()));
}

} // namespace

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

std::variant<ScreenshotRequest, QString> readScreenshotRequest(const QStringList& args)
{
    const Options options(args, 1,
        { QStringLiteral("--screen"), QStringLiteral("--out"), QStringLiteral("--day"),
            QStringLiteral("--now") },
        { QStringLiteral("--dark") });
    if (!options.error().isEmpty())
        return options.error();
    if (!options.positional().isEmpty())
        return QStringLiteral("Unerwartetes Argument: %1").arg(options.positional().constFirst());
    ScreenshotRequest request;
    request.dark = options.flag(QStringLiteral("--dark"));
    request.screen = options.value(QStringLiteral("--screen")).value_or(QString());
    request.outPng = options.value(QStringLiteral("--out")).value_or(QString());
    if (request.screen.isEmpty() || request.outPng.isEmpty())
        return QStringLiteral("screenshot braucht --screen BILDSCHIRM (siehe zettelwerk --help) "
                              "und --out DATEI.png");
    if (const auto text = options.value(QStringLiteral("--day"))) {
        request.day = QDate::fromString(*text, QStringLiteral("yyyy-MM-dd"));
        if (!request.day->isValid())
            return QStringLiteral("Ungültiges Datum: %1 (erwartet JJJJ-MM-TT)").arg(*text);
    }
    if (const auto text = options.value(QStringLiteral("--now"))) {
        const auto now = parseLocalTime(*text);
        if (const auto* reason = std::get_if<QString>(&now))
            return *reason;
        request.now = std::get<QDateTime>(now);
    }
    return request;
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
        "                             legt eine Notiz an, mit --at einen Termin; gibt die ID aus\n"
        "      --repeat Keine|Täglich|Wöchentlich|Monatlich|Jährlich\n"
        "      --until \"JJJJ-MM-TT HH:MM\"   Ende eines mehrtägigen Termins\n"
        "      --no-popup                    kein Fenster, nur Mitteilung und Glocke in der Leiste\n"
        "      --sound NAME                  Basso, Blow, Bottle, Frog, Funk, Glass, Hero, Morse, Ping,\n"
        "                                    Pop, Purr, Sosumi, Submarine oder Tink\n"
        "      --app PFAD                    Programm (.desktop) oder Datei, die geöffnet wird\n"
        "      --shell BEFEHL                Shell-Befehl, der ausgeführt wird\n"
        "  zettelwerk agenda [--day JJJJ-MM-TT]   Termine eines Tages (wie der Tab \"Heute\")\n"
        "  zettelwerk termine         alle Termine: Kommende, Heute, Vergangen\n"
        "  zettelwerk notizen         alle Notizen, neueste zuerst\n"
        "  zettelwerk kalender [--month JJJJ-MM]  Monatskalender (* eigene, + importierte, # beides)\n"
        "      Die vier Ansichten nehmen --now \"JJJJ-MM-TT HH:MM\" (Standard: jetzt).\n"
        "  zettelwerk screenshot --screen BILDSCHIRM --out DATEI.png\n"
        "             [--day JJJJ-MM-TT] [--now \"JJJJ-MM-TT HH:MM\"] [--dark]\n"
        "             zeichnet das Panel als Bild (mit --dark in der dunklen Darstellung);\n"
        "             BILDSCHIRM: heute, termine, notizen, delete-confirm, quit-confirm, editor,\n"
        "             editor-alarm, settings, settings-confirm, help, about, about-en, export,\n"
        "             export-confirm, export-restored, heute-unreadable, import-apple, import-access,\n"
        "             import-ics, import-duplicates, import-success oder import-history\n"
        "  zettelwerk hilfe           der Hilfetext des Panels (wie \"Kopieren\" ihn kopiert)\n"
        "%1"
        "  zettelwerk backup DATEI    speichert alle Einträge als JSON-Backup\n"
        "  zettelwerk export-ics DATEI [--all]\n"
        "                             speichert die Termine ab heute (mit --all alle) als ICS-Datei\n"
        "  zettelwerk restore DATEI   ersetzt alle Einträge durch die des Backups\n"
        "  zettelwerk --self-test     lädt die Fenster ohne Anzeige und beendet sich\n"
        "  zettelwerk --version       zeigt die Version\n"
        "\n"
        "Text und Dateinamen, die mit - beginnen, stehen hinter --, z.B. zettelwerk add -- \"-5 Grad\".\n"
        "Läuft die App bereits, führt sie add, restore, import und undo-import selbst aus.\n"
        "Rückgabewert: 0 bei Erfolg, 1 wenn der Befehl scheitert, 2 bei falschem Aufruf.\n")
        .arg(ImportCommands::helpText());
}

QString versionText()
{
    return QStringLiteral("Zettelwerk %1\n").arg(QStringLiteral(ZETTELWERK_VERSION));
}

bool changesData(const QStringList& args)
{
    return !args.isEmpty()
        && (args.constFirst() == QLatin1String("add") || args.constFirst() == QLatin1String("restore")
            || ImportCommands::changesData(args));
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
    static const QStringList valueOptions = addValueOptions()
        + QStringList { QStringLiteral("--calendar"), QStringLiteral("--from"), QStringLiteral("--to") };
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
    const std::optional<QString> path
        = args.value(0) == QLatin1String("restore") ? restoreInput(args) : ImportCommands::inputFile(args);
    if (!path)
        return request;
    auto read = CliFiles::read(*path);
    if (const auto* reason = std::get_if<QString>(&read))
        return failed(*reason);
    request.input = std::move(std::get<QByteArray>(read));
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
    static const QStringList views { QStringLiteral("agenda"), QStringLiteral("termine"),
        QStringLiteral("notizen"), QStringLiteral("kalender") };
    static const QStringList readers { QStringLiteral("list"), QStringLiteral("backup"),
        QStringLiteral("export-ics"), QStringLiteral("batches"), QStringLiteral("undo-import") };
    static const QStringList startsAfresh { QStringLiteral("add"), QStringLiteral("restore"),
        QStringLiteral("import") };
    // A data file the store could not load shows as no records: that must not read as "nothing
    // there". Commands that add records go on; the store keeps the old file beside the new one.
    const bool readsStore = views.contains(command) || readers.contains(command);
    const std::optional<QString> damaged
        = (readsStore || startsAfresh.contains(command)) && store.notes().isEmpty()
        ? CliFiles::dataFileProblem(store.filePath())
        : std::nullopt;
    if (damaged && readsStore)
        return failed(*damaged + QStringLiteral("; sie bleibt unverändert"));

    Result result;
    if (views.contains(command))
        result = view(args, store, colour);
    else if (command == QLatin1String("list"))
        result = list(args, store);
    else if (command == QLatin1String("add"))
        result = add(args, store);
    else if (command == QLatin1String("backup"))
        result = backup(args, store);
    else if (command == QLatin1String("export-ics"))
        result = exportIcs(args, store);
    else if (command == QLatin1String("restore"))
        result = restore(request, store);
    else if (ImportCommands::handles(command))
        result = ImportCommands::execute(request, store);
    else if (command == QLatin1String("hilfe")) // exactly what "Kopieren" copies, no line feed added
        result = args.size() == 1 ? Result { 0, HelpContent::plainText(), {} }
                                  : misused(QStringLiteral("hilfe kennt keine Argumente"));
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

namespace {

// QJsonDocument drops a U+FEFF at the start of a string as if it were a byte-order mark; as an
// escape it is read back as the character it is.
QByteArray escapedJson(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).replace("\xEF\xBB\xBF", "\\ufeff");
}

} // namespace

QByteArray encodeRequest(const Request& request)
{
    QJsonObject object { { QStringLiteral("args"), QJsonArray::fromStringList(request.args) } };
    if (request.input)
        object.insert(QStringLiteral("input"), QString::fromLatin1(request.input->toBase64()));
    return escapedJson(object);
}

Request decodeRequest(const QByteArray& request)
{
    const QJsonObject object = QJsonDocument::fromJson(request).object();
    Request decoded;
    for (const QJsonValue& value : object.value(QStringLiteral("args")).toArray())
        decoded.args.append(value.toString());
    const QJsonValue input = object.value(QStringLiteral("input"));
    if (input.isString())
        decoded.input = QByteArray::fromBase64(input.toString().toLatin1());
    return decoded;
}

QByteArray encodeResult(const Result& result)
{
    return escapedJson(QJsonObject {
        { QStringLiteral("exit"), result.exitCode },
        { QStringLiteral("out"), result.out },
        { QStringLiteral("err"), result.err },
    });
}

Result decodeResult(const QByteArray& answer)
{
    const QJsonObject object = QJsonDocument::fromJson(answer).object();
    if (object.isEmpty())
        return failed(QStringLiteral("Die laufende Zettelwerk-Instanz hat nicht geantwortet"));
    return { object.value(QStringLiteral("exit")).toInt(1), object.value(QStringLiteral("out")).toString(),
        object.value(QStringLiteral("err")).toString() };
}

} // namespace Cli
