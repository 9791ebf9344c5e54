#pragma once

#include "folderexchange.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class NoteStore;

/// Keeps the store's appointments (and notes, when chosen) in step with a vdir calendar folder while
/// the app runs: one
/// exchange shortly after the records or the folder changed (vdirsyncer pulled something), and
/// whenever asked, e.g. when the panel opens.
class FolderSync : public QObject {
    Q_OBJECT

public:
    explicit FolderSync(NoteStore& store, QObject* parent = nullptr);

    /// The folder to keep in step with; empty switches it off.
    void setFolder(const QString& folder);
    [[nodiscard]] const QString& folder() const { return m_folder; }
    /// Whether plain notes travel too; switched on, they go out at once.
    void setNotes(bool notes);
    [[nodiscard]] bool notes() const { return m_options.notes; }
    /// One exchange now, unless sync is off; `removeMany` once lets it remove more than half of
    /// the records, as the user chose after being told.
    void exchangeNow(bool removeMany = false);

signals:
    void exchanged(const FolderExchange::Report& report);

private:
    NoteStore& m_store;
    QString m_folder;
    FolderExchange::Options m_options;
    QFileSystemWatcher m_watcher;
    // Gathers a burst of changes (a save, vdirsyncer writing many files) into one exchange.
    QTimer m_delay;
    bool m_exchanging = false;
};
