#include "folderexchange.h"
#include "notejson.h"
#include "notestore.h"
#include "syncconflicts.h"
#include "testsupport.h"

// Bringing back a version a conflict set aside, on a store in a temporary folder.
class tst_SyncConflicts : public QObject {
    Q_OBJECT

private slots:
    void bringsBack_data()
    {
        // kept: record A's kept versions, '|' between, "-" no file, "!" a damaged one; error: how it ends
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
            << u"älter"_s << true << false << u"an ihrer Stelle steht ein Ordner."_s << u"jetzt|B"_s
            << u"älter|Anderer|jetzt"_s;
        // Missing is none kept; damaged is no answer ("!"), never "none", and the file stays as it is.
        QTest::newRow("no file") << u"-"_s << true << true << u"Es ist keine Fassung aufgehoben"_s
                                 << u"jetzt|B"_s << QString();
        QTest::newRow("damaged file")
            << u"!"_s << true << true << u"ist beschädigt"_s << u"jetzt|B"_s << u"!"_s;
    }

    void bringsBack()
    {
        QFETCH(QString, kept);
        QFETCH(bool, inStore);
        QFETCH(bool, storeWritable);
        QFETCH(QString, error);

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
        const QByteArray file = kept == u"!" ? "[{\"id\":" : NoteJson::encodePretty(versions);
        if (kept != u"-")
            QVERIFY(writeAll(keptPath, file));
        if (!storeWritable) // a folder where the data file must go fails its save
            QVERIFY(QFile::remove(store.filePath()) && QDir().mkpath(store.filePath()));

        const QString said = SyncConflicts::bringBack(store, a.id);
        QVERIFY2(said.endsWith(error) && said.isEmpty() == error.isEmpty(), qPrintable(said));
        QTEST(textsOf(store.notes()).join(u'|'), "storeAfter");
        const auto keptAfter = SyncConflicts::kept(store);
        QTEST(keptAfter ? textsOf(*keptAfter).join(u'|') : u"!"_s, "keptAfter");
        if (kept == u"-" || kept == u"!")
            QCOMPARE(readAll(keptPath), kept == u"!" ? file : QByteArray());
        if (storeWritable) {
            NoteStore reread(dir.path());
            QCOMPARE(textsOf(reread.notes()), textsOf(store.notes()));
        }
    }
};

QTEST_GUILESS_MAIN(tst_SyncConflicts)
#include "tst_syncconflicts.moc"
