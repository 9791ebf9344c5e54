#include "folderexchange.h"

#include "notejson.h"
#include "notestore.h"
#include "safefile.h"
#include "syncfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

// What the last exchange left on both sides for one record.
struct Remembered {
    QByteArray record; // fingerprint of the fields that travel
    QByteArray file; // fingerprint of the file's bytes
    QString name;
    QString uid;
    int sequence = 0;
};

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

bool isExchanged(const ReminderNote& note)
{
    return note.hasAlarm && !note.isImported();
}

// The state of the last exchange with `folder`; empty for another folder or a first exchange.
QHash<QUuid, Remembered> readState(const QString& path, const QString& folder)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    if (root.value(QStringLiteral("folder")).toString() != folder)
        return {};
    QHash<QUuid, Remembered> state;
    const QJsonObject records = root.value(QStringLiteral("records")).toObject();
    for (auto it = records.begin(); it != records.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        state.insert(QUuid(it.key()),
            { entry.value(QStringLiteral("record")).toString().toLatin1(),
                entry.value(QStringLiteral("file")).toString().toLatin1(),
                entry.value(QStringLiteral("name")).toString(), entry.value(QStringLiteral("uid")).toString(),
                entry.value(QStringLiteral("sequence")).toInt() });
    }
    return state;
}

bool writeState(const QString& path, const QString& folder, const QHash<QUuid, Remembered>& state)
{
    QJsonObject records;
    for (auto it = state.begin(); it != state.end(); ++it) {
        records.insert(it.key().toString(QUuid::WithoutBraces),
            QJsonObject { { QStringLiteral("record"), QString::fromLatin1(it->record) },
                { QStringLiteral("file"), QString::fromLatin1(it->file) },
                { QStringLiteral("name"), it->name }, { QStringLiteral("uid"), it->uid },
                { QStringLiteral("sequence"), it->sequence } });
    }
    const QJsonObject root { { QStringLiteral("folder"), folder }, { QStringLiteral("records"), records } };
    return SafeFile::write(path, QJsonDocument(root).toJson());
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
    if (file.open(QIODevice::ReadOnly))
        all = NoteJson::decode(file.readAll()).value_or(ReminderNotes());
    return SafeFile::write(path, NoteJson::encodePretty(all + notes));
}

} // namespace

namespace FolderExchange {

QStringList Report::lines() const
{
    QStringList out;
    const auto line = [&out](int count, const char* one, const char* many) {
        if (count > 0)
            out << (count == 1 ? QString::fromUtf8(one) : QString::fromUtf8(many).arg(count));
    };
    line(written, "1 Termin in den Ordner geschrieben", "%1 Termine in den Ordner geschrieben");
    line(deletedFiles, "1 Termin im Ordner gelöscht", "%1 Termine im Ordner gelöscht");
    line(added, "1 Termin aus dem Ordner übernommen", "%1 Termine aus dem Ordner übernommen");
    line(updated, "1 Termin aus dem Ordner geändert", "%1 Termine aus dem Ordner geändert");
    line(removed, "1 Termin entfernt (im Ordner gelöscht)", "%1 Termine entfernt (im Ordner gelöscht)");
    line(conflicts, "1 Termin auf beiden Seiten geändert: die neuere Fassung gilt, die ältere ist aufgehoben",
        "%1 Termine auf beiden Seiten geändert: die neuere Fassung gilt, die ältere ist aufgehoben");
    if (withheld > 0)
        out << QStringLiteral(
            "%1 Termine fehlen im Ordner – mehr als die Hälfte auf einmal, daher nichts entfernt")
                   .arg(withheld);
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

Report run(NoteStore& store, const QString& folder)
{
    Report report;
    if (!QFileInfo(folder).isDir()) {
        report.error = QStringLiteral("Der Kalenderordner %1 fehlt").arg(folder);
        return report;
    }
    QHash<QUuid, Remembered> state = readState(statePath(store), folder);
    const QHash<QUuid, FolderFile> files = readFolder(folder);
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
        return found != at.cend() && isExchanged(notes.at(*found)) ? &notes.at(*found) : nullptr;
    };

    QList<QUuid> ids = state.keys();
    for (const ReminderNote& note : std::as_const(notes)) {
        if (isExchanged(note) && !state.contains(note.id))
            ids.append(note.id);
    }
    for (auto it = files.begin(); it != files.end(); ++it) {
        if (!state.contains(it.key()) && !ours(it.key()))
            ids.append(it.key());
    }

    struct Write {
        QUuid id;
        QString name;
        QString uid;
        int sequence;
    };
    QList<Write> writes;
    QList<QUuid> deletions; // files of records deleted here
    QList<QUuid> vanishing; // records whose files were deleted elsewhere
    ReminderNotes setAside;
    for (const QUuid& id : std::as_const(ids)) {
        const ReminderNote* mine = ours(id);
        const auto file = files.constFind(id);
        const FolderFile* theirs = file != files.cend() ? &*file : nullptr;
        const auto remembered = state.constFind(id);
        const Remembered* last = remembered != state.cend() ? &*remembered : nullptr;
        const bool mineChanged = mine && (!last || recordFingerprint(*mine) != last->record);
        const bool theirsChanged = theirs && (!last || theirs->fingerprint != last->file);
        const QString name = theirs ? theirs->name : last ? last->name : SyncFile::fileName(id);
        const QString uid = theirs ? theirs->incoming.stamp.uid : last ? last->uid : QString();
        const int next
            = std::max(theirs ? theirs->incoming.stamp.sequence : 0, last ? last->sequence : 0) + 1;

        if (mine && !theirs) {
            if (last && !mineChanged)
                vanishing.append(id);
            else // new here, or changed here after it went there
                writes.append({ id, name, uid, last ? next : 0 });
        } else if (!mine && theirs) {
            if (at.contains(id)) // a record of ours that is no appointment now: ours stays
                continue;
            if (last && !theirsChanged) {
                deletions.append(id);
            } else { // new there, or changed there after it went here
                ReminderNote note
                    = SyncFile::merged(ReminderNote::create(store.now()), theirs->incoming.note);
                note.id = id;
                at.insert(id, notes.size());
                notes.append(note);
                ++report.added;
            }
        } else if (mine && theirs) {
            const ReminderNote fromFile = SyncFile::merged(*mine, theirs->incoming.note);
            if (fromFile.hasSameFields(*mine))
                continue;
            if (mineChanged && theirsChanged) {
                ++report.conflicts;
                if (theirs->incoming.stamp.modified > ourTime) {
                    setAside.append(*mine);
                    notes[at.value(id)] = fromFile;
                } else {
                    setAside.append(fromFile);
                    writes.append({ id, name, uid, next });
                }
            } else if (theirsChanged) {
                notes[at.value(id)] = fromFile;
                ++report.updated;
            } else {
                writes.append({ id, name, uid, next });
            }
        }
    }
    // A wiped or unmounted folder must not empty the store: then nothing vanishes.
    if (vanishing.size() > 1 && vanishing.size() * 2 > state.size()) {
        report.withheld = int(vanishing.size());
        vanishing.clear();
    }
    report.removed = int(vanishing.size());
    for (const QUuid& id : std::as_const(vanishing))
        state.remove(id);
    notes.erase(std::remove_if(notes.begin(), notes.end(),
                    [&vanishing](const ReminderNote& note) { return vanishing.contains(note.id); }),
        notes.end());

    if ((report.added || report.updated || report.removed || report.conflicts)
        && !store.replaceNotes(notes)) {
        report = { .error = QStringLiteral("Konnte nicht gespeichert werden: ") + store.saveError() };
        return report;
    }
    if (!setAside.isEmpty() && !keepAside(conflictsPath(store), setAside))
        report.error
            = QStringLiteral("Die ältere Fassung konnte nicht aufgehoben werden: ") + conflictsPath(store);

    const QDir dir(folder);
    QHash<QUuid, const ReminderNote*> byId;
    for (const ReminderNote& note : std::as_const(notes))
        byId.insert(note.id, &note);
    for (const Write& write : std::as_const(writes)) {
        const ReminderNote& note = *byId.value(write.id);
        const QByteArray bytes = SyncFile::write(note, { ourTime, write.sequence, write.uid });
        if (!SafeFile::write(dir.filePath(write.name), bytes)) {
            report.error = QStringLiteral("Konnte %1 nicht schreiben").arg(dir.filePath(write.name));
            continue;
        }
        state.insert(
            write.id, { recordFingerprint(note), fingerprint(bytes), write.name, write.uid, write.sequence });
        ++report.written;
    }
    for (const QUuid& id : std::as_const(deletions)) {
        const QString path = dir.filePath(files[id].name);
        if (!QFile::remove(path) && QFileInfo::exists(path)) {
            report.error = QStringLiteral("Konnte %1 nicht löschen").arg(path);
            continue;
        }
        state.remove(id);
        ++report.deletedFiles;
    }
    // Files taken in, or left as they were, are what the next exchange compares with.
    for (auto it = files.begin(); it != files.end(); ++it) {
        const ReminderNote* note = byId.value(it.key());
        const bool written = std::any_of(
            writes.cbegin(), writes.cend(), [&it](const Write& write) { return write.id == it.key(); });
        if (note && isExchanged(*note) && !written) {
            state.insert(it.key(),
                { recordFingerprint(*note), it->fingerprint, it->name, it->incoming.stamp.uid,
                    it->incoming.stamp.sequence });
        }
    }
    if (!writeState(statePath(store), folder, state) && report.error.isEmpty())
        report.error = QStringLiteral("Konnte %1 nicht schreiben").arg(statePath(store));
    return report;
}

} // namespace FolderExchange
