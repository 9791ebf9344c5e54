#include "viewcommands.h"

#include "clioptions.h"
#include "helpcontent.h"
#include "jsonviews.h"
#include "notestore.h"
#include "terminalviews.h"

#include <variant>

namespace {

// The shared answers and option reading of every command.
using namespace Cli;

// The terminal views evaluate "as if it were" --now; agenda reads --day, kalender --month.
struct ViewOptions {
    QDateTime now;
    QDate day;
    bool json = false;
};

std::variant<ViewOptions, Result> readViewOptions(
    const QStringList& args, const QString& dateOption, const QDateTime& now)
{
    const Options options(args, 1,
        dateOption.isEmpty() ? QStringList { QStringLiteral("--now") }
                             : QStringList { QStringLiteral("--now"), dateOption },
        { QStringLiteral("--json") });
    if (!options.error().isEmpty())
        return misused(options.error());
    if (!options.positional().isEmpty())
        return misused(QStringLiteral("Unerwartetes Argument: %1").arg(options.positional().constFirst()));
    ViewOptions view { now, {}, options.flag(QStringLiteral("--json")) };
    if (const auto text = options.value(QStringLiteral("--now"))) {
        const auto moment = Cli::parseLocalTime(*text);
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
    if (options.json) {
        const QByteArray json = byDay             ? JsonViews::agenda(store.notes(), options.day, options.now)
            : byMonth                             ? JsonViews::calendar(store.notes(), options.day)
            : command == QLatin1String("termine") ? JsonViews::appointments(store.notes(), options.now)
                                                  : JsonViews::plainNotes(store.notes());
        return succeeded(QString::fromUtf8(json));
    }
    if (byDay)
        return succeeded(TerminalViews::agenda(store.notes(), options.day, options.now));
    if (byMonth)
        return succeeded(TerminalViews::calendar(store.notes(), options.day, colour));
    if (command == QLatin1String("termine"))
        return succeeded(TerminalViews::appointments(store.notes(), options.now));
    return succeeded(TerminalViews::plainNotes(store.notes()));
}

} // namespace

namespace ViewCommands {

bool handles(const QString& command)
{
    static const QStringList commands { QStringLiteral("agenda"), QStringLiteral("termine"),
        QStringLiteral("notizen"), QStringLiteral("kalender"), QStringLiteral("hilfe") };
    return commands.contains(command);
}

Result execute(const QStringList& args, const NoteStore& store, bool colour)
{
    if (args.constFirst() != QLatin1String("hilfe"))
        return view(args, store, colour);
    // Exactly what "Kopieren" copies, no line feed added.
    const Options options(args, 1, {});
    if (!options.error().isEmpty() || !options.positional().isEmpty())
        return misused(QStringLiteral("hilfe kennt keine Argumente"));
    return { 0, HelpContent::plainText(), {} };
}

} // namespace ViewCommands
