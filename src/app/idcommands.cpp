#include "idcommands.h"

#include "clioptions.h"
#include "notejson.h"
#include "notestore.h"
#include "recordcommands.h"
#include "snooze.h"

#include <QFileInfo>
#include <QSet>

namespace {

using namespace Cli;

const ReminderNote& recordOf(const QUuid& id, const NoteStore& store)
{
    return *std::find_if(store.notes().cbegin(), store.notes().cend(),
        [&id](const ReminderNote& note) { return note.id == id; });
}

QString time(const QDateTime& moment)
{
    return moment.toLocalTime().toString(Cli::dateInputFormat);
}

QString orDash(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("–") : text;
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("ja") : QStringLiteral("nein");
}

// The command's one record, after its options; or why there is none.
std::variant<QUuid, Result> theRecord(const QString& name, const Options& options, const NoteStore& store)
{
    if (!options.error().isEmpty())
        return misused(options.error());
    if (options.positional().size() != 1)
        return misused(QStringLiteral("%1 erwartet genau eine ID, z.B. zettelwerk %1 1A2B").arg(name));
    return IdCommands::find(options.positional().constFirst(), store);
}

Result show(const QStringList& args, const NoteStore& store)
{
    const Options options(args, 1, {}, { QStringLiteral("--json") });
    const auto id = theRecord(QStringLiteral("show"), options, store);
    if (const auto* refused = std::get_if<Result>(&id))
        return *refused;
    const ReminderNote& note = recordOf(std::get<QUuid>(id), store);
    if (options.flag(QStringLiteral("--json"))) {
        // The record exactly as the data file holds it.
        const QByteArray array = NoteJson::encodeCompact({ note });
        return succeeded(QString::fromUtf8(array.mid(1, array.size() - 2)));
    }
    QList<std::pair<QString, QString>> fields {
        { QStringLiteral("ID"), note.id.toString(QUuid::WithoutBraces).toUpper() },
        { QStringLiteral("Art"), note.hasAlarm ? QStringLiteral("Termin") : QStringLiteral("Notiz") },
        { QStringLiteral("Text"), note.text },
        { QStringLiteral("Angelegt"), time(note.createdAt) },
    };
    if (note.hasAlarm) {
        fields += {
            { QStringLiteral("Alarm"), time(note.alarmDate) },
            { QStringLiteral("Ende"), note.alarmEndDate ? time(*note.alarmEndDate) : QStringLiteral("–") },
            { QStringLiteral("Wiederholung"), repeatIntervalText(note.repeatInterval) },
            { QStringLiteral("Popup"), yesNo(note.usePopup) },
            { QStringLiteral("Ton"), note.useSound ? note.soundName : QStringLiteral("–") },
            { QStringLiteral("Programm"), orDash(note.launchAppPath) },
            { QStringLiteral("Shell-Befehl"), orDash(note.shellScript) },
            { QStringLiteral("Ausgelöst"), yesNo(note.isTriggered) },
            { QStringLiteral("Später"), note.snoozeDate ? time(*note.snoozeDate) : QStringLiteral("–") },
        };
    }
    if (note.isImported())
        fields.append({ QStringLiteral("Import"),
            note.importSource + QStringLiteral(" (") + note.importBatchId + u')' });
    QStringList lines;
    for (const auto& [label, value] : fields) {
        // A text of several lines stays readable under its label.
        QString indented = value;
        indented.replace(u'\n', QStringLiteral("\n              "));
        lines.append((label + u':').leftJustified(14) + indented);
    }
    return succeeded(lines.join(u'\n'));
}

Result edit(const QStringList& args, NoteStore& store)
{
    const Options options(args, 1,
        RecordCommands::addValueOptions() + QStringList { QStringLiteral("--text") },
        { QStringLiteral("--no-popup"), QStringLiteral("--popup"), QStringLiteral("--no-alarm") });
    const auto id = theRecord(QStringLiteral("edit"), options, store);
    if (const auto* refused = std::get_if<Result>(&id))
        return *refused;
    const auto read = RecordCommands::readAlarmOptions(options);
    if (const auto* refused = std::get_if<Result>(&read))
        return *refused;
    const RecordCommands::AlarmOptions& alarm = std::get<RecordCommands::AlarmOptions>(read);
    const bool noAlarm = options.flag(QStringLiteral("--no-alarm"));
    if (noAlarm && (alarm.at || alarm.givesMoreThanTheTime() || options.flag(QStringLiteral("--popup"))))
        return misused(QStringLiteral("--no-alarm macht den Termin zur Notiz: keine Alarm-Optionen dazu"));

    ReminderNote note = recordOf(std::get<QUuid>(id), store);
    const ReminderNote before = note;
    if (const auto text = options.value(QStringLiteral("--text"))) {
        if (text->trimmed().isEmpty())
            return failed(QStringLiteral("Der Text ist leer: eine Notiz braucht Text"));
        note.text = *text;
    }
    if (noAlarm) {
        note.hasAlarm = false;
        note.snoozeDate.reset();
    }
    if (alarm.at) {
        note.hasAlarm = true;
        note.alarmDate = *alarm.at;
        // A new time arms it again, as saving in the editor does.
        note.isTriggered = false;
    }
    if (!note.hasAlarm && alarm.givesMoreThanTheTime())
        return misused(QStringLiteral(
            "Wiederholung, Ende und Alarm-Aktionen gelten nur für Termine (mit --at zum Termin machen)"));
    if (alarm.until)
        note.alarmEndDate = alarm.until;
    if (alarm.repeat)
        note.repeatInterval = *alarm.repeat;
    if (!alarm.usePopup)
        note.usePopup = false;
    if (options.flag(QStringLiteral("--popup")))
        note.usePopup = true;
    if (alarm.sound) {
        note.useSound = true;
        note.soundName = *alarm.sound;
    }
    if (!alarm.app.isEmpty())
        note.launchAppPath = QFileInfo(alarm.app).absoluteFilePath();
    if (options.value(QStringLiteral("--shell")))
        note.shellScript = alarm.shell;
    if (note.hasAlarm && note.alarmEndDate && *note.alarmEndDate < note.alarmDate)
        return failed(QStringLiteral("Das Ende (--until) liegt vor dem Beginn"));
    if (!NoteJson::isStorable(note))
        return failed(NoteJson::unstorableDateReason());
    if (note.hasSameFields(before))
        return succeeded(QStringLiteral("Unverändert: %1").arg(note.title()));
    if (!store.commitNote(note))
        return saveFailed(store);
    return succeeded(QStringLiteral("Geändert: %1").arg(note.title()));
}

Result remove(const QStringList& args, NoteStore& store)
{
    const Options options(args, 1, {});
    if (!options.error().isEmpty())
        return misused(options.error());
    if (options.positional().isEmpty())
        return misused(QStringLiteral("delete erwartet eine oder mehrere IDs, z.B. zettelwerk delete 1A2B"));
    // Every id first: one that is wrong deletes nothing.
    QSet<QUuid> ids;
    for (const QString& text : options.positional()) {
        const auto id = IdCommands::find(text, store);
        if (const auto* refused = std::get_if<Result>(&id))
            return *refused;
        ids.insert(std::get<QUuid>(id));
    }
    ReminderNotes kept;
    for (const ReminderNote& note : store.notes()) {
        if (!ids.contains(note.id))
            kept.append(note);
    }
    if (!store.replaceNotes(kept))
        return saveFailed(store);
    return succeeded(ids.size() == 1 ? QStringLiteral("1 Eintrag gelöscht")
                                     : QStringLiteral("%1 Einträge gelöscht").arg(ids.size()));
}

Result done(const QStringList& args, NoteStore& store)
{
    const Options options(args, 1, {});
    const auto id = theRecord(QStringLiteral("done"), options, store);
    if (const auto* refused = std::get_if<Result>(&id))
        return *refused;
    ReminderNote note = recordOf(std::get<QUuid>(id), store);
    if (!note.hasAlarm)
        return failed(QStringLiteral("„%1“ ist kein Termin").arg(note.title()));
    if (note.repeatInterval != RepeatInterval::None)
        return failed(
            QStringLiteral("„%1“ wiederholt sich: done gilt für einmalige Termine").arg(note.title()));
    if (note.isTriggered && !note.snoozeDate)
        return succeeded(QStringLiteral("Schon erledigt: %1").arg(note.title()));
    note.isTriggered = true;
    note.snoozeDate.reset();
    if (!store.commitNote(note))
        return saveFailed(store);
    return succeeded(QStringLiteral("Erledigt: %1").arg(note.title()));
}

Result snooze(const QStringList& args, NoteStore& store)
{
    const Options options(args, 1, {});
    if (!options.error().isEmpty())
        return misused(options.error());
    if (options.positional().size() != 2)
        return misused(
            QStringLiteral("snooze erwartet eine ID und eine Dauer, z.B. zettelwerk snooze 1A2B 10m"));
    const auto id = IdCommands::find(options.positional().at(0), store);
    if (const auto* refused = std::get_if<Result>(&id))
        return *refused;
    const QString span = options.positional().at(1);
    const auto until = Snooze::parse(span, store.now());
    if (!until)
        return misused(QStringLiteral("Unbekannte Dauer: %1 (z.B. 10m, 1h oder morgen, höchstens eine Woche)")
                           .arg(span));
    const ReminderNote& note = recordOf(std::get<QUuid>(id), store);
    if (!note.hasAlarm)
        return failed(QStringLiteral("„%1“ ist kein Termin").arg(note.title()));
    if (!store.snooze({ note.id }, *until))
        return saveFailed(store);
    return succeeded(QStringLiteral("Erinnert wieder am %1").arg(time(*until)));
}

} // namespace

namespace IdCommands {

bool handles(const QString& command)
{
    static const QStringList commands { QStringLiteral("show"), QStringLiteral("edit"),
        QStringLiteral("delete"), QStringLiteral("done"), QStringLiteral("snooze") };
    return commands.contains(command);
}

Result execute(const QStringList& args, NoteStore& store)
{
    const QString& command = args.constFirst();
    if (command == QLatin1String("show"))
        return show(args, store);
    if (command == QLatin1String("edit"))
        return edit(args, store);
    if (command == QLatin1String("delete"))
        return remove(args, store);
    if (command == QLatin1String("done"))
        return done(args, store);
    return snooze(args, store);
}

QString shortId(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces).left(8).toUpper();
}

std::variant<QUuid, Result> find(const QString& text, const NoteStore& store)
{
    return find(text, store.notes());
}

std::variant<QUuid, Result> find(const QString& text, const ReminderNotes& records)
{
    const QString wanted = text.trimmed().toUpper().remove(u'{').remove(u'}');
    if (wanted.size() < 4)
        return misused(QStringLiteral("Die ID %1 ist zu kurz: mindestens vier Zeichen").arg(text));
    QList<QUuid> found;
    for (const ReminderNote& note : records) {
        if (note.id.toString(QUuid::WithoutBraces).toUpper().startsWith(wanted) && !found.contains(note.id))
            found.append(note.id);
    }
    if (found.isEmpty())
        return failed(QStringLiteral("Kein Eintrag mit der ID %1").arg(text));
    if (found.size() > 1)
        return failed(QStringLiteral("Die ID %1 passt auf %2 Einträge").arg(text).arg(found.size()));
    return found.constFirst();
}

} // namespace IdCommands
