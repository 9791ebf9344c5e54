#include "synccommands.h"

#include "appsettings.h"
#include "clioptions.h"
#include "folderexchange.h"

#include <QFileInfo>

namespace {

// The shared answers and option reading of every command.
using namespace Cli;

Result chooseFolder(const QStringList& args)
{
    const Options options(args, 1, {}, { QStringLiteral("--aus") });
    if (!options.error().isEmpty())
        return misused(options.error());
    AppSettings settings;
    if (options.flag(QStringLiteral("--aus"))) {
        if (!options.positional().isEmpty())
            return misused(QStringLiteral("sync-folder --aus erwartet keinen Ordner"));
        if (!settings.setSyncFolder({}))
            return failed(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden"));
        return succeeded(QStringLiteral("Synchronisation aus"));
    }
    if (options.positional().isEmpty()) {
        return succeeded(settings.syncFolder().isEmpty()
                ? QStringLiteral("Synchronisation aus")
                : QStringLiteral("Termine werden mit %1 abgeglichen").arg(settings.syncFolder()));
    }
    if (options.positional().size() != 1 || options.positional().constFirst().isEmpty())
        return misused(QStringLiteral("sync-folder erwartet einen Ordner"));
    const QFileInfo folder(options.positional().constFirst());
    if (!folder.isDir())
        return failed(QStringLiteral("%1 ist kein Ordner").arg(options.positional().constFirst()));
    if (!folder.isWritable())
        return failed(QStringLiteral("In %1 lässt sich nicht schreiben").arg(folder.absoluteFilePath()));
    if (!settings.setSyncFolder(folder.absoluteFilePath()))
        return failed(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden"));
    return succeeded(QStringLiteral("Termine werden mit %1 abgeglichen").arg(folder.absoluteFilePath()));
}

Result exchange(const QStringList& args, NoteStore& store)
{
    const Options options(args, 1, {});
    if (!options.error().isEmpty())
        return misused(options.error());
    if (!options.positional().isEmpty())
        return misused(QStringLiteral("sync erwartet keine Argumente"));
    const QString folder = AppSettings().syncFolder();
    if (folder.isEmpty())
        return failed(QStringLiteral("Kein Kalenderordner gewählt (zettelwerk sync-folder ORDNER)"));
    const FolderExchange::Report report = FolderExchange::run(store, folder);
    const QString done = report.lines().join(u'\n');
    if (!report.error.isEmpty())
        return failed(done.isEmpty() ? report.error : done + u'\n' + report.error);
    return succeeded(done);
}

} // namespace

namespace SyncCommands {

bool handles(const QString& command)
{
    return command == QLatin1String("sync-folder") || command == QLatin1String("sync");
}

Result execute(const QStringList& args, NoteStore& store)
{
    return args.constFirst() == QLatin1String("sync") ? exchange(args, store) : chooseFolder(args);
}

} // namespace SyncCommands
