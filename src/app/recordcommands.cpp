#include "recordcommands.h"

#include "alarmsounds.h"
#include "clioptions.h"
#include "idcommands.h"
#include "notejson.h"
#include "notestore.h"
#include "quickadd.h"

#include <QFileInfo>

#include <variant>

namespace {

// The shared answers and option reading of every command.
using namespace Cli;

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
        lines.append(IdCommands::shortId(note.id) + u'\t' + RecordCommands::describe(note));
    return succeeded(lines.join(QLatin1Char('\n')));
}

} // namespace

namespace RecordCommands {

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
        alarm.repeat = interval;
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

    return alarm;
}

bool AlarmOptions::givesMoreThanTheTime() const
{
    return until || repeat || !usePopup || sound || !app.isEmpty() || !shell.isEmpty();
}

} // namespace RecordCommands

namespace {

using RecordCommands::AlarmOptions;
using RecordCommands::readAlarmOptions;

Result add(const QStringList& args, NoteStore& store)
{
    const Options options(args, 1, RecordCommands::addValueOptions(),
        { QStringLiteral("--no-popup"), QStringLiteral("--schnell") });
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
    AlarmOptions alarm = std::get<AlarmOptions>(read);
    QString text = options.positional().constFirst();
    QString hint;
    if (options.flag(QStringLiteral("--schnell"))) {
        if (alarm.at || alarm.until)
            return misused(QStringLiteral("--schnell liest die Zeit aus dem Text: ohne --at und --until"));
        // Understood: the appointment it says; otherwise the text as it stands, as a note.
        if (const auto reading = QuickAdd::read(text, store.now())) {
            if (reading->title.isEmpty())
                return failed(QStringLiteral("Außer der Zeit steht nichts im Text: eine Notiz braucht Text"));
            text = reading->title;
            alarm.at = reading->at;
            alarm.until = reading->until;
            if (!alarm.repeat && reading->repeat != RepeatInterval::None)
                alarm.repeat = reading->repeat;
            hint = QStringLiteral("Erkannt: %1\n").arg(QuickAdd::describe(*reading, store.now()));
        } else {
            hint = QStringLiteral("Hinweis: keine Zeit erkannt – als Notiz angelegt\n");
            if (alarm.givesMoreThanTheTime())
                return failed(QStringLiteral(
                    "Keine Zeit erkannt: Wiederholung und Alarm-Aktionen brauchen einen Termin"));
        }
    }
    if (!alarm.at && alarm.givesMoreThanTheTime())
        return misused(
            QStringLiteral("Wiederholung, Ende und Alarm-Aktionen gelten nur für Termine mit --at"));
    if (alarm.until && *alarm.until < *alarm.at)
        return failed(QStringLiteral("Das Ende (--until) liegt vor dem Beginn (--at)"));

    // Built whole and added in one change, so a failed save leaves nothing behind.
    ReminderNote note = ReminderNote::create(store.now());
    note.text = text;
    if (alarm.at) {
        note.hasAlarm = true;
        note.alarmDate = *alarm.at;
        note.repeatInterval = alarm.repeat.value_or(RepeatInterval::None);
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
    Result added = succeeded(note.id.toString(QUuid::WithoutBraces).toUpper());
    added.err = hint;
    return added;
}

} // namespace

namespace RecordCommands {

bool handles(const QString& command)
{
    return command == QLatin1String("list") || command == QLatin1String("add");
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
    return args.constFirst() == QLatin1String("add") ? add(args, store) : list(args, store);
}

} // namespace RecordCommands
