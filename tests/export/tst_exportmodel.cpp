#include "exportmodel.h"
#include "notejson.h"
#include "testsupport.h"

#include <sys/stat.h>

namespace {

const QDateTime now = berlin(2026, 12, 7, 10, 0);

struct Harness {
    QTemporaryDir dir;
    NoteStore store { dir.filePath(QStringLiteral("data")), [] { return now; } };
    ExportModel model;
    QList<ExportModel::FileRequest> asked;
    std::optional<QString> answer;

    Harness()
    {
        store.setNotes({ appointment(u"Gestern"_qs, now.addDays(-1)), plain(u"Idee"_qs, now.addDays(-3)),
            appointment(u"Morgen"_qs, now.addDays(1)) });
        model.setStore(&store);
        model.setMessageDurations(50, 80);
        model.setFileChooser([this](const ExportModel::FileRequest& request) {
            asked.append(request);
            return answer;
        });
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList counts() const
    {
        return { model.selectionText(), model.allButtonText(), model.jsonButtonText(),
            model.icsButtonText() };
    }
    void restoreFrom(const char* file, bool confirm = true)
    {
        answer = path(file);
        model.pickBackup();
        if (confirm)
            model.confirmRestore();
    }
};

} // namespace

class tst_ExportModel : public QObject {
    Q_OBJECT

private slots:
    void selection()
    {
        Harness h;
        // Past appointments start unchosen.
        QCOMPARE(h.counts(), strings("2 von 3 ausgewählt|Alle|JSON (2)|ICS (1)"));
        const QList<ExportGroup> groups = h.model.groups();
        QStringList titles;
        for (const ExportGroup& g : groups)
            titles << g.title + u' ' + g.buttonText + u' ' + QString::number(g.rows.size());
        QCOMPARE(titles, strings("Kommende Termine Keine 1|Abgelaufene Termine Alle 1|Notizen Keine 1"));
        QCOMPARE(groups.first().rows.first().dateText, u"8. Dez. 2026, 10:00"_qs);

        h.model.toggleAll();
        QCOMPARE(h.counts(), strings("3 von 3 ausgewählt|Keine|JSON (3)|ICS (2)"));
        h.model.toggleAll();
        QCOMPARE(h.counts(), strings("0 von 3 ausgewählt|Alle|JSON (0)|ICS (0)"));
        h.model.toggleGroup(u"past"_qs);
        h.model.toggleRow(groups.last().rows.first().id);
        QCOMPARE(textsOf(h.model.chosenRecords()), QStringList({ u"Gestern"_qs, u"Idee"_qs }));
        h.model.toggleGroup(u"past"_qs);
        QCOMPARE(textsOf(h.model.chosenRecords()), QStringList({ u"Idee"_qs }));

        h.model.toggleRow(groups.last().rows.first().id);
        h.model.exportJson();
        h.model.exportIcs();
        QVERIFY(h.asked.isEmpty());
    }

    void exports()
    {
        for (const bool ics : { false, true }) {
            Harness h;
            const QString target = h.path(ics ? "out.ics" : "out.json");
            const auto exportTo = [&](const std::optional<QString>& file) {
                h.answer = file;
                ics ? h.model.exportIcs() : h.model.exportJson();
            };
            exportTo(std::nullopt);
            QCOMPARE(h.asked.size(), 1);
            QCOMPARE(h.asked.first().proposedName,
                ics ? u"Zettelwerk-2026-12-07.ics"_qs : u"Zettelwerk-backup-2026-12-07.json"_qs);
            QVERIFY(!QFile::exists(target));
            QVERIFY(h.model.message().isEmpty());

            exportTo(target);
            QCOMPARE(h.model.message(),
                ics ? u"1 Termine als ICS gespeichert"_qs : u"2 Einträge als JSON gespeichert"_qs);
            const QByteArray written = readAll(target);
            if (ics)
                QVERIFY(written.contains("SUMMARY:Morgen\r\n"));
            else // the chosen records whole, ids and all
                QCOMPARE(written, NoteJson::encodePretty(h.model.chosenRecords()));
            QVERIFY(!h.model.messageIsError());
            QTRY_VERIFY(h.model.message().isEmpty());

            // A name typed without its ending gets it, so that the open dialog's filter shows the file.
            exportTo(h.path("sicherung"));
            QCOMPARE(readAll(h.path(ics ? "sicherung.ics" : "sicherung.json")), written);

            exportTo(h.path("missing/folder/x"));
            QVERIFY2(h.model.message().startsWith(u"Datei konnte nicht geschrieben werden"_qs),
                qPrintable(h.model.message()));
            QVERIFY(h.model.messageIsError());
            QTRY_VERIFY(h.model.message().isEmpty());
        }
    }

    void restoreFlow()
    {
        Harness h;
        const ReminderNotes before = h.store.notes();
        QVERIFY(writeAll(h.path("bad.json"), "kein JSON"));
        QVERIFY(writeAll(h.path("empty.json"), "[]"));
        QVERIFY(writeAll(h.path("good.json"), NoteJson::encodePretty({ plain(u"Neu"_qs, now) })));

        // A pipe would block the panel until someone writes to it: refused unread.
        QCOMPARE(mkfifo(QFile::encodeName(h.path("pipe")).constData(), 0600), 0);
        h.restoreFrom("pipe", false);
        QCOMPARE(h.model.message(), u"Datei konnte nicht gelesen werden"_qs);
        h.restoreFrom("bad.json", false);
        QCOMPARE(h.model.message(), u"Datei konnte nicht gelesen werden"_qs);
        QVERIFY(!h.model.showRestoreConfirm());

        h.restoreFrom("good.json", false);
        QVERIFY(h.model.showRestoreConfirm());
        QCOMPARE(h.model.restoreWarning(), u"3 bestehende Einträge werden ersetzt!"_qs);
        h.model.cancelRestore();
        QVERIFY(!h.model.showRestoreConfirm());
        QCOMPARE(textsOf(h.store.notes()), textsOf(before));

        h.restoreFrom("empty.json", false);
        QVERIFY(!h.model.showRestoreConfirm());
        QCOMPARE(h.model.message(), u"Die Datei enthält keine Einträge"_qs);
        QCOMPARE(h.store.notes().size(), 3);

        // Only records that exist count as chosen once others (the command line, an undo) replaced them.
        h.model.toggleAll();
        QCOMPARE(h.model.selectionText(), u"3 von 3 ausgewählt"_qs);
        QVERIFY(h.store.replaceNotes({ plain(u"Neu"_qs, now) }));
        QCOMPARE(h.counts(), strings("0 von 1 ausgewählt|Alle|JSON (0)|ICS (0)"));
        QVERIFY(h.store.replaceNotes(before));

        // A second restore: undo still brings back the data from before the first.
        QVERIFY(writeAll(h.path("other.json"), NoteJson::encodePretty({ plain(u"Anders"_qs, now) })));
        h.restoreFrom("good.json");
        h.restoreFrom("other.json");
        QCOMPARE(textsOf(h.store.notes()), QStringList({ u"Anders"_qs }));
        QCOMPARE(h.model.restoredText(), u"1 Einträge wiederhergestellt"_qs);
        h.model.undoRestore();
        QCOMPARE(textsOf(*NoteJson::decode(readAll(h.store.filePath()))), textsOf(before));
        QVERIFY(h.model.restoredText().isEmpty());

        // A restore whose save fails changes nothing and says so where success would stand.
        const QString file = h.store.filePath();
        QVERIFY(QFile::remove(file) && QDir().mkdir(file));
        h.restoreFrom("other.json");
        QVERIFY(h.model.restoredText().isEmpty());
        QVERIFY2(h.model.message().startsWith(u"Nicht wiederhergestellt: Die Datendatei"_qs),
            qPrintable(h.model.message()));
        QCOMPARE(textsOf(h.store.notes()), textsOf(before));
        QVERIFY(QDir().rmdir(file));

        // A successful export ends the undo offer.
        h.restoreFrom("good.json");
        QVERIFY(!h.model.restoredText().isEmpty());
        h.answer = h.path("out.json");
        h.model.exportJson();
        QVERIFY(h.model.restoredText().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ExportModel)
#include "tst_exportmodel.moc"
