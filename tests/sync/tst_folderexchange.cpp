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

// One machine: its own data folder and store, exchanging with the folder both share.
struct Machine {
    QTemporaryDir dir;
    std::unique_ptr<NoteStore> store = std::make_unique<NoteStore>(dir.path());

    ReminderNote add(const QString& text, const QDateTime& start)
    {
        const ReminderNote note = appointment(text, start);
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
        for (const ReminderNote& note : store->notes()) {
            if (note.id == id)
                return &note;
        }
        return nullptr;
    }
    [[nodiscard]] QString textOf(const QUuid& id) const { return find(id) ? find(id)->text : u"–"_s; }
};

} // namespace

class tst_FolderExchange : public QObject {
    Q_OBJECT

private slots:
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }
    void addEditDeleteTravel();
    void newerChangeWins_data();
    void newerChangeWins();
    void stayHome();
    void wipedFolderRemovesNothing();
    void failedSaveTakesNothing();
    void runningAppFollowsBothSides();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    [[nodiscard]] QString folder() const { return m_folder->path(); }
    QStringList sync(Machine& machine) const { return FolderExchange::run(*machine.store, folder()).lines(); }
};

void tst_FolderExchange::addEditDeleteTravel()
{
    Machine a, b;
    const QUuid id = a.add(u"Zahnarzt"_s, berlin(2026, 12, 7, 14, 30)).id;
    QCOMPARE(sync(a), QStringList { u"1 Termin in den Ordner geschrieben"_s });
    QCOMPARE(sync(b), QStringList { u"1 Termin aus dem Ordner übernommen"_s });
    QCOMPARE(b.find(id)->alarmDate, berlin(2026, 12, 7, 14, 30));
    QCOMPARE(sync(b), QStringList { u"Nichts zu tun"_s });

    b.edit(id, u"Zahnarzt Dr. Weber"_s, berlin(2026, 12, 7, 9, 0));
    QCOMPARE(sync(b), QStringList { u"1 Termin in den Ordner geschrieben"_s });
    QCOMPARE(sync(a), QStringList { u"1 Termin aus dem Ordner geändert"_s });
    QCOMPARE(a.textOf(id), u"Zahnarzt Dr. Weber"_s);

    QVERIFY(a.store->deleteNote(id));
    QCOMPARE(sync(a), QStringList { u"1 Termin im Ordner gelöscht"_s });
    QCOMPARE(sync(b), QStringList { u"1 Termin entfernt (im Ordner gelöscht)"_s });
    QVERIFY(!b.find(id));
    QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList());
}

void tst_FolderExchange::newerChangeWins_data()
{
    QTest::addColumn<QDateTime>("aChangedAt");
    QTest::addColumn<QDateTime>("bChangedAt");
    QTest::addColumn<QString>("kept"); // on both, after both exchanged once more
    QTest::addColumn<QString>("setAside"); // in the machine that met the conflict

    QTest::newRow("the later edit, sent first")
        << berlin(2026, 12, 7, 11, 0) << berlin(2026, 12, 7, 10, 0) << u"von A"_s << u"von B"_s;
    QTest::newRow("the later edit, met by the other")
        << berlin(2026, 12, 7, 10, 0) << berlin(2026, 12, 7, 11, 0) << u"von B"_s << u"von A"_s;
}

void tst_FolderExchange::newerChangeWins()
{
    QFETCH(QDateTime, aChangedAt);
    QFETCH(QDateTime, bChangedAt);
    Machine a, b;
    const QUuid id = a.add(u"Termin"_s, berlin(2026, 12, 8, 9, 0)).id;
    sync(a);
    sync(b);
    a.edit(id, u"von A"_s, aChangedAt);
    b.edit(id, u"von B"_s, bChangedAt);
    sync(a);
    QVERIFY(sync(b).contains(
        u"1 Termin auf beiden Seiten geändert: die neuere Fassung gilt, die ältere ist aufgehoben"_s));
    sync(a);
    QTEST(a.textOf(id), "kept");
    QTEST(b.textOf(id), "kept");
    const auto aside = NoteJson::decode(readAll(FolderExchange::conflictsPath(*b.store)));
    QVERIFY(aside && aside->size() == 1);
    QTEST(aside->first().text, "setAside");
}

void tst_FolderExchange::stayHome()
{
    // Imported appointments and plain notes are not this machine's to publish.
    Machine a;
    a.add(u"Aus dem Schulkalender"_s, berlin(2026, 12, 9, 8, 0));
    ReminderNote imported = a.store->notes().first();
    imported.importSource = u"ICS: ferien.ics"_s;
    a.store->commitNote(imported);
    a.store->addNote(plain(u"Einkaufsliste"_s, berlin(2026, 12, 1)));
    QCOMPARE(sync(a), QStringList { u"Nichts zu tun"_s });
    QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList());
}

void tst_FolderExchange::wipedFolderRemovesNothing()
{
    Machine a;
    for (int day = 1; day <= 3; ++day)
        a.add(u"Termin %1"_s.arg(day), berlin(2026, 12, day, 9, 0));
    sync(a);
    QDir shared(folder());
    for (const QString& name : shared.entryList(QDir::Files))
        QVERIFY(shared.remove(name));
    QCOMPARE(sync(a),
        QStringList {
            u"3 Termine fehlen im Ordner – mehr als die Hälfte auf einmal, daher nichts entfernt"_s });
    QCOMPARE(a.store->notes().size(), 3);
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
    QCOMPARE(failed.added, 0);
    QVERIFY(!b.find(id));
    // Once it can, the next exchange takes it.
    QVERIFY(QDir().rmdir(b.store->filePath()));
    QCOMPARE(sync(b), QStringList { u"1 Termin aus dem Ordner übernommen"_s });
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
}

QTEST_GUILESS_MAIN(tst_FolderExchange)
#include "tst_folderexchange.moc"
