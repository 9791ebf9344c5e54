#include "cli.h"
#include "clioptions.h"

#include <variant>

namespace Cli {

std::variant<ScreenshotRequest, QString> readScreenshotRequest(const QStringList& args)
{
    const Options options(args, 1,
        { QStringLiteral("--screen"), QStringLiteral("--out"), QStringLiteral("--day"),
            QStringLiteral("--now") },
        { QStringLiteral("--dark") });
    if (!options.error().isEmpty())
        return options.error();
    if (!options.positional().isEmpty())
        return QStringLiteral("Unerwartetes Argument: %1").arg(options.positional().constFirst());
    ScreenshotRequest request;
    request.dark = options.flag(QStringLiteral("--dark"));
    request.screen = options.value(QStringLiteral("--screen")).value_or(QString());
    request.outPng = options.value(QStringLiteral("--out")).value_or(QString());
    if (request.screen.isEmpty() || request.outPng.isEmpty())
        return QStringLiteral("screenshot braucht --screen BILDSCHIRM (siehe zettelwerk --help) "
                              "und --out DATEI.png");
    if (const auto text = options.value(QStringLiteral("--day"))) {
        request.day = QDate::fromString(*text, QStringLiteral("yyyy-MM-dd"));
        if (!request.day->isValid())
            return QStringLiteral("Ungültiges Datum: %1 (erwartet JJJJ-MM-TT)").arg(*text);
    }
    if (const auto text = options.value(QStringLiteral("--now"))) {
        const auto now = parseLocalTime(*text);
        if (const auto* reason = std::get_if<QString>(&now))
            return *reason;
        request.now = std::get<QDateTime>(now);
    }
    return request;
}

} // namespace Cli
