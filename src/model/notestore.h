#pragma once

#include "clock.h"
#include "remindernote.h"
#include "replacedrecords.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>
#include <optional>

/// One entry of the import history: the records of one import that are still in the store.
struct ImportBatchSummary {
    QString batchId;
    QString source;
    int count = 0;
    QDateTime date;
};

/// A restore's outcome: how many records came back, and the list as it was before (for undo).
struct RestoreResult {
    int count = 0;
    ReminderNotes oldNotes;
};

/// An incoming record and the existing record it duplicates.
struct CollisionPair {
    ReminderNote incoming;
    ReminderNote existing;
};

/// The one owner of all records: publishes every change and keeps the data file equal to the list.
class NoteStore : public QObject {
    Q_OBJECT
    Q_PROPERTY(int alarmCount READ alarmCount WRITE setAlarmCount NOTIFY alarmCountChanged)

public:
    /// Makes what starts the alarm service once the store has loaded; the store owns the result.
    using ServiceFactory = std::function<QObject*(NoteStore&)>;

    /// Creates `dataDirectory`, loads `notes.json` from it and queues the alarm service's start.
    explicit NoteStore(const QString& dataDirectory, Clock clock = systemClock(), QObject* parent = nullptr);

    /// `Zettelwerk` inside the user's data folder (`$XDG_DATA_HOME` on Linux).
    [[nodiscard]] static QString defaultDataDirectory();
    /// The data file a store of `dataDirectory` reads and writes.
    [[nodiscard]] static QString dataFilePath(const QString& dataDirectory);

    [[nodiscard]] const ReminderNotes& notes() const { return m_notes; }
    /// Replaces the list without saving; callers that change records directly call `save()` after.
    void setNotes(const ReminderNotes& notes);
    /// Replaces the first record with `note.id` and publishes; false when there is none. Does not save.
    bool updateNote(const ReminderNote& note);
    [[nodiscard]] int alarmCount() const { return m_alarmCount; }
    void setAlarmCount(int count);
    [[nodiscard]] QString filePath() const { return m_filePath; }
    [[nodiscard]] QDateTime now() const { return m_clock(); }
    [[nodiscard]] QObject* alarmService() const { return m_alarmService; }

    /// Used by the queued start-up task; set it right after construction.
    void setServiceFactory(ServiceFactory factory) { m_serviceFactory = std::move(factory); }

    void load();
    /// In German, when the data file existed but could not be read: where it is kept, and that new
    /// records go to a new file. Empty when it was read (or there was none).
    [[nodiscard]] QString loadProblem() const { return m_loadProblem; }
    /// Writes the whole list as it is in memory; returns false (after printing why) when the file
    /// could not be written. For changes made directly through `setNotes`.
    bool save();
    /// Why the latest change or save failed, in German; empty when it succeeded (or none was made yet).
    [[nodiscard]] QString saveError() const { return m_saveError; }

    // Every change below is all-or-nothing: it is saved at once, and when the save fails (or a record
    // has a date the file cannot hold) it is taken back in memory and `saveError()` says why.

    /// A new record at the front: a plain note, or an appointment at `alarmDate` (default now) that is
    /// not armed while it is being edited. Nothing when it could not be saved.
    std::optional<ReminderNote> addNote(
        bool withAlarm, const std::optional<QDateTime>& alarmDate = std::nullopt);
    /// `note`, complete, at the front.
    bool addNote(const ReminderNote& note);
    /// Replaces the record with `note.id`; false also when there is none.
    bool commitNote(const ReminderNote& note);
    bool deleteNote(const QUuid& id);
    /// Fires the appointments of `ids` once more at `until`, beside their regular alarm; saved at once.
    /// False when one of them is not an appointment (nothing changes then) or saving failed.
    bool snooze(const QList<QUuid>& ids, const QDateTime& until);
    bool replaceNotes(const ReminderNotes& notes);

    bool importNotes(const ReminderNotes& incoming);
    [[nodiscard]] QList<CollisionPair> findCollisions(const ReminderNotes& incoming) const;
    /// Imports `incoming` but `skipIDs`, and removes the existing records of `replaceIDs`; those are
    /// kept with the incoming batch, so that deleting the batch brings them back.
    bool importWithCollisionResolution(
        const ReminderNotes& incoming, const QSet<QUuid>& replaceIDs, const QSet<QUuid>& skipIDs);
    [[nodiscard]] QList<ImportBatchSummary> importBatches() const;
    /// Removes the records of one import and puts back, where they stood, the records it replaced.
    bool deleteImportBatch(const QString& batchId);
    /// Nothing when `data` holds no records or the save failed (then `saveError()` is not empty).
    std::optional<RestoreResult> restoreFromJSON(const QByteArray& data);

signals:
    void notesChanged();
    void alarmCountChanged();
    /// The queued start-up task has created the alarm service.
    void alarmServiceStarted();

private:
    void startAlarmService();
    /// Makes `notes` the list and saves; on failure the list before is put back.
    bool commit(const ReminderNotes& notes);
    bool keepUnreadableFile();
    /// The reason the file could not be written, empty on success.
    QString writeFile();
    QString unreadableCopyPath();
    template <typename Keep> [[nodiscard]] ReminderNotes notesWhere(Keep keep) const;

    QString m_filePath;
    Clock m_clock;
    ReminderNotes m_notes;
    int m_alarmCount = 0;
    ServiceFactory m_serviceFactory;
    QPointer<QObject> m_alarmService;
    // Set when the data file existed but could not be read, until a copy of it is kept.
    bool m_unreadableFilePending = false;
    QString m_unreadableCopyPath;
    QString m_loadProblem;
    QString m_saveError;
    ReplacedRecords m_replaced;
};
