#include "appointmentcardcontroller.h"
#include "notecardcontroller.h"
#include "notestore.h"
#include "panelcontroller.h"

#include "testsupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The panel's navigation rules against a real store with an injected clock, and what its cards
// show for a record at a given moment.
using Screen = PanelController::Screen;

namespace {

// The moment the cards are drawn at: Thursday, 20 March 2025, 14:00.
const QDateTime cardNow(QDate(2025, 3, 20), QTime(14, 0));

ReminderNote cardAppointment(const QDateTime& when)
{
    return appointment(u"Zahnarzt\nmit Karte"_s, when);
}

Badge badge(const char* icon, const QString& text, const char* color)
{
    return { QString::fromLatin1(icon), text, QString::fromLatin1(color) };
}

} // namespace

class tst_PanelController : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_now = QDateTime(QDate(2026, 3, 20), QTime(14, 35, 12));
        m_panel.reset();
        m_store.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<NoteStore>(m_dir->path(), [this] { return m_now; });
        m_panel = std::make_unique<PanelController>(*m_store);
    }

    void screenPrecedence_data()
    {
        QTest::addColumn<QStringList>("flags");
        QTest::addColumn<Screen>("expected");
        QTest::newRow("nothing") << QStringList {} << Screen::Main;
        QTest::newRow("editor") << QStringList { u"editor"_s } << Screen::Editor;
        QTest::newRow("help over editor") << QStringList { u"editor"_s, u"showHelp"_s } << Screen::Help;
        QTest::newRow("export over settings")
            << QStringList { u"showSettings"_s, u"showExport"_s } << Screen::Export;
        QTest::newRow("import over settings and about") << QStringList { u"showAbout"_s, u"showSettings"_s,
            u"showCalendarImport"_s } << Screen::CalendarImport;
        QTest::newRow("settings over help")
            << QStringList { u"showHelp"_s, u"showSettings"_s } << Screen::Settings;
        QTest::newRow("help over about") << QStringList { u"showAbout"_s, u"showHelp"_s } << Screen::Help;
    }

    void screenPrecedence()
    {
        QFETCH(QStringList, flags);
        for (const QString& flag : flags) {
            if (flag == QLatin1String("editor"))
                m_panel->openEditor(addRecord(false, m_now).id.toString());
            else
                QVERIFY(m_panel->setProperty(flag.toLatin1().constData(), true));
        }
        QTEST(m_panel->screen(), "expected");
    }

    void secondaryScreenLinks()
    {
        m_panel->setShowSettings(true);
        m_panel->showExportFromSettings();
        QCOMPARE(m_panel->screen(), Screen::Export);
        m_panel->closeExport();
        QCOMPARE(m_panel->screen(), Screen::Settings);

        m_panel->setSelectedTab(2);
        m_panel->showImportFromSettings();
        QCOMPARE(m_panel->screen(), Screen::CalendarImport);
        m_panel->closeCalendarImport();
        QCOMPARE(m_panel->screen(), Screen::Main);
        QCOMPARE(m_panel->selectedTab(), 0);

        // Escape walks the same way back, then closes the questions, and only then may the panel hide.
        m_panel->setShowSettings(true);
        m_panel->showExportFromSettings();
        QVERIFY(!m_panel->goBack());
        QCOMPARE(m_panel->screen(), Screen::Settings);
        QVERIFY(!m_panel->goBack());
        QCOMPARE(m_panel->screen(), Screen::Main);
        m_panel->setProperty("showQuitConfirm", true);
        QVERIFY(!m_panel->goBack());
        QVERIFY(!m_panel->property("showQuitConfirm").toBool());
        m_panel->requestDelete(addRecord(false, m_now).id.toString());
        QVERIFY(!m_panel->goBack());
        QVERIFY(!m_panel->noteToDelete());
        QVERIFY(m_panel->goBack());
    }

    void editorDismissal_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("expectedTab");
        QTest::addColumn<QDate>("expectedDay");
        QTest::newRow("appointment selects its day on Heute") << u"appointment"_s << 0 << QDate(2026, 3, 24);
        QTest::newRow("plain note keeps the tab") << u"note"_s << 2 << QDate();
        QTest::newRow("deleted record only closes") << u"deleted"_s << 2 << QDate();
    }

    void editorDismissal()
    {
        QFETCH(QString, record);
        m_panel->setSelectedTab(2);
        const bool appointment = record == QLatin1String("appointment");
        const ReminderNote note = addRecord(appointment, QDateTime(QDate(2026, 3, 24), QTime(23, 30)));
        m_panel->openEditor(note.id.toString());
        if (record == QLatin1String("deleted"))
            m_store->deleteNote(note.id);

        m_panel->dismissEditor();
        QCOMPARE(m_panel->screen(), Screen::Main);
        QTEST(m_panel->selectedTab(), "expectedTab");
        QTEST(m_panel->selectedDay().value_or(QDate()), "expectedDay");
    }

    void dayTapToggles()
    {
        addRecord(true, QDateTime(QDate(2026, 3, 24), QTime(9, 0)));
        QCOMPARE(m_panel->displayDayLabel(), u"Termine heute"_s);
        QCOMPARE(m_panel->dayAppointments()->count(), 0);

        m_panel->tapDay(QDate(2026, 3, 24));
        QCOMPARE(m_panel->displayDayLabel(), u"Dienstag, 24. März"_s);
        QCOMPARE(m_panel->dayAppointments()->count(), 1);
        m_panel->tapDay(QDate(2026, 3, 24));
        QVERIFY(!m_panel->selectedDay());
        QCOMPARE(m_panel->displayedDay(), QDate(2026, 3, 20));
    }

    void deleteOfAVanishedRecord()
    {
        // Gone meanwhile: no dialog, nothing deleted, and the request still clears.
        addRecord(false, m_now);
        const ReminderNote doomed = addRecord(true, m_now);
        m_store->deleteNote(doomed.id);
        m_panel->requestDelete(doomed.id.toString());
        QVERIFY(m_panel->deleteTitle().isEmpty());
        m_panel->confirmDelete();
        QCOMPARE(m_store->notes().size(), 1);
        QVERIFY(!m_panel->noteToDelete());
    }

    void storeProblemsAreShown()
    {
        QVERIFY(m_panel->storeProblem().isEmpty());

        // A change from the panel that cannot be saved: said at the top, no editor on a lost record.
        const QString file = m_store->filePath();
        QVERIFY(QDir().mkdir(file));
        QSignalSpy problem(m_panel.get(), &PanelController::storeProblemChanged);
        m_panel->addNote();
        QVERIFY(m_store->notes().isEmpty());
        QCOMPARE(m_panel->screen(), Screen::Main);
        QVERIFY2(m_panel->storeProblem().startsWith(u"Konnte nicht gespeichert werden: Die Datendatei"_s),
            qPrintable(m_panel->storeProblem()));
        QVERIFY(QDir().rmdir(file));
        m_panel->addNote();
        QVERIFY(m_panel->storeProblem().isEmpty());
        QCOMPARE(problem.count(), 2);

        // A data file that cannot be read: where it is kept, and that new records go to a new file.
        m_panel.reset();
        m_store.reset();
        QVERIFY(writeAll(file, "[{\"id\":"));
        m_store = std::make_unique<NoteStore>(m_dir->path(), [this] { return m_now; });
        m_panel = std::make_unique<PanelController>(*m_store);
        QVERIFY2(m_panel->storeProblem().contains(file + u".unreadable-20260320-143512"_s),
            qPrintable(m_panel->storeProblem()));
        QVERIFY(m_panel->storeProblem().contains(u"neue Datei"_s));
    }

    void openingRefreshes()
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

    void labelTicks_data()
    {
        QTest::addColumn<int>("secondsAhead");
        QTest::addColumn<int>("interval");
        // The clock stands at 14:35:12.
        QTest::newRow("45 s ahead counts seconds") << 45 << 1000;
        QTest::newRow("exactly a minute ahead") << 60 << 1000;
        QTest::newRow("two minutes ahead") << 120 << 48'000;
        QTest::newRow("just passed") << 0 << 48'000;
    }

    void labelTicks()
    {
        QFETCH(int, secondsAhead);
        addRecord(true, m_now.addSecs(secondsAhead));
        QTEST(m_panel->msUntilLabelsChange(), "interval");
    }

    void stateColour_data()
    {
        QTest::addColumn<int>("minutesFromNow");
        QTest::addColumn<RepeatInterval>("repeat");
        QTest::addColumn<bool>("sound");
        QTest::addColumn<bool>("past");
        QTest::addColumn<QString>("accent");
        QTest::addColumn<bool>("countsDown");

        QTest::newRow("ago with sound: past wins")
            << -1 << RepeatInterval::None << true << true << "green" << false;
        QTest::newRow("ago, repeating daily")
            << -1 << RepeatInterval::Daily << false << false << "purple" << true;
        QTest::newRow("repeating with sound")
            << 30 << RepeatInterval::Weekly << true << false << "purple" << true;
        QTest::newRow("with sound") << 30 << RepeatInterval::None << true << false << "cyan" << true;
        QTest::newRow("plain") << 30 << RepeatInterval::None << false << false << "orange" << true;
        QTest::newRow("this very moment") << 0 << RepeatInterval::None << false << false << "orange" << true;
    }

    void stateColour()
    {
        QFETCH(int, minutesFromNow);
        QFETCH(RepeatInterval, repeat);
        QFETCH(bool, sound);
        ReminderNote note = cardAppointment(cardNow.addSecs(minutesFromNow * 60));
        note.repeatInterval = repeat;
        note.useSound = sound;
        // Done or not does not decide what is past.
        note.isTriggered = true;

        AppointmentCardController card;
        card.setNow(cardNow);
        card.setNote(note);
        QTEST(card.isPast(), "past");
        QTEST(card.accentColor(), "accent");
        // A past card greys out its title and badges.
        QFETCH(bool, past);
        QCOMPARE(card.titleColor(), QString::fromLatin1(past ? "secondary" : "primary"));
        for (const Badge& b : card.badges())
            QCOMPARE(b.color == QLatin1String("secondary"), past);
        QTEST(!card.relativeText().isEmpty(), "countsDown");
    }

    void badgesInOrder_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<RepeatInterval>("repeat");
        QTest::addColumn<bool>("popup");
        QTest::addColumn<bool>("sound");
        QTest::addColumn<QString>("expected"); // icon and text of each badge

        using enum RepeatInterval;
        QTest::newRow("none") << QString() << None << false << false << QString();
        QTest::newRow("all, file import")
            << u"ICS: ferien.ics"_s << Weekly << true << true
            << u"doc.text ICS: ferien.ics|repeat Wöchentlich|bell.fill Popup|speaker.wave.2 Submarine"_s;
        QTest::newRow("system calendar")
            << u"Apple Kalender"_s << None << false << false << u"calendar Apple Kalender"_s;
        QTest::newRow("ics only at the start")
            << u"Import ICS"_s << None << false << false << u"calendar Import ICS"_s;
        QTest::newRow("yearly and popup")
            << QString() << Yearly << true << false << u"repeat Jährlich|bell.fill Popup"_s;
    }

    void badgesInOrder()
    {
        QFETCH(QString, source);
        QFETCH(RepeatInterval, repeat);
        QFETCH(bool, popup);
        QFETCH(bool, sound);
        ReminderNote note = cardAppointment(cardNow.addDays(1));
        note.importSource = source;
        note.repeatInterval = repeat;
        note.usePopup = popup;
        note.useSound = sound;
        note.soundName = u"Submarine"_s;

        AppointmentCardController card;
        card.setNow(cardNow);
        card.setNote(note);
        QStringList badges;
        for (const Badge& b : card.badges())
            badges << b.icon + u' ' + b.text;
        QTEST(badges.join(u'|'), "expected");
    }

    void labelsFollowTheClock()
    {
        AppointmentCardController card;
        card.setNow(cardNow);
        card.setNote(cardAppointment(cardNow.addSecs(5 * 60)));
        QCOMPARE(card.title(), u"Zahnarzt"_s);
        QCOMPARE(card.dateText(), u"Heute, 14:05"_s);
        QCOMPARE(card.relativeText(), u"in 5 Min."_s);
        QCOMPARE(card.spokenText(), u"Zahnarzt, Heute, 14:05, in 5 Min."_s);
        QVERIFY(!card.isPast());
        QSignalSpy changed(&card, &AppointmentCardController::changed);
        card.setNow(cardNow.addSecs(6 * 60));
        QCOMPARE(changed.size(), 1);
        QVERIFY(card.isPast());
        QCOMPARE(card.spokenText(), u"Zahnarzt, Heute, 14:05, erledigt"_s);
        card.setNow(cardNow.addSecs(6 * 60));
        QCOMPARE(changed.size(), 1);
    }

    void noteCard_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("hasBadge");
        QTest::addColumn<Badge>("expectedBadge");

        QTest::newRow("own") << u"  Einkauf  \nMilch"_s << QString() << u"Einkauf"_s << false << Badge {};
        QTest::newRow("empty") << QString() << QString() << u"Neue Notiz"_s << false << Badge {};
        QTest::newRow("imported") << u"Ideen"_s << u"ICS: notizen.ics"_s << u"Ideen"_s << true
                                  << badge("doc.text", u"ICS: notizen.ics"_s, "indigo");
    }

    void noteCard()
    {
        QFETCH(QString, text);
        QFETCH(QString, source);
        // Created late on the 5th in UTC: already the 6th here.
        ReminderNote note = ReminderNote::create(QDateTime(QDate(2025, 3, 5), QTime(23, 30), Qt::UTC));
        note.text = text;
        note.importSource = source;

        NoteCardController card;
        QSignalSpy changed(&card, &NoteCardController::noteChanged);
        card.setNote(note);
        QCOMPARE(changed.size(), 1);
        QTEST(card.title(), "title");
        QCOMPARE(card.createdText(), u"6. März 2025"_s);
        QCOMPARE(card.spokenText(), card.title() + u", 6. März 2025"_s);
        QTEST(card.hasImportBadge(), "hasBadge");
        QTEST(card.importBadge(), "expectedBadge");
    }

private:
    ReminderNote addRecord(bool appointment, const QDateTime& when)
    {
        ReminderNote note = *m_store->addNote(appointment, when);
        note.text = u"Eintrag"_s;
        m_store->updateNote(note);
        return note;
    }

    QDateTime m_now;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<NoteStore> m_store;
    std::unique_ptr<PanelController> m_panel;
};

QTEST_GUILESS_MAIN(tst_PanelController)
#include "tst_panelcontroller.moc"
