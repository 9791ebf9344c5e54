#include "appname.h"

#include <QFile>
#include <QFileInfo>

namespace {

// An entry is a few kilobytes; any other file picked by mistake is not read whole.
constexpr qint64 maxEntryBytes = 256 * 1024;

// The escapes of the desktop-entry format; a line break would split the one-line label.
QString unescaped(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out.append(c);
            continue;
        }
        const QChar next = value.at(++i);
        if (next == QLatin1Char('s') || next == QLatin1Char('n') || next == QLatin1Char('t')
            || next == QLatin1Char('r'))
            out.append(QLatin1Char(' '));
        else
            out.append(next);
    }
    return out.simplified();
}

QString entryName(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(maxEntryBytes);
    bool inEntry = false;
    QString plain;
    QString german;
    QString germanGermany;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inEntry || equals < 0 || line.startsWith(QLatin1Char('#')))
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = unescaped(line.mid(equals + 1));
        if (key == QLatin1String("Name"))
            plain = value;
        else if (key == QLatin1String("Name[de]"))
            german = value;
        else if (key == QLatin1String("Name[de_DE]"))
            germanGermany = value;
    }
    for (const QString& name : { germanGermany, german, plain }) {
        if (!name.isEmpty())
            return name;
    }
    return {};
}

} // namespace

QString appDisplayName(const QString& path)
{
    QString trimmed = path;
    // An application bundle is a folder; its path may end in a slash.
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    if (trimmed.endsWith(QLatin1String(".desktop"))) {
        const QString name = entryName(trimmed);
        if (!name.isEmpty())
            return name;
    }
    QString name = QFileInfo(trimmed).fileName();
    for (const QLatin1String suffix : { QLatin1String(".desktop"), QLatin1String(".app") }) {
        if (name.endsWith(suffix) && name.size() > suffix.size())
            name.chop(suffix.size());
    }
    return name.simplified();
}
