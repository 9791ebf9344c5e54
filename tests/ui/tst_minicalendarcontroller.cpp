#include "datepickercontroller.h"
#include "minicalendar.h"
#include "minicalendarcontroller.h"
#include "uitest.h"

#include <QAbstractItemModelTester>

namespace {

// A day's own appointment and one from a calendar file, as the dots tell them apart.
ReminderNote own(const QDateTime& start, const std::optional<QDateTime>& end = std::nullopt)
{
    return appointment({}, start, end);
}

ReminderNote imported(const QDateTime& start, const QDateTime& end)
{
    return appointment({}, start, end, u"kalender.ics"_s);
}

// "1E 2E 3M": day of the month and N(ote), E(vent) or M(ixed).
QString describe(const QMap<int, DayEntryType>& types)
{
    QStringList days;
    for (auto it = types.cbegin(); it != types.cend(); ++it)
        days.append(QString::number(it.key()) + QLatin1Char("-NEM"[int(it.value())])); // in the enum's order
    return days.join(u' ');
}

} // namespace

// The month grids: the days with a dot, the panel's grid on a real store, the editor's date sheet.
class tst_MiniCalendarController : public QObject {
    Q_OBJECT

private slots:
    void dayTypes_data()
    {
        columns<ReminderNotes, QDate, QString>("notes", "month", "days");

        const auto row
            = [](const char* name, const ReminderNotes& notes, const char* days,
                  const QDate& month = QDate(2025, 3, 1)) { QTest::newRow(name) << notes << month << days; };
        const ReminderNote ownOnFifth = own(berlin(2025, 3, 5, 9), berlin(2025, 3, 5, 17));
        const ReminderNote importedOnFifth = imported(berlin(2025, 3, 5, 12), berlin(2025, 3, 5, 13));
        ReminderNote plainNote = ownOnFifth;
        plainNote.hasAlarm = false;

        row("imported from the month before", { imported(berlin(2025, 2, 28, 10), berlin(2025, 3, 3, 10)) },
            "1E 2E 3E");
        row("own without end", { own(berlin(2025, 3, 5, 9)) }, "");
        row("plain note", { plainNote }, "");
        row("own, then imported", { ownOnFifth, importedOnFifth }, "5M");
        row("imported, then own", { importedOnFifth, ownOnFifth }, "5M");
        row("mixed, then own", { ownOnFifth, importedOnFifth, ownOnFifth }, "5M");
        row("mixed, then imported", { importedOnFifth, ownOnFifth, importedOnFifth }, "5M");
        row("imported ending at midnight", { imported(berlin(2025, 3, 10), berlin(2025, 3, 11)) }, "10E");
        row("into the next month", { own(berlin(2025, 3, 30, 10), berlin(2025, 4, 2, 10)) }, "30N 31N");
        row("ends as the month starts", { own(berlin(2025, 2, 28, 10), berlin(2025, 3, 1)) }, "");
        row("given in UTC", { imported(utc(2025, 3, 9, 23, 0), utc(2025, 3, 10, 23, 0)) }, "10E");
        row("over spring-forward", { own(berlin(2025, 3, 29, 12), berlin(2025, 3, 31, 12)) }, "29N 30N 31N");
        row("over fall-back", { own(berlin(2025, 10, 25, 22), berlin(2025, 10, 27, 1)) }, "25N 26N 27N",
            QDate(2025, 10, 1));
        row("the fall-back day only", { imported(berlin(2025, 10, 26), berlin(2025, 10, 27)) }, "26E",
            QDate(2025, 10, 1));
    }

    void dayTypes()
    {
        QFETCH(ReminderNotes, notes);
        QFETCH(QDate, month);
        QTEST(describe(MiniCalendar::dayTypes(notes, month)), "days");
    }

    void init()
    {
        m_calendar.reset();
        h.emplace(berlin(2026, 12, 7, 10, 0)); // a Monday
        m_calendar = std::make_unique<MiniCalendarController>();
        new QAbstractItemModelTester(m_calendar->cellModel(),
            QAbstractItemModelTester::FailureReportingMode::QtTest, m_calendar.get());
        m_calendar->setPanel(&h->panel);
    }

    void opensOnTodaysMonth()
    {
        QCOMPARE(m_calendar->displayedMonth(), QDate(2026, 12, 1));
        QCOMPARE(m_calendar->monthTitle(), u"Dezember 2026"_s);
        QCOMPARE(m_calendar->leadingBlanks(), 1); // 1 December 2026 is a Tuesday
        QCOMPARE(m_calendar->cells().size(), 31);
        for (int day = 1; day <= 31; ++day) {
            QCOMPARE(cell(day).day, day);
            QCOMPARE(cell(day).isToday, day == 7);
            QVERIFY(!cell(day).isSelected);
        }
        QVERIFY(m_calendar->showsToday());

        m_calendar->setDisplayedMonth(QDate(2027, 2, 14));
        QCOMPARE(m_calendar->displayedMonth(), QDate(2027, 2, 1));
        QCOMPARE(m_calendar->daysInMonth(), 28);
        QCOMPARE(m_calendar->leadingBlanks(), 0); // a Monday
        QVERIFY(std::none_of(m_calendar->cells().cbegin(), m_calendar->cells().cend(),
            [](const DayCell& c) { return c.isToday; }));
        m_calendar->setDisplayedMonth(QDate(2026, 11, 30));
        QCOMPARE(m_calendar->monthTitle(), u"November 2026"_s);
        QCOMPARE(m_calendar->leadingBlanks(), 6); // a Sunday
    }

    void dotsAndTodayFollowTheStore()
    {
        QSignalSpy cells(m_calendar.get(), &MiniCalendarController::cellsChanged);
        h->store.setNotes({ own(berlin(2026, 12, 5, 9), berlin(2026, 12, 5, 17)),
            imported(berlin(2026, 11, 28, 10), berlin(2026, 12, 3, 10)),
            own(berlin(2026, 12, 3, 8), berlin(2026, 12, 3, 9)), own(berlin(2026, 12, 9, 9)) });
        QVERIFY(!cells.isEmpty());

        QStringList dots;
        for (int day = 1; day <= 9; ++day)
            dots.append(cell(day).dotColor);
        // The 9th's appointment has no end: no dot.
        QCOMPARE(dots, strings("cyan|cyan|purple||orange||||"));
        // What a screen reader says of a day carries the same facts as its drawing.
        QCOMPARE(cell(3).accessibleName, u"Donnerstag, 3. Dezember, eigene und importierte Termine"_s);
        QCOMPARE(cell(7).accessibleName, u"Montag, 7. Dezember, heute"_s);
        m_calendar->tap(5);
        QCOMPARE(cell(5).accessibleName, u"Samstag, 5. Dezember, ausgewählt, eigene Termine"_s);

        h->now = h->now.addDays(1);
        h->store.setNotes(h->store.notes());
        QVERIFY(cell(8).isToday);
        QVERIFY(!cell(7).isToday);
    }

    void selectionFollowsTapsAndThePanel()
    {
        QSignalSpy selected(m_calendar.get(), &MiniCalendarController::selectedDayChanged);
        m_calendar->tap(12);
        QCOMPARE(h->panel.selectedDay(), std::optional(QDate(2026, 12, 12)));
        QCOMPARE(m_calendar->selectedDay(), QDate(2026, 12, 12));
        QVERIFY(cell(12).isSelected);
        QVERIFY(!m_calendar->showsToday());
        QCOMPARE(selected.size(), 1);

        m_calendar->tap(12);
        QCOMPARE(h->panel.selectedDay(), std::nullopt);
        QVERIFY(!m_calendar->selectedDay().isValid());
        QVERIFY(m_calendar->showsToday());

        // Today selected still shows today; its cell keeps the today look.
        m_calendar->tap(7);
        QVERIFY(m_calendar->showsToday());
        QVERIFY(cell(7).isToday);
        QVERIFY(cell(7).isSelected);

        m_calendar->tap(32);
        m_calendar->tap(0);
        QCOMPARE(h->panel.selectedDay(), std::optional(QDate(2026, 12, 7)));

        h->panel.setSelectedDay(QDate(2026, 12, 24));
        QVERIFY(cell(24).isSelected);
        QCOMPARE(m_calendar->selectedDay(), QDate(2026, 12, 24));

        h->panel.setSelectedDay(QDate(2027, 1, 12));
        QVERIFY(std::none_of(m_calendar->cells().cbegin(), m_calendar->cells().cend(),
            [](const DayCell& c) { return c.isSelected; }));
        // Same day of the month, other year.
        h->panel.setSelectedDay(QDate(2025, 12, 12));
        QVERIFY(!cell(12).isSelected);
    }

    void cellsChangeInPlace()
    {
        DayCellModel* model = m_calendar->cellModel();
        QSignalSpy reset(model, &QAbstractItemModel::modelReset);
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        m_calendar->tap(12);
        QCOMPARE(reset.size(), 0);
        // The 12th is selected and takes Tab's stop from today, the 7th.
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 6);
        QCOMPARE(changed.at(1).at(0).toModelIndex().row(), 11);
        QVERIFY(!cell(7).isTabStop && cell(12).isTabStop);
        QCOMPARE(model->data(model->index(11), DayCellModel::CellRole).value<DayCell>().isSelected, true);

        // Another month with as many days changes rows, one with fewer resets.
        m_calendar->nextMonth();
        QCOMPARE(reset.size(), 0);
        QVERIFY(!m_calendar->selectedDay().isValid());
        m_calendar->nextMonth();
        QCOMPARE(reset.size(), 1);
        QCOMPARE(model->rowCount(), 28);
    }

    void sheet_data()
    {
        // minimum, picked: invalid: no limit, the tap chooses nothing; monthsOn: pages turned after the date
        columns<QDateTime, int, QString, int, int, int, QDate>(
            "minimum", "monthsOn", "title", "selected", "firstSelectable", "tapped", "picked");

        const QDateTime start = berlin(2026, 3, 20, 14, 30);
        row("no limit", QDateTime(), 0, "März 2026", 20, 1, 3, QDate(2026, 3, 3));
        row("from the start on: the day itself", start, 0, "März 2026", 20, 20, 20, QDate(2026, 3, 20));
        row("from the start on: the day before", start, 0, "März 2026", 20, 20, 19, QDate());
        row("a month later, all days", start, 1, "April 2026", 0, 1, 1, QDate(2026, 4, 1));
        row("a month earlier, none", start, -1, "Februar 2026", 0, 29, 28, QDate());
        row("past the month's last day", QDateTime(), 0, "März 2026", 20, 1, 32, QDate());
    }

    void sheet()
    {
        QFETCH(QDateTime, minimum);
        QFETCH(int, monthsOn);
        QFETCH(QDate, picked);

        DatePickerController sheet;
        sheet.setNow(berlin(2026, 3, 18, 9, 0));
        sheet.setMinimum(minimum);
        sheet.setDate(berlin(2026, 3, 20, 14, 30));
        for (int i = 0; i < std::abs(monthsOn); ++i)
            monthsOn > 0 ? sheet.nextMonth() : sheet.previousMonth();
        QTEST(sheet.monthTitle(), "title");
        QTEST(sheet.selectedDay(), "selected");
        QCOMPARE(sheet.todayDay(), monthsOn == 0 ? 18 : 0);
        QTEST(sheet.firstSelectableDay(), "firstSelectable");

        QSignalSpy spy(&sheet, &DatePickerController::picked);
        QFETCH(int, tapped);
        sheet.pick(tapped);
        QCOMPARE(spy.count(), picked.isValid() ? 1 : 0);
        if (picked.isValid())
            QCOMPARE(spy.constFirst().constFirst().toDateTime(), picked.startOfDay());
    }

private:
    [[nodiscard]] const DayCell& cell(int day) const { return m_calendar->cells().at(day - 1); }

    std::optional<PanelHarness> h;
    std::unique_ptr<MiniCalendarController> m_calendar;
};

QTEST_GUILESS_MAIN(tst_MiniCalendarController)
#include "tst_minicalendarcontroller.moc"
