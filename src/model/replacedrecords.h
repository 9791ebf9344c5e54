#pragma once

#include "remindernote.h"

#include <QHash>
#include <QString>

#include <utility>

/// The records an import replaced, with their places in the list before it, by batch id: what
/// deleting that import gives back. Kept in a file of its own beside the data file, so that the
/// data file stays a plain list of records and an undo works in a later process too.
class ReplacedRecords {
public:
    using Places = QList<std::pair<qsizetype, ReminderNote>>;

    explicit ReplacedRecords(QString filePath = {});

    /// Reads the file; a missing or unreadable one holds nothing (that undo then gives back nothing).
    void load();
    [[nodiscard]] Places of(const QString& batchId) const { return m_byBatch.value(batchId); }
    /// Adds or removes (empty `places`) one batch's entry and writes the file; false when it could not.
    bool set(const QString& batchId, const Places& places);

private:
    QString m_filePath;
    QHash<QString, Places> m_byBatch;
};
