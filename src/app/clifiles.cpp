#include "clifiles.h"

#include <algorithm>

#include "notejson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace CliFiles {

std::variant<Contents, QString> read(const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("Der Dateiname ist leer");
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("Datei nicht gefunden: %1").arg(path);
    if (info.isDir())
        return QStringLiteral("%1 ist ein Ordner, keine Datei").arg(path);
    if (!info.isFile())
        return QStringLiteral("%1 ist keine gewöhnliche Datei (sondern ein Gerät, eine Pipe oder ein Socket)")
            .arg(path);
    auto file = std::make_shared<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) {
        return file->error() == QFileDevice::PermissionsError
            ? QStringLiteral("Keine Berechtigung, %1 zu lesen").arg(path)
            : QStringLiteral("%1 konnte nicht geöffnet werden").arg(path);
    }
    // Replaced by a pipe between the check and the opening.
    if (file->isSequential())
        return QStringLiteral("%1 ist keine gewöhnliche Datei").arg(path);
    // Mapped: a calendar export of tens of megabytes is neither copied nor held twice.
    if (const uchar* mapped = file->size() > 0 ? file->map(0, file->size()) : nullptr)
        return Contents { QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), file->size()),
            file };
    QByteArray bytes = file->readAll();
    if (file->error() != QFileDevice::NoError)
        return QStringLiteral("%1 konnte nicht gelesen werden").arg(path);
    return Contents { bytes, nullptr };
}

std::optional<QString> writeProblem(const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("Der Dateiname ist leer");
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("%1 ist ein Ordner; bitte einen Dateinamen angeben").arg(path);
    // An atomic replacement would put a regular file where the device or pipe was.
    if (info.exists() && !info.isFile())
        return QStringLiteral("%1 ist keine gewöhnliche Datei (sondern ein Gerät, eine Pipe oder ein Socket)")
            .arg(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("Der Ordner %1 existiert nicht").arg(info.absolutePath());
    return std::nullopt;
}

QString writeFailure(const QString& path)
{
    return QStringLiteral("%1 konnte nicht geschrieben werden (keine Schreibrechte im Ordner oder kein "
                          "Platz mehr frei)")
        .arg(path);
}

std::optional<QString> dataFileProblem(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    if (info.isDir())
        return QStringLiteral("Die Datendatei %1 ist ein Ordner").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential())
        return QStringLiteral("Die Datendatei %1 ist nicht lesbar").arg(path);
    if (!NoteJson::decode(file.readAll()))
        return QStringLiteral("Die Datendatei %1 ist beschädigt und wurde nicht geladen").arg(path);
    return std::nullopt;
}

QString keptUnreadableCopy(const QString& dataFilePath)
{
    const QFileInfo info(dataFilePath);
    const QStringList copies = info.dir().entryList(
        { info.fileName() + QStringLiteral(".unreadable-*") }, QDir::Files | QDir::Hidden, QDir::Time);
    return copies.isEmpty() ? QString() : info.dir().filePath(copies.constFirst());
}

bool isUtf8(QByteArrayView bytes)
{
    return bytes.isValidUtf8();
}

} // namespace CliFiles
