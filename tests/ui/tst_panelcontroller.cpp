#include "appointmentcardcontroller.h"
#include "notecardcontroller.h"
#include "uitest.h"

using Screen = PanelController::Screen;

// The moment the cards are drawn at: Thursday, 20 March 2025, 14:00.
static const QDateTime cardNow(QDate(2025, 3, 20), QTime(14, 0));
static const QString cardText = u"Zahnarzt\nmit Karte"_s;

// The panel's navigation against a real store on a fixed clock, and what its cards show.
class tst_PanelController : public QObject {
    Q_OBJECT

private slots:
    void init() { h.emplace(berlin(2026, 3, 20, 14, 35, 12)); }

    void screenPrecedence_data()
    {
        columns<QStringList, Screen>("flags", "expected");
        QTest::newRow("nothing") << QStringList {} << Screen::Main;
        QTest::newRow("editor") << strings("editor") << Screen::Editor;
        QTest::newRow("help over editor") << strings("editor|showHelp") << Screen::Help;
        QTest::newRow("export over settings") << strings("showSettings|showExport") << Screen::Export;
        row("import over settings and about", strings("showAbout|showSettings|showCalendarImport"),
            Screen::CalendarImport);
        QTest::newRow("settings over help") << strings("showHelp|showSettings") << Screen::Settings;
        QTest::newRow("help over about") << strings("showAbout|showHelp") << Screen::Help;
    }

    void screenPrecedence()
    {
        QFETCH(QStringList, flags);
        for (const QString& flag : flags) {
            if (flag == QLatin1String("editor"))
                h->panel.openEditor(addRecord(false, h->now).id.toString());
            else
                QVERIFY(h->panel.setProperty(flag.toLatin1().constData(), true));
        }
        QTEST(h->panel.screen(), "expected");
    }

    void secondaryScreenLinks()
    {
        h->panel.setShowSettings(true);
        h->panel.showExportFromSettings();
        QCOMPARE(h->panel.screen(), Screen::Export);
        h->panel.closeExport();
        QCOMPARE(h->panel.screen(), Screen::Settings);

        h->panel.setSelectedTab(2);
        h->panel.showImportFromSettings();
        QCOMPARE(h->panel.screen(), Screen::CalendarImport);
        h->panel.closeCalendarImport();
        QCOMPARE(h->panel.screen(), Screen::Main);
        QCOMPARE(h->panel.selectedTab(), 0);

        // Escape walks back the same way, then closes the questions, and only then may the panel hide.
        h->panel.setShowSettings(true);
        h->panel.showExportFromSettings();
        QVERIFY(!h->panel.goBack());
        QCOMPARE(h->panel.screen(), Screen::Settings);
        QVERIFY(!h->panel.goBack());
        QCOMPARE(h->panel.screen(), Screen::Main);
        h->panel.setProperty("showQuitConfirm", true);
        QVERIFY(!h->panel.goBack());
        QVERIFY(!h->panel.property("showQuitConfirm").toBool());
        h->panel.requestDelete(addRecord(false, h->now).id.toString());
        QVERIFY(!h->panel.goBack());
        QVERIFY(!h->panel.noteToDelete());
        QVERIFY(h->panel.goBack());
    }

    void editorDismissal_data()
    {
        columns<QString, int, QDate>("record", "expectedTab", "expectedDay");
        QTest::newRow("appointment selects its day on Heute") << u"appointment"_s << 0 << QDate(2026, 3, 24);
        QTest::newRow("plain note keeps the tab") << u"note"_s << 2 << QDate();
        QTest::newRow("deleted record only closes") << u"deleted"_s << 2 << QDate();
    }

    void editorDismissal()
    {
        QFETCH(QString, record);
        h->panel.setSelectedTab(2);
        const bool appointment = record == QLatin1String("appointment");
        const ReminderNote note = addRecord(appointment, QDateTime(QDate(2026, 3, 24), QTime(23, 30)));
        h->panel.openEditor(note.id.toString());
        if (record == QLatin1String("deleted"))
            h->store.deleteNote(note.id);

        h->panel.dismissEditor();
        QCOMPARE(h->panel.screen(), Screen::Main);
        QTEST(h->panel.selectedTab(), "expectedTab");
        QTEST(h->panel.selectedDay().value_or(QDate()), "expectedDay");
        // The day's list follows the selection (a day tapped twice: tst_minicalendarcontroller).
        QCOMPARE(h->panel.dayAppointments()->count(), appointment ? 1 : 0);
    }

    void deleteOfAVanishedRecord()
    {
        addRecord(false, h->now);
        const ReminderNote doomed = addRecord(true, h->now);
        h->store.deleteNote(doomed.id);
        h->panel.requestDelete(doomed.id.toString());
        QVERIFY(h->panel.deleteTitle().isEmpty());
        h->panel.confirmDelete();
        QCOMPARE(h->store.notes().size(), 1);
        QVERIFY(!h->panel.noteToDelete());
    }

    void storeProblemsAreShown()
    {
        QVERIFY(h->panel.storeProblem().isEmpty());

        // A change from the panel that cannot be saved: said at the top, no editor on a lost record.
        const QString file = h->store.filePath();
        QVERIFY(QDir().mkdir(file));
        QSignalSpy problem(&h->panel, &PanelController::storeProblemChanged);
        h->panel.addNote();
        QVERIFY(h->store.notes().isEmpty());
        QCOMPARE(h->panel.screen(), Screen::Main);
        QVERIFY2(h->panel.storeProblem().startsWith(u"Konnte nicht gespeichert werden: Die Datendatei"_s),
            qPrintable(h->panel.storeProblem()));
        QVERIFY(QDir().rmdir(file));
        h->panel.addNote();
        QVERIFY(h->panel.storeProblem().isEmpty());
        QCOMPARE(problem.count(), 2);

        // A data file that cannot be read: where it is kept, and that new records go to a new file.
        QVERIFY(writeAll(file, "[{\"id\":"));
        NoteStore reread(h->dir.path(), [this] { return h->now; });
        const PanelController reopened(reread);
        QVERIFY2(reopened.storeProblem().contains(file + u".unreadable-20260320-143512"_s),
            qPrintable(reopened.storeProblem()));
        QVERIFY(reopened.storeProblem().contains(u"neue Datei"_s));
    }

    void openingRefreshes()
    {
        addRecord(true, h->now.addSecs(3600));
        h->panel.setPanelVisible(true);
        QCOMPARE(h->panel.todayAppointments()->count(), 1);
        h->panel.setPanelVisible(false);
        QSignalSpy now(&h->panel, &PanelController::nowChanged);

        // Hidden over midnight: nothing is recomputed, and nothing wakes the app for it.
        h->now = h->now.addDays(1);
        QTest::qWait(50);
        QCOMPARE(now.count(), 0);
        QCOMPARE(h->panel.todayAppointments()->count(), 1);

        h->panel.setPanelVisible(true);
        QCOMPARE(h->panel.todayAppointments()->count(), 0);
        QCOMPARE(h->panel.pastAppointments()->count(), 1);
        QCOMPARE(now.count(), 1);
    }

    void labelTicks_data()
    {
        columns<int, int>("secondsAhead", "interval");
        // The clock stands at 14:35:12: the next minute is 48 s away.
        QTest::newRow("exactly a minute ahead") << 60 << 1000;
        QTest::newRow("two minutes ahead") << 120 << 48'000;
        QTest::newRow("just passed") << 0 << 48'000;
    }

    void labelTicks()
    {
        QFETCH(int, secondsAhead);
        addRecord(true, h->now.addSecs(secondsAhead));
        QTEST(h->panel.msUntilLabelsChange(), "interval");
    }

    void appointmentCard_data()
    {
        // past: and so no count-down; badges: icon and text of each, in order
        columns<int, QString, RepeatInterval, bool, bool, bool, QString, QString>(
            "minutesFromNow", "source", "repeat", "popup", "sound", "past", "accent", "badges");

        using enum RepeatInterval;
        const char* speaker = "speaker.wave.2 Submarine";
        row("ago with sound: past wins", -1, "", None, false, true, true, "green", speaker);
        row("ago, repeating daily", -1, "", Daily, false, false, false, "purple", "repeat Täglich");
        row("with sound", 30, "", None, false, true, false, "cyan", speaker);
        row("this very moment", 0, "", None, false, false, false, "orange", "");
        row("all, file import", 1440, "ICS: ferien.ics", Weekly, true, true, false, "purple",
            "doc.text ICS: ferien.ics|repeat Wöchentlich|bell.fill Popup|speaker.wave.2 Submarine");
        row("ICS not at the start", 1440, "Import ICS", None, false, false, false, "orange",
            "calendar Import ICS");
    }

    void appointmentCard()
    {
        QFETCH(int, minutesFromNow);
        QFETCH(QString, source);
        QFETCH(RepeatInterval, repeat);
        QFETCH(bool, popup);
        QFETCH(bool, sound);
        QFETCH(bool, past);
        ReminderNote note = appointment(cardText, cardNow.addSecs(minutesFromNow * 60), {}, source);
        note.repeatInterval = repeat;
        note.usePopup = popup;
        note.useSound = sound;
        note.soundName = u"Submarine"_s;
        // Done or not does not decide what is past.
        note.isTriggered = true;

        AppointmentCardController card;
        card.setNow(cardNow);
        card.setNote(note);
        QCOMPARE(card.isPast(), past);
        QTEST(card.accentColor(), "accent");
        QCOMPARE(card.titleColor(), QString::fromLatin1(past ? "secondary" : "primary"));
        QCOMPARE(card.relativeText().isEmpty(), past);
        QStringList badges;
        for (const Badge& b : card.badges()) {
            badges << b.icon + u' ' + b.text;
            QCOMPARE(b.color == QLatin1String("secondary"), past);
        }
        QTEST(badges.join(u'|'), "badges");
    }

    void labelsFollowTheClock()
    {
        AppointmentCardController card;
        card.setNow(cardNow);
        card.setNote(appointment(cardText, cardNow.addSecs(5 * 60)));
        // Made of title(), dateText() and relativeText(): one comparison reads all three.
        QCOMPARE(card.spokenText(), u"Zahnarzt, Heute, 14:05, in 5 Min."_s);
        QSignalSpy changed(&card, &AppointmentCardController::changed);
        card.setNow(cardNow.addSecs(6 * 60));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(card.spokenText(), u"Zahnarzt, Heute, 14:05, erledigt"_s);
        card.setNow(cardNow.addSecs(6 * 60));
        QCOMPARE(changed.size(), 1);
    }

    void noteCard_data()
    {
        // expectedBadge: shown only for an imported note
        columns<QString, QString, QString, Badge>("text", "source", "title", "expectedBadge");

        QTest::newRow("own") << u"  Einkauf  \nMilch"_s << QString() << u"Einkauf"_s << Badge {};
        QTest::newRow("imported") << u"Ideen"_s << u"ICS: notizen.ics"_s << u"Ideen"_s
                                  << Badge { u"doc.text"_s, u"ICS: notizen.ics"_s, u"indigo"_s };
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
        QFETCH(QString, title);
        QCOMPARE(card.spokenText(), title + u", 6. März 2025"_s); // title(), then createdText()
        QCOMPARE(card.hasImportBadge(), !source.isEmpty());
        QTEST(card.importBadge(), "expectedBadge");
    }

private:
    ReminderNote addRecord(bool appointment, const QDateTime& when)
    {
        ReminderNote note = *h->store.addNote(appointment, when);
        note.text = u"Eintrag"_s;
        h->store.updateNote(note);
        return note;
    }

    std::optional<PanelHarness> h;
};

QTEST_GUILESS_MAIN(tst_PanelController)
#include "tst_panelcontroller.moc"
