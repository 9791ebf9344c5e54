#include "synccommands.h"

#include "appsettings.h"
#include "clioptions.h"
#include "folderexchange.h"
#include "idcommands.h"
#include "notejson.h"
#include "notestore.h"
#include "recordcommands.h"
#include "syncconflicts.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// The shared answers and option reading of every command.
using namespace Cli;

// What is kept in step now, as `sync-folder` without a folder says it.
QString choiceText(const AppSettings& settings)
{
    if (settings.syncFolder().isEmpty())
        return settings.syncNotes()
            ? QStringLiteral("Synchronisation aus (Notizen kommen mit, sobald ein Ordner gewählt ist)")
            : QStringLiteral("Synchronisation aus");
    return (settings.syncNotes() ? QStringLiteral("Termine und Notizen werden mit %1 abgeglichen")
                                 : QStringLiteral("Termine werden mit %1 abgeglichen"))
        .arg(settings.syncFolder());
}

Result chooseFolder(const QStringList& args)
{
    const QString notesOption = QStringLiteral("--notizen");
    const Options options(args, 1, { notesOption }, { QStringLiteral("--aus") });
    if (!options.error().isEmpty())
        return misused(options.error());
    const std::optional<QString> notes = options.value(notesOption);
    if (notes && *notes != QLatin1String("an") && *notes != QLatin1String("aus"))
        return misused(QStringLiteral("--notizen erwartet an oder aus"));
    AppSettings settings;
    if (options.flag(QStringLiteral("--aus"))) {
        if (!options.positional().isEmpty())
            return misused(QStringLiteral("sync-folder --aus erwartet keinen Ordner"));
        if (notes)
            return misused(QStringLiteral("sync-folder --aus schaltet alles aus: kein --notizen dazu"));
        if (!settings.setSyncFolder({}))
            return failed(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden"));
        return succeeded(QStringLiteral("Synchronisation aus"));
    }
    if (options.positional().size() > 1
        || (!options.positional().isEmpty() && options.positional().constFirst().isEmpty()))
        return misused(QStringLiteral("sync-folder erwartet einen Ordner"));
    if (!options.positional().isEmpty()) {
        const QFileInfo folder(options.positional().constFirst());
        if (!folder.isDir())
            return failed(QStringLiteral("%1 ist kein Ordner").arg(options.positional().constFirst()));
        if (!folder.isWritable())
            return failed(QStringLiteral("In %1 lässt sich nicht schreiben").arg(folder.absoluteFilePath()));
        if (!settings.setSyncFolder(folder.absoluteFilePath()))
            return failed(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden"));
    }
    QString said = choiceText(settings);
    if (notes) {
        const bool was = settings.syncNotes();
        if (!settings.setSyncNotes(*notes == QLatin1String("an")))
            return failed(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden"));
        said = choiceText(settings);
        // Switched off, they are left where they are: removing them would remove them elsewhere too.
        if (was && !settings.syncNotes())
            said += QStringLiteral(
                "\nNotizen, die schon im Ordner sind, bleiben dort und werden nicht mehr abgeglichen");
    }
    return succeeded(said);
}

Result exchange(const QStringList& args, NoteStore& store)
{
    const QString removeMany = QStringLiteral("--entfernen");
    const Options options(args, 1, {}, { removeMany });
    if (!options.error().isEmpty())
        return misused(options.error());
    if (!options.positional().isEmpty())
        return misused(QStringLiteral("sync erwartet keine Argumente"));
    const AppSettings settings;
    if (settings.syncFolder().isEmpty())
        return failed(QStringLiteral("Kein Kalenderordner gewählt (zettelwerk sync-folder ORDNER)"));
    const FolderExchange::Report report = FolderExchange::run(store, settings.syncFolder(),
        { .notes = settings.syncNotes(), .removeMany = options.flag(removeMany) });
    const QString done = report.lines().join(u'\n');
    if (!report.error.isEmpty())
        return failed(done.isEmpty() ? report.error : done + u'\n' + report.error);
    return succeeded(done);
}

// The versions conflicts set aside, in the order they were, for `undo-conflict`.
Result conflicts(const QStringList& args, const NoteStore& store)
{
    const Options options(args, 1, {}, { QStringLiteral("--json") });
    if (!options.error().isEmpty() || !options.positional().isEmpty())
        return misused(QStringLiteral("sync-conflicts kennt nur die Option --json"));
    const std::optional<ReminderNotes> found = SyncConflicts::kept(store);
    if (!found)
        return failed(SyncConflicts::unreadable(store));
    const ReminderNotes& kept = *found;
    if (options.flag(QStringLiteral("--json")))
        return succeeded(QString::fromUtf8(NoteJson::encodeCompact(kept)));
    if (kept.isEmpty())
        return succeeded(QStringLiteral("Keine aufgehobenen Fassungen"));
    QStringList lines;
    for (const ReminderNote& version : kept) {
        const bool present = std::any_of(store.notes().cbegin(), store.notes().cend(),
            [&version](const ReminderNote& note) { return note.id == version.id; });
        lines.append(IdCommands::shortId(version.id) + u'\t' + RecordCommands::describe(version)
            + (present ? QString() : QStringLiteral("\t(gelöscht)")));
    }
    lines.append(QStringLiteral("Zurückholen: zettelwerk undo-conflict ID"));
    return succeeded(lines.join(u'\n'));
}

Result undoConflict(const QStringList& args, NoteStore& store)
{
    const Options options(args, 1, {});
    if (!options.error().isEmpty())
        return misused(options.error());
    if (options.positional().size() != 1)
        return misused(QStringLiteral("undo-conflict erwartet eine ID (siehe zettelwerk sync-conflicts)"));
    const std::optional<ReminderNotes> kept = SyncConflicts::kept(store);
    if (!kept)
        return failed(SyncConflicts::unreadable(store));
    const auto id = IdCommands::find(options.positional().constFirst(), *kept);
    if (const auto* refused = std::get_if<Result>(&id))
        return *refused;
    const QString error = SyncConflicts::bringBack(store, std::get<QUuid>(id));
    if (!error.isEmpty())
        return failed(error);
    const auto back = std::find_if(store.notes().cbegin(), store.notes().cend(),
        [&id](const ReminderNote& note) { return note.id == std::get<QUuid>(id); });
    return succeeded(QStringLiteral("Die aufgehobene Fassung von „%1“ gilt wieder").arg(back->title()));
}

} // namespace

namespace SyncCommands {

bool handles(const QString& command)
{
    static const QStringList commands { QStringLiteral("sync-folder"), QStringLiteral("sync"),
        QStringLiteral("sync-conflicts"), QStringLiteral("undo-conflict") };
    return commands.contains(command);
}

Result execute(const QStringList& args, NoteStore& store)
{
    const QString& command = args.constFirst();
    if (command == QLatin1String("sync"))
        return exchange(args, store);
    if (command == QLatin1String("sync-conflicts"))
        return conflicts(args, store);
    if (command == QLatin1String("undo-conflict"))
        return undoConflict(args, store);
    return chooseFolder(args);
}

} // namespace SyncCommands
