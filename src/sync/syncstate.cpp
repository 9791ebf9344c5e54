#include "syncstate.h"

#include "safefile.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace SyncState {

Entries read(const QString& path, const QString& folder)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    if (root.value(QStringLiteral("folder")).toString() != folder)
        return {};
    Entries entries;
    const QJsonObject records = root.value(QStringLiteral("records")).toObject();
    for (auto it = records.begin(); it != records.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        // A state written before notes travelled has no "note": every entry was an appointment.
        entries.insert(QUuid(it.key()),
            { entry.value(QStringLiteral("record")).toString().toLatin1(),
                entry.value(QStringLiteral("file")).toString().toLatin1(),
                entry.value(QStringLiteral("name")).toString(), entry.value(QStringLiteral("uid")).toString(),
                entry.value(QStringLiteral("sequence")).toInt(),
                entry.value(QStringLiteral("note")).toBool() });
    }
    return entries;
}

bool write(const QString& path, const QString& folder, const Entries& entries)
{
    QJsonObject records;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        records.insert(it.key().toString(QUuid::WithoutBraces),
            QJsonObject { { QStringLiteral("record"), QString::fromLatin1(it->record) },
                { QStringLiteral("file"), QString::fromLatin1(it->file) },
                { QStringLiteral("name"), it->name }, { QStringLiteral("uid"), it->uid },
                { QStringLiteral("sequence"), it->sequence }, { QStringLiteral("note"), it->note } });
    }
    const QJsonObject root { { QStringLiteral("folder"), folder }, { QStringLiteral("records"), records } };
    return SafeFile::write(path, QJsonDocument(root).toJson());
}

} // namespace SyncState
