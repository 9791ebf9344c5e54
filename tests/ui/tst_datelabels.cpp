#include "datelabels.h"
#include "testsupport.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TstDateLabels : public QObject {
    Q_OBJECT

private slots:
    void dayLabels_data();
    void dayLabels();
    void formatDateRange_data();
    void formatDateRange();
    void formatCreated_data();
    void formatCreated();
    void relativeTime_data();
    void relativeTime();
};

namespace {

// Monday, 3 March 2025, noon.
const QDateTime monday = berlin(2025, 3, 3, 12, 0);

} // namespace

void TstDateLabels::dayLabels_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QString>("withTime");
    QTest::addColumn<QString>("dateOnly");

    QTest::newRow("today 14:05") << monday << berlin(2025, 3, 3, 14, 5) << u"Heute, 14:05"_s << u"Heute"_s;
    QTest::newRow("tomorrow's midnight") << monday << berlin(2025, 3, 4) << u"Morgen, 00:00"_s << u"Morgen"_s;
    QTest::newRow("yesterday late") << monday << berlin(2025, 3, 2, 23, 59) << u"Gestern, 23:59"_s
                                    << u"Gestern"_s;
    QTest::newRow("in two days") << monday << berlin(2025, 3, 5, 9, 0) << u"Mi., 5. März 2025, 09:00"_s
                                 << u"Mi., 5. März 2025"_s;
    QTest::newRow("same date next year")
        << monday << berlin(2026, 3, 3, 9, 0) << u"Di., 3. März 2026, 09:00"_s << u"Di., 3. März 2026"_s;
    QTest::newRow("February") << monday << berlin(2025, 2, 27, 9, 0) << u"Do., 27. Feb. 2025, 09:00"_s
                              << u"Do., 27. Feb. 2025"_s;
    QTest::newRow("September") << monday << berlin(2025, 9, 3, 9, 0) << u"Mi., 3. Sept. 2025, 09:00"_s
                               << u"Mi., 3. Sept. 2025"_s;
    QTest::newRow("date in UTC") << monday << utc(2025, 3, 3, 23, 30) << u"Morgen, 00:30"_s << u"Morgen"_s;
    QTest::newRow("now in UTC") << utc(2025, 3, 3, 23, 30) << berlin(2025, 3, 4, 9, 0) << u"Heute, 09:00"_s
                                << u"Heute"_s;
    QTest::newRow("23 hours on, over spring-forward")
        << berlin(2025, 3, 29, 23, 30) << berlin(2025, 3, 30, 23, 30) << u"Morgen, 23:30"_s << u"Morgen"_s;
    QTest::newRow("22 hours back, over spring-forward")
        << berlin(2025, 3, 30, 23, 30) << berlin(2025, 3, 29, 23, 40) << u"Gestern, 23:40"_s << u"Gestern"_s;
    QTest::newRow("24.5 hours on, still on the fall-back day")
        << berlin(2025, 10, 26, 0, 30) << berlin(2025, 10, 26, 23, 59) << u"Heute, 23:59"_s << u"Heute"_s;
    QTest::newRow("two days on, over fall-back")
        << berlin(2025, 10, 25, 23, 30) << berlin(2025, 10, 27, 0, 10) << u"Mo., 27. Okt. 2025, 00:10"_s
        << u"Mo., 27. Okt. 2025"_s;
}

void TstDateLabels::dayLabels()
{
    QFETCH(QDateTime, now);
    QFETCH(QDateTime, date);
    QFETCH(QString, withTime);
    QFETCH(QString, dateOnly);

    QCOMPARE(DateLabels::formatDate(date, now), withTime);
    QCOMPARE(DateLabels::formatDateOnly(date, now), dateOnly);
}

void TstDateLabels::formatDateRange_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("end"); // invalid: no end
    QTest::addColumn<QString>("label");

    QTest::newRow("today, no end") << berlin(2025, 3, 3, 14, 5) << QDateTime() << u"Heute, 14:05"_s;
    QTest::newRow("today's midnight, no end") << berlin(2025, 3, 3) << QDateTime() << u"Heute, Ganztägig"_s;
    QTest::newRow("over three days") << berlin(2025, 3, 3, 9, 0) << berlin(2025, 3, 5, 18, 0)
                                     << u"Heute, 09:00 – 18:00"_s;
    QTest::newRow("next week, over three days")
        << berlin(2025, 3, 10, 9, 0) << berlin(2025, 3, 12, 18, 0) << u"Mo., 10. März 2025, 09:00 – 18:00"_s;
    QTest::newRow("midnight to midnight three days on")
        << berlin(2025, 3, 10) << berlin(2025, 3, 13) << u"Mo., 10. März 2025, Ganztägig"_s;
    QTest::newRow("midnight to noon")
        << berlin(2025, 3, 4) << berlin(2025, 3, 4, 12, 0) << u"Morgen, 00:00 – 12:00"_s;
    QTest::newRow("noon to midnight")
        << berlin(2025, 3, 4, 12, 0) << berlin(2025, 3, 5) << u"Morgen, 12:00 – 00:00"_s;
    QTest::newRow("seconds past midnight")
        << berlin(2025, 3, 4, 0, 0, 30) << QDateTime() << u"Morgen, Ganztägig"_s;
    QTest::newRow("a minute past midnight") << berlin(2025, 3, 4, 0, 1) << QDateTime() << u"Morgen, 00:01"_s;
    QTest::newRow("local midnight given in UTC")
        << utc(2025, 3, 9, 23, 0) << utc(2025, 3, 10, 23, 0) << u"Mo., 10. März 2025, Ganztägig"_s;
    QTest::newRow("end given in UTC")
        << berlin(2025, 3, 4, 9, 0) << utc(2025, 3, 4, 17, 0) << u"Morgen, 09:00 – 18:00"_s;
}

void TstDateLabels::formatDateRange()
{
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, end);
    QFETCH(QString, label);

    ReminderNote note = ReminderNote::create(monday);
    note.hasAlarm = true;
    note.alarmDate = start;
    if (end.isValid())
        note.alarmEndDate = end;
    QCOMPARE(DateLabels::formatDateRange(note, monday), label);
}

void TstDateLabels::formatCreated_data()
{
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QString>("label");

    QTest::newRow("March") << berlin(2025, 3, 5, 9, 0) << u"5. März 2025"_s;
    QTest::newRow("New Year's midnight") << berlin(2025, 1, 1) << u"1. Januar 2025"_s;
    QTest::newRow("UTC, already next year here") << utc(2024, 12, 31, 23, 30) << u"1. Januar 2025"_s;
}

void TstDateLabels::formatCreated()
{
    QFETCH(QDateTime, date);
    QFETCH(QString, label);

    QCOMPARE(DateLabels::formatCreated(date), label);
}

void TstDateLabels::relativeTime_data()
{
    QTest::addColumn<qint64>("seconds"); // from now to the date
    QTest::addColumn<QString>("label");

    constexpr qint64 minute = 60;
    constexpr qint64 hour = 60 * minute;
    constexpr qint64 day = 24 * hour;
    QTest::newRow("now") << qint64(0) << u"in 0 Sek."_s;
    QTest::newRow("45 s") << qint64(45) << u"in 45 Sek."_s;
    QTest::newRow("1 min") << minute << u"in 1 Min."_s;
    QTest::newRow("12 min 59 s") << 12 * minute + 59 << u"in 12 Min."_s;
    QTest::newRow("59 min 59 s") << hour - 1 << u"in 59 Min."_s;
    QTest::newRow("1 h") << hour << u"in 1 Std."_s;
    QTest::newRow("2 h") << 2 * hour << u"in 2 Std."_s;
    QTest::newRow("2 h 5 min") << 2 * hour + 5 * minute << u"in 2 Std. 5 Min."_s;
    QTest::newRow("23 h 59 min") << day - minute << u"in 23 Std. 59 Min."_s;
    QTest::newRow("1 day") << day << u"in 1 Tag"_s;
    QTest::newRow("1 day 23 h") << 2 * day - hour << u"in 1 Tag"_s;
    QTest::newRow("2 days") << 2 * day << u"in 2 Tagen"_s;
    QTest::newRow("3 days 5 h") << 3 * day + 5 * hour << u"in 3 Tagen"_s;
    QTest::newRow("30 s ago") << qint64(-30) << u"vor 30 Sek."_s;
    QTest::newRow("5 min ago") << -5 * minute << u"vor 5 Min."_s;
    QTest::newRow("2 h 5 min ago") << -(2 * hour + 5 * minute) << u"vor 2 Std. 5 Min."_s;
    QTest::newRow("1 day ago") << -day << u"vor 1 Tag"_s;
}

void TstDateLabels::relativeTime()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, label);

    QCOMPARE(DateLabels::relativeTime(monday.addSecs(seconds), monday), label);
}

QTEST_APPLESS_MAIN(TstDateLabels)
#include "tst_datelabels.moc"
