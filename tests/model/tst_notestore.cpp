#include "log.h"
#include "notejson.h"
#include "notestore.h"
#include "testnotes.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>

#include <csignal>

#include <sys/resource.h>

#include <memory>

using Operation = std::function<void(NoteStore&)>;
Q_DECLARE_METATYPE(Operation)

namespace {

ReminderNote imported(int n, const QString& batch, const QString& source, const QDateTime& createdAt)
{
    ReminderNote result = note(n, source, true, createdAt);
    result.importBatchId = batch;
    result.importSource = source;
    return result;
}

// What most operations start from: "A" and "A2" share an id, "B" belongs to import batch b1.
ReminderNotes seed()
{
    return { note(1, u"A"_s), imported(2, u"b1"_s, u"B"_s, berlin(2025, 2, 1, 8, 0)), note(3, u"C"_s, true),
        note(1, u"A2"_s) };
}

} // namespace

class TstNoteStore : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
        m_log.clear();
        Log::setSink([this](const QString& line) { m_log.append(line); });
    }

    void cleanup() { Log::setSink({}); }

    // Each operation saves the whole file; with the file blocked it is taken back whole instead.
    void everyOperation_data()
    {
        // texts: of the resulting list, joined by '|'; blocker: empty: the save succeeds
        columns<Operation, QString, QStringList, QString>("operation", "texts", "log", "blocker");

        const ReminderNotes incoming { note(10, u"X"_s, true), note(11, u"Y"_s) };
        for (const QString& blocker : { QString(), u"folder"_s }) {
            const auto row = [&](const char* name, const QString& texts, const Operation& operation,
                                 const QStringList& log = {}) {
                QTest::addRow("%s%s", name, blocker.isEmpty() ? "" : ", folder in the way")
                    << operation << texts << log << blocker;
            };
            row("addNote of a whole record", u"X|A|B|C|A2"_s,
                [=](NoteStore& s) { s.addNote(incoming.first()); });
            row("commitNote replaces the first with the id", u"A|B|neu|A2"_s,
                [](NoteStore& s) { s.commitNote(note(3, u"neu"_s)); });
            row("deleteNote removes every record with the id", u"B|C"_s,
                [](NoteStore& s) { s.deleteNote(fixedId(1)); });
            row("importNotes", u"X|Y|A|B|C|A2"_s, [=](NoteStore& s) { s.importNotes(incoming); },
                { u"[NoteStore] importNotes called with 2 notes"_s,
                    u"[NoteStore] after import: 6 total notes"_s });
            row("importWithCollisionResolution", u"X|A|C|A2"_s, [=](NoteStore& s) {
                s.importWithCollisionResolution(
                    incoming, { fixedId(2), fixedId(98) }, { fixedId(11), fixedId(99) });
            });
            row("restoreFromJSON", u"X|Y"_s,
                [=](NoteStore& s) { s.restoreFromJSON(NoteJson::encodePretty(incoming)); });
            row("deleteImportBatch", u"A|C|A2"_s, [](NoteStore& s) { s.deleteImportBatch(u"b1"_s); });
            // The user's own records carry an empty batch id; they are no batch to delete.
            row("deleteImportBatch with an empty id", u"A|B|C|A2"_s,
                [](NoteStore& s) { s.deleteImportBatch(QString()); });
        }
        QTest::newRow("addNote on a full disk") << Operation([](NoteStore& s) { s.addNote(true); })
                                                << QString() << QStringList() << u"disk full"_s;
    }

    void everyOperation()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, blocker);

        // Pretty on disk: only a real save turns it into the compact layout, loading alone never does.
        const QByteArray pretty = NoteJson::encodePretty(seed());
        auto store = openStoreWith(pretty);
        // A folder where the file belongs stops even root; a file-size limit stands in for a full disk.
        rlimit unlimited {};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &unlimited) == 0);
        const auto lift = qScopeGuard([&unlimited] { setrlimit(RLIMIT_FSIZE, &unlimited); });
        if (blocker == u"disk full"_s) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit full = unlimited;
            full.rlim_cur = 64;
            QVERIFY(setrlimit(RLIMIT_FSIZE, &full) == 0);
        } else if (blocker == u"folder"_s) {
            QVERIFY(QFile::remove(dataFile()) && QDir().mkdir(dataFile()));
        }
        QSignalSpy changed(store.get(), &NoteStore::notesChanged);
        operation(*store);
        if (blocker.isEmpty()) {
            QTEST(textsOf(store->notes()).join(u'|'), "texts");
            QCOMPARE(changed.count(), 1);
            QCOMPARE(readAll(dataFile()), bytesOf(store->notes()));
            QTEST(m_log, "log");
            return;
        }

        QCOMPARE(textsOf(store->notes()).join(u'|'), u"A|B|C|A2"_s);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(readAll(dataFile()), blocker == u"disk full"_s ? pretty : QByteArray());
        const QString why = blocker == u"disk full"_s
            ? u"Der Datenträger ist voll, oder die Datei wäre zu groß."_s
            : u"Der Ordner ist nicht beschreibbar, oder an ihrer Stelle steht ein Ordner."_s;
        QCOMPARE(store->saveError(),
            u"Die Datendatei %1 konnte nicht geschrieben werden. %2"_s.arg(dataFile(), why));
        QCOMPARE(m_log.filter(u"Failed to save notes: "_s).size(), 1);

        // Room again: the next change saves only itself, nothing of the failed one.
        QVERIFY(setrlimit(RLIMIT_FSIZE, &unlimited) == 0);
        QDir().rmdir(dataFile());
        QVERIFY(store->deleteNote(fixedId(3)));
        QVERIFY(store->saveError().isEmpty());
        QCOMPARE(readAll(dataFile()), bytesOf(store->notes()));
        QCOMPARE(textsOf(store->notes()).join(u'|'), u"A|B|A2"_s);
    }

    void refusedChangesTouchNothing()
    {
        ReminderNote late = note(11, u"Silvester"_s, true, berlin(2025, 1, 1, 9, 0));
        late.alarmEndDate = QDateTime(QDate(9999, 12, 31), QTime(20, 0), QTimeZone("America/New_York"));
        ReminderNote undated = note(12, u"Ohne Datum"_s);
        undated.createdAt = QDateTime();
        auto store = openStoreWith(bytesOf(seed()));
        QSignalSpy changed(store.get(), &NoteStore::notesChanged);
        for (const ReminderNote& record : { late, undated }) {
            QVERIFY(!store->addNote(record));
            QCOMPARE(store->saveError(), NoteJson::unstorableDateReason());
        }
        // The command line and the backup screen refuse these before; the store must as well.
        for (const QByteArray& json : { QByteArray("Sicherung"), QByteArray("[]") })
            QVERIFY(!store->restoreFromJSON(json));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(bytesOf(store->notes()), bytesOf(seed()));
        QCOMPARE(readAll(dataFile()), bytesOf(seed()));
    }

    void addNote()
    {
        const QDateTime later = berlin(2025, 4, 2, 8, 0);
        auto store = openStoreWith(bytesOf(seed()));
        const auto fields = [](const std::optional<ReminderNote>& added) {
            return std::tuple(added->hasAlarm, added->isTriggered, added->createdAt, added->alarmDate);
        };
        // A plain note ignores a date; a new appointment stays quiet (triggered) while it is being edited.
        QCOMPARE(fields(store->addNote(false, later)), std::tuple(false, false, m_now, m_now));
        QCOMPARE(fields(store->addNote(true)), std::tuple(true, true, m_now, m_now));
        QCOMPARE(fields(store->addNote(true, later)), std::tuple(true, true, m_now, later));
        QCOMPARE(store->notes().size(), seed().size() + 3);
        QCOMPARE(store->notes().first().alarmDate, later); // each new one goes to the top
    }

    void findCollisions_data()
    {
        // offset: seconds from the existing alarm to the incoming one
        columns<QString, QString, int, bool>("existing", "incoming", "offset", "collides");

        const QString z = u"Zahnarzt"_s;
        const QString fifty = QString(50, u'x');
        QTest::newRow("case differs") << u"ÄRZTIN Süß"_s << u"ärztin süß"_s << 0 << true;
        QTest::newRow("59 s later") << z << z << 59 << true;
        QTest::newRow("60 s later") << z << z << 60 << false;
        QTest::newRow("60 s earlier") << z << z << -60 << false;
        QTest::newRow("other title") << z << u"Zahnärztin"_s << 0 << false;
        QTest::newRow("differ after character 50") << fifty + u'a' << fifty + u'b' << 0 << true;
        QTest::newRow("space left at the cut") << fifty.left(49) + u" mehr"_s << fifty.left(49) << 0 << true;
        QTest::newRow("both called Neue Notiz") << u"Neue Notiz"_s << u"neue notiz"_s << 0 << false;
    }

    void findCollisions()
    {
        QFETCH(QString, existing);
        QFETCH(QString, incoming);
        QFETCH(int, offset);
        QFETCH(bool, collides);

        // Plain notes never collide; of two namesakes the first listed wins, never the one an hour off.
        auto store = openStore();
        const QDateTime at = berlin(2025, 5, 6, 14, 0);
        store->setNotes({ note(1, existing, false, at), note(2, existing, true, at.addSecs(3600)),
            note(3, existing, true, at), note(4, existing, true, at) });
        const QList<CollisionPair> pairs = store->findCollisions(
            { note(5, incoming, true, at.addSecs(offset)), note(6, incoming, false, at) });
        QCOMPARE(pairs.size(), collides ? 1 : 0);
        if (collides)
            QCOMPARE(std::pair(pairs.first().incoming.id, pairs.first().existing.id),
                std::pair(fixedId(5), fixedId(3)));
    }

    void importBatches()
    {
        // No file yet: an empty list, the folder made, nothing logged.
        auto store = openStore();
        QVERIFY(store->notes().isEmpty() && m_log.isEmpty());
        QVERIFY(QFileInfo(dataDir()).isDir() && !QFile::exists(dataFile()));
        store->setNotes(
            { note(1, u"eigene"_s), imported(2, u"b1"_s, u"erste.ics"_s, berlin(2025, 3, 3, 8, 0)),
                imported(3, u"b2"_s, u"neu.ics"_s, berlin(2025, 3, 5, 8, 0)),
                imported(4, u"b1"_s, u"zweite.ics"_s, berlin(2025, 3, 1, 8, 0)) });

        QStringList batches;
        for (const ImportBatchSummary& batch : store->importBatches())
            batches << u"%1 %2 %3 %4"_s.arg(
                batch.batchId, batch.source, QString::number(batch.count), batch.date.toString(Qt::ISODate));
        // Newest first, each named after its first record.
        QCOMPARE(batches, strings("b2 neu.ics 1 2025-03-05T08:00:00|b1 erste.ics 2 2025-03-01T08:00:00"));
    }

    void unreadableFileIsKept_data()
    {
        QTest::addColumn<bool>("copyNameTaken");
        QTest::newRow("not JSON") << false;
        QTest::newRow("copy name already taken") << true;
    }

    void unreadableFileIsKept()
    {
        QFETCH(bool, copyNameTaken);
        const QByteArray bytes = "[{\"id\":";

        const QString stampedCopy = dataFile() + u".unreadable-20250301-101530"_s;
        const QByteArray olderCopy = "an older copy";
        QDir().mkpath(dataDir());
        if (copyNameTaken)
            QVERIFY(writeAll(stampedCopy, olderCopy));
        auto store = openStoreWith(bytes);

        QCOMPARE(m_log.size(), 1);
        QVERIFY2(m_log.first().startsWith(u"Failed to load notes: "_s), qPrintable(m_log.first()));
        QVERIFY(store->notes().isEmpty());
        QCOMPARE(readAll(dataFile()), bytes);

        store->addNote(false);
        store->addNote(true); // a second save must not copy the now valid file again
        QCOMPARE(m_log.size(), 1);

        // Named by the clock's time; a taken name gets "-2".
        QCOMPARE(readAll(stampedCopy + (copyNameTaken ? u"-2"_s : QString())), bytes);
        if (copyNameTaken)
            QCOMPARE(readAll(stampedCopy), olderCopy);
        QCOMPARE(QDir(dataDir()).entryList({ u"notes.json.unreadable-*"_s }).size(), copyNameTaken ? 2 : 1);
    }

    void folderFoundInPlaceOfTheFile()
    {
        // Loading fails once; saving names the folder, not an unreadable file it could not keep.
        QVERIFY(QDir().mkpath(dataFile()));
        auto store = openStore();
        QCOMPARE(m_log.size(), 1);
        QVERIFY(!store->addNote(true));
        QVERIFY2(store->saveError().endsWith(u"an ihrer Stelle steht ein Ordner."_s),
            qPrintable(store->saveError()));
    }

    void undoingAnImportBringsBackWhatItReplaced()
    {
        auto store = openStoreWith(bytesOf(seed()));
        const ReminderNotes incoming { imported(10, u"b2"_s, u"X"_s, m_now),
            imported(11, u"b2"_s, u"Y"_s, m_now) };
        QVERIFY(store->importWithCollisionResolution(incoming, { fixedId(3), fixedId(2) }, { fixedId(11) }));
        QCOMPARE(textsOf(store->notes()).join(u'|'), u"X|A|A2"_s);

        // Also in a later process, as the command line's undo-import is.
        store = openStore();
        QVERIFY(store->deleteImportBatch(u"b2"_s));
        QCOMPARE(bytesOf(store->notes()), bytesOf(seed()));
        // Given back once: deleting the batch again changes nothing.
        QVERIFY(store->deleteImportBatch(u"b2"_s));
        QCOMPARE(bytesOf(store->notes()), bytesOf(seed()));
    }

private:
    QString dataDir() const { return m_tmp->filePath(u"data/Zettelwerk"_s); }
    QString dataFile() const { return dataDir() + u"/notes.json"_s; }
    std::unique_ptr<NoteStore> openStore()
    {
        return std::make_unique<NoteStore>(dataDir(), [this] { return m_now; });
    }
    std::unique_ptr<NoteStore> openStoreWith(const QByteArray& file)
    {
        QDir().mkpath(dataDir());
        if (!writeAll(dataFile(), file))
            qFatal("cannot write the test's data file");
        return openStore();
    }

    std::unique_ptr<QTemporaryDir> m_tmp;
    QStringList m_log;
    const QDateTime m_now = berlin(2025, 3, 1, 10, 15, 30, 750); // the file keeps whole seconds only
};

QTEST_GUILESS_MAIN(TstNoteStore)
#include "tst_notestore.moc"
