#include "folderexchange.h"
#include "foldersync.h"
#include "notejson.h"
#include "notestore.h"
#include "testsupport.h"

#include "syncfile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// One machine: its own data folder, store and choice of what travels, exchanging with the folder
// both share.
struct Machine {
    QTemporaryDir dir;
    std::unique_ptr<NoteStore> store = std::make_unique<NoteStore>(dir.path());
    FolderExchange::Options options { .notes = true };

    ReminderNote add(const QString& text, const QDateTime& start)
    {
        const ReminderNote note = appointment(text, start);
        store->addNote(note);
        return note;
    }
    ReminderNote addNote(const QString& text)
    {
        const ReminderNote note = plain(text, berlin(2026, 12, 1, 8, 0));
        store->addNote(note);
        return note;
    }
    ReminderNote add(bool note, const QString& text)
    {
        return note ? addNote(text) : add(text, berlin(2026, 12, 8, 9, 0));
    }
    void edit(const QUuid& id, const QString& text, const QDateTime& changedAt)
    {
        ReminderNote note = *find(id);
        note.text = text;
        store->commitNote(note);
        QFile file(store->filePath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(changedAt, QFileDevice::FileModificationTime));
    }
    // As the editor and `edit --at` / `--no-alarm` do.
    void setAlarm(const QUuid& id, const std::optional<QDateTime>& at)
    {
        ReminderNote note = *find(id);
        note.hasAlarm = at.has_value();
        if (at) {
            note.alarmDate = *at;
            note.isTriggered = false;
        }
        QVERIFY(store->commitNote(note));
    }
    [[nodiscard]] const ReminderNote* find(const QUuid& id) const
    {
        for (const ReminderNote& note : store->notes()) {
            if (note.id == id)
                return &note;
        }
        return nullptr;
    }
    [[nodiscard]] QString textOf(const QUuid& id) const { return find(id) ? find(id)->text : u"–"_s; }
};

// "1 Termin …" or "1 Notiz …".
QStringList one(bool note, const QString& what)
{
    return { (note ? u"1 Notiz "_s : u"1 Termin "_s) + what };
}

} // namespace

class tst_FolderExchange : public QObject {
    Q_OBJECT

private slots:
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }
    void addEditDeleteTravel_data();
    void addEditDeleteTravel();
    void newerChangeWins_data();
    void newerChangeWins();
    void stayHome_data();
    void stayHome();
    void wipedFolderRemovesNothing_data();
    void wipedFolderRemovesNothing();
    void notesSwitchedOff_data();
    void notesSwitchedOff();
    void kindTravels_data();
    void kindTravels();
    void failedSaveTakesNothing();
    void runningAppFollowsBothSides();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    [[nodiscard]] QString folder() const { return m_folder->path(); }
    QStringList sync(Machine& machine) const
    {
        return FolderExchange::run(*machine.store, folder(), machine.options).lines();
    }
    [[nodiscard]] QStringList files() const { return QDir(folder()).entryList(QDir::Files); }
};

void tst_FolderExchange::addEditDeleteTravel_data()
{
    QTest::addColumn<bool>("note");
    QTest::newRow("appointment") << false;
    QTest::newRow("note") << true;
}

void tst_FolderExchange::addEditDeleteTravel()
{
    QFETCH(bool, note);
    Machine a, b;
    const ReminderNote made
        = note ? a.addNote(u"Einkauf\nMilch"_s) : a.add(u"Zahnarzt"_s, berlin(2026, 12, 7, 14, 30));
    const QUuid id = made.id;
    QCOMPARE(sync(a), one(note, u"in den Ordner geschrieben"_s));
    QCOMPARE(sync(b), one(note, u"aus dem Ordner übernommen"_s));
    QCOMPARE(b.find(id)->hasAlarm, !note);
    QCOMPARE(b.textOf(id), made.text);
    if (note)
        QCOMPARE(b.find(id)->createdAt, made.createdAt);
    else
        QCOMPARE(b.find(id)->alarmDate, berlin(2026, 12, 7, 14, 30));
    QCOMPARE(sync(b), QStringList { u"Nichts zu tun"_s });

    b.edit(id, u"Zahnarzt Dr. Weber"_s, berlin(2026, 12, 7, 9, 0));
    QCOMPARE(sync(b), one(note, u"in den Ordner geschrieben"_s));
    QCOMPARE(sync(a), one(note, u"aus dem Ordner geändert"_s));
    QCOMPARE(a.textOf(id), u"Zahnarzt Dr. Weber"_s);
    QCOMPARE(sync(a), QStringList { u"Nichts zu tun"_s });

    QVERIFY(a.store->deleteNote(id));
    QCOMPARE(sync(a), one(note, u"im Ordner gelöscht"_s));
    QCOMPARE(sync(b), one(note, u"entfernt (im Ordner gelöscht)"_s));
    QVERIFY(!b.find(id));
    QCOMPARE(files(), QStringList());
}

void tst_FolderExchange::newerChangeWins_data()
{
    QTest::addColumn<QDateTime>("aChangedAt");
    QTest::addColumn<QDateTime>("bChangedAt");
    QTest::addColumn<QString>("kept"); // on both, after both exchanged once more
    QTest::addColumn<QString>("setAside"); // in the machine that met the conflict
    QTest::addColumn<bool>("note");

    for (const bool note : { false, true }) {
        const char* kind = note ? "note: " : "appointment: ";
        QTest::addRow("%sthe later edit, sent first", kind)
            << berlin(2026, 12, 7, 11, 0) << berlin(2026, 12, 7, 10, 0) << u"von A"_s << u"von B"_s << note;
        QTest::addRow("%sthe later edit, met by the other", kind)
            << berlin(2026, 12, 7, 10, 0) << berlin(2026, 12, 7, 11, 0) << u"von B"_s << u"von A"_s << note;
    }
}

void tst_FolderExchange::newerChangeWins()
{
    QFETCH(QDateTime, aChangedAt);
    QFETCH(QDateTime, bChangedAt);
    QFETCH(bool, note);
    Machine a, b;
    const QUuid id = a.add(note, u"Eintrag"_s).id;
    sync(a);
    sync(b);
    a.edit(id, u"von A"_s, aChangedAt);
    b.edit(id, u"von B"_s, bChangedAt);
    // For notes, B's kept list is damaged: it moves aside rather than being written over.
    const QString keptPath = FolderExchange::conflictsPath(*b.store);
    if (note)
        QVERIFY(writeAll(keptPath, "[{"));
    sync(a);
    QVERIFY(sync(b).contains(one(note,
        u"auf beiden Seiten geändert: die neuere Fassung gilt, die ältere ist aufgehoben "
        "(zettelwerk sync-conflicts)"_s)
                                 .first()));
    sync(a);
    QTEST(a.textOf(id), "kept");
    QTEST(b.textOf(id), "kept");
    const auto aside = NoteJson::decode(readAll(FolderExchange::conflictsPath(*b.store)));
    QVERIFY(aside && aside->size() == 1);
    QTEST(aside->first().text, "setAside");
    QCOMPARE(readAll(keptPath + u".beschädigt"_s), note ? QByteArray("[{") : QByteArray());
}

void tst_FolderExchange::stayHome_data()
{
    QTest::addColumn<bool>("notes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("notes not chosen") << false << QStringList { u"Nichts zu tun"_s };
    QTest::newRow("notes chosen") << true << one(true, u"in den Ordner geschrieben"_s);
}

void tst_FolderExchange::stayHome()
{
    // Imported appointments are never this machine's to publish; plain notes only when chosen.
    Machine a;
    QFETCH(bool, notes);
    a.options.notes = notes;
    a.add(u"Aus dem Schulkalender"_s, berlin(2026, 12, 9, 8, 0));
    ReminderNote imported = a.store->notes().first();
    imported.importSource = u"ICS: ferien.ics"_s;
    a.store->commitNote(imported);
    const QUuid note = a.addNote(u"Einkaufsliste"_s).id;
    QTEST(sync(a), "lines");
    QCOMPARE(files(), notes ? QStringList { SyncFile::fileName(note) } : QStringList());
}

void tst_FolderExchange::wipedFolderRemovesNothing_data()
{
    QTest::addColumn<int>("appointments");
    QTest::addColumn<int>("notes");
    QTest::addColumn<bool>("notesFollowed"); // when the folder is found empty
    QTest::addColumn<QString>("line");
    QTest::newRow("appointments")
        << 3 << 0 << true
        << u"3 Termine fehlen im Ordner – mehr als die Hälfte auf einmal, "
           "daher nichts entfernt (trotzdem entfernen: zettelwerk sync --entfernen)"_s;
    QTest::newRow("notes") << 0 << 3 << true
                           << u"3 Notizen fehlen im Ordner – mehr als die Hälfte auf einmal, "
                              "daher nichts entfernt (trotzdem entfernen: zettelwerk sync --entfernen)"_s;
    QTest::newRow("both") << 2 << 1 << true
                          << u"2 Termine und 1 Notiz fehlen im Ordner – mehr als die Hälfte auf einmal, "
                             "daher nichts entfernt (trotzdem entfernen: zettelwerk sync --entfernen)"_s;
    // Half of what was exchanged, counting the notes no longer followed; all of what is followed.
    QTest::newRow("appointments, the notes no longer followed")
        << 2 << 2 << false
        << u"2 Termine fehlen im Ordner – mehr als die Hälfte auf einmal, daher nichts entfernt (trotzdem entfernen: zettelwerk sync --entfernen)"_s;
}

void tst_FolderExchange::wipedFolderRemovesNothing()
{
    QFETCH(int, appointments);
    QFETCH(int, notes);
    Machine a;
    for (int day = 1; day <= appointments; ++day)
        a.add(u"Termin %1"_s.arg(day), berlin(2026, 12, day, 9, 0));
    for (int n = 1; n <= notes; ++n)
        a.addNote(u"Notiz %1"_s.arg(n));
    sync(a);
    QFETCH(bool, notesFollowed);
    a.options.notes = notesFollowed;
    QDir shared(folder());
    QCOMPARE(shared.entryList(QDir::Files).size(), appointments + notes);
    for (const QString& name : shared.entryList(QDir::Files))
        QVERIFY(shared.remove(name));
    QFETCH(QString, line);
    QCOMPARE(sync(a), QStringList { line });
    QCOMPARE(a.store->notes().size(), appointments + notes);
    // Told so, the user lets them go.
    a.options.removeMany = true;
    sync(a);
    QCOMPARE(a.store->notes().size(), notesFollowed ? 0 : notes);
}

void tst_FolderExchange::notesSwitchedOff_data()
{
    QTest::addColumn<bool>("onA"); // the change is made on A, which no longer follows notes; else on B
    QTest::addColumn<bool>("deleted"); // else edited
    QTest::addColumn<QString>("aWhileOff");
    QTest::addColumn<QString>("bWhileOff");
    QTest::addColumn<QStringList>("aOnAgain"); // A's exchange once it follows notes again
    QTest::addColumn<QString>("finally"); // on both, after B's next exchange

    QTest::newRow("edited on the machine that switched off")
        << true << false << u"neu"_s << u"alt"_s << one(true, u"in den Ordner geschrieben"_s) << u"neu"_s;
    QTest::newRow("deleted on the machine that switched off")
        << true << true << u"–"_s << u"alt"_s << one(true, u"im Ordner gelöscht"_s) << u"–"_s;
    QTest::newRow("edited elsewhere")
        << false << false << u"alt"_s << u"neu"_s << one(true, u"aus dem Ordner geändert"_s) << u"neu"_s;
    QTest::newRow("deleted elsewhere")
        << false << true << u"alt"_s << u"–"_s << one(true, u"entfernt (im Ordner gelöscht)"_s) << u"–"_s;
}

void tst_FolderExchange::notesSwitchedOff()
{
    // Switched off, notes stay where they are on both sides; switched on again, what changed
    // meanwhile travels by the usual rules.
    QFETCH(bool, onA);
    QFETCH(bool, deleted);
    Machine a, b;
    const QUuid id = a.addNote(u"alt"_s).id;
    a.add(u"Zahnarzt"_s, berlin(2026, 12, 7, 14, 30));
    sync(a);
    sync(b);
    a.options.notes = false;
    QCOMPARE(sync(a), QStringList { u"Nichts zu tun"_s });

    Machine& changing = onA ? a : b;
    if (deleted)
        QVERIFY(changing.store->deleteNote(id));
    else
        changing.edit(id, u"neu"_s, berlin(2026, 12, 7, 9, 0));
    sync(changing);
    QCOMPARE(sync(a), QStringList { u"Nichts zu tun"_s });
    QCOMPARE(sync(b), QStringList { u"Nichts zu tun"_s });
    QTEST(a.textOf(id), "aWhileOff");
    QTEST(b.textOf(id), "bWhileOff");
    QCOMPARE(files().size(), onA || !deleted ? 2 : 1);
    QCOMPARE(b.store->notes().size(), onA || !deleted ? 2 : 1); // the appointment, and the note kept

    a.options.notes = true;
    QTEST(sync(a), "aOnAgain");
    sync(b);
    QTEST(a.textOf(id), "finally");
    QTEST(b.textOf(id), "finally");
}

void tst_FolderExchange::kindTravels_data()
{
    QTest::addColumn<bool>("wasNote");
    QTest::addColumn<bool>("bFollowsNotes");
    QTest::addColumn<QStringList>("bLines");

    QTest::newRow("an appointment made a note") << false << true << one(true, u"aus dem Ordner geändert"_s);
    QTest::newRow("a note made an appointment") << true << true << one(false, u"aus dem Ordner geändert"_s);
    // B keeps no notes in step, but what was its appointment becomes the note it now is.
    QTest::newRow("an appointment made a note, notes not followed there")
        << false << false << one(true, u"aus dem Ordner geändert"_s);
}

void tst_FolderExchange::kindTravels()
{
    QFETCH(bool, wasNote);
    QFETCH(bool, bFollowsNotes);
    Machine a, b;
    b.options.notes = bFollowsNotes;
    const QUuid id = a.add(wasNote, u"Zahnarzt"_s).id;
    sync(a);
    QCOMPARE(sync(b), one(wasNote, u"aus dem Ordner übernommen"_s));
    ReminderNote rang = *b.find(id);
    rang.isTriggered = true; // it rang on B; a time set elsewhere arms it again
    QVERIFY(b.store->commitNote(rang));
    QCOMPARE(sync(b), QStringList { u"Nichts zu tun"_s });

    a.setAlarm(id, wasNote ? std::optional(berlin(2026, 12, 9, 10, 0)) : std::nullopt);
    QCOMPARE(sync(a), one(!wasNote, u"in den Ordner geschrieben"_s));
    QTEST(sync(b), "bLines");
    // The same record, now of the other kind: no second one, no second file.
    QCOMPARE(b.store->notes().size(), 1);
    QCOMPARE(files(), QStringList { SyncFile::fileName(id) });
    QCOMPARE(b.find(id)->hasAlarm, wasNote);
    QCOMPARE(b.textOf(id), u"Zahnarzt"_s);
    if (wasNote) {
        QCOMPARE(b.find(id)->alarmDate, berlin(2026, 12, 9, 10, 0));
        QVERIFY(!b.find(id)->isTriggered);
    }
    QCOMPARE(sync(b), QStringList { u"Nichts zu tun"_s });
    QCOMPARE(sync(a), QStringList { u"Nichts zu tun"_s });
}

void tst_FolderExchange::failedSaveTakesNothing()
{
    Machine a, b;
    const QUuid id = a.add(u"Zahnarzt"_s, berlin(2026, 12, 7, 14, 30)).id;
    sync(a);
    b.store->addNote(plain(u"Notiz"_s, berlin(2026, 12, 1)));
    // A folder where B's data file belongs: B cannot save.
    QVERIFY(QFile::remove(b.store->filePath()));
    QVERIFY(QDir().mkdir(b.store->filePath()));
    const FolderExchange::Report failed = FolderExchange::run(*b.store, folder());
    QVERIFY(failed.error.startsWith(u"Konnte nicht gespeichert werden"_s));
    QCOMPARE(failed.appointments.added, 0);
    QVERIFY(!b.find(id));
    QCOMPARE(files().size(), 1); // nor did B's note go out
    // Once it can, the next exchange takes it.
    QVERIFY(QDir().rmdir(b.store->filePath()));
    QCOMPARE(sync(b),
        QStringList({ u"1 Notiz in den Ordner geschrieben"_s, u"1 Termin aus dem Ordner übernommen"_s }));
}

void tst_FolderExchange::runningAppFollowsBothSides()
{
    Machine a, b;
    FolderSync running(*a.store);
    running.setFolder(folder());
    const QUuid ours = a.add(u"Zahnarzt"_s, berlin(2026, 12, 7, 14, 30)).id;
    QTRY_VERIFY(QFileInfo::exists(QDir(folder()).filePath(SyncFile::fileName(ours))));
    // vdirsyncer brings a file that another machine wrote.
    const QUuid theirs = b.add(u"Friseur"_s, berlin(2026, 12, 9, 10, 0)).id;
    sync(b);
    QTRY_COMPARE(a.textOf(theirs), u"Friseur"_s);
    // Notes stay home until chosen; then the ones there are go out at once.
    const QUuid note = a.addNote(u"Einkauf"_s).id;
    const QString noteFile = QDir(folder()).filePath(SyncFile::fileName(note));
    running.exchangeNow();
    QVERIFY(!QFileInfo::exists(noteFile));
    running.setNotes(true);
    QVERIFY(QFileInfo::exists(noteFile));
}

QTEST_GUILESS_MAIN(tst_FolderExchange)
#include "tst_folderexchange.moc"
