#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace Cli {

/// Reads `--name value` pairs and `--flag`s after the positional arguments; unknown options are an error.
class Options {
public:
    Options(const QStringList& args, qsizetype first, const QStringList& known, const QStringList& flags = {})
    {
        for (qsizetype i = first; i < args.size(); ++i) {
            const QString& arg = args.at(i);
            if (!arg.startsWith(QLatin1String("--"))) {
                m_positional.append(arg);
                continue;
            }
            if (flags.contains(arg)) {
                m_flags.append(arg);
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
    [[nodiscard]] bool flag(const QString& name) const { return m_flags.contains(name); }
    [[nodiscard]] const QStringList& positional() const { return m_positional; }
    [[nodiscard]] std::optional<QString> value(const QString& name) const
    {
        const auto found = m_values.constFind(name);
        return found == m_values.cend() ? std::nullopt : std::optional(*found);
    }

private:
    QStringList m_positional;
    QStringList m_flags;
    QHash<QString, QString> m_values;
    QString m_error;
};

} // namespace Cli
