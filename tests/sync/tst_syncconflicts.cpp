#include "folderexchange.h"
#include "notejson.h"
#include "notestore.h"
#include "syncconflicts.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Bringing back a version a conflict set aside, on a store in a temporary folder.
class tst_SyncConflicts : public QObject {
    Q_OBJECT

private slots:
    void bringsBack_data()
    {
        // kept: texts of the kept versions of record A, '|' between; inStore: whether record A is still in
        // the store; storeAfter: texts in the store afterwards
        columns<QString, bool, bool, QString, QString, QString>(
            "kept", "inStore", "storeWritable", "error", "storeAfter", "keptAfter");

        QTest::newRow("in place of the record, which is kept in turn")
            << u"älter"_s << true << true << QString() << u"älter|B"_s << u"Anderer|jetzt"_s;
        QTest::newRow("a deleted record comes back")
            << u"älter"_s << false << true << QString() << u"älter|B"_s << u"Anderer"_s;
        QTest::newRow("the version set aside last")
            << u"erste|zweite"_s << true << true << QString() << u"zweite|B"_s << u"erste|Anderer|jetzt"_s;
        QTest::newRow("nothing kept for it")
            << QString() << true << true << u"Für diesen Eintrag ist keine Fassung aufgehoben"_s
            << u"jetzt|B"_s << u"Anderer"_s;
        // The present version was written aside before the save failed: none is lost.
        QTest::newRow("store cannot be saved")
            << u"älter"_s << true << false << u"*"_s << u"jetzt|B"_s << u"älter|Anderer|jetzt"_s;
    }

    void bringsBack()
    {
        QFETCH(QString, kept);
        QFETCH(bool, inStore);
        QFETCH(bool, storeWritable);

        QTemporaryDir dir;
        NoteStore store(dir.path());
        const QDateTime at = berlin(2026, 12, 9, 10, 0);
        ReminderNote a = appointment(u"jetzt"_s, at);
        const ReminderNote b = appointment(u"B"_s, at.addDays(1));
        QVERIFY(store.replaceNotes(inStore ? ReminderNotes { a, b } : ReminderNotes { b }));
        ReminderNotes versions;
        for (const QString& text : kept.split(u'|', Qt::SkipEmptyParts)) {
            a.text = text;
            versions.append(a);
        }
        // Another record's version between them, which must stay where it is.
        versions.insert(versions.isEmpty() ? 0 : 1, appointment(u"Anderer"_s, at));
        const QString keptPath = FolderExchange::conflictsPath(store);
        QVERIFY(writeAll(keptPath, NoteJson::encodePretty(versions)));
        if (!storeWritable) // a folder where the data file must go fails its save
            QVERIFY(QFile::remove(store.filePath()) && QDir().mkpath(store.filePath()));

        const QString said = SyncConflicts::bringBack(store, a.id);
        QFETCH(QString, error);
        if (error == u"*"_s)
            QVERIFY(!said.isEmpty());
        else
            QCOMPARE(said, error);
        QTEST(textsOf(store.notes()).join(u'|'), "storeAfter");
        QTEST(textsOf(SyncConflicts::kept(store).value()).join(u'|'), "keptAfter");
        if (storeWritable) {
            NoteStore reread(dir.path());
            QCOMPARE(textsOf(reread.notes()), textsOf(store.notes()));
        }
    }

    void failsWithoutTouchingAFile_data()
    {
        columns<QByteArray, QString>("file", "error");
        QTest::newRow("none") << QByteArray() << u"Es ist keine Fassung aufgehoben"_s;
        QTest::newRow("damaged") << QByteArray("[{\"id\":") << u"ist beschädigt"_s;
    }

    void failsWithoutTouchingAFile()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        NoteStore store(dir.path());
        const ReminderNote a = appointment(u"jetzt"_s, berlin(2026, 12, 9, 10, 0));
        QVERIFY(store.replaceNotes({ a }));
        const QString keptPath = FolderExchange::conflictsPath(store);
        if (!file.isEmpty())
            QVERIFY(writeAll(keptPath, file));
        QFETCH(QString, error);
        QVERIFY(SyncConflicts::bringBack(store, a.id).endsWith(error));
        QCOMPARE(textsOf(store.notes()), QStringList { u"jetzt"_s });
        QCOMPARE(readAll(keptPath), file);
        // Missing is none kept; damaged is no answer, never "none".
        QCOMPARE(SyncConflicts::kept(store).has_value(), file.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_SyncConflicts)
#include "tst_syncconflicts.moc"
