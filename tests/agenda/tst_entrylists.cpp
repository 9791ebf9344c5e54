#include "appname.h"
#include "datelabels.h"
#include "entrylists.h"
#include "testsupport.h"

namespace {

const QDateTime monday = berlin(2025, 3, 3, 12, 0);

} // namespace

// The panel's lists and date labels: pure functions of the records and the moment.
class TstEntryLists : public QObject {
    Q_OBJECT

private slots:
    void groups_data()
    {
        columns<ReminderNotes, QDateTime, QString, QString, QString>(
            "store", "now", "today", "future", "past");

        // Being fired, repeating or running for days does not move an appointment to another group.
        ReminderNote fired = appointment(u"E"_s, berlin(2025, 3, 3, 9, 0), berlin(2025, 3, 5, 9, 0));
        fired.isTriggered = true;
        fired.repeatInterval = RepeatInterval::Daily;
        const ReminderNotes march { appointment(u"A"_s, berlin(2025, 3, 3)),
            appointment(u"B"_s, berlin(2025, 3, 3, 23, 59, 59)), appointment(u"C"_s, berlin(2025, 3, 4)),
            appointment(u"D"_s, berlin(2025, 3, 2, 23, 59, 59)), fired,
            plain(u"N"_s, berlin(2025, 3, 3, 10, 0)), appointment(u"F"_s, berlin(2025, 3, 3, 9, 0)),
            appointment(u"G"_s, berlin(2025, 3, 10, 9, 0)), appointment(u"H"_s, berlin(2025, 2, 1, 9, 0)) };
        const auto row = [](const char* name, const ReminderNotes& store, const QDateTime& now,
                             const char* today, const char* future, const char* past) {
            QTest::newRow(name) << store << now << QString::fromUtf8(today) << QString::fromUtf8(future)
                                << QString::fromUtf8(past);
        };
        row("at midnight", march, berlin(2025, 3, 3), "B|E|F|A", "G|C", "D|H");
        row("last second", march, berlin(2025, 3, 3, 23, 59, 59), "B|E|F|A", "G|C", "D|H");
        row("now given in UTC", march, utc(2025, 3, 2, 23, 30), "B|E|F|A", "G|C", "D|H");
        row("next day", march, berlin(2025, 3, 4, 8, 0), "C", "G", "B|E|F|A|D|H");
        // Days of 23 and 25 hours end at the next local midnight, not 24 hours on.
        const ReminderNotes spring { appointment(u"late"_s, berlin(2025, 3, 30, 23, 30)),
            appointment(u"after"_s, berlin(2025, 3, 31, 0, 30)) };
        const ReminderNotes autumn { appointment(u"late"_s, berlin(2025, 10, 26, 23, 30)),
            appointment(u"before"_s, berlin(2025, 10, 25, 23, 30)) };
        row("spring-forward day", spring, berlin(2025, 3, 30, 12, 0), "late", "after", "");
        row("fall-back day", autumn, berlin(2025, 10, 26, 12, 0), "late", "", "before");
    }

    void groups()
    {
        QFETCH(ReminderNotes, store);
        QFETCH(QDateTime, now);

        QTEST(textsOf(EntryLists::todayAppointments(store, now)).join(u'|'), "today");
        QTEST(textsOf(EntryLists::futureAppointments(store, now)).join(u'|'), "future");
        QTEST(textsOf(EntryLists::pastAppointments(store, now)).join(u'|'), "past");
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

        // Keys base + (n % 3) minutes: an unstable sort visibly reorders ties; the other kind stays out.
        const bool notes = list == u"notes"_s;
        ReminderNotes store { notes ? appointment(u"x"_s, base) : plain(u"x"_s, base) };
        for (int n = 0; n < 60; ++n) {
            const QDateTime key = base.addSecs(60 * (n % 3));
            store.append(notes ? plain(QString::number(n), key) : appointment(QString::number(n), key));
        }
        const ReminderNotes result = list == u"today"_s ? EntryLists::todayAppointments(store, base)
            : list == u"day"_s ? EntryLists::displayDayAppointments(store, base.date())
                               : EntryLists::plainNotes(store);

        QStringList expected;
        for (const int key : list == u"day"_s ? QList { 0, 1, 2 } : QList { 2, 1, 0 }) {
            for (int n = key; n < 60; n += 3)
                expected.append(QString::number(n));
        }
        QCOMPARE(textsOf(result), expected);
    }

    void displayDayAppointments_data()
    {
        columns<QDate, QStringList>("day", "listed");

        QTest::newRow("2nd") << QDate(2025, 3, 2) << strings("Z");
        QTest::newRow("3rd, first day of a range") << QDate(2025, 3, 3) << strings("R");
        QTest::newRow("4th, inside a range") << QDate(2025, 3, 4) << strings("R|T|S");
        QTest::newRow("5th, last day of a range") << QDate(2025, 3, 5) << strings("R|M");
        QTest::newRow("6th, end at its midnight") << QDate(2025, 3, 6) << strings("M");
        QTest::newRow("spring-forward day") << QDate(2025, 3, 30) << strings("D");
        QTest::newRow("day after spring-forward") << QDate(2025, 3, 31) << strings("Q");
        QTest::newRow("fall-back day") << QDate(2025, 10, 26) << strings("W");
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

    void newAppointmentDate_data()
    {
        columns<QDate, QDateTime, QDateTime>("selected", "now", "expected");

        const QDateTime now = berlin(2025, 3, 3, 14, 37, 52, 500);
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

        const auto date = EntryLists::newAppointmentDate(
            selected.isValid() ? std::optional<QDate>(selected) : std::nullopt, now);
        QTEST(date.value_or(QDateTime()), "expected");
    }

    void dayLabels_data()
    {
        // label: cut at its last comma, the date-only label; dayLabel: the heading of the panel's day list
        columns<QDateTime, QDateTime, QString, QString>("now", "date", "label", "dayLabel");

        const auto row = [](const char* name, const QDateTime& now, const QDateTime& date, const char* label,
                             const char* dayLabel) {
            QTest::newRow(name) << now << date << QString::fromUtf8(label) << QString::fromUtf8(dayLabel);
        };
        row("today 14:05", monday, berlin(2025, 3, 3, 14, 5), "Heute, 14:05", "Termine heute");
        row("tomorrow's midnight", monday, berlin(2025, 3, 4), "Morgen, 00:00", "Termine morgen");
        row("yesterday late", monday, berlin(2025, 3, 2, 23, 59), "Gestern, 23:59", "Termine gestern");
        row("September", monday, berlin(2025, 9, 3, 9, 0), "Mi., 3. Sept. 2025, 09:00",
            "Mittwoch, 3. September");
        row("date in UTC", monday, utc(2025, 3, 3, 23, 30), "Morgen, 00:30", "Termine morgen");
        row("now in UTC", utc(2025, 3, 3, 23, 30), berlin(2025, 3, 4, 9, 0), "Heute, 09:00", "Termine heute");
        row("23 hours on, over spring-forward", berlin(2025, 3, 29, 23, 30), berlin(2025, 3, 30, 23, 30),
            "Morgen, 23:30", "Termine morgen");
        row("24.5 hours on, still on the fall-back day", berlin(2025, 10, 26, 0, 30),
            berlin(2025, 10, 26, 23, 59), "Heute, 23:59", "Termine heute");
    }

    void dayLabels()
    {
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, date);
        QFETCH(QString, label);

        QCOMPARE(DateLabels::formatDate(date, now), label);
        QCOMPARE(DateLabels::formatDateOnly(date, now), label.left(label.lastIndexOf(u',')));
        QTEST(EntryLists::displayDayLabel(date.toLocalTime().date(), now), "dayLabel");
    }

    void formatDateRange_data()
    {
        // relative: the time from Monday noon to start instead
        columns<QDateTime, QDateTime, bool, QString>("start", "end", "relative", "label");

        const auto row = [](const char* name, const QDateTime& start, const QDateTime& end, const char* label,
                             bool relative = false) {
            QTest::newRow(name) << start << end << relative << QString::fromUtf8(label);
        };
        row("today's midnight, no end", berlin(2025, 3, 3), {}, "Heute, Ganztägig");
        row("midnight to noon", berlin(2025, 3, 4), berlin(2025, 3, 4, 12, 0), "Morgen, 00:00 – 12:00");
        row("noon to midnight", berlin(2025, 3, 4, 12, 0), berlin(2025, 3, 5), "Morgen, 12:00 – 00:00");
        row("seconds past midnight", berlin(2025, 3, 4, 0, 0, 30), {}, "Morgen, Ganztägig");
        row("a minute past midnight", berlin(2025, 3, 4, 0, 1), {}, "Morgen, 00:01");
        row("local midnight given in UTC", utc(2025, 3, 9, 23, 0), utc(2025, 3, 10, 23, 0),
            "Mo., 10. März 2025, Ganztägig");
        row("end given in UTC", berlin(2025, 3, 4, 9, 0), utc(2025, 3, 4, 17, 0), "Morgen, 09:00 – 18:00");

        constexpr qint64 minute = 60;
        constexpr qint64 hour = 60 * minute;
        constexpr qint64 day = 24 * hour;
        const auto relative = [&row](const char* name, qint64 seconds, const char* label) {
            row(name, monday.addSecs(seconds), {}, label, true);
        };
        relative("now", 0, "in 0 Sek.");
        relative("1 min", minute, "in 1 Min.");
        relative("59 min 59 s", hour - 1, "in 59 Min.");
        relative("1 h", hour, "in 1 Std.");
        relative("23 h 59 min", day - minute, "in 23 Std. 59 Min.");
        relative("1 day", day, "in 1 Tag");
        relative("1 day 23 h", 2 * day - hour, "in 1 Tag");
        relative("2 days", 2 * day, "in 2 Tagen");
        relative("2 h 5 min ago", -(2 * hour + 5 * minute), "vor 2 Std. 5 Min.");
    }

    void formatDateRange()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(bool, relative);

        const ReminderNote note = appointment({}, start, end.isValid() ? std::optional(end) : std::nullopt);
        QTEST(relative ? DateLabels::relativeTime(start, monday) : DateLabels::formatDateRange(note, monday),
            "label");
    }

    void appDisplayName_data()
    {
        // content: null: no such file
        columns<QString, QByteArray, QString>("fileName", "content", "expected");

        const auto row = [](const char* fileName, const char* content, const char* expected) {
            QTest::newRow(fileName) << QString::fromUtf8(fileName) << QByteArray(content)
                                    << QString::fromUtf8(expected);
        };
        // The program is uninstalled.
        row("alt.desktop",
            "[Desktop Entry]\nType=Application\nName=Mein Wecker\nExec=true\nTryExec=/nonexistent/gone\n",
            "Mein Wecker");
        // The German name first, escapes undone.
        row("uhr.desktop",
            "[Desktop Entry]\nName=Clock\nName[de]=Die\\sUhr\n[Desktop Action x]\nName[de]=Nein\n",
            "Die Uhr");
        row("Ohne Namen.desktop", "[Desktop Entry]\nType=Application\nExec=true\n", "Ohne Namen");
        row("mit Leerzeichen/Uhr Programm.desktop", nullptr, "Uhr Programm");
        row("Rechner.app", nullptr, "Rechner");
        row("notes.txt", "x", "notes.txt");
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
