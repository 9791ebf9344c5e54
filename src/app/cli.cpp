#include "cli.h"

#include "alarmsounds.h"
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

#include <variant>

namespace {

using Cli::Options;
using Cli::Result;

const QString dateInputFormat = QStringLiteral("yyyy-MM-dd HH:mm");

Result failure(const QString& reason)
{
    return { 1, {}, reason + QLatin1Char('\n') };
}

// What every command that changes data answers when the store could not write the file: the
// change is then only in memory and gone with this process.
Result saveFailure(const NoteStore& store)
{
    return failure(QStringLiteral("Die Daten konnten nicht gespeichert werden: %1").arg(store.saveError()));
}

Result success(const QString& text)
{
    return { 0, text.isEmpty() ? QString() : text + QLatin1Char('\n'), {} };
}

// The options of `add` that take a value.
const QStringList& addValueOptions()
{
    static const QStringList options { QStringLiteral("--at"), QStringLiteral("--repeat"),
        QStringLiteral("--until"), QStringLiteral("--sound"), QStringLiteral("--app"),
        QStringLiteral("--shell") };
    return options;
}

std::optional<QDateTime> parseLocalTime(const QString& text)
{
    const QDateTime time = QDateTime::fromString(text, dateInputFormat);
    // A time that the clocks skip when summer time starts does not exist: refuse it.
    if (!time.isValid() || time.toString(dateInputFormat) != text)
        return std::nullopt;
    return time;
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
    const QStringList rest = args.mid(1);
    const bool json = rest == QStringList { QStringLiteral("--json") };
    if (!json && !rest.isEmpty())
        return failure(QStringLiteral("list kennt nur die Option --json"));
    if (json)
        return success(QString::fromUtf8(NoteJson::encodeCompact(store.notes())));
    if (store.notes().isEmpty())
        return success(QStringLiteral("Keine Einträge"));
    QStringList lines;
    for (const ReminderNote& note : store.notes())
        lines.append(describe(note));
    return success(lines.join(QLatin1Char('\n')));
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

std::variant<AlarmOptions, QString> readAlarmOptions(const Options& options)
{
    AlarmOptions alarm;
    for (const auto& [name, target] :
        { std::pair { u"--at", &alarm.at }, std::pair { u"--until", &alarm.until } }) {
        if (const auto text = options.value(QString::fromUtf16(name))) {
            *target = parseLocalTime(*text);
            if (!*target)
                return QStringLiteral("Ungültige Zeit: %1 (erwartet JJJJ-MM-TT HH:MM)").arg(*text);
        }
    }
    if (const auto text = options.value(QStringLiteral("--repeat"))) {
        const auto interval = repeatIntervalFromText(*text);
        if (!interval)
            return QStringLiteral(
                "Unbekannte Wiederholung: %1 (Keine, Täglich, Wöchentlich, Monatlich oder Jährlich)")
                .arg(*text);
        alarm.repeat = *interval;
    }
    alarm.usePopup = !options.flag(QStringLiteral("--no-popup"));
    alarm.sound = options.value(QStringLiteral("--sound"));
    if (alarm.sound && !alarmSoundNames().contains(*alarm.sound))
        return QStringLiteral("Unbekannter Ton: %1 (%2)")
            .arg(*alarm.sound, alarmSoundNames().join(QStringLiteral(", ")));
    alarm.app = options.value(QStringLiteral("--app")).value_or(QString());
    if (!alarm.app.isEmpty() && !QFileInfo::exists(alarm.app))
        return QStringLiteral("Programm nicht gefunden: %1").arg(alarm.app);
    alarm.shell = options.value(QStringLiteral("--shell")).value_or(QString());

    const bool alarmOptionGiven = alarm.until || alarm.repeat != RepeatInterval::None || !alarm.usePopup
        || alarm.sound || !alarm.app.isEmpty() || !alarm.shell.isEmpty();
    if (!alarm.at && alarmOptionGiven)
        return QStringLiteral("Wiederholung, Ende und Alarm-Aktionen gelten nur für Termine mit --at");
    if (alarm.until && *alarm.until < *alarm.at)
        return QStringLiteral("Das Ende (--until) liegt vor dem Beginn (--at)");
    return alarm;
}

Result add(const QStringList& args, NoteStore& store)
{
    const Options options(args, 1, addValueOptions(), { QStringLiteral("--no-popup") });
    if (!options.error().isEmpty())
        return failure(options.error());
    if (options.positional().size() != 1)
        return failure(QStringLiteral("add erwartet genau einen Text, z.B. zettelwerk add \"Zahnarzt\""));
    const auto read = readAlarmOptions(options);
    if (const auto* reason = std::get_if<QString>(&read))
        return failure(*reason);
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
    if (!store.addNote(note))
        return saveFailure(store);
    return success(note.id.toString(QUuid::WithoutBraces).toUpper());
}

Result backup(const QStringList& args, const NoteStore& store)
{
    if (args.size() != 2)
        return failure(QStringLiteral("backup erwartet einen Dateinamen"));
    if (store.notes().isEmpty())
        return failure(QStringLiteral("Keine Einträge zum Sichern"));
    QString error;
    if (!ExportFile::write(args.at(1), ExportFile::backup(store.notes()), &error))
        return failure(QStringLiteral("Datei konnte nicht geschrieben werden: %1").arg(error));
    return success(QStringLiteral("%1 Einträge als JSON gespeichert").arg(store.notes().size()));
}

// The backup screen's ICS export: its default choice (no appointments before today), or all.
Result exportIcs(const QStringList& args, const NoteStore& store)
{
    const Options options(args, 1, {}, { QStringLiteral("--all") });
    if (!options.error().isEmpty())
        return failure(options.error());
    if (options.positional().size() != 1)
        return failure(QStringLiteral("export-ics erwartet einen Dateinamen"));
    ReminderNotes appointments = options.flag(QStringLiteral("--all"))
        ? store.notes()
        : ExportFile::chosen(store.notes(), ExportFile::defaultSelection(store.notes(), store.now()));
    appointments.removeIf([](const ReminderNote& n) { return !n.hasAlarm; });
    if (appointments.isEmpty())
        return failure(QStringLiteral("Keine Termine zum Exportieren"));
    QString error;
    if (!ExportFile::write(options.positional().constFirst(), IcsWriter::write(appointments), &error))
        return failure(QStringLiteral("Datei konnte nicht geschrieben werden: %1").arg(error));
    return success(QStringLiteral("%1 Termine als ICS gespeichert").arg(appointments.size()));
}

Result restore(const QStringList& args, NoteStore& store)
{
    if (args.size() != 2)
        return failure(QStringLiteral("restore erwartet einen Dateinamen"));
    QFile file(args.at(1));
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("Datei konnte nicht gelesen werden"));
    const QByteArray data = file.readAll();
    const auto decoded = NoteJson::decode(data);
    if (!decoded)
        return failure(QStringLiteral("Datei konnte nicht gelesen werden"));
    if (decoded->isEmpty())
        return failure(QStringLiteral("Die Datei enthält keine Einträge"));
    const auto result = store.restoreFromJSON(data);
    if (!result || !store.saveError().isEmpty())
        return saveFailure(store);
    return success(QStringLiteral("%1 Einträge wiederhergestellt").arg(result->count));
}

// The terminal views evaluate "as if it were" --now; agenda reads --day, kalender --month.
struct ViewOptions {
    QDateTime now;
    QDate day;
};

std::variant<ViewOptions, QString> readViewOptions(const QStringList& args, const QString& dateOption)
{
    const Options options(args, 1,
        dateOption.isEmpty() ? QStringList { QStringLiteral("--now") }
                             : QStringList { QStringLiteral("--now"), dateOption });
    if (!options.error().isEmpty())
        return options.error();
    if (!options.positional().isEmpty())
        return QStringLiteral("Unerwartetes Argument: %1").arg(options.positional().constFirst());
    ViewOptions view { QDateTime::currentDateTime(), {} };
    if (const auto text = options.value(QStringLiteral("--now"))) {
        const auto now = parseLocalTime(*text);
        if (!now)
            return QStringLiteral("Ungültige Zeit: %1 (erwartet JJJJ-MM-TT HH:MM)").arg(*text);
        view.now = *now;
    }
    view.day = view.now.date();
    const bool month = dateOption == QLatin1String("--month");
    if (const auto text = dateOption.isEmpty() ? std::nullopt : options.value(dateOption)) {
        view.day = QDate::fromString(*text, month ? QStringLiteral("yyyy-MM") : QStringLiteral("yyyy-MM-dd"));
        if (!view.day.isValid())
            return QStringLiteral("Ungültiges Datum: %1 (erwartet %2)")
                .arg(*text, month ? QStringLiteral("JJJJ-MM") : QStringLiteral("JJJJ-MM-TT"));
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
                    : QString());
    if (const auto* reason = std::get_if<QString>(&read))
        return failure(*reason);
    const ViewOptions& options = std::get<ViewOptions>(read);
    if (byDay)
        return success(TerminalViews::agenda(store.notes(), options.day, options.now));
    if (byMonth)
        return success(TerminalViews::calendar(store.notes(), options.day, colour));
    if (command == QLatin1String("termine"))
        return success(TerminalViews::appointments(store.notes(), options.now));
    return success(TerminalViews::plainNotes(store.notes()));
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
        request.now = parseLocalTime(*text);
        if (!request.now)
            return QStringLiteral("Ungültige Zeit: %1 (erwartet JJJJ-MM-TT HH:MM)").arg(*text);
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
        "Läuft die App bereits, führt sie add, restore, import und undo-import selbst aus.\n")
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

QStringList withAbsolutePaths(const QStringList& args)
{
    QStringList result = ImportCommands::withAbsolutePaths(args);
    const QString command = args.value(0);
    if ((command == QLatin1String("backup") || command == QLatin1String("restore")) && result.size() == 2)
        result[1] = QFileInfo(result.at(1)).absoluteFilePath();
    // The running app resolves nothing against its own folder: an application path is made absolute
    // where the user typed it.
    if (command == QLatin1String("add")) {
        // Walked as `add` reads it, so that a value that happens to read "--app" is left alone.
        for (qsizetype i = 1; i + 1 < result.size(); ++i) {
            if (!addValueOptions().contains(result.at(i)))
                continue;
            if (result.at(i) == QLatin1String("--app") && !result.at(i + 1).isEmpty())
                result[i + 1] = QFileInfo(result.at(i + 1)).absoluteFilePath();
            ++i;
        }
    }
    return result;
}

Result execute(const QStringList& args, NoteStore& store, bool colour)
{
    const QString command = args.value(0);
    static const QStringList views { QStringLiteral("agenda"), QStringLiteral("termine"),
        QStringLiteral("notizen"), QStringLiteral("kalender") };
    if (views.contains(command))
        return view(args, store, colour);
    if (command == QLatin1String("list"))
        return list(args, store);
    if (command == QLatin1String("add"))
        return add(args, store);
    if (command == QLatin1String("backup"))
        return backup(args, store);
    if (command == QLatin1String("export-ics"))
        return exportIcs(args, store);
    if (command == QLatin1String("restore"))
        return restore(args, store);
    if (ImportCommands::handles(command))
        return ImportCommands::execute(args, store);
    if (command == QLatin1String("hilfe")) // exactly what "Kopieren" copies, no line feed added
        return args.size() == 1 ? Result { 0, HelpContent::plainText(), {} }
                                : failure(QStringLiteral("hilfe kennt keine Argumente"));
    return failure(QStringLiteral("Unbekannter Befehl: %1 (Hilfe: zettelwerk --help)").arg(command));
}

QByteArray encodeRequest(const QStringList& args)
{
    return QJsonDocument(QJsonObject { { QStringLiteral("args"), QJsonArray::fromStringList(args) } })
        .toJson(QJsonDocument::Compact);
}

QStringList decodeRequest(const QByteArray& request)
{
    QStringList args;
    const QJsonArray array
        = QJsonDocument::fromJson(request).object().value(QStringLiteral("args")).toArray();
    for (const QJsonValue& value : array)
        args.append(value.toString());
    return args;
}

QByteArray encodeResult(const Result& result)
{
    return QJsonDocument(QJsonObject {
                             { QStringLiteral("exit"), result.exitCode },
                             { QStringLiteral("out"), result.out },
                             { QStringLiteral("err"), result.err },
                         })
        .toJson(QJsonDocument::Compact);
}

Result decodeResult(const QByteArray& answer)
{
    const QJsonObject object = QJsonDocument::fromJson(answer).object();
    if (object.isEmpty())
        return failure(QStringLiteral("Die laufende Zettelwerk-Instanz hat nicht geantwortet"));
    return { object.value(QStringLiteral("exit")).toInt(1), object.value(QStringLiteral("out")).toString(),
        object.value(QStringLiteral("err")).toString() };
}

} // namespace Cli
