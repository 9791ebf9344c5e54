#include "importcommands.h"

#include "icsreader.h"
#include "notejson.h"
#include "notestore.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

using Cli::Result;

Result failure(const QString& reason)
{
    return { 1, {}, reason + QLatin1Char('\n') };
}

QString jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray { text }).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.sliced(1, array.size() - 2));
}

Result icsParse(const QStringList& args)
{
    if (args.size() != 2)
        return failure(QStringLiteral("ics-parse erwartet eine .ics-Datei"));
    if (!QFileInfo(args.at(1)).isFile())
        return failure(QStringLiteral("Datei nicht gefunden: %1").arg(args.at(1)));
    QString out;
    for (const ICSEvent& event : parseICS(args.at(1))) {
        out += QStringLiteral(
            "{\"summary\":%1,\"description\":%2,\"start\":\"%3\",\"end\":%4,\"repeat\":\"%5\"}\n")
                   .arg(jsonString(event.summary), jsonString(event.description),
                       NoteJson::formatDate(event.startDate),
                       event.endDate ? QStringLiteral("\"%1\"").arg(NoteJson::formatDate(*event.endDate))
                                     : QStringLiteral("null"),
                       repeatIntervalText(event.recurrenceRule));
    }
    return { 0, out, {} };
}

} // namespace

namespace ImportCommands {

bool handles(const QString& command)
{
    static const QStringList commands { QStringLiteral("ics-parse") };
    return commands.contains(command);
}

bool changesData(const QStringList& /*args*/)
{
    return false;
}

QString helpText()
{
    return QStringLiteral(
        "  zettelwerk ics-parse DATEI  die Termine einer .ics-Datei, ein JSON-Objekt je Zeile\n");
}

Result execute(const QStringList& args, NoteStore& /*store*/)
{
    return icsParse(args);
}

} // namespace ImportCommands
