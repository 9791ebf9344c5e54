#include "foldersync.h"

#include "log.h"
#include "notestore.h"

FolderSync::FolderSync(NoteStore& store, QObject* parent)
    : QObject(parent)
    , m_store(store)
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(500);
    connect(&m_delay, &QTimer::timeout, this, [this] { exchangeNow(); });
    // The exchange's own changes come back through these once; that exchange finds nothing to do.
    const auto soon = [this] {
        if (!m_folder.isEmpty() && !m_exchanging)
            m_delay.start();
    };
    connect(&m_store, &NoteStore::notesChanged, this, soon);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, soon);
}

void FolderSync::setFolder(const QString& folder)
{
    if (folder == m_folder)
        return;
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_folder = folder;
    if (m_folder.isEmpty()) {
        m_delay.stop();
        return;
    }
    m_watcher.addPath(m_folder);
    exchangeNow();
}

void FolderSync::setNotes(bool notes)
{
    if (notes == m_options.notes)
        return;
    m_options.notes = notes;
    if (notes)
        exchangeNow();
}

void FolderSync::exchangeNow(bool removeMany)
{
    if (m_folder.isEmpty() || m_exchanging)
        return;
    m_exchanging = true;
    FolderExchange::Options options = m_options;
    options.removeMany = removeMany;
    const FolderExchange::Report report = FolderExchange::run(m_store, m_folder, options);
    m_exchanging = false;
    // A folder made again (vdirsyncer after a wipe) is watched again.
    if (m_watcher.directories().isEmpty())
        m_watcher.addPath(m_folder);
    if (!report.error.isEmpty())
        Log::line(QStringLiteral("Abgleich mit %1: %2").arg(m_folder, report.error));
    emit exchanged(report);
}
