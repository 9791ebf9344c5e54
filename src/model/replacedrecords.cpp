#include "replacedrecords.h"

#include "log.h"
#include "notejson.h"
#include "safefile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

ReplacedRecords::ReplacedRecords(QString filePath)
    : m_filePath(std::move(filePath))
{
}

void ReplacedRecords::load()
{
    m_byBatch.clear();
    QFile file(m_filePath);
    if (m_filePath.isEmpty() || !file.exists())
        return;
    const QJsonDocument document
        = QJsonDocument::fromJson(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    const QJsonArray entries = document.array();
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        const QJsonArray places = entry.value(QStringLiteral("places")).toArray();
        // The records through the data file's own strict reader.
        const auto notes
            = NoteJson::decode(QJsonDocument(entry.value(QStringLiteral("notes")).toArray()).toJson());
        if (!notes || notes->size() != places.size()) {
            Log::line(QStringLiteral("Failed to load replaced records: ") + m_filePath);
            continue;
        }
        Places kept;
        for (qsizetype i = 0; i < notes->size(); ++i)
            kept.append({ qsizetype(places.at(i).toInteger()), notes->at(i) });
        m_byBatch.insert(entry.value(QStringLiteral("batch")).toString(), kept);
    }
}

bool ReplacedRecords::set(const QString& batchId, const Places& places)
{
    QHash<QString, Places> next = m_byBatch;
    if (places.isEmpty())
        next.remove(batchId);
    else
        next.insert(batchId, places);
    QJsonArray entries;
    for (auto it = next.cbegin(); it != next.cend(); ++it) {
        QJsonArray indexes;
        ReminderNotes notes;
        for (const auto& [index, note] : it.value()) {
            indexes.append(index);
            notes.append(note);
        }
        entries.append(QJsonObject {
            { QStringLiteral("batch"), it.key() },
            { QStringLiteral("places"), indexes },
            { QStringLiteral("notes"), QJsonDocument::fromJson(NoteJson::encodeCompact(notes)).array() },
        });
    }
    FileWriteError error;
    if (!SafeFile::write(m_filePath, QJsonDocument(entries).toJson(QJsonDocument::Compact), &error)) {
        Log::line(QStringLiteral("Failed to save replaced records: ") + error.description);
        return false;
    }
    m_byBatch = std::move(next);
    return true;
}
