#include "appname.h"
#include "datelabels.h"
#include "entrylists.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The panel's lists and date labels: pure functions of the records and the moment.
namespace {

// Monday, 3 March 2025, noon.
const QDateTime monday = berlin(2025, 3, 3, 12, 0);

} // namespace

class TstEntryLists : public QObject {
    Q_OBJECT

private slots:
    void groups_data()
    {
        QTest::addColumn<ReminderNotes>("store");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("today");
        QTest::addColumn<QStringList>("future");
        QTest::addColumn<QStringList>("past");

        // Being fired, repeating or running for days does not move an appointment to another group.
        ReminderNote fired = appointment(u"E"_s, berlin(2025, 3, 3, 9, 0), berlin(2025, 3, 5, 9, 0));
        fired.isTriggered = true;
        fired.repeatInterval = RepeatInterval::Daily;
        const ReminderNotes march { appointment(u"A"_s, berlin(2025, 3, 3)),
            appointment(u"B"_s, berlin(2025, 3, 3, 23, 59, 59)), appointment(u"C"_s, berlin(2025, 3, 4)),
            appointment(u"D"_s, berlin(2025, 3, 2, 23, 59, 59)), fired,
            plain(u"N"_s, berlin(2025, 3, 3, 10, 0)), appointment(u"F"_s, berlin(2025, 3, 3, 9, 0)),
            appointment(u"G"_s, berlin(2025, 3, 10, 9, 0)), appointment(u"H"_s, berlin(2025, 2, 1, 9, 0)) };
        const QStringList third { u"B"_s, u"E"_s, u"F"_s, u"A"_s };
        const QStringList later { u"G"_s, u"C"_s };
        const QStringList earlier { u"D"_s, u"H"_s };

        QTest::newRow("at midnight") << march << berlin(2025, 3, 3) << third << later << earlier;
        QTest::newRow("last second") << march << berlin(2025, 3, 3, 23, 59, 59) << third << later << earlier;
        QTest::newRow("now given in UTC") << march << utc(2025, 3, 2, 23, 30) << third << later << earlier;
        QTest::newRow("next day") << march << berlin(2025, 3, 4, 8, 0) << QStringList { u"C"_s }
                                  << QStringList { u"G"_s }
                                  << QStringList { u"B"_s, u"E"_s, u"F"_s, u"A"_s, u"D"_s, u"H"_s };
        // Days of 23 and 25 hours end at the next local midnight, not 24 hours on.
        const ReminderNotes spring { appointment(u"late"_s, berlin(2025, 3, 30, 23, 30)),
            appointment(u"after"_s, berlin(2025, 3, 31, 0, 30)) };
        const ReminderNotes autumn { appointment(u"late"_s, berlin(2025, 10, 26, 23, 30)),
            appointment(u"before"_s, berlin(2025, 10, 25, 23, 30)) };
        QTest::newRow("spring-forward day")
            << spring << berlin(2025, 3, 30, 12, 0) << QStringList { u"late"_s } << QStringList { u"after"_s }
            << QStringList {};
        QTest::newRow("fall-back day") << autumn << berlin(2025, 10, 26, 12, 0) << QStringList { u"late"_s }
                                       << QStringList {} << QStringList { u"before"_s };
    }

    void groups()
    {
        QFETCH(ReminderNotes, store);
        QFETCH(QDateTime, now);

        QTEST(textsOf(EntryLists::todayAppointments(store, now)), "today");
        QTEST(textsOf(EntryLists::futureAppointments(store, now)), "future");
        QTEST(textsOf(EntryLists::pastAppointments(store, now)), "past");
    }

    void equalKeysKeepStoreOrder_data()
    {
        QTest::addColumn<QString>("list");
        // The three tabs' lists share one order.
        for (const char* list : { "today", "day", "notes" })
            QTest::newRow(list) << QString::fromLatin1(list);
    }

    void equalKeysKeepStoreOrder()
    {
        QFETCH(QString, list);
        const QDateTime base = berlin(2025, 3, 3, 10, 0);

        // Record n has the key base + (n % 3) minutes; enough records that a sort which does not keep
        // ties in place visibly reorders them.
        const bool notes = list == u"notes"_s;
        ReminderNotes store;
        for (int n = 0; n < 60; ++n) {
            const QDateTime key = base.addSecs(60 * (n % 3));
            store.append(notes ? plain(QString::number(n), key) : appointment(QString::number(n), key));
        }
        const ReminderNotes result = list == u"today"_s ? EntryLists::todayAppointments(store, base)
            : list == u"day"_s ? EntryLists::displayDayAppointments(store, base.date())
                               : EntryLists::plainNotes(store);

        QCOMPARE(result.size(), store.size());
        for (qsizetype i = 1; i < result.size(); ++i) {
            const int a = result.at(i - 1).text.toInt();
            const int b = result.at(i).text.toInt();
            if (a % 3 == b % 3)
                QVERIFY2(a < b, qPrintable(u"%1 before %2"_s.arg(a).arg(b)));
            else
                QCOMPARE(a % 3 < b % 3, list == u"day"_s);
        }
    }

    void plainNotesNewestFirst()
    {
        const ReminderNotes store { plain(u"old"_s, berlin(2025, 3, 1, 9, 0)),
            plain(u"new"_s, berlin(2025, 3, 5, 9, 0)),
            appointment(u"appointment"_s, berlin(2025, 3, 9, 9, 0)),
            plain(u"middle"_s, berlin(2025, 3, 3, 9, 0)) };

        QCOMPARE(textsOf(EntryLists::plainNotes(store)), (QStringList { u"new"_s, u"middle"_s, u"old"_s }));
    }

    void displayDayAppointments_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QStringList>("listed");

        QTest::newRow("2nd") << QDate(2025, 3, 2) << QStringList { u"Z"_s };
        QTest::newRow("3rd, first day of a range") << QDate(2025, 3, 3) << QStringList { u"R"_s };
        QTest::newRow("4th, inside a range") << QDate(2025, 3, 4) << QStringList { u"R"_s, u"T"_s, u"S"_s };
        QTest::newRow("5th, last day of a range") << QDate(2025, 3, 5) << QStringList { u"R"_s, u"M"_s };
        QTest::newRow("6th, end at its midnight") << QDate(2025, 3, 6) << QStringList { u"M"_s };
        QTest::newRow("spring-forward day") << QDate(2025, 3, 30) << QStringList { u"D"_s };
        QTest::newRow("day after spring-forward") << QDate(2025, 3, 31) << QStringList { u"Q"_s };
        QTest::newRow("fall-back day") << QDate(2025, 10, 26) << QStringList { u"W"_s };
    }

    void displayDayAppointments()
    {
        QFETCH(QDate, day);

        ReminderNote note = plain(u"X"_s, berlin(2025, 3, 4, 9, 0));
        note.alarmEndDate = berlin(2025, 3, 5, 9, 0);
        const ReminderNotes store { appointment(u"S"_s, berlin(2025, 3, 4, 10, 0)),
            appointment(u"R"_s, berlin(2025, 3, 3, 9, 0), berlin(2025, 3, 5, 18, 0)),
            appointment(u"M"_s, berlin(2025, 3, 5, 22, 0), berlin(2025, 3, 6)), note,
            appointment(u"T"_s, berlin(2025, 3, 4, 8, 0), berlin(2025, 3, 4, 9, 0)),
            appointment(u"Z"_s, berlin(2025, 3, 2, 23, 59, 59)),
            appointment(u"D"_s, berlin(2025, 3, 29, 20, 0), berlin(2025, 3, 30, 23, 30)),
            appointment(u"Q"_s, berlin(2025, 3, 31, 0, 30)),
            appointment(u"W"_s, berlin(2025, 10, 26, 23, 30)) };

        QTEST(textsOf(EntryLists::displayDayAppointments(store, day)), "listed");
    }

    void displayDayLabel_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("label");

        const QDateTime lateMarch = berlin(2025, 3, 24, 10, 0);
        QTest::newRow("today") << lateMarch << QDate(2025, 3, 24) << u"Termine heute"_s;
        QTest::newRow("tomorrow") << lateMarch << QDate(2025, 3, 25) << u"Termine morgen"_s;
        QTest::newRow("yesterday") << lateMarch << QDate(2025, 3, 23) << u"Termine gestern"_s;
        QTest::newRow("same date next year") << lateMarch << QDate(2026, 3, 24) << u"Dienstag, 24. März"_s;
        QTest::newRow("now in UTC, already the 24th here")
            << utc(2025, 3, 23, 23, 30) << QDate(2025, 3, 24) << u"Termine heute"_s;
    }

    void displayDayLabel()
    {
        QFETCH(QDateTime, now);
        QFETCH(QDate, day);

        QTEST(EntryLists::displayDayLabel(day, now), "label");
    }

    void newAppointmentDate_data()
    {
        QTest::addColumn<QDate>("selected"); // invalid: no day selected
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("expected"); // invalid: none

        const QDateTime now = QDateTime(QDate(2025, 3, 3), QTime(14, 37, 52, 500));
        QTest::newRow("no day selected") << QDate() << now << QDateTime();
        QTest::newRow("seconds dropped") << QDate(2025, 3, 10) << now << berlin(2025, 3, 10, 14, 37);
        QTest::newRow("now in UTC") << QDate(2025, 3, 10) << utc(2025, 3, 3, 13, 37)
                                    << berlin(2025, 3, 10, 14, 37);
        QTest::newRow("summer day, same wall clock")
            << QDate(2025, 7, 1) << berlin(2025, 3, 3, 9, 15) << berlin(2025, 7, 1, 9, 15);
        QTest::newRow("time skipped by the clock change")
            << QDate(2025, 3, 30) << berlin(2025, 3, 29, 2, 30) << berlin(2025, 3, 30, 3, 30);
    }

    void newAppointmentDate()
    {
        QFETCH(QDate, selected);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, expected);

        const auto date = EntryLists::newAppointmentDate(
            selected.isValid() ? std::optional<QDate>(selected) : std::nullopt, now);
        QCOMPARE(date.has_value(), expected.isValid());
        if (date)
            QCOMPARE(*date, expected);
    }

    void dayLabels_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QString>("label"); // with the time; without it, the date-only label

        QTest::newRow("today 14:05") << monday << berlin(2025, 3, 3, 14, 5) << u"Heute, 14:05"_s;
        QTest::newRow("tomorrow's midnight") << monday << berlin(2025, 3, 4) << u"Morgen, 00:00"_s;
        QTest::newRow("yesterday late") << monday << berlin(2025, 3, 2, 23, 59) << u"Gestern, 23:59"_s;
        QTest::newRow("same date next year")
            << monday << berlin(2026, 3, 3, 9, 0) << u"Di., 3. März 2026, 09:00"_s;
        QTest::newRow("September") << monday << berlin(2025, 9, 3, 9, 0) << u"Mi., 3. Sept. 2025, 09:00"_s;
        QTest::newRow("date in UTC") << monday << utc(2025, 3, 3, 23, 30) << u"Morgen, 00:30"_s;
        QTest::newRow("now in UTC") << utc(2025, 3, 3, 23, 30) << berlin(2025, 3, 4, 9, 0)
                                    << u"Heute, 09:00"_s;
        QTest::newRow("23 hours on, over spring-forward")
            << berlin(2025, 3, 29, 23, 30) << berlin(2025, 3, 30, 23, 30) << u"Morgen, 23:30"_s;
        QTest::newRow("22 hours back, over spring-forward")
            << berlin(2025, 3, 30, 23, 30) << berlin(2025, 3, 29, 23, 40) << u"Gestern, 23:40"_s;
        QTest::newRow("24.5 hours on, still on the fall-back day")
            << berlin(2025, 10, 26, 0, 30) << berlin(2025, 10, 26, 23, 59) << u"Heute, 23:59"_s;
        QTest::newRow("two days on, over fall-back")
            << berlin(2025, 10, 25, 23, 30) << berlin(2025, 10, 27, 0, 10) << u"Mo., 27. Okt. 2025, 00:10"_s;
    }

    void dayLabels()
    {
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, date);
        QFETCH(QString, label);

        QCOMPARE(DateLabels::formatDate(date, now), label);
        QCOMPARE(DateLabels::formatDateOnly(date, now), label.left(label.lastIndexOf(u',')));
    }

    void formatDateRange_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end"); // invalid: no end
        QTest::addColumn<QString>("label");

        QTest::newRow("today, no end") << berlin(2025, 3, 3, 14, 5) << QDateTime() << u"Heute, 14:05"_s;
        QTest::newRow("today's midnight, no end")
            << berlin(2025, 3, 3) << QDateTime() << u"Heute, Ganztägig"_s;
        QTest::newRow("over three days")
            << berlin(2025, 3, 3, 9, 0) << berlin(2025, 3, 5, 18, 0) << u"Heute, 09:00 – 18:00"_s;
        QTest::newRow("midnight to noon")
            << berlin(2025, 3, 4) << berlin(2025, 3, 4, 12, 0) << u"Morgen, 00:00 – 12:00"_s;
        QTest::newRow("noon to midnight")
            << berlin(2025, 3, 4, 12, 0) << berlin(2025, 3, 5) << u"Morgen, 12:00 – 00:00"_s;
        QTest::newRow("seconds past midnight")
            << berlin(2025, 3, 4, 0, 0, 30) << QDateTime() << u"Morgen, Ganztägig"_s;
        QTest::newRow("a minute past midnight")
            << berlin(2025, 3, 4, 0, 1) << QDateTime() << u"Morgen, 00:01"_s;
        QTest::newRow("local midnight given in UTC")
            << utc(2025, 3, 9, 23, 0) << utc(2025, 3, 10, 23, 0) << u"Mo., 10. März 2025, Ganztägig"_s;
        QTest::newRow("end given in UTC")
            << berlin(2025, 3, 4, 9, 0) << utc(2025, 3, 4, 17, 0) << u"Morgen, 09:00 – 18:00"_s;
    }

    void formatDateRange()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);

        const ReminderNote note = appointment({}, start, end.isValid() ? std::optional(end) : std::nullopt);
        QTEST(DateLabels::formatDateRange(note, monday), "label");
    }

    void relativeTime_data()
    {
        QTest::addColumn<qint64>("seconds"); // from now to the date
        QTest::addColumn<QString>("label");

        constexpr qint64 minute = 60;
        constexpr qint64 hour = 60 * minute;
        constexpr qint64 day = 24 * hour;
        QTest::newRow("now") << qint64(0) << u"in 0 Sek."_s;
        QTest::newRow("1 min") << minute << u"in 1 Min."_s;
        QTest::newRow("59 min 59 s") << hour - 1 << u"in 59 Min."_s;
        QTest::newRow("1 h") << hour << u"in 1 Std."_s;
        QTest::newRow("2 h 5 min") << 2 * hour + 5 * minute << u"in 2 Std. 5 Min."_s;
        QTest::newRow("23 h 59 min") << day - minute << u"in 23 Std. 59 Min."_s;
        QTest::newRow("1 day") << day << u"in 1 Tag"_s;
        QTest::newRow("1 day 23 h") << 2 * day - hour << u"in 1 Tag"_s;
        QTest::newRow("2 days") << 2 * day << u"in 2 Tagen"_s;
        QTest::newRow("2 h 5 min ago") << -(2 * hour + 5 * minute) << u"vor 2 Std. 5 Min."_s;
    }

    void relativeTime()
    {
        QFETCH(qint64, seconds);

        QTEST(DateLabels::relativeTime(monday.addSecs(seconds), monday), "label");
    }

    void appDisplayName_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content"); // null: the file does not exist
        QTest::addColumn<QString>("expected");

        const QString mine = u"Mein Wecker"_s;
        QTest::newRow("Name") << u"w.desktop"_s
                              << QByteArray(
                                     "[Desktop Entry]\nType=Application\nName=Mein Wecker\nExec=true\n")
                              << mine;
        QTest::newRow("program uninstalled") << u"alt.desktop"_s
                                             << QByteArray("[Desktop Entry]\nType=Application\nName=Mein "
                                                           "Wecker\nExec=true\nTryExec=/nonexistent/gone\n")
                                             << mine;
        QTest::newRow("German name first, escapes")
            << u"uhr.desktop"_s
            << QByteArray(
                   "[Desktop Entry]\nName=Clock\nName[de]=Die\\sUhr\n[Desktop Action x]\nName[de]=Nein\n")
            << u"Die Uhr"_s;
        QTest::newRow("no Name") << u"Ohne Namen.desktop"_s
                                 << QByteArray("[Desktop Entry]\nType=Application\nExec=true\n")
                                 << u"Ohne Namen"_s;
        QTest::newRow("missing entry")
            << u"mit Leerzeichen/Uhr Programm.desktop"_s << QByteArray() << u"Uhr Programm"_s;
        QTest::newRow("app bundle") << u"Rechner.app"_s << QByteArray() << u"Rechner"_s;
        QTest::newRow("other file") << u"notes.txt"_s << QByteArray("x") << u"notes.txt"_s;
    }

    void appDisplayName()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);

        QTemporaryDir dir;
        QVERIFY(content.isNull() || writeAll(dir.filePath(fileName), content));
        QTEST(::appDisplayName(dir.filePath(fileName)), "expected");
    }
};

QTEST_APPLESS_MAIN(TstEntryLists)

#include "tst_entrylists.moc"
