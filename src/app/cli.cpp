#include "cli.h"

#include "notejson.h"
#include "notestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

using Cli::Result;

const QString dateInputFormat = QStringLiteral("yyyy-MM-dd HH:mm");

Result failure(const QString& reason)
{
    return { 1, {}, reason + QLatin1Char('\n') };
}

Result success(const QString& text)
{
    return { 0, text.isEmpty() ? QString() : text + QLatin1Char('\n'), {} };
}

// Reads `--name value` pairs after the positional arguments; unknown options are an error.
class Options {
public:
    Options(const QStringList& args, qsizetype first, const QStringList& known)
    {
        for (qsizetype i = first; i < args.size(); ++i) {
            const QString& arg = args.at(i);
            if (!arg.startsWith(QLatin1String("--"))) {
                m_positional.append(arg);
                continue;
            }
            if (!known.contains(arg)) {
                m_error = QStringLiteral("Unbekannte Option: %1").arg(arg);
                return;
            }
            if (i + 1 >= args.size()) {
                m_error = QStringLiteral("Option %1 braucht einen Wert").arg(arg);
                return;
            }
            m_values.insert(arg, args.at(++i));
        }
    }

    [[nodiscard]] const QString& error() const { return m_error; }
    [[nodiscard]] const QStringList& positional() const { return m_positional; }
    [[nodiscard]] std::optional<QString> value(const QString& name) const
    {
        const auto found = m_values.constFind(name);
        return found == m_values.cend() ? std::nullopt : std::optional(*found);
    }

private:
    QStringList m_positional;
    QHash<QString, QString> m_values;
    QString m_error;
};

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

Result add(const QStringList& args, NoteStore& store)
{
    const Options options(args, 1, { QStringLiteral("--at"), QStringLiteral("--repeat") });
    if (!options.error().isEmpty())
        return failure(options.error());
    if (options.positional().size() != 1)
        return failure(QStringLiteral("add erwartet genau einen Text, z.B. zettelwerk add \"Zahnarzt\""));

    std::optional<QDateTime> at;
    if (const auto text = options.value(QStringLiteral("--at"))) {
        at = parseLocalTime(*text);
        if (!at)
            return failure(QStringLiteral("Ungültige Zeit: %1 (erwartet JJJJ-MM-TT HH:MM)").arg(*text));
    }
    RepeatInterval repeat = RepeatInterval::None;
    if (const auto text = options.value(QStringLiteral("--repeat"))) {
        const auto interval = repeatIntervalFromText(*text);
        if (!interval)
            return failure(QStringLiteral("Unbekannte Wiederholung: %1 (Keine, Täglich, Wöchentlich, "
                                          "Monatlich oder Jährlich)")
                               .arg(*text));
        if (!at && *interval != RepeatInterval::None)
            return failure(QStringLiteral("--repeat gilt nur für Termine mit --at"));
        repeat = *interval;
    }

    ReminderNote note = store.addNote(at.has_value(), at);
    note.text = options.positional().constFirst();
    note.repeatInterval = repeat;
    note.isTriggered = false; // armed at once: nobody edits it first
    store.updateNote(note);
    store.save();
    return success(note.id.toString(QUuid::WithoutBraces).toUpper());
}

Result backup(const QStringList& args, const NoteStore& store)
{
    if (args.size() != 2)
        return failure(QStringLiteral("backup erwartet einen Dateinamen"));
    if (store.notes().isEmpty())
        return failure(QStringLiteral("Keine Einträge zum Sichern"));
    QSaveFile file(args.at(1));
    if (!file.open(QIODevice::WriteOnly) || file.write(NoteJson::encodePretty(store.notes())) < 0
        || !file.commit())
        return failure(QStringLiteral("Datei konnte nicht geschrieben werden: %1").arg(file.errorString()));
    return success(QStringLiteral("%1 Einträge als JSON gespeichert").arg(store.notes().size()));
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
    return success(QStringLiteral("%1 Einträge wiederhergestellt").arg(result ? result->count : 0));
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
    return Mode::Command;
}

QString helpText()
{
    return QStringLiteral(
        "Zettelwerk – Notizen und Termine mit Erinnerung in der Menüleiste\n"
        "\n"
        "Aufruf:\n"
        "  zettelwerk                 startet die App im Systembereich der Leiste\n"
        "  zettelwerk list [--json]   zeigt alle Einträge (mit --json genau wie in der Datendatei)\n"
        "  zettelwerk add TEXT [--at \"JJJJ-MM-TT HH:MM\"] [--repeat Keine|Täglich|Wöchentlich|"
        "Monatlich|Jährlich]\n"
        "                             legt eine Notiz an, mit --at einen Termin; gibt die ID aus\n"
        "  zettelwerk backup DATEI    speichert alle Einträge als JSON-Backup\n"
        "  zettelwerk restore DATEI   ersetzt alle Einträge durch die des Backups\n"
        "  zettelwerk --self-test     lädt die Fenster ohne Anzeige und beendet sich\n"
        "  zettelwerk --version       zeigt die Version\n"
        "\n"
        "Läuft die App bereits, führt sie add und restore selbst aus.\n");
}

QString versionText()
{
    return QStringLiteral("Zettelwerk %1\n").arg(QStringLiteral(ZETTELWERK_VERSION));
}

bool changesData(const QStringList& args)
{
    return !args.isEmpty()
        && (args.constFirst() == QLatin1String("add") || args.constFirst() == QLatin1String("restore"));
}

QStringList withAbsolutePaths(const QStringList& args)
{
    QStringList result = args;
    const bool takesFile = !args.isEmpty()
        && (args.constFirst() == QLatin1String("backup") || args.constFirst() == QLatin1String("restore"));
    if (takesFile && result.size() == 2)
        result[1] = QFileInfo(result.at(1)).absoluteFilePath();
    return result;
}

Result execute(const QStringList& args, NoteStore& store)
{
    const QString command = args.value(0);
    if (command == QLatin1String("list"))
        return list(args, store);
    if (command == QLatin1String("add"))
        return add(args, store);
    if (command == QLatin1String("backup"))
        return backup(args, store);
    if (command == QLatin1String("restore"))
        return restore(args, store);
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
