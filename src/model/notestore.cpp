#include "notestore.h"

#include <QSet>

#include "log.h"
#include "notejson.h"
#include "safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <utility>

NoteStore::NoteStore(const QString& dataDirectory, Clock clock, QObject* parent)
    : QObject(parent)
    , m_clock(std::move(clock))
{
    // A folder that cannot be created shows up as a failed save later.
    QDir().mkpath(dataDirectory);
    m_filePath = dataFilePath(dataDirectory);
    m_replaced = ReplacedRecords(QDir(dataDirectory).filePath(QStringLiteral("replaced-by-imports.json")));
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

QString NoteStore::dataFilePath(const QString& dataDirectory)
{
    return QDir(dataDirectory).filePath(QStringLiteral("notes.json"));
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
    m_replaced.load();
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
        m_loadProblem
            = QStringLiteral("Die Datendatei %1 konnte nicht gelesen werden. Sie bleibt als %2 "
                             "erhalten; neue Einträge kommen in eine neue Datei.")
                  .arg(QDir::toNativeSeparators(m_filePath), QDir::toNativeSeparators(unreadableCopyPath()));
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
    // Gone since the load (the user moved it away), or a folder in its place that the save will
    // name: there is no file to protect.
    if (!QFileInfo(m_filePath).isFile() || QFile::copy(m_filePath, unreadableCopyPath())) {
        m_unreadableFilePending = false;
        return true;
    }
    return false;
}

bool NoteStore::save()
{
    m_saveError = writeFile();
    return m_saveError.isEmpty();
}

bool NoteStore::commit(const ReminderNotes& notes)
{
    const auto unstorable = std::find_if(
        notes.cbegin(), notes.cend(), [](const ReminderNote& note) { return !NoteJson::isStorable(note); });
    if (unstorable != notes.cend()) {
        m_saveError = NoteJson::unstorableDateReason();
        Log::line(QStringLiteral("Failed to save notes: a date of \"%1\" is out of range")
                      .arg(unstorable->title()));
        return false;
    }
    ReminderNotes before = std::exchange(m_notes, notes);
    if (save()) {
        emit notesChanged();
        return true;
    }
    m_notes = std::move(before);
    return false;
}

QString NoteStore::writeFile()
{
    if (!keepUnreadableFile()) {
        Log::line(QStringLiteral("Failed to save notes: the unreadable data file could not be kept as ")
            + unreadableCopyPath());
        return QStringLiteral("Die unlesbare Datendatei konnte nicht als %1 aufbewahrt werden.")
            .arg(unreadableCopyPath());
    }
    FileWriteError failure;
    if (SafeFile::write(
            m_filePath, [this](QIODevice& file) { return NoteJson::writeCompact(file, m_notes); }, &failure))
        return {};
    Log::line(QStringLiteral("Failed to save notes: ") + failure.description);
    QString cause;
    // A folder in the file's place fails only at the rename, which Qt reports like a short write.
    if (QFileInfo(m_filePath).isDir())
        failure.kind = QFileDevice::OpenError;
    switch (failure.kind) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        cause = QStringLiteral("Der Ordner ist nicht beschreibbar, oder an ihrer Stelle steht ein Ordner.");
        break;
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        cause = QStringLiteral("Der Datenträger ist voll, oder die Datei wäre zu groß.");
        break;
    case QFileDevice::RenameError:
        cause = QStringLiteral("Die alte Datei konnte nicht ersetzt werden.");
        break;
    default:
        cause = QStringLiteral("Unbekannter Fehler.");
        break;
    }
    return QStringLiteral("Die Datendatei %1 konnte nicht geschrieben werden. %2").arg(m_filePath, cause);
}

std::optional<ReminderNote> NoteStore::addNote(bool withAlarm, const std::optional<QDateTime>& alarmDate)
{
    ReminderNote note = ReminderNote::create(m_clock());
    if (withAlarm) {
        note.hasAlarm = true;
        note.alarmDate = alarmDate.value_or(note.createdAt);
        // Not armed while it is being edited; the editor arms it on save.
        note.isTriggered = true;
    }
    if (!addNote(note))
        return std::nullopt;
    return note;
}

bool NoteStore::addNote(const ReminderNote& note)
{
    ReminderNotes notes = m_notes;
    notes.prepend(note);
    return commit(notes);
}

bool NoteStore::commitNote(const ReminderNote& note)
{
    ReminderNotes notes = m_notes;
    const auto found = std::find_if(
        notes.begin(), notes.end(), [&note](const ReminderNote& n) { return n.id == note.id; });
    if (found == notes.end()) {
        m_saveError = QStringLiteral("Der Eintrag existiert nicht mehr.");
        return false;
    }
    *found = note;
    return commit(notes);
}

template <typename Keep> ReminderNotes NoteStore::notesWhere(Keep keep) const
{
    ReminderNotes kept;
    kept.reserve(m_notes.size());
    std::copy_if(m_notes.cbegin(), m_notes.cend(), std::back_inserter(kept), keep);
    return kept;
}

bool NoteStore::deleteNote(const QUuid& id)
{
    return commit(notesWhere([&id](const ReminderNote& note) { return note.id != id; }));
}

bool NoteStore::snooze(const QList<QUuid>& ids, const QDateTime& until)
{
    const QSet<QUuid> wanted(ids.cbegin(), ids.cend());
    ReminderNotes notes = m_notes;
    qsizetype found = 0;
    for (ReminderNote& note : notes) {
        if (!wanted.contains(note.id))
            continue;
        if (!note.hasAlarm) {
            m_saveError = QStringLiteral("„%1“ ist kein Termin.").arg(note.title());
            return false;
        }
        note.snoozeDate = until;
        ++found;
    }
    if (found == 0) {
        m_saveError = QStringLiteral("Der Eintrag existiert nicht mehr.");
        return false;
    }
    return commit(notes);
}

bool NoteStore::replaceNotes(const ReminderNotes& notes)
{
    return commit(notes);
}

bool NoteStore::importNotes(const ReminderNotes& incoming)
{
    Log::line(QStringLiteral("[NoteStore] importNotes called with %1 notes").arg(incoming.size()));
    const bool saved = commit(incoming + m_notes);
    Log::line(QStringLiteral("[NoteStore] after import: %1 total notes").arg(m_notes.size()));
    return saved;
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
    // The existing appointments by title, each title's in store order, so that an import of
    // thousands into thousands compares each record with its namesakes only.
    QHash<QString, QList<qsizetype>> existingByKey;
    for (qsizetype i = 0; i < m_notes.size(); ++i) {
        if (m_notes.at(i).hasAlarm)
            existingByKey[collisionKey(m_notes.at(i))].append(i);
    }
    if (existingByKey.isEmpty())
        return {};

    static const QString untitled = QStringLiteral("neue notiz");
    QList<CollisionPair> pairs;
    for (const ReminderNote& candidate : incoming) {
        if (!candidate.hasAlarm)
            continue;
        const QString key = collisionKey(candidate);
        if (key.isEmpty() || key == untitled)
            continue;
        const auto namesakes = existingByKey.constFind(key);
        if (namesakes == existingByKey.cend())
            continue;
        for (const qsizetype i : *namesakes) {
            const ReminderNote& existing = m_notes.at(i);
            if (std::abs(existing.alarmDate.msecsTo(candidate.alarmDate)) < 60'000) {
                pairs.append({ candidate, existing });
                break;
            }
        }
    }
    return pairs;
}

bool NoteStore::importWithCollisionResolution(
    const ReminderNotes& incoming, const QSet<QUuid>& replaceIDs, const QSet<QUuid>& skipIDs)
{
    ReminderNotes notes;
    ReplacedRecords::Places replaced;
    for (const ReminderNote& note : incoming) {
        if (!skipIDs.contains(note.id))
            notes.append(note);
    }
    for (qsizetype i = 0; i < m_notes.size(); ++i) {
        const ReminderNote& note = m_notes.at(i);
        if (replaceIDs.contains(note.id))
            replaced.append({ i, note });
        else
            notes.append(note);
    }
    // The replaced records are kept first: an import that could not keep them does not happen.
    const QString batchId = incoming.isEmpty() ? QString() : incoming.first().importBatchId;
    const bool keep = !replaced.isEmpty() && !batchId.isEmpty();
    if (keep && !m_replaced.set(batchId, replaced)) {
        m_saveError = QStringLiteral("Die ersetzten Einträge konnten nicht für das Rückgängigmachen "
                                     "aufbewahrt werden; nichts wurde importiert.");
        return false;
    }
    if (commit(notes))
        return true;
    if (keep)
        m_replaced.set(batchId, {});
    return false;
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

bool NoteStore::deleteImportBatch(const QString& batchId)
{
    // Records of the user's own have no batch id; an empty id must not match them.
    ReminderNotes notes = notesWhere(
        [&batchId](const ReminderNote& note) { return batchId.isEmpty() || note.importBatchId != batchId; });
    // Only while the batch is there to delete, and never a record the list holds again, so that
    // nothing comes back twice. Ascending places: each goes back where it stood before the import.
    const ReplacedRecords::Places replaced
        = notes.size() < m_notes.size() ? m_replaced.of(batchId) : ReplacedRecords::Places();
    QSet<QUuid> present;
    for (const ReminderNote& note : std::as_const(notes))
        present.insert(note.id);
    for (const auto& [index, note] : replaced) {
        if (!present.contains(note.id))
            notes.insert(std::min(index, notes.size()), note);
    }
    if (!commit(notes))
        return false;
    if (!replaced.isEmpty())
        m_replaced.set(batchId, {});
    return true;
}

std::optional<RestoreResult> NoteStore::restoreFromJSON(const QByteArray& data)
{
    m_saveError.clear();
    const std::optional<ReminderNotes> decoded = NoteJson::decode(data);
    if (!decoded || decoded->isEmpty())
        return std::nullopt;
    RestoreResult result { static_cast<int>(decoded->size()), m_notes };
    if (!commit(*decoded))
        return std::nullopt;
    return result;
}
