#include "importcommands.h"

#include "calendarimportmodel.h"
#include "clifiles.h"
#include "clioptions.h"
#include "icsreader.h"
#include "jsonviews.h"
#include "notejson.h"
#include "notestore.h"
#include "vdircalendarstore.h"

#include <QFileInfo>

#include <variant>

namespace {

// The shared answers and option reading of every command.
using namespace Cli;

const QStringList& importValueOptions()
{
    static const QStringList options { QStringLiteral("--calendar"), QStringLiteral("--from"),
        QStringLiteral("--to") };
    return options;
}

const QString replaceFlag = QStringLiteral("--replace-duplicates");

// Whoever runs a command has chosen the calendars to read: no question in the app needed.
VdirCalendarStore consentedCalendars()
{
    return VdirCalendarStore({ [] { return std::optional(true); }, [](bool) { return true; } });
}

// The screen's model with the range of --from and --to (each defaults to the current month's).
std::variant<Result, bool> applyRange(const Options& options, CalendarImportModel& model)
{
    for (const auto& [name, setter] : { std::pair { u"--from", &CalendarImportModel::setStartDate },
             std::pair { u"--to", &CalendarImportModel::setEndDate } }) {
        const auto text = options.value(QString::fromUtf16(name));
        if (!text)
            continue;
        const QDate day = QDate::fromString(*text, QStringLiteral("yyyy-MM-dd"));
        if (!day.isValid())
            return failed(QStringLiteral("Ungültiges Datum: %1 (erwartet JJJJ-MM-TT)").arg(*text));
        (model.*setter)(day);
    }
    if (model.endDate() < model.startDate())
        return failed(QStringLiteral("Das Ende (--to) liegt vor dem Beginn (--from)"));
    return true;
}

// The calendar `given` names: its folder, or its shown name when no other calendar has it.
std::variant<QString, CalendarInfo> calendarNamed(
    const QString& given, const QList<CalendarImportModel::CountedCalendar>& known)
{
    const QString folder = QFileInfo(given).canonicalFilePath();
    QList<CalendarInfo> named;
    for (const auto& [calendar, count] : known) {
        if (!folder.isEmpty() && calendar.identifier == folder)
            return calendar;
        if (calendar.title == given)
            named.append(calendar);
    }
    if (named.size() == 1)
        return named.constFirst();
    if (named.size() > 1)
        return QStringLiteral(
            "%1 Kalender heißen %2: bitte den Ordner angeben (zettelwerk calendars zeigt alle)")
            .arg(named.size())
            .arg(given);
    return QStringLiteral("Kein Kalender: %1 (zettelwerk calendars zeigt alle)").arg(given);
}

// The .ics file's contents as the caller read them, or why they cannot be imported.
std::variant<QByteArray, Result> icsInput(const Cli::Request& request, const QString& path)
{
    if (!request.input)
        return failed(QStringLiteral("Der Inhalt von %1 fehlt in der Anfrage").arg(path));
    // The reader takes such a file as one without events; the user should hear why.
    if (!CliFiles::isUtf8(*request.input))
        return failed(
            QStringLiteral("%1 ist nicht in UTF-8 kodiert und kann nicht gelesen werden").arg(path));
    return *request.input;
}

Result icsParse(const Cli::Request& request)
{
    const Options options(request.args, 1, {});
    if (!options.error().isEmpty())
        return misused(options.error());
    if (options.positional().size() != 1)
        return misused(QStringLiteral("ics-parse erwartet eine .ics-Datei"));
    const auto input = icsInput(request, options.positional().constFirst());
    if (const auto* refused = std::get_if<Result>(&input))
        return *refused;
    QByteArray out;
    for (const ICSEvent& event : parseICSData(std::get<QByteArray>(input)))
        JsonViews::appendEvent(out, event);
    return { 0, QString::fromUtf8(out), {} };
}

Result calendars(const QStringList& args, NoteStore& store)
{
    const Options options(
        args, 1, { QStringLiteral("--from"), QStringLiteral("--to") }, { QStringLiteral("--json") });
    if (!options.error().isEmpty())
        return misused(options.error());
    if (!options.positional().isEmpty())
        return misused(QStringLiteral("Unerwartetes Argument: %1").arg(options.positional().constFirst()));
    VdirCalendarStore calendarStore = consentedCalendars();
    CalendarImportModel model;
    model.attach(&store, &calendarStore);
    const auto range = applyRange(options, model);
    if (const auto* refused = std::get_if<Result>(&range))
        return *refused;
    model.waitForResults();
    if (options.flag(QStringLiteral("--json"))) {
        QByteArrayList objects;
        for (const auto& [calendar, count] : model.sortedCalendars())
            objects.append("{\"id\":" + JsonViews::string(calendar.identifier) + ",\"title\":"
                + JsonViews::string(calendar.title) + ",\"events\":" + QByteArray::number(count) + '}');
        return succeeded(QString::fromUtf8('[' + objects.join(',') + ']'));
    }
    if (model.sortedCalendars().isEmpty())
        return succeeded(QStringLiteral("Keine Kalender verfügbar"));
    QStringList lines;
    for (const auto& [calendar, count] : model.sortedCalendars())
        lines.append(QStringLiteral("%1\t%2\t%3").arg(count).arg(calendar.title, calendar.identifier));
    return succeeded(lines.join(u'\n'));
}

// Either tab's import with every event ticked; duplicates are skipped unless told otherwise.
Result import(const Cli::Request& request, NoteStore& store)
{
    const Options options(request.args, 1, importValueOptions(), { replaceFlag });
    if (!options.error().isEmpty())
        return misused(options.error());
    const auto calendar = options.value(QStringLiteral("--calendar"));
    if (calendar ? !options.positional().isEmpty() : options.positional().size() != 1)
        return misused(QStringLiteral("import erwartet eine .ics-Datei oder --calendar KALENDER"));
    if (!calendar && (options.value(QStringLiteral("--from")) || options.value(QStringLiteral("--to"))))
        return misused(QStringLiteral("--from und --to gelten nur mit --calendar"));

    VdirCalendarStore calendarStore = consentedCalendars();
    CalendarImportModel model;
    model.attach(&store, &calendarStore);
    if (calendar) {
        const auto range = applyRange(options, model);
        if (const auto* refused = std::get_if<Result>(&range))
            return *refused;
        const auto identifier = calendarNamed(*calendar, model.sortedCalendars());
        if (const auto* reason = std::get_if<QString>(&identifier))
            return failed(*reason);
        model.tapCalendar(std::get<CalendarInfo>(identifier).identifier);
        model.waitForResults();
        model.importAppleEvents();
    } else {
        const QString& file = options.positional().constFirst();
        const auto input = icsInput(request, file);
        if (const auto* refused = std::get_if<Result>(&input))
            return *refused;
        model.importICSData(QFileInfo(file).fileName(), std::get<QByteArray>(input));
    }

    const bool replace = options.flag(replaceFlag);
    const qsizetype duplicates = model.pendingCollisions().size();
    if (model.hasCollisions()) {
        if (replace)
            model.replaceAll();
        model.executeCollisionImport();
    }
    if (!store.saveError().isEmpty())
        return saveFailed(store);
    QStringList lines { QStringLiteral("%1 Events importiert").arg(model.importedCount().value_or(0)) };
    if (!model.skippedText().isEmpty())
        lines.append(model.skippedText());
    if (duplicates > 0)
        lines.append(QStringLiteral("%1 %2 %3")
                         .arg(duplicates)
                         .arg(duplicates == 1 ? QStringLiteral("Duplikat") : QStringLiteral("Duplikate"),
                             replace ? QStringLiteral("ersetzt") : QStringLiteral("übersprungen")));
    else
        lines.append(QStringLiteral("Keine Duplikate"));
    if (model.importedCount().value_or(0) > 0)
        lines.append(QStringLiteral("Rückgängig: zettelwerk undo-import %1")
                         .arg(model.lastBatchId().value_or(QString())));
    return succeeded(lines.join(u'\n'));
}

Result batches(const QStringList& args, const NoteStore& store)
{
    const Options options(args, 1, {}, { QStringLiteral("--json") });
    if (!options.error().isEmpty() || !options.positional().isEmpty())
        return misused(QStringLiteral("batches kennt nur die Option --json"));
    const QList<ImportBatchSummary> batches = store.importBatches();
    if (options.flag(QStringLiteral("--json"))) {
        QByteArrayList objects;
        for (const ImportBatchSummary& batch : batches)
            objects.append("{\"id\":" + JsonViews::string(batch.batchId) + ",\"source\":"
                + JsonViews::string(batch.source) + ",\"count\":" + QByteArray::number(batch.count)
                + ",\"date\":" + JsonViews::string(NoteJson::formatDate(batch.date)) + '}');
        return succeeded(QString::fromUtf8('[' + objects.join(',') + ']'));
    }
    if (batches.isEmpty())
        return succeeded(QStringLiteral("Keine Imports"));
    QStringList lines;
    for (const ImportBatchSummary& batch : batches) {
        lines.append(QStringLiteral("%1\t%2\t%3 Events - %4")
                         .arg(batch.batchId, batch.source)
                         .arg(batch.count)
                         .arg(formatBatchDate(batch.date)));
    }
    return succeeded(lines.join(u'\n'));
}

Result undoImport(const QStringList& args, NoteStore& store)
{
    if (args.size() != 2 || args.at(1).isEmpty())
        return misused(
            QStringLiteral("undo-import erwartet die ID eines Imports (siehe zettelwerk batches)"));
    const QList<ImportBatchSummary> known = store.importBatches();
    const auto batch = std::find_if(known.cbegin(), known.cend(),
        [&args](const ImportBatchSummary& summary) { return summary.batchId == args.at(1); });
    if (batch == known.cend())
        return failed(
            QStringLiteral("Kein Import mit der ID %1 (zettelwerk batches zeigt alle)").arg(args.at(1)));
    store.deleteImportBatch(batch->batchId);
    if (!store.saveError().isEmpty())
        return saveFailed(store);
    return succeeded(QStringLiteral("%1 Events entfernt (%2)").arg(batch->count).arg(batch->source));
}

} // namespace

namespace ImportCommands {

bool handles(const QString& command)
{
    static const QStringList commands { QStringLiteral("ics-parse"), QStringLiteral("calendars"),
        QStringLiteral("import"), QStringLiteral("batches"), QStringLiteral("undo-import") };
    return commands.contains(command);
}

bool changesData(const QStringList& args)
{
    const QString command = args.value(0);
    return command == QLatin1String("import") || command == QLatin1String("undo-import");
}

std::optional<QString> inputFile(const QStringList& args)
{
    const QString command = args.value(0);
    const bool import = command == QLatin1String("import");
    if (!import && command != QLatin1String("ics-parse"))
        return std::nullopt;
    const Options options(args, 1, import ? importValueOptions() : QStringList(),
        import ? QStringList { replaceFlag } : QStringList());
    // Only an import the command would carry out; a misuse is reported as such, not as a file fault.
    if (!options.error().isEmpty() || options.positional().size() != 1
        || options.value(QStringLiteral("--calendar")) || options.value(QStringLiteral("--from"))
        || options.value(QStringLiteral("--to")))
        return std::nullopt;
    return options.positional().constFirst();
}

QString helpText()
{
    return QStringLiteral(
        "  zettelwerk ics-parse DATEI  die Events einer .ics-Datei, ein JSON-Objekt je Zeile\n"
        "  zettelwerk calendars [--from JJJJ-MM-TT --to JJJJ-MM-TT] [--json]\n"
        "                             die Kalender (vdir) mit der Zahl ihrer Events im Zeitraum\n"
        "                             (Standard: dieser Monat), Kalender-ID in der letzten Spalte\n"
        "  zettelwerk import DATEI.ics [--replace-duplicates]\n"
        "  zettelwerk import --calendar KALENDER [--from JJJJ-MM-TT] [--to JJJJ-MM-TT]\n"
        "             [--replace-duplicates]   importiert alle Events als ein Import; Duplikate\n"
        "                             werden übersprungen, mit --replace-duplicates ersetzt;\n"
        "                             KALENDER ist die Kalender-ID oder ein eindeutiger Name\n"
        "  zettelwerk batches [--json]  die bisherigen Imports: ID, Quelle, Anzahl und Datum\n"
        "  zettelwerk undo-import ID  entfernt alle Einträge eines Imports\n");
}

Result execute(const Cli::Request& request, NoteStore& store)
{
    const QStringList& args = request.args;
    const QString command = args.value(0);
    if (command == QLatin1String("ics-parse"))
        return icsParse(request);
    if (command == QLatin1String("calendars"))
        return calendars(args, store);
    if (command == QLatin1String("import"))
        return import(request, store);
    if (command == QLatin1String("batches"))
        return batches(args, store);
    return undoImport(args, store);
}

} // namespace ImportCommands
