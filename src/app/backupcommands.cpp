#include "backupcommands.h"

#include "clifiles.h"
#include "clioptions.h"
#include "exportfile.h"
#include "icswriter.h"
#include "notejson.h"
#include "notestore.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The shared answers and option reading of every command.
using namespace Cli;

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

} // namespace

namespace BackupCommands {

bool handles(const QString& command)
{
    return command == QLatin1String("backup") || command == QLatin1String("export-ics")
        || command == QLatin1String("restore");
}

std::optional<QString> inputFile(const QStringList& args)
{
    if (args.value(0) != QLatin1String("restore"))
        return std::nullopt;
    const Options options(args, 1, {});
    if (!options.error().isEmpty() || options.positional().size() != 1)
        return std::nullopt;
    return options.positional().constFirst();
}

Result execute(const Cli::Request& request, NoteStore& store)
{
    const QString& command = request.args.constFirst();
    if (command == QLatin1String("backup"))
        return backup(request.args, store);
    if (command == QLatin1String("export-ics"))
        return exportIcs(request.args, store);
    return restore(request, store);
}

} // namespace BackupCommands
