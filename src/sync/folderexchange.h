#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class NoteStore;

/// One exchange between the store's own appointments (and, when asked, its plain notes) and a vdir
/// calendar folder: what changed here since the last exchange is written (or removed) there, what
/// changed there is taken in here. What was exchanged is remembered in `sync-state.json` beside
/// the data file.
///
/// When both sides changed a record, the newer one wins: the folder's by its LAST-MODIFIED, ours
/// by the data file's last save. The other version is kept in `sync-conflicts.json` beside the
/// data file. If more than half of the exchanged records would vanish at once (a wiped or
/// unmounted folder), no record is removed and the report says so.
///
/// Notes that are not followed (switched off) are left alone on both sides: their files stay in
/// the folder, nothing here or there is removed for them, and what was remembered of them stays, so
/// that switching them on again takes up what changed meanwhile by the same rules.
namespace FolderExchange {

struct Options {
    bool notes = false; ///< plain notes travel too, as journal entries (VJOURNAL)
    /// Records whose files are gone are removed even when more than half would go at once: the
    /// user, told so, chose it.
    bool removeMany = false;
};

/// What an exchange did to one kind of record.
struct Counts {
    int written = 0; ///< files written for records new or changed here
    int deletedFiles = 0; ///< files removed for records deleted here
    int added = 0; ///< records taken in from new files
    int updated = 0; ///< records changed from changed files
    int removed = 0; ///< records whose files were removed elsewhere
    int conflicts = 0; ///< records changed on both sides; the older version kept aside
    int withheld = 0; ///< removals not done: too many at once
};

struct Report {
    Counts appointments;
    Counts notes; ///< a record counts as the kind it has after the exchange
    QString error; ///< German; empty when everything was done

    /// German lines for the terminal, one per kind of change; "Nichts zu tun" when nothing changed.
    [[nodiscard]] QStringList lines() const;
};

/// The file beside the data file that remembers what was exchanged.
[[nodiscard]] QString statePath(const NoteStore& store);
/// The file beside the data file that keeps the versions a conflict set aside.
[[nodiscard]] QString conflictsPath(const NoteStore& store);

/// The calendar folder "Zettelwerk" below the vdir tree `root` (its `displayname` and `color`
/// files as vdirsyncer and khal read them), made unless it is there; nothing when it cannot be.
[[nodiscard]] std::optional<QString> makeCalendar(const QString& root);

/// One exchange with `folder`; the store is saved once, each file is written in one piece.
[[nodiscard]] Report run(NoteStore& store, const QString& folder, Options options = {});

} // namespace FolderExchange
