#include "recordcommands.h"

#include "alarmsounds.h"
#include "clioptions.h"
#include "notejson.h"
#include "notestore.h"
#include "snooze.h"

#include <QFileInfo>

#include <variant>

namespace {

// The shared answers and option reading of every command.
using namespace Cli;

QString describe(const ReminderNote& note)
{
    if (!note.hasAlarm) {
        return QStringLiteral("Notiz\t%1\t%2")
            .arg(note.createdAt.toLocalTime().toString(Cli::dateInputFormat), note.title());
    }
    QStringList flags;
    if (note.repeatInterval != RepeatInterval::None)
        flags.append(repeatIntervalText(note.repeatInterval));
    if (note.isTriggered)
        flags.append(QStringLiteral("erledigt"));
    if (note.isImported())
        flags.append(note.importSource);
    if (note.snoozeDate)
        flags.append(
            QStringLiteral("später: ") + note.snoozeDate->toLocalTime().toString(Cli::dateInputFormat));
    QString line = QStringLiteral("Termin\t%1\t%2")
                       .arg(note.alarmDate.toLocalTime().toString(Cli::dateInputFormat), note.title());
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
            const auto time = Cli::parseLocalTime(*text);
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
    const Options options(args, 1, RecordCommands::addValueOptions(), { QStringLiteral("--no-popup") });
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

// A full id as `add` prints it, or a unique start of one (at least four characters).
std::variant<QUuid, Result> findId(const QString& text, const NoteStore& store)
{
    const QString wanted = text.trimmed().toUpper().remove(u'{').remove(u'}');
    if (wanted.size() < 4)
        return misused(QStringLiteral("Die ID ist zu kurz: mindestens vier Zeichen"));
    QList<QUuid> found;
    for (const ReminderNote& note : store.notes()) {
        if (note.id.toString(QUuid::WithoutBraces).toUpper().startsWith(wanted))
            found.append(note.id);
    }
    if (found.isEmpty())
        return failed(QStringLiteral("Kein Eintrag mit der ID %1").arg(text));
    if (found.size() > 1)
        return failed(QStringLiteral("Die ID %1 passt auf %2 Einträge").arg(text).arg(found.size()));
    return found.constFirst();
}

Result snooze(const QStringList& args, NoteStore& store)
{
    const Options options(args, 1, {}, {});
    if (!options.error().isEmpty())
        return misused(options.error());
    if (options.positional().size() != 2)
        return misused(
            QStringLiteral("snooze erwartet eine ID und eine Dauer, z.B. zettelwerk snooze 1A2B 10m"));
    const auto id = findId(options.positional().at(0), store);
    if (const auto* refused = std::get_if<Result>(&id))
        return *refused;
    const QString span = options.positional().at(1);
    const auto until = Snooze::parse(span, store.now());
    if (!until)
        return misused(QStringLiteral("Unbekannte Dauer: %1 (z.B. 10m, 1h oder morgen, höchstens eine Woche)")
                           .arg(span));
    const auto note = std::find_if(store.notes().cbegin(), store.notes().cend(),
        [&id](const ReminderNote& candidate) { return candidate.id == std::get<QUuid>(id); });
    if (!note->hasAlarm)
        return failed(QStringLiteral("„%1“ ist kein Termin").arg(note->title()));
    if (!store.snooze({ note->id }, *until))
        return saveFailed(store);
    return succeeded(
        QStringLiteral("Erinnert wieder am %1").arg(until->toLocalTime().toString(Cli::dateInputFormat)));
}

} // namespace

namespace RecordCommands {

bool handles(const QString& command)
{
    return command == QLatin1String("list") || command == QLatin1String("add")
        || command == QLatin1String("snooze");
}

const QStringList& addValueOptions()
{
    static const QStringList options { QStringLiteral("--at"), QStringLiteral("--repeat"),
        QStringLiteral("--until"), QStringLiteral("--sound"), QStringLiteral("--app"),
        QStringLiteral("--shell") };
    return options;
}

Result execute(const QStringList& args, NoteStore& store)
{
    const QString& command = args.constFirst();
    if (command == QLatin1String("add"))
        return add(args, store);
    if (command == QLatin1String("snooze"))
        return snooze(args, store);
    return list(args, store);
}

} // namespace RecordCommands
