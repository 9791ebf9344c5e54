#include "folderexchange.h"
#include "foldersync.h"
#include "notejson.h"
#include "notestore.h"
#include "syncfile.h"
#include "testsupport.h"

#include <memory>

namespace {

struct Machine {
    QTemporaryDir dir;
    std::unique_ptr<NoteStore> store = std::make_unique<NoteStore>(dir.path());
    FolderExchange::Options options { .notes = true };

    ReminderNote add(const QString& text, const std::optional<QDateTime>& start = std::nullopt)
    {
        const ReminderNote note = start ? appointment(text, *start) : plain(text, berlin(2026, 12, 1, 8, 0));
        store->addNote(note);
        return note;
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
    [[nodiscard]] const ReminderNote* find(const QUuid& id) const
    {
        const auto at = std::find_if(store->notes().cbegin(), store->notes().cend(),
            [&id](const ReminderNote& note) { return note.id == id; });
        return at == store->notes().cend() ? nullptr : &*at;
    }
    [[nodiscard]] QString textOf(const QUuid& id) const { return find(id) ? find(id)->text : u"–"_s; }
};

QStringList one(bool note, const QString& what)
{
    return { (note ? u"1 Notiz "_s : u"1 Termin "_s) + what };
}

} // namespace

class tst_FolderExchange : public QObject {
    Q_OBJECT

private slots:
    void addEditDeleteTravel()
    {
        // A note and an appointment at once; an imported appointment is never this machine's to publish.
        const auto both = [](const QString& what) { return one(false, what) + one(true, what); };
        Machine a, b;
        const ReminderNote made = a.add(u"Einkauf\nMilch"_s);
        const QUuid at = a.add(u"Zahnarzt"_s, berlin(2026, 12, 7, 14, 30)).id;
        a.store->addNote(
            appointment(u"Aus dem Schulkalender"_s, berlin(2026, 12, 9, 8, 0), {}, u"ICS: ferien.ics"_s));
        QCOMPARE(sync(a), both(u"in den Ordner geschrieben"_s));
        QCOMPARE(sync(b), both(u"aus dem Ordner übernommen"_s));
        QCOMPARE(b.textOf(made.id), made.text);
        QCOMPARE(b.find(made.id)->createdAt, made.createdAt);
        QCOMPARE(sync(b), QStringList { u"Nichts zu tun"_s });

        b.edit(made.id, u"Einkauf\nBrot"_s, berlin(2026, 12, 7, 9, 0));
        b.edit(at, u"Zahnarzt Dr. Weber"_s, berlin(2026, 12, 7, 9, 0));
        QCOMPARE(sync(b), both(u"in den Ordner geschrieben"_s));
        QCOMPARE(sync(a), both(u"aus dem Ordner geändert"_s));
        QCOMPARE(a.textOf(made.id), u"Einkauf\nBrot"_s);
        QCOMPARE(a.textOf(at), u"Zahnarzt Dr. Weber"_s);
        QCOMPARE(sync(a), QStringList { u"Nichts zu tun"_s });

        // One at a time: the last one going is no wiped folder.
        for (const QUuid& gone : { at, made.id }) {
            QVERIFY(a.store->deleteNote(gone));
            QCOMPARE(sync(a), one(gone == made.id, u"im Ordner gelöscht"_s));
            QCOMPARE(sync(b), one(gone == made.id, u"entfernt (im Ordner gelöscht)"_s));
            QVERIFY(!b.find(gone));
        }
        QCOMPARE(files(), QStringList());
    }

    void newerChangeWins_data()
    {
        // aLater: else B's edit is the later one, which B meets in the folder
        columns<bool, bool>("note", "aLater");
        QTest::newRow("appointment: the later edit, sent first") << false << true;
        QTest::newRow("note: the later edit, met by the other") << true << false;
    }

    void newerChangeWins()
    {
        QFETCH(bool, note);
        QFETCH(bool, aLater);
        Machine a, b;
        const QUuid id
            = a.add(u"Eintrag"_s, note ? std::nullopt : std::optional(berlin(2026, 12, 8, 9, 0))).id;
        sync(a);
        sync(b);
        a.edit(id, u"von A"_s, berlin(2026, 12, 7, aLater ? 11 : 10, 0));
        b.edit(id, u"von B"_s, berlin(2026, 12, 7, aLater ? 10 : 11, 0));
        // For notes, B's kept list is damaged: it moves aside rather than being written over.
        const QString keptPath = FolderExchange::conflictsPath(*b.store);
        if (note)
            QVERIFY(writeAll(keptPath, "[{"));
        sync(a);
        const QString conflict = u"auf beiden Seiten geändert: die neuere Fassung gilt, die ältere ist "
                                 "aufgehoben (zettelwerk sync-conflicts)"_s;
        QVERIFY(sync(b).contains(one(note, conflict).first()));
        sync(a);
        QCOMPARE(a.textOf(id), aLater ? u"von A"_s : u"von B"_s);
        QCOMPARE(b.textOf(id), a.textOf(id));
        const auto aside = NoteJson::decode(readAll(keptPath));
        QCOMPARE(aside ? textsOf(*aside) : QStringList(), QStringList { aLater ? u"von B"_s : u"von A"_s });
        QCOMPARE(readAll(keptPath + u".beschädigt"_s), note ? QByteArray("[{") : QByteArray());
    }

    void wipedFolderRemovesNothing_data()
    {
        // notesFollowed: when the folder is found empty; missing: what the message says is missing
        columns<int, int, bool, QString>("appointments", "notes", "notesFollowed", "missing");
        QTest::newRow("notes") << 0 << 3 << true << u"3 Notizen"_s;
        QTest::newRow("both") << 2 << 1 << true << u"2 Termine und 1 Notiz"_s;
        // Half of what was exchanged, counting the notes no longer followed; all of what is followed.
        QTest::newRow("appointments, the notes no longer followed") << 2 << 2 << false << u"2 Termine"_s;
    }

    void wipedFolderRemovesNothing()
    {
        QFETCH(int, appointments);
        QFETCH(int, notes);
        Machine a;
        for (int day = 1; day <= appointments; ++day)
            a.add(u"Termin %1"_s.arg(day), berlin(2026, 12, day, 9, 0));
        for (int n = 1; n <= notes; ++n)
            a.add(u"Notiz %1"_s.arg(n));
        sync(a);
        QFETCH(bool, notesFollowed);
        a.options.notes = notesFollowed;
        QCOMPARE(files().size(), appointments + notes);
        for (const QString& name : files())
            QVERIFY(QDir(folder()).remove(name));
        QFETCH(QString, missing);
        QCOMPARE(sync(a),
            QStringList { missing
                + u" fehlen im Ordner – mehr als die Hälfte auf einmal, daher nichts entfernt "
                  "(trotzdem entfernen: zettelwerk sync --entfernen)"_s });
        QCOMPARE(a.store->notes().size(), appointments + notes);
        a.options.removeMany = true;
        sync(a);
        QCOMPARE(a.store->notes().size(), notesFollowed ? 0 : notes);
    }

    void notesSwitchedOff_data()
    {
        // onA: changed on A, which stops following notes, else on B; aOnAgain: A's report on following again
        columns<bool, bool, QString>("onA", "deleted", "aOnAgain");

        QTest::newRow("edited on the machine that switched off")
            << true << false << u"in den Ordner geschrieben"_s;
        QTest::newRow("deleted on the machine that switched off") << true << true << u"im Ordner gelöscht"_s;
        QTest::newRow("edited elsewhere") << false << false << u"aus dem Ordner geändert"_s;
        QTest::newRow("deleted elsewhere") << false << true << u"entfernt (im Ordner gelöscht)"_s;
    }

    void notesSwitchedOff()
    {
        // Switched off, notes stay as they are on both sides; switched on again, changes travel as usual.
        QFETCH(bool, onA);
        QFETCH(bool, deleted);
        Machine a, b;
        const QUuid id = a.add(u"alt"_s).id;
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
        const QString changed = deleted ? u"–"_s : u"neu"_s;
        QCOMPARE(a.textOf(id), onA ? changed : u"alt"_s);
        QCOMPARE(b.textOf(id), onA ? u"alt"_s : changed);
        QCOMPARE(files().size(), onA || !deleted ? 2 : 1);
        QCOMPARE(b.store->notes().size(), onA || !deleted ? 2 : 1); // the appointment, and the note kept

        a.options.notes = true;
        QFETCH(QString, aOnAgain);
        QCOMPARE(sync(a), one(true, aOnAgain));
        sync(b);
        QCOMPARE(a.textOf(id), changed);
        QCOMPARE(b.textOf(id), changed);
    }

    void kindTravels_data()
    {
        columns<bool, bool>("wasNote", "bFollowsNotes");
        QTest::newRow("an appointment made a note") << false << true;
        QTest::newRow("a note made an appointment") << true << true;
        // B keeps no notes in step, but what was its appointment becomes the note it now is.
        QTest::newRow("an appointment made a note, notes not followed there") << false << false;
    }

    void kindTravels()
    {
        QFETCH(bool, wasNote);
        QFETCH(bool, bFollowsNotes);
        Machine a, b;
        b.options.notes = bFollowsNotes;
        const QUuid id
            = a.add(u"Zahnarzt"_s, wasNote ? std::nullopt : std::optional(berlin(2026, 12, 8, 9, 0))).id;
        sync(a);
        QCOMPARE(sync(b), one(wasNote, u"aus dem Ordner übernommen"_s));
        ReminderNote rang = *b.find(id);
        rang.isTriggered = true; // it rang on B; a time set elsewhere arms it again
        QVERIFY(b.store->commitNote(rang));
        QCOMPARE(sync(b), QStringList { u"Nichts zu tun"_s });

        ReminderNote changed = *a.find(id); // as the editor and `edit --at` / `--no-alarm` do
        changed.hasAlarm = wasNote;
        if (wasNote)
            changed.alarmDate = berlin(2026, 12, 9, 10, 0);
        QVERIFY(a.store->commitNote(changed));
        QCOMPARE(sync(a), one(!wasNote, u"in den Ordner geschrieben"_s));
        QCOMPARE(sync(b), one(!wasNote, u"aus dem Ordner geändert"_s));
        // The same record, now of the other kind: no second one, no second file.
        QCOMPARE(b.store->notes().size(), 1);
        QCOMPARE(files(), QStringList { SyncFile::fileName(id) });
        const ReminderNote& got = *b.find(id);
        QCOMPARE(std::tuple(got.hasAlarm, wasNote && got.isTriggered, wasNote ? got.alarmDate : QDateTime()),
            std::tuple(wasNote, false, wasNote ? berlin(2026, 12, 9, 10, 0) : QDateTime()));
        QCOMPARE(sync(b), QStringList { u"Nichts zu tun"_s });
        QCOMPARE(sync(a), QStringList { u"Nichts zu tun"_s });
    }

    void failedSaveTakesNothing()
    {
        Machine a, b;
        const QUuid id = a.add(u"Zahnarzt"_s, berlin(2026, 12, 7, 14, 30)).id;
        sync(a);
        b.store->addNote(plain(u"Notiz"_s, berlin(2026, 12, 1)));
        QVERIFY(QFile::remove(b.store->filePath()) && QDir().mkdir(b.store->filePath()));
        const FolderExchange::Report failed = FolderExchange::run(*b.store, folder());
        QVERIFY(failed.error.startsWith(u"Konnte nicht gespeichert werden"_s));
        QVERIFY(!b.find(id));
        QCOMPARE(files().size(), 1); // nor did B's note go out
        QVERIFY(QDir().rmdir(b.store->filePath()));
        QCOMPARE(sync(b),
            QStringList({ u"1 Notiz in den Ordner geschrieben"_s, u"1 Termin aus dem Ordner übernommen"_s }));
    }

    void runningAppFollowsBothSides()
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
        const QUuid note = a.add(u"Einkauf"_s).id;
        const QString noteFile = QDir(folder()).filePath(SyncFile::fileName(note));
        running.exchangeNow();
        QVERIFY(!QFileInfo::exists(noteFile));
        running.setNotes(true);
        QVERIFY(QFileInfo::exists(noteFile));
    }
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    [[nodiscard]] QString folder() const { return m_folder->path(); }
    QStringList sync(Machine& machine) const
    {
        return FolderExchange::run(*machine.store, folder(), machine.options).lines();
    }
    [[nodiscard]] QStringList files() const { return QDir(folder()).entryList(QDir::Files); }
};

QTEST_GUILESS_MAIN(tst_FolderExchange)
#include "tst_folderexchange.moc"
