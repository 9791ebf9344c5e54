#include "minicalendar.h"
#include "minicalendarcontroller.h"
#include "notestore.h"
#include "panelcontroller.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The month grid against a real store and panel, at Monday, 7 December 2026, 10:00.
class tst_MiniCalendarController : public QObject {
    Q_OBJECT

private slots:
    void init();
    void opensOnTodaysMonth();
    void dotsFollowTheRecords();
    void tapTogglesThePanelsSelection();
    void movingTheMonthClearsTheSelection();
    void selectionInAnotherMonthIsNotDrawn();
    void cellsChangeInPlace();
    void recordChangesRedrawTheDots();

private:
    ReminderNote add(const QDateTime& start, const std::optional<QDateTime>& end, const QString& source = {});
    [[nodiscard]] const DayCell& cell(int day) const { return m_calendar->cells().at(day - 1); }

    QDateTime m_now;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<NoteStore> m_store;
    std::unique_ptr<PanelController> m_panel;
    std::unique_ptr<MiniCalendarController> m_calendar;
};

void tst_MiniCalendarController::init()
{
    m_calendar.reset();
    m_panel.reset();
    m_store.reset();
    m_now = QDateTime(QDate(2026, 12, 7), QTime(10, 0));
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<NoteStore>(m_dir->path(), [this] { return m_now; });
    m_panel = std::make_unique<PanelController>(*m_store);
    m_calendar = std::make_unique<MiniCalendarController>();
    new QAbstractItemModelTester(
        m_calendar->cellModel(), QAbstractItemModelTester::FailureReportingMode::QtTest, m_calendar.get());
    m_calendar->setPanel(m_panel.get());
}

ReminderNote tst_MiniCalendarController::add(
    const QDateTime& start, const std::optional<QDateTime>& end, const QString& source)
{
    ReminderNote note = m_store->addNote(true, start);
    note.alarmEndDate = end;
    note.importSource = source;
    m_store->updateNote(note);
    return note;
}

void tst_MiniCalendarController::opensOnTodaysMonth()
{
    QCOMPARE(m_calendar->displayedMonth(), QDate(2026, 12, 1));
    QCOMPARE(m_calendar->monthTitle(), QStringLiteral("Dezember 2026"));
    QCOMPARE(m_calendar->leadingBlanks(), 1); // 1 December 2026 is a Tuesday
    QCOMPARE(m_calendar->daysInMonth(), 31);
    QCOMPARE(m_calendar->cells().size(), 31);
    QCOMPARE(m_calendar->weekdaySymbols().constFirst(), QStringLiteral("Mo"));
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
}

void tst_MiniCalendarController::dotsFollowTheRecords()
{
    add(QDateTime(QDate(2026, 12, 5), QTime(9, 0)), QDateTime(QDate(2026, 12, 5), QTime(17, 0)));
    add(QDateTime(QDate(2026, 11, 28), QTime(10, 0)), QDateTime(QDate(2026, 12, 3), QTime(10, 0)),
        QStringLiteral("Apple Kalender"));
    add(QDateTime(QDate(2026, 12, 3), QTime(8, 0)), QDateTime(QDate(2026, 12, 3), QTime(9, 0)));
    add(QDateTime(QDate(2026, 12, 9), QTime(9, 0)), std::nullopt);

    QCOMPARE(cell(1).dotColor, QStringLiteral("cyan"));
    QCOMPARE(cell(2).dotColor, QStringLiteral("cyan"));
    QCOMPARE(cell(3).dotColor, QStringLiteral("purple"));
    QCOMPARE(cell(3).entryType, static_cast<int>(DayEntryType::Mixed));
    QCOMPARE(cell(4).dotColor, QString());
    QCOMPARE(cell(5).dotColor, QStringLiteral("orange"));
    QCOMPARE(cell(9).dotColor, QString()); // no end, no dot
}

void tst_MiniCalendarController::tapTogglesThePanelsSelection()
{
    QSignalSpy selected(m_calendar.get(), &MiniCalendarController::selectedDayChanged);
    m_calendar->tap(12);
    QCOMPARE(m_panel->selectedDay(), std::optional(QDate(2026, 12, 12)));
    QCOMPARE(m_calendar->selectedDay(), QDate(2026, 12, 12));
    QVERIFY(cell(12).isSelected);
    QVERIFY(!m_calendar->showsToday());
    QCOMPARE(selected.size(), 1);

    m_calendar->tap(13);
    QCOMPARE(m_panel->selectedDay(), std::optional(QDate(2026, 12, 13)));
    QVERIFY(!cell(12).isSelected);
    QVERIFY(cell(13).isSelected);

    m_calendar->tap(13);
    QCOMPARE(m_panel->selectedDay(), std::nullopt);
    QVERIFY(!m_calendar->selectedDay().isValid());
    QVERIFY(m_calendar->showsToday());

    // Today selected still shows today; its cell keeps the today look.
    m_calendar->tap(7);
    QVERIFY(m_calendar->showsToday());
    QVERIFY(cell(7).isToday);
    QVERIFY(cell(7).isSelected);

    // Days outside the month are no days.
    m_calendar->tap(32);
    m_calendar->tap(0);
    QCOMPARE(m_panel->selectedDay(), std::optional(QDate(2026, 12, 7)));

    // The panel's own changes show up in the grid.
    m_panel->setSelectedDay(QDate(2026, 12, 24));
    QVERIFY(cell(24).isSelected);
    QCOMPARE(m_calendar->selectedDay(), QDate(2026, 12, 24));
}

void tst_MiniCalendarController::movingTheMonthClearsTheSelection()
{
    m_calendar->tap(12);
    m_calendar->nextMonth();
    QCOMPARE(m_calendar->displayedMonth(), QDate(2027, 1, 1));
    QCOMPARE(m_calendar->monthTitle(), QStringLiteral("Januar 2027"));
    QCOMPARE(m_panel->selectedDay(), std::nullopt);

    m_calendar->tap(5);
    m_calendar->previousMonth();
    m_calendar->previousMonth();
    QCOMPARE(m_calendar->displayedMonth(), QDate(2026, 11, 1));
    QCOMPARE(m_panel->selectedDay(), std::nullopt);
    QCOMPARE(m_panel->displayDayLabel(), QStringLiteral("Termine heute"));
}

void tst_MiniCalendarController::selectionInAnotherMonthIsNotDrawn()
{
    m_panel->setSelectedDay(QDate(2027, 1, 12));
    QVERIFY(std::none_of(m_calendar->cells().cbegin(), m_calendar->cells().cend(),
        [](const DayCell& c) { return c.isSelected; }));
    // Same day of the month, other year.
    m_panel->setSelectedDay(QDate(2025, 12, 12));
    QVERIFY(!cell(12).isSelected);
}

void tst_MiniCalendarController::cellsChangeInPlace()
{
    DayCellModel* model = m_calendar->cellModel();
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    m_calendar->tap(12);
    QCOMPARE(reset.size(), 0);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.constFirst().at(0).toModelIndex().row(), 11);
    QCOMPARE(model->data(model->index(11), DayCellModel::CellRole).value<DayCell>().isSelected, true);

    // Another month with as many days changes rows, one with fewer resets.
    m_calendar->nextMonth();
    QCOMPARE(reset.size(), 0);
    m_calendar->nextMonth();
    QCOMPARE(reset.size(), 1);
    QCOMPARE(model->rowCount(), 28);
}

void tst_MiniCalendarController::recordChangesRedrawTheDots()
{
    QSignalSpy cells(m_calendar.get(), &MiniCalendarController::cellsChanged);
    add(QDateTime(QDate(2026, 12, 20), QTime(9, 0)), QDateTime(QDate(2026, 12, 20), QTime(10, 0)));
    QVERIFY(cells.size() >= 1);
    QCOMPARE(cell(20).dotColor, QStringLiteral("orange"));

    // The day turns: tomorrow becomes today.
    m_now = m_now.addDays(1);
    m_store->setNotes(m_store->notes());
    QVERIFY(cell(8).isToday);
    QVERIFY(!cell(7).isToday);
}

QTEST_GUILESS_MAIN(tst_MiniCalendarController)
#include "tst_minicalendarcontroller.moc"
