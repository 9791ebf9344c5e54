#include "folderexchange.h"

#include "notejson.h"
#include "notestore.h"
#include "safefile.h"
#include "syncfile.h"
#include "syncstate.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

struct FolderFile {
    QString name;
    QByteArray fingerprint;
    SyncFile::Incoming incoming;
};

QByteArray fingerprint(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

// The fields that travel, and nothing else: the file as written without a stamp.
QByteArray recordFingerprint(const ReminderNote& note)
{
    return fingerprint(SyncFile::write(note, {}));
}

bool isExchanged(const ReminderNote& note, FolderExchange::Options options)
{
    return (note.hasAlarm || options.notes) && !note.isImported();
}

FolderExchange::Counts& countsOf(FolderExchange::Report& report, bool appointment)
{
    return appointment ? report.appointments : report.notes;
}

// The folder's calendar files by record id; a second file with the same id is not read.
QHash<QUuid, FolderFile> readFolder(const QString& folder)
{
    QHash<QUuid, FolderFile> files;
    const QStringList names = QDir(folder).entryList({ QStringLiteral("*.ics") }, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        auto incoming = SyncFile::read(bytes);
        if (!incoming || !NoteJson::isStorable(incoming->note) || files.contains(incoming->note.id))
            continue;
        if (!incoming->stamp.modified.isValid())
            incoming->stamp.modified = QFileInfo(file).lastModified();
        files.insert(incoming->note.id, { name, fingerprint(bytes), std::move(*incoming) });
    }
    return files;
}

// Appends `notes` to the JSON list at `path`.
bool keepAside(const QString& path, const ReminderNotes& notes)
{
    ReminderNotes all;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const std::optional<ReminderNotes> before = NoteJson::decode(file.readAll());
        file.close();
        // A damaged list is not written over: it moves aside, for reading by hand.
        if (!before && !QFile::rename(path, path + QStringLiteral(".beschädigt")))
            return false;
        all = before.value_or(ReminderNotes());
    }
    return SafeFile::write(path, NoteJson::encodePretty(all + notes));
}

} // namespace

namespace FolderExchange {

QStringList Report::lines() const
{
    // "1 Termin", "3 Notizen": each kind of change once for appointments, once for notes.
    const auto counted = [](int count, bool appointment) {
        if (count == 1)
            return appointment ? QStringLiteral("1 Termin") : QStringLiteral("1 Notiz");
        return (appointment ? QStringLiteral("%1 Termine") : QStringLiteral("%1 Notizen")).arg(count);
    };
    QStringList out;
    const auto line = [&](int Counts::*count, const QString& what) {
        for (const bool appointment : { true, false }) {
            const int n = (appointment ? appointments : notes).*count;
            if (n > 0)
                out << counted(n, appointment) + u' ' + what;
        }
    };
    line(&Counts::written, QStringLiteral("in den Ordner geschrieben"));
    line(&Counts::deletedFiles, QStringLiteral("im Ordner gelöscht"));
    line(&Counts::added, QStringLiteral("aus dem Ordner übernommen"));
    line(&Counts::updated, QStringLiteral("aus dem Ordner geändert"));
    line(&Counts::removed, QStringLiteral("entfernt (im Ordner gelöscht)"));
    line(&Counts::conflicts,
        QStringLiteral("auf beiden Seiten geändert: die neuere Fassung gilt, die ältere ist aufgehoben "
                       "(zettelwerk sync-conflicts)"));
    if (appointments.withheld > 0 || notes.withheld > 0) {
        QStringList missing;
        if (appointments.withheld > 0)
            missing << counted(appointments.withheld, true);
        if (notes.withheld > 0)
            missing << counted(notes.withheld, false);
        // Withheld only when more than one would go at once: always "fehlen".
        out << QStringLiteral("%1 fehlen im Ordner – mehr als die Hälfte auf einmal, daher nichts entfernt "
                              "(trotzdem entfernen: zettelwerk sync --entfernen)")
                   .arg(missing.join(QStringLiteral(" und ")));
    }
    if (out.isEmpty() && error.isEmpty())
        out << QStringLiteral("Nichts zu tun");
    return out;
}

QString statePath(const NoteStore& store)
{
    return QFileInfo(store.filePath()).dir().filePath(QStringLiteral("sync-state.json"));
}

QString conflictsPath(const NoteStore& store)
{
    return QFileInfo(store.filePath()).dir().filePath(QStringLiteral("sync-conflicts.json"));
}

std::optional<QString> makeCalendar(const QString& root)
{
    const QString folder = QDir(root).filePath(QStringLiteral("zettelwerk"));
    if (!QDir().mkpath(folder))
        return std::nullopt;
    const QDir dir(folder);
    for (const auto& [name, value] : { std::pair { "displayname", "Zettelwerk" }, { "color", "#0065D4" } }) {
        const QString path = dir.filePath(QLatin1String(name));
        if (!QFileInfo::exists(path) && !SafeFile::write(path, QByteArray(value)))
            return std::nullopt;
    }
    return folder;
}

Report run(NoteStore& store, const QString& folder, Options options)
{
    Report report;
    if (!QFileInfo(folder).isDir()) {
        report.error = QStringLiteral("Der Kalenderordner %1 fehlt").arg(folder);
        return report;
    }
    SyncState::Entries state = SyncState::read(statePath(store), folder);
    QHash<QUuid, FolderFile> files = readFolder(folder);
    // Ours changed at the latest when the data file was last saved; that is the time our files
    // carry, so that a conflict compares the times of the two changes, not of the exchanges.
    QDateTime ourTime = QFileInfo(store.filePath()).lastModified();
    if (!ourTime.isValid())
        ourTime = store.now();

    ReminderNotes notes = store.notes();
    QHash<QUuid, qsizetype> at;
    for (qsizetype i = 0; i < notes.size(); ++i)
        at.insert(notes.at(i).id, i);
    const auto ours = [&](const QUuid& id) -> const ReminderNote* {
        const auto found = at.constFind(id);
        return found != at.cend() && isExchanged(notes.at(*found), options) ? &notes.at(*found) : nullptr;
    };
    // Notes not followed: a journal file counts only where it is an appointment of ours (made a
    // note elsewhere), and what is remembered of a note waits until notes are followed again.
    if (!options.notes) {
        files.removeIf([&ours](QHash<QUuid, FolderFile>::iterator file) {
            return !file->incoming.note.hasAlarm && !ours(file.key());
        });
    }
    const auto followed = [&options](const SyncState::Entry& last) { return options.notes || !last.note; };

    QList<QUuid> ids;
    QSet<QUuid> listed;
    const auto consider = [&](const QUuid& id) {
        if (!listed.contains(id)) {
            listed.insert(id);
            ids.append(id);
        }
    };
    qsizetype followedCount = 0;
    for (auto it = state.cbegin(); it != state.cend(); ++it) {
        if (followed(*it)) {
            consider(it.key());
            ++followedCount;
        }
    }
    for (const ReminderNote& note : std::as_const(notes)) {
        if (isExchanged(note, options))
            consider(note.id);
    }
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        consider(it.key());

    struct Write {
        QUuid id;
        QString name;
        QString uid;
        int sequence;
    };
    QList<Write> writes;
    QList<QUuid> deletions; // files of records deleted here
    QSet<QUuid> vanishing; // records whose files were deleted elsewhere
    ReminderNotes setAside;
    bool takenIn = false;
    for (const QUuid& id : std::as_const(ids)) {
        const ReminderNote* mine = ours(id);
        const auto file = files.constFind(id);
        const FolderFile* theirs = file != files.cend() ? &*file : nullptr;
        const auto remembered = state.constFind(id);
        const SyncState::Entry* last = remembered != state.cend() ? &*remembered : nullptr;
        const bool mineChanged = mine && (!last || recordFingerprint(*mine) != last->record);
        const bool theirsChanged = theirs && (!last || theirs->fingerprint != last->file);
        const QString name = theirs ? theirs->name : last ? last->name : SyncFile::fileName(id);
        const QString uid = theirs ? theirs->incoming.stamp.uid : last ? last->uid : QString();
        const int next
            = std::max(theirs ? theirs->incoming.stamp.sequence : 0, last ? last->sequence : 0) + 1;

        if (mine && !theirs) {
            if (last && !mineChanged)
                vanishing.insert(id);
            else // new here, or changed here after it went there
                writes.append({ id, name, uid, last ? next : 0 });
        } else if (!mine && theirs) {
            if (at.contains(id)) // a record of ours that is not exchanged now: ours stays
                continue;
            if (last && !theirsChanged) {
                deletions.append(id);
            } else { // new there, or changed there after it went here
                ReminderNote note
                    = SyncFile::merged(ReminderNote::create(store.now()), theirs->incoming.note);
                note.id = id;
                at.insert(id, notes.size());
                notes.append(note);
                ++countsOf(report, note.hasAlarm).added;
                takenIn = true;
            }
        } else if (mine && theirs) {
            const ReminderNote fromFile = SyncFile::merged(*mine, theirs->incoming.note);
            if (fromFile.hasSameFields(*mine))
                continue;
            if (mineChanged && theirsChanged) {
                const bool theirsNewer = theirs->incoming.stamp.modified > ourTime;
                ++countsOf(report, theirsNewer ? fromFile.hasAlarm : mine->hasAlarm).conflicts;
                if (theirsNewer) {
                    setAside.append(*mine);
                    notes[at.value(id)] = fromFile;
                    takenIn = true;
                } else {
                    setAside.append(fromFile);
                    writes.append({ id, name, uid, next });
                }
            } else if (theirsChanged) {
                notes[at.value(id)] = fromFile;
                ++countsOf(report, fromFile.hasAlarm).updated;
                takenIn = true;
            } else {
                writes.append({ id, name, uid, next });
            }
        }
    }
    // A wiped or unmounted folder must not empty the store: then nothing vanishes.
    const bool tooMany = !options.removeMany && vanishing.size() > 1 && vanishing.size() * 2 > followedCount;
    for (const QUuid& id : std::as_const(vanishing)) {
        Counts& counts = countsOf(report, notes.at(at.value(id)).hasAlarm);
        ++(tooMany ? counts.withheld : counts.removed);
    }
    if (tooMany)
        vanishing.clear();
    for (const QUuid& id : std::as_const(vanishing))
        state.remove(id);
    if (!vanishing.isEmpty()) {
        notes.removeIf([&vanishing](const ReminderNote& note) { return vanishing.contains(note.id); });
        takenIn = true;
    }

    if (takenIn && !store.replaceNotes(notes)) {
        Report failed;
        failed.error = QStringLiteral("Konnte nicht gespeichert werden: ") + store.saveError();
        return failed;
    }
    if (!setAside.isEmpty() && !keepAside(conflictsPath(store), setAside))
        report.error
            = QStringLiteral("Die ältere Fassung konnte nicht aufgehoben werden: ") + conflictsPath(store);

    const QDir dir(folder);
    QHash<QUuid, const ReminderNote*> byId;
    for (const ReminderNote& note : std::as_const(notes))
        byId.insert(note.id, &note);
    QSet<QUuid> written;
    for (const Write& write : std::as_const(writes)) {
        const ReminderNote& note = *byId.value(write.id);
        const QByteArray bytes = SyncFile::write(note, { ourTime, write.sequence, write.uid });
        if (!SafeFile::write(dir.filePath(write.name), bytes)) {
            report.error = QStringLiteral("Konnte %1 nicht schreiben").arg(dir.filePath(write.name));
            continue;
        }
        state.insert(write.id,
            { recordFingerprint(note), fingerprint(bytes), write.name, write.uid, write.sequence,
                !note.hasAlarm });
        written.insert(write.id);
        ++countsOf(report, note.hasAlarm).written;
    }
    for (const QUuid& id : std::as_const(deletions)) {
        const FolderFile& file = files[id];
        const QString path = dir.filePath(file.name);
        if (!QFile::remove(path) && QFileInfo::exists(path)) {
            report.error = QStringLiteral("Konnte %1 nicht löschen").arg(path);
            continue;
        }
        state.remove(id);
        ++countsOf(report, file.incoming.note.hasAlarm).deletedFiles;
    }
    // Files taken in, or left as they were, are what the next exchange compares with.
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const ReminderNote* note = byId.value(it.key());
        if (note && isExchanged(*note, options) && !written.contains(it.key())) {
            state.insert(it.key(),
                { recordFingerprint(*note), it->fingerprint, it->name, it->incoming.stamp.uid,
                    it->incoming.stamp.sequence, !note->hasAlarm });
        }
    }
    if (!SyncState::write(statePath(store), folder, state) && report.error.isEmpty())
        report.error = QStringLiteral("Konnte %1 nicht schreiben").arg(statePath(store));
    return report;
}

} // namespace FolderExchange
