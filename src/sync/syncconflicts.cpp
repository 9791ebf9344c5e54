#include "syncconflicts.h"

#include "folderexchange.h"
#include "notejson.h"
#include "notestore.h"
#include "safefile.h"

#include <QFile>

#include <algorithm>

namespace SyncConflicts {

std::optional<ReminderNotes> kept(const NoteStore& store)
{
    QFile file(FolderExchange::conflictsPath(store));
    if (!file.exists())
        return ReminderNotes();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return NoteJson::decode(file.readAll());
}

QString unreadable(const NoteStore& store)
{
    return QStringLiteral("%1 ist beschädigt").arg(FolderExchange::conflictsPath(store));
}

QString bringBack(NoteStore& store, const QUuid& id)
{
    QFile file(FolderExchange::conflictsPath(store));
    if (!file.exists())
        return QStringLiteral("Es ist keine Fassung aufgehoben");
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(store);
    // A damaged file is not rewritten: what it still holds may be read by hand.
    std::optional<ReminderNotes> kept = NoteJson::decode(file.readAll());
    file.close();
    if (!kept)
        return unreadable(store);
    const auto last = std::find_if(
        kept->crbegin(), kept->crend(), [&id](const ReminderNote& version) { return version.id == id; });
    if (last == kept->crend())
        return QStringLiteral("Für diesen Eintrag ist keine Fassung aufgehoben");
    const ReminderNote version = *last;
    const qsizetype at = std::distance(kept->cbegin(), last.base()) - 1;

    // In three steps, so that a failure at any of them loses no version: the record's present
    // version is kept aside first, then the store takes the old one, and only then is that one
    // taken off the kept list.
    const auto current = std::find_if(store.notes().cbegin(), store.notes().cend(),
        [&id](const ReminderNote& note) { return note.id == id; });
    if (current != store.notes().cend()) {
        kept->append(*current);
        if (!SafeFile::write(file.fileName(), NoteJson::encodePretty(*kept)))
            return QStringLiteral("%1 konnte nicht geschrieben werden").arg(file.fileName());
    }
    if (!(current != store.notes().cend() ? store.commitNote(version) : store.addNote(version)))
        return store.saveError();
    kept->removeAt(at);
    if (!SafeFile::write(file.fileName(), NoteJson::encodePretty(*kept)))
        return QStringLiteral(
            "Zurückgeholt, aber %1 hält die Fassung noch: die Datei ließ sich nicht schreiben")
            .arg(file.fileName());
    return {};
}

} // namespace SyncConflicts
