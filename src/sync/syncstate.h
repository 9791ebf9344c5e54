#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUuid>

/// What the last exchange with a calendar folder left on both sides, one entry per record, kept in
/// `sync-state.json` beside the data file.
namespace SyncState {

struct Entry {
    QByteArray record; ///< fingerprint of the fields that travel
    QByteArray file; ///< fingerprint of the file's bytes
    QString name;
    QString uid;
    int sequence = 0;
    bool note = false; ///< exchanged as a plain note
};
using Entries = QHash<QUuid, Entry>;

/// The entries of the last exchange with `folder`; none for another folder or a first exchange.
[[nodiscard]] Entries read(const QString& path, const QString& folder);
/// False when the file could not be written.
[[nodiscard]] bool write(const QString& path, const QString& folder, const Entries& entries);

} // namespace SyncState
