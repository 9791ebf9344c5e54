#include "notestore.h"

#include "log.h"
#include "notejson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

NoteStore::NoteStore(const QString& dataDirectory, Clock clock, QObject* parent)
    : QObject(parent)
    , m_clock(std::move(clock))
{
    // A folder that cannot be created shows up as a failed save later.
    QDir().mkpath(dataDirectory);
    m_filePath = QDir(dataDirectory).filePath(QStringLiteral("notes.json"));
    load();
    QTimer::singleShot(0, this, &NoteStore::startAlarmService);
}

QString NoteStore::defaultDataDirectory()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(base).filePath(QStringLiteral("Zettelwerk"));
}

void NoteStore::startAlarmService()
{
    if (!m_serviceFactory || m_alarmService)
        return;
    QObject* service = m_serviceFactory(*this);
    if (!service)
        return;
    service->setParent(this);
    m_alarmService = service;
    emit alarmServiceStarted();
}

void NoteStore::setNotes(const ReminderNotes& notes)
{
    m_notes = notes;
    emit notesChanged();
}

bool NoteStore::updateNote(const ReminderNote& note)
{
    const auto found = std::find_if(
        m_notes.begin(), m_notes.end(), [&note](const ReminderNote& n) { return n.id == note.id; });
    if (found == m_notes.end())
        return false;
    *found = note;
    emit notesChanged();
    return true;
}

void NoteStore::setAlarmCount(int count)
{
    if (m_alarmCount == count)
        return;
    m_alarmCount = count;
    emit alarmCountChanged();
}

void NoteStore::load()
{
    QFile file(m_filePath);
    if (!file.exists())
        return;
    QString error;
    std::optional<ReminderNotes> decoded;
    if (file.open(QIODevice::ReadOnly))
        decoded = NoteJson::decode(file.readAll(), &error);
    else
        error = file.errorString();
    if (!decoded) {
        m_unreadableFilePending = true;
        Log::line(
            QStringLiteral("Failed to load notes: %1 (the file is kept as %2 before anything replaces it)")
                .arg(error, QFileInfo(unreadableCopyPath()).fileName()));
        return;
    }
    setNotes(*decoded);
}

QString NoteStore::unreadableCopyPath()
{
    if (m_unreadableCopyPath.isEmpty()) {
        const QString stem = m_filePath + QStringLiteral(".unreadable-")
            + m_clock().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        m_unreadableCopyPath = stem;
        for (int n = 2; QFile::exists(m_unreadableCopyPath); ++n)
            m_unreadableCopyPath = stem + QLatin1Char('-') + QString::number(n);
    }
    return m_unreadableCopyPath;
}

bool NoteStore::keepUnreadableFile()
{
    if (!m_unreadableFilePending)
        return true;
    // Gone since the load (the user moved it away): there is nothing left to protect.
    if (!QFile::exists(m_filePath) || QFile::copy(m_filePath, unreadableCopyPath())) {
        m_unreadableFilePending = false;
        return true;
    }
    return false;
}

bool NoteStore::save()
{
    m_saveError = writeFile();
    if (m_saveError.isEmpty())
        return true;
    Log::line(QStringLiteral("Failed to save notes: ") + m_saveError);
    return false;
}

QString NoteStore::writeFile()
{
    if (!keepUnreadableFile())
        return QStringLiteral("the unreadable data file could not be kept as %1").arg(unreadableCopyPath());
    // Written beside the old file and renamed over it, so a crash never leaves half a file.
    QSaveFile file(m_filePath);
    const QByteArray bytes = NoteJson::encodeCompact(m_notes);
    // A full disk shows as a short write, and a buffered one only at commit, which then keeps the
    // file cut short: unbuffered, the short write is seen here and nothing is committed.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size()
        && file.commit())
        return {};
    if (file.isOpen())
        file.cancelWriting();
    return file.errorString().isEmpty() ? QStringLiteral("unknown error") : file.errorString();
}

ReminderNote NoteStore::addNote(bool withAlarm, const std::optional<QDateTime>& alarmDate)
{
    ReminderNote note = ReminderNote::create(m_clock());
    if (withAlarm) {
        note.hasAlarm = true;
        note.alarmDate = alarmDate.value_or(note.createdAt);
        // Not armed while it is being edited; the editor arms it on save.
        note.isTriggered = true;
    }
    ReminderNotes notes = m_notes;
    notes.prepend(note);
    setNotes(notes);
    save();
    return note;
}

template <typename Keep> void NoteStore::removeUnless(Keep keep)
{
    ReminderNotes kept;
    kept.reserve(m_notes.size());
    std::copy_if(m_notes.cbegin(), m_notes.cend(), std::back_inserter(kept), keep);
    setNotes(kept);
}

void NoteStore::deleteNote(const QUuid& id)
{
    removeUnless([&id](const ReminderNote& note) { return note.id != id; });
    save();
}

void NoteStore::replaceNotes(const ReminderNotes& notes)
{
    setNotes(notes);
    save();
}

void NoteStore::importNotes(const ReminderNotes& incoming)
{
    Log::line(QStringLiteral("[NoteStore] importNotes called with %1 notes").arg(incoming.size()));
    setNotes(incoming + m_notes);
    save();
    Log::line(QStringLiteral("[NoteStore] after import: %1 total notes").arg(m_notes.size()));
}

namespace {

QString collisionKey(const ReminderNote& note)
{
    // The title was trimmed before its 50-character cut, which can leave a space at its end.
    const QString title = note.title();
    const auto spaceOrTab = [](QChar c) { return c == u'\t' || c.category() == QChar::Separator_Space; };
    qsizetype begin = 0;
    qsizetype end = title.size();
    while (begin < end && spaceOrTab(title.at(begin)))
        ++begin;
    while (end > begin && spaceOrTab(title.at(end - 1)))
        --end;
    return title.mid(begin, end - begin).toLower();
}

} // namespace

QList<CollisionPair> NoteStore::findCollisions(const ReminderNotes& incoming) const
{
    // Titles of the existing appointments, computed once rather than per incoming record.
    QList<QString> existingKeys;
    existingKeys.reserve(m_notes.size());
    for (const ReminderNote& note : m_notes)
        existingKeys.append(note.hasAlarm ? collisionKey(note) : QString());

    static const QString untitled = QStringLiteral("neue notiz");
    QList<CollisionPair> pairs;
    for (const ReminderNote& candidate : incoming) {
        if (!candidate.hasAlarm)
            continue;
        const QString key = collisionKey(candidate);
        if (key.isEmpty() || key == untitled)
            continue;
        for (qsizetype i = 0; i < m_notes.size(); ++i) {
            const ReminderNote& existing = m_notes.at(i);
            if (existing.hasAlarm && existingKeys.at(i) == key
                && std::abs(existing.alarmDate.msecsTo(candidate.alarmDate)) < 60'000) {
                pairs.append({ candidate, existing });
                break;
            }
        }
    }
    return pairs;
}

void NoteStore::importWithCollisionResolution(
    const ReminderNotes& incoming, const QSet<QUuid>& replaceIDs, const QSet<QUuid>& skipIDs)
{
    ReminderNotes notes;
    for (const ReminderNote& note : incoming) {
        if (!skipIDs.contains(note.id))
            notes.append(note);
    }
    for (const ReminderNote& note : m_notes) {
        if (!replaceIDs.contains(note.id))
            notes.append(note);
    }
    setNotes(notes);
    save();
}

QList<ImportBatchSummary> NoteStore::importBatches() const
{
    QList<ImportBatchSummary> batches;
    QHash<QString, qsizetype> indexOfBatch;
    for (const ReminderNote& note : m_notes) {
        if (note.importBatchId.isEmpty())
            continue;
        const auto found = indexOfBatch.constFind(note.importBatchId);
        if (found == indexOfBatch.cend()) {
            indexOfBatch.insert(note.importBatchId, batches.size());
            batches.append({ note.importBatchId, note.importSource, 1, note.createdAt });
            continue;
        }
        ImportBatchSummary& batch = batches[*found];
        ++batch.count;
        batch.date = std::min(batch.date, note.createdAt);
    }
    std::stable_sort(batches.begin(), batches.end(),
        [](const ImportBatchSummary& a, const ImportBatchSummary& b) { return a.date > b.date; });
    return batches;
}

void NoteStore::deleteImportBatch(const QString& batchId)
{
    // Records of the user's own have no batch id; an empty id must not match them.
    removeUnless(
        [&batchId](const ReminderNote& note) { return batchId.isEmpty() || note.importBatchId != batchId; });
    save();
}

std::optional<RestoreResult> NoteStore::restoreFromJSON(const QByteArray& data)
{
    const std::optional<ReminderNotes> decoded = NoteJson::decode(data);
    if (!decoded || decoded->isEmpty())
        return std::nullopt;
    RestoreResult result { static_cast<int>(decoded->size()), m_notes };
    setNotes(*decoded);
    save();
    return result;
}
