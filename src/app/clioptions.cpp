#include "clioptions.h"

namespace Cli {

std::variant<QDateTime, QString> parseLocalTime(const QString& text)
{
    const QDate day = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(text.mid(11), QStringLiteral("HH:mm"));
    if (text.size() != 16 || text.at(10) != u' ' || !day.isValid() || !time.isValid()
        || day.toString(QStringLiteral("yyyy-MM-dd")) != text.left(10))
        return QStringLiteral("Ungültige Zeit: %1 (erwartet JJJJ-MM-TT HH:MM)").arg(text);
    const QDateTime moment(day, time);
    // The hour the clocks skip when summer time starts.
    if (!moment.isValid() || moment.date() != day || moment.time() != time)
        return QStringLiteral(
            "Die Uhrzeit %1 gibt es am %2 nicht: die Uhren werden in dieser Nacht vorgestellt")
            .arg(time.toString(QStringLiteral("HH:mm")), day.toString(QStringLiteral("dd.MM.yyyy")));
    return moment;
}

Options::Options(const QStringList& args, qsizetype first, const QStringList& known, const QStringList& flags)
{
    bool optionsEnded = false;
    for (qsizetype i = first; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (optionsEnded || !arg.startsWith(u'-')) {
            m_positional.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (flags.contains(arg)) {
            m_flags.append(arg);
            continue;
        }
        if (!known.contains(arg)) {
            m_error = arg.startsWith(QLatin1String("--"))
                ? QStringLiteral("Unbekannte Option: %1").arg(arg)
                : QStringLiteral("Unbekannte Option: %1 (Text oder Dateinamen, die mit - beginnen, "
                                 "stehen hinter --)")
                      .arg(arg);
            return;
        }
        if (i + 1 >= args.size()) {
            m_error = QStringLiteral("Option %1 braucht einen Wert").arg(arg);
            return;
        }
        m_values.insert(arg, args.at(++i));
    }
}

bool Options::asksForHelp(const QStringList& args)
{
    for (qsizetype i = 1; i < args.size() && args.at(i) != QLatin1String("--"); ++i) {
        if (args.at(i) == QLatin1String("--help") || args.at(i) == QLatin1String("-h"))
            return true;
    }
    return false;
}

} // namespace Cli
