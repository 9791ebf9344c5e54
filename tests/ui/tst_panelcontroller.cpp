#include "notestore.h"
#include "panelcontroller.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The panel's navigation rules against a real store with an injected clock.
class tst_PanelController : public QObject {
    Q_OBJECT

private slots:
    void init();
    void screenPrecedence_data();
    void screenPrecedence();
    void secondaryScreenLinks();
    void addNotePerTab_data();
    void addNotePerTab();
    void editorDismissal_data();
    void editorDismissal();
    void dayTapToggles();
    void deleteConfirmation();
    void openingRefreshes();
    void labelTicks_data();
    void labelTicks();

private:
    ReminderNote addRecord(bool appointment, const QDateTime& when);

    QDateTime m_now;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<NoteStore> m_store;
    std::unique_ptr<PanelController> m_panel;
};

using Screen = PanelController::Screen;

void tst_PanelController::init()
{
    m_now = QDateTime(QDate(2026, 3, 20), QTime(14, 35, 12));
    m_panel.reset();
    m_store.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<NoteStore>(m_dir->path(), [this] { return m_now; });
    m_panel = std::make_unique<PanelController>(*m_store);
}

ReminderNote tst_PanelController::addRecord(bool appointment, const QDateTime& when)
{
    ReminderNote note = m_store->addNote(appointment, when);
    note.text = QStringLiteral("Eintrag");
    m_store->updateNote(note);
    return note;
}

void tst_PanelController::screenPrecedence_data()
{
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<Screen>("expected");
    QTest::newRow("nothing") << QStringList {} << Screen::Main;
    QTest::newRow("editor") << QStringList { QStringLiteral("editor") } << Screen::Editor;
    QTest::newRow("help over editor")
        << QStringList { QStringLiteral("editor"), QStringLiteral("showHelp") } << Screen::Help;
    QTest::newRow("export over settings")
        << QStringList { QStringLiteral("showSettings"), QStringLiteral("showExport") } << Screen::Export;
    QTest::newRow("import over settings and about") << QStringList { QStringLiteral("showAbout"),
        QStringLiteral("showSettings"), QStringLiteral("showCalendarImport") }
                                                    << Screen::CalendarImport;
    QTest::newRow("settings over help")
        << QStringList { QStringLiteral("showHelp"), QStringLiteral("showSettings") } << Screen::Settings;
    QTest::newRow("help over about") << QStringList { QStringLiteral("showAbout"),
        QStringLiteral("showHelp") } << Screen::Help;
}

void tst_PanelController::screenPrecedence()
{
    QFETCH(QStringList, flags);
    QFETCH(Screen, expected);
    for (const QString& flag : flags) {
        if (flag == QLatin1String("editor"))
            m_panel->openEditor(addRecord(false, m_now).id.toString());
        else
            QVERIFY(m_panel->setProperty(flag.toLatin1().constData(), true));
    }
    QCOMPARE(m_panel->screen(), expected);
}

void tst_PanelController::secondaryScreenLinks()
{
    m_panel->setShowSettings(true);
    m_panel->showExportFromSettings();
    QCOMPARE(m_panel->screen(), Screen::Export);
    m_panel->closeExport();
    QCOMPARE(m_panel->screen(), Screen::Settings);
    QVERIFY(!m_panel->showExport());

    m_panel->setSelectedTab(2);
    m_panel->showImportFromSettings();
    QCOMPARE(m_panel->screen(), Screen::CalendarImport);
    m_panel->closeCalendarImport();
    QCOMPARE(m_panel->screen(), Screen::Main);
    QCOMPARE(m_panel->selectedTab(), 0);
}

void tst_PanelController::addNotePerTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QDate>("selectedDay");
    QTest::addColumn<bool>("appointment");
    QTest::addColumn<QDateTime>("alarmDate");
    const QDateTime now(QDate(2026, 3, 20), QTime(14, 35, 12));
    QTest::newRow("Heute without a day") << 0 << QDate() << true << now;
    QTest::newRow("Heute on a day: that day, current time, no seconds")
        << 0 << QDate(2026, 3, 24) << true << QDateTime(QDate(2026, 3, 24), QTime(14, 35));
    QTest::newRow("Termine on a day")
        << 1 << QDate(2026, 4, 1) << true << QDateTime(QDate(2026, 4, 1), QTime(14, 35));
    QTest::newRow("Notizen ignores the day") << 2 << QDate(2026, 3, 24) << false << now;
}

void tst_PanelController::addNotePerTab()
{
    QFETCH(int, tab);
    QFETCH(QDate, selectedDay);
    QFETCH(bool, appointment);
    QFETCH(QDateTime, alarmDate);
    m_panel->setSelectedTab(tab);
    m_panel->setSelectedDay(selectedDay.isValid() ? std::optional(selectedDay) : std::nullopt);
    QSignalSpy opened(m_panel.get(), &PanelController::editorRequested);

    m_panel->addNote();
    QCOMPARE(m_store->notes().size(), 1);
    const ReminderNote& note = m_store->notes().constFirst();
    QCOMPARE(note.hasAlarm, appointment);
    QCOMPARE(note.isTriggered, appointment);
    QCOMPARE(note.alarmDate, alarmDate);
    QCOMPARE(m_panel->screen(), Screen::Editor);
    QCOMPARE(m_panel->editingNoteId(), note.id.toString(QUuid::WithoutBraces));
    QCOMPARE(opened.size(), 1);
}

void tst_PanelController::editorDismissal_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("expectedTab");
    QTest::addColumn<QDate>("expectedDay");
    QTest::newRow("appointment selects its day on Heute")
        << QStringLiteral("appointment") << 0 << QDate(2026, 3, 24);
    QTest::newRow("plain note keeps the tab") << QStringLiteral("note") << 2 << QDate();
    QTest::newRow("deleted record only closes") << QStringLiteral("deleted") << 2 << QDate();
}

void tst_PanelController::editorDismissal()
{
    QFETCH(QString, record);
    QFETCH(int, expectedTab);
    QFETCH(QDate, expectedDay);
    m_panel->setSelectedTab(2);
    const bool appointment = record == QLatin1String("appointment");
    const ReminderNote note = addRecord(appointment, QDateTime(QDate(2026, 3, 24), QTime(23, 30)));
    m_panel->openEditor(note.id.toString());
    if (record == QLatin1String("deleted"))
        m_store->deleteNote(note.id);

    m_panel->dismissEditor();
    QCOMPARE(m_panel->screen(), Screen::Main);
    QCOMPARE(m_panel->selectedTab(), expectedTab);
    QCOMPARE(m_panel->selectedDay().value_or(QDate()), expectedDay);
}

void tst_PanelController::dayTapToggles()
{
    addRecord(true, QDateTime(QDate(2026, 3, 24), QTime(9, 0)));
    QCOMPARE(m_panel->displayDayLabel(), QStringLiteral("Termine heute"));
    QCOMPARE(m_panel->dayAppointments()->count(), 0);

    m_panel->tapDay(QDate(2026, 3, 24));
    QCOMPARE(m_panel->displayDayLabel(), QStringLiteral("Dienstag, 24. März"));
    QCOMPARE(m_panel->dayAppointments()->count(), 1);
    m_panel->tapDay(QDate(2026, 3, 25));
    QCOMPARE(m_panel->selectedDay(), std::optional(QDate(2026, 3, 25)));
    m_panel->tapDay(QDate(2026, 3, 25));
    QVERIFY(!m_panel->selectedDay());
    QCOMPARE(m_panel->displayedDay(), QDate(2026, 3, 20));
}

void tst_PanelController::deleteConfirmation()
{
    const ReminderNote kept = addRecord(false, m_now);
    const ReminderNote doomed = addRecord(true, m_now);

    m_panel->requestDelete(doomed.id.toString());
    QCOMPARE(m_panel->deleteTitle(), QStringLiteral("Eintrag"));
    QCOMPARE(m_panel->deleteQuestion(), QStringLiteral("\"Eintrag\" löschen?"));
    m_panel->cancelDelete();
    QCOMPARE(m_store->notes().size(), 2);
    QVERIFY(m_panel->deleteTitle().isEmpty());

    m_panel->requestDelete(doomed.id.toString());
    m_panel->confirmDelete();
    QCOMPARE(m_store->notes().size(), 1);
    QCOMPARE(m_store->notes().constFirst().id, kept.id);
    QVERIFY(!m_panel->noteToDelete());

    // Gone meanwhile: no dialog, nothing deleted, and the request still clears.
    m_panel->requestDelete(doomed.id.toString());
    QVERIFY(m_panel->deleteTitle().isEmpty());
    m_panel->confirmDelete();
    QCOMPARE(m_store->notes().size(), 1);
    QVERIFY(!m_panel->noteToDelete());
}

void tst_PanelController::openingRefreshes()
{
    addRecord(true, m_now.addSecs(3600));
    m_panel->setPanelVisible(true);
    QCOMPARE(m_panel->todayAppointments()->count(), 1);
    m_panel->setPanelVisible(false);
    QSignalSpy now(m_panel.get(), &PanelController::nowChanged);

    // Hidden over midnight: nothing is recomputed, and nothing wakes the app for it.
    m_now = m_now.addDays(1);
    QTest::qWait(50);
    QCOMPARE(now.count(), 0);
    QCOMPARE(m_panel->todayAppointments()->count(), 1);

    // Opened again, yesterday's appointment is no longer today's.
    m_panel->setPanelVisible(true);
    QCOMPARE(m_panel->todayAppointments()->count(), 0);
    QCOMPARE(m_panel->pastAppointments()->count(), 1);
    QCOMPARE(now.count(), 1);
}

void tst_PanelController::labelTicks_data()
{
    QTest::addColumn<int>("secondsAhead");
    QTest::addColumn<int>("interval");
    // The clock stands at 14:35:12.
    QTest::newRow("nothing ahead: next full minute") << -1 << 48'000;
    QTest::newRow("45 s ahead counts seconds") << 45 << 1000;
    QTest::newRow("exactly a minute ahead") << 60 << 1000;
    QTest::newRow("two minutes ahead") << 120 << 48'000;
    QTest::newRow("just passed") << 0 << 48'000;
}

void tst_PanelController::labelTicks()
{
    QFETCH(int, secondsAhead);
    if (secondsAhead >= 0)
        addRecord(true, m_now.addSecs(secondsAhead));
    QTEST(m_panel->msUntilLabelsChange(), "interval");
}

QTEST_GUILESS_MAIN(tst_PanelController)
#include "tst_panelcontroller.moc"
