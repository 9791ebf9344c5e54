#include "cli.h"
#include "clioptions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// The hand-over to a running instance: one JSON line each way.
namespace Cli {

namespace {

// QJsonDocument drops a U+FEFF at the start of a string as if it were a byte-order mark; as an
// escape it is read back as the character it is.
QByteArray escapedJson(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).replace("\xEF\xBB\xBF", "\\ufeff");
}

} // namespace

QByteArray encodeRequest(const Request& request)
{
    QJsonObject object { { QStringLiteral("args"), QJsonArray::fromStringList(request.args) } };
    if (request.input)
        object.insert(QStringLiteral("input"), QString::fromLatin1(request.input->toBase64()));
    return escapedJson(object);
}

Request decodeRequest(const QByteArray& request)
{
    const QJsonObject object = QJsonDocument::fromJson(request).object();
    Request decoded;
    for (const QJsonValue& value : object.value(QStringLiteral("args")).toArray())
        decoded.args.append(value.toString());
    const QJsonValue input = object.value(QStringLiteral("input"));
    if (input.isString())
        decoded.input = QByteArray::fromBase64(input.toString().toLatin1());
    return decoded;
}

QByteArray encodeResult(const Result& result)
{
    return escapedJson(QJsonObject {
        { QStringLiteral("exit"), result.exitCode },
        { QStringLiteral("out"), result.out },
        { QStringLiteral("err"), result.err },
    });
}

Result decodeResult(const QByteArray& answer)
{
    const QJsonObject object = QJsonDocument::fromJson(answer).object();
    if (object.isEmpty())
        return failed(QStringLiteral("Die laufende Zettelwerk-Instanz hat nicht geantwortet"));
    return { object.value(QStringLiteral("exit")).toInt(1), object.value(QStringLiteral("out")).toString(),
        object.value(QStringLiteral("err")).toString() };
}

} // namespace Cli
