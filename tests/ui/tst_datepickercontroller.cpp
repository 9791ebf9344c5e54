#include "datepickercontroller.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QTest>

// The editor's month sheet: which days it marks and which it lets the user choose.
class tst_DatePickerController : public QObject {
    Q_OBJECT

private slots:
    void sheet_data();
    void sheet();
};

void tst_DatePickerController::sheet_data()
{
    QTest::addColumn<QDateTime>("minimum"); // invalid: no limit
    QTest::addColumn<int>("monthsOn"); // pages turned after the date was given
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("firstSelectable");
    QTest::addColumn<int>("tapped");
    QTest::addColumn<QDate>("picked"); // invalid: the tap chooses nothing

    const QDateTime start = berlin(2026, 3, 20, 14, 30);
    QTest::newRow("no limit") << QDateTime() << 0 << "März 2026" << 20 << 1 << 3 << QDate(2026, 3, 3);
    QTest::newRow("from the start on: the day itself")
        << start << 0 << "März 2026" << 20 << 20 << 20 << QDate(2026, 3, 20);
    QTest::newRow("from the start on: the day before")
        << start << 0 << "März 2026" << 20 << 20 << 19 << QDate();
    QTest::newRow("a month later, all days")
        << start << 1 << "April 2026" << 0 << 1 << 1 << QDate(2026, 4, 1);
    QTest::newRow("a month earlier, none") << start << -1 << "Februar 2026" << 0 << 29 << 28 << QDate();
    QTest::newRow("past the month's last day") << QDateTime() << 0 << "März 2026" << 20 << 1 << 32 << QDate();
}

void tst_DatePickerController::sheet()
{
    QFETCH(QDateTime, minimum);
    QFETCH(int, monthsOn);
    QFETCH(QString, title);
    QFETCH(int, selected);
    QFETCH(int, firstSelectable);
    QFETCH(int, tapped);
    QFETCH(QDate, picked);

    DatePickerController sheet;
    sheet.setNow(berlin(2026, 3, 18, 9, 0));
    sheet.setMinimum(minimum);
    sheet.setDate(berlin(2026, 3, 20, 14, 30));
    for (int i = 0; i < std::abs(monthsOn); ++i)
        monthsOn > 0 ? sheet.nextMonth() : sheet.previousMonth();
    QCOMPARE(sheet.monthTitle(), title);
    QCOMPARE(sheet.selectedDay(), selected);
    QCOMPARE(sheet.todayDay(), monthsOn == 0 ? 18 : 0);
    QCOMPARE(sheet.firstSelectableDay(), firstSelectable);

    QSignalSpy spy(&sheet, &DatePickerController::picked);
    sheet.pick(tapped);
    QCOMPARE(spy.count(), picked.isValid() ? 1 : 0);
    if (picked.isValid())
        QCOMPARE(spy.constFirst().constFirst().toDateTime(), picked.startOfDay());
}

QTEST_MAIN(tst_DatePickerController)
#include "tst_datepickercontroller.moc"
