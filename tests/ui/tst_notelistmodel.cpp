#include "notelistmodel.h"
#include "testsupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

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

} // namespace

class tst_NoteListModel : public QObject {
    Q_OBJECT

private slots:
    void rowLevelChanges_data();
    void rowLevelChanges();
};

void tst_NoteListModel::rowLevelChanges_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QList<int>>("emitted"); // inserts, removes, moves, data changes

    QTest::newRow("unchanged") << "ABCD"
                               << "ABCD" << QList<int> { 0, 0, 0, 0 };
    QTest::newRow("new on top") << "ABCD"
                                << "EABCD" << QList<int> { 1, 0, 0, 0 };
    QTest::newRow("one deleted") << "ABCD"
                                 << "ABD" << QList<int> { 0, 1, 0, 0 };
    QTest::newRow("neighbours deleted at once") << "ABCDE"
                                                << "AE" << QList<int> { 0, 1, 0, 0 };
    QTest::newRow("one edited") << "ABCD"
                                << "AbCD" << QList<int> { 0, 0, 0, 1 };
    QTest::newRow("moved to the front") << "ABCD"
                                        << "DABC" << QList<int> { 0, 0, 1, 0 };
    QTest::newRow("edited and moved up") << "ABCD"
                                         << "dABC" << QList<int> { 0, 0, 1, 1 };
    QTest::newRow("emptied") << "ABC"
                             << "" << QList<int> { 0, 1, 0, 0 };
    QTest::newRow("filled") << ""
                            << "ABC" << QList<int> { 3, 0, 0, 0 };
    QTest::newRow("everything at once") << "ABCDE"
                                        << "FeCA" << QList<int> { 1, 2, 2, 1 };
}

void tst_NoteListModel::rowLevelChanges()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QList<int>, emitted);

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
    QCOMPARE((QList<int> {
                 int(inserted.count()), int(removed.count()), int(moved.count()), int(changed.count()) }),
        emitted);
    QCOMPARE(reset.count(), 0);
    for (int i = 0; i < held.size(); ++i) {
        const QString letter = before.at(i).toUpper();
        if (held.at(i).isValid())
            QCOMPARE(held.at(i).data(NoteListModel::NoteRole).value<ReminderNote>().text.toUpper(), letter);
        else
            QVERIFY(!after.contains(letter, Qt::CaseInsensitive));
    }
}

QTEST_GUILESS_MAIN(tst_NoteListModel)
#include "tst_notelistmodel.moc"
