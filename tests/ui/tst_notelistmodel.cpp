#include "exportcontroller.h"
#include "notelistmodel.h"
#include "timelinemodel.h"
#include "uitest.h"

#include <QAbstractItemModelTester>

namespace {

// One record per letter, with stable ids; a lower-case letter is the same record with new text.
ReminderNotes records(const QString& letters)
{
    static QHash<QChar, QUuid> ids;
    ReminderNotes notes;
    for (const QChar letter : letters) {
        const QChar key = letter.toUpper();
        if (!ids.contains(key))
            ids.insert(key, QUuid::createUuid());
        ReminderNote note = plain(QString(letter), berlin(2026, 1, 1));
        note.id = ids.value(key);
        notes.append(note);
    }
    return notes;
}

// The time line as one string: a record's letter, "^" "Kommende", "|" the "Heute" divider, "v" "Vergangen".
QString timelineText(const TimelineModel& model)
{
    static const QHash<QString, QString> markers { { QStringLiteral("future"), QStringLiteral("^") },
        { QStringLiteral("today"), QStringLiteral("|") }, { QStringLiteral("past"), QStringLiteral("v") } };
    QString text;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row);
        const QString kind = index.data(TimelineModel::KindRole).toString();
        text += kind == u"appointment" ? index.data(NoteListModel::NoteRole).value<ReminderNote>().text
                                       : markers.value(kind, QStringLiteral("?"));
    }
    return text;
}

// Export groups from "key:letters key:letters": a capital letter is a selected record.
QList<ExportGroup> exportGroups(const QString& groupsText)
{
    QList<ExportGroup> groups;
    for (const QString& part : groupsText.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        ExportGroup group;
        group.key = part.section(QLatin1Char(':'), 0, 0);
        group.title = group.key;
        bool all = true;
        for (const QChar letter : part.section(QLatin1Char(':'), 1)) {
            group.rows.append(
                { QString(letter.toUpper()), QString(letter.toUpper()), {}, {}, letter.isUpper() });
            all = all && letter.isUpper();
        }
        group.buttonText = all ? QStringLiteral("Keine") : QStringLiteral("Alle");
        groups.append(group);
    }
    return groups;
}

} // namespace

class tst_NoteListModel : public QObject {
    Q_OBJECT

private slots:
    void rowLevelChanges_data()
    {
        // emitted: inserts, removes, moves, data changes
        columns<QString, QString, QString>("before", "after", "emitted");

        row("one edited", "ABCD", "AbCD", "0 0 0 1");
        row("emptied", "ABC", "", "0 1 0 0");
        row("everything at once", "ABCDE", "FeCA", "1 2 2 1");
    }

    void rowLevelChanges()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);

        NoteListModel model;
        model.setNotes(records(before));
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        // A view's hold on a kept row (scroll position, hover) must follow its record.
        QList<QPersistentModelIndex> held;
        for (int row = 0; row < model.rowCount(); ++row)
            held.append(model.index(row));
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

        model.setNotes(records(after));
        QCOMPARE(textsOf(model.notes()), textsOf(records(after)));
        QStringList emitted;
        for (const QSignalSpy* spy : { &inserted, &removed, &moved, &changed })
            emitted << QString::number(spy->count());
        QTEST(emitted.join(u' '), "emitted");
        QCOMPARE(reset.count(), 0);
        for (int i = 0; i < held.size(); ++i) {
            const QString letter = before.at(i).toUpper();
            if (held.at(i).isValid())
                QCOMPARE(
                    held.at(i).data(NoteListModel::NoteRole).value<ReminderNote>().text.toUpper(), letter);
            else
                QVERIFY(!after.contains(letter, Qt::CaseInsensitive));
        }
    }

    void timeline_data()
    {
        // before, after: future/today/past as letters; rows: the time line afterwards
        columns<QString, QString, QString, int>("before", "after", "rows", "todayRow");

        row("no appointments", "//", "//", "|", 0);
        row("all three", "//", "AB/C/DE", "^AB|CvDE", 3);
        row("today's passes, the past header comes", "A/B/", "A//B", "^A|vB", 2);
        row("the future empties, its header goes", "A//", "/A/", "|A", 0);
    }

    void timeline()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, todayRow);

        const auto setLists = [](TimelineModel& model, const QString& lists) {
            const QStringList parts = lists.split(QLatin1Char('/'));
            model.setLists(records(parts.at(0)), records(parts.at(1)), records(parts.at(2)));
        };
        TimelineModel model;
        setLists(model, before);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy todayRowChanged(&model, &TimelineModel::todayRowChanged);
        const int todayRowBefore = model.todayRow();

        setLists(model, after);
        QTEST(timelineText(model), "rows");
        QCOMPARE(model.todayRow(), todayRow);
        QCOMPARE(model.index(todayRow).data(TimelineModel::KindRole).toString(), QStringLiteral("today"));
        QCOMPARE(todayRowChanged.count(), todayRow == todayRowBefore ? 0 : 1);
        QCOMPARE(reset.count(), 0);
    }

    void exportRows_data()
    {
        // changedRows: the rows of each dataChanged; "reset" for a reset
        columns<QString, QString, QString>("before", "after", "changedRows");

        row("one record unmarked: it and its heading", "u:ABC", "u:AbC", "0-0 2-2");
        row("a record more: built again", "u:AB", "u:ABC", "reset");
    }

    void exportRows()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);

        ExportController controller;
        RowModel& model = *controller.rows();
        model.setRows(ExportController::listRows(exportGroups(before)));
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QStringList seen;
        connect(&model, &QAbstractItemModel::dataChanged, this,
            [&seen](const QModelIndex& from, const QModelIndex& to) {
                seen.append(QStringLiteral("%1-%2").arg(from.row()).arg(to.row()));
            });
        connect(
            &model, &QAbstractItemModel::modelReset, this, [&seen] { seen.append(QStringLiteral("reset")); });

        model.setRows(ExportController::listRows(exportGroups(after)));
        QTEST(seen.join(QLatin1Char(' ')), "changedRows");
        // The rows read as the groups they came from: heading, then records, the card's ends marked.
        const QHash<int, QByteArray> roles = model.roleNames();
        const auto data
            = [&](int row, const QByteArray& role) { return model.index(row).data(roles.key(role)); };
        QString rows;
        for (int row = 0; row < model.rowCount(); ++row) {
            if (data(row, "kind").toString() == u"group") {
                rows += QLatin1Char(' ') + data(row, "key").toString() + QLatin1Char(':');
                continue;
            }
            const QString id = data(row, "recordId").toString();
            rows += data(row, "selected").toBool() ? id : id.toLower();
            QCOMPARE(data(row, "first").toBool(), data(row - 1, "kind").toString() == u"group");
            QCOMPARE(data(row, "last").toBool(),
                row + 1 == model.rowCount() || data(row + 1, "kind").toString() == u"group");
        }
        QCOMPARE(rows.trimmed(), after);
    }
};

QTEST_GUILESS_MAIN(tst_NoteListModel)
#include "tst_notelistmodel.moc"
