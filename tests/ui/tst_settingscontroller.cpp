#include "appsettings.h"
#include "folderexchange.h"
#include "helpcontroller.h"
#include "settingscontroller.h"
#include "showncalendarscontroller.h"
#include "uitest.h"
#include "vdircalendarstore.h"
#include "xdgautostart.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

// The settings screen on a real store, settings and autostart folder in a temporary home; the help's copy.
class tst_SettingsController : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Before the first QSettings: it keeps the folder it found first.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    }

    void init()
    {
        m_settings.reset();
        h.reset();
        QSettings(u"Zettelwerk"_qs, u"Zettelwerk"_qs).clear();
        QDir(autostartDir()).removeRecursively();
        QFile::remove(autostartDir());
        h.emplace(berlin(2026, 12, 7, 10));
        h->panel.setLoginItem(std::make_unique<XdgAutostart>(u"/opt/Zettel Werk/zettelwerk"_qs));
    }

    void slidersSnapAndClamp_data()
    {
        // "font" and "height" go through the screen's sliders; "stored font" is a value as read from file.
        columns<QString, double, std::optional<double>, double, QString>(
            "what", "input", "screen", "stored", "text");
        const std::optional<double> screen = 900.0, lowScreen = 500.0, noScreen;
        QTest::newRow("font below 80 %") << "font" << 0.5 << screen << 0.8 << "80%";
        QTest::newRow("font above 130 %") << "font" << 1.42 << screen << 1.3 << "130%";
        QTest::newRow("font between steps") << "font" << 1.13 << screen << 1.15 << "115%";
        QTest::newRow("1.15 × 100 is 114.99…") << "stored font" << 1.15 << screen << 1.15 << "115%";
        QTest::newRow("height below 400") << "height" << 250.0 << screen << 400.0 << "400 px";
        QTest::newRow("height between steps") << "height" << 589.0 << screen << 580.0 << "580 px";
        QTest::newRow("height above a low screen") << "height" << 2000.0 << lowScreen << 600.0 << "600 px";
        QTest::newRow("height without a screen") << "height" << 2000.0 << noScreen << 860.0 << "860 px";
    }

    void slidersSnapAndClamp()
    {
        QFETCH(QString, what);
        QFETCH(double, input);
        QFETCH(std::optional<double>, screen);
        QFETCH(double, stored);

        makeController(screen);
        const bool font = what != u"height"_qs;
        if (what == u"stored font"_qs)
            h->panel.settings()->setFontScale(input);
        else if (font)
            m_settings->setFontScale(input);
        else
            m_settings->setWindowHeight(input);
        const AppSettings& live = *h->panel.settings();
        QVERIFY(qFuzzyCompare(font ? live.fontScale() : live.windowHeight(), stored));
        QTEST(font ? m_settings->fontScaleText() : m_settings->windowHeightText(), "text");
        const AppSettings reread;
        QVERIFY(qFuzzyCompare(font ? reread.fontScale() : reread.windowHeight(), stored));
    }

    void heightBoundIsThatOfThePanelsScreen()
    {
        const QList<QScreen*> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().height(), 1200);
        m_settings = std::make_unique<SettingsController>();
        m_settings->setPanel(&h->panel);
        // No window yet: the primary screen.
        QCOMPARE(m_settings->maxWindowHeight(), 1160.0);

        QWindow window;
        window.setScreen(screens.at(1));
        QSignalSpy changes(m_settings.get(), &SettingsController::maxWindowHeightChanged);
        h->panel.setPanelWindow(&window);
        QCOMPARE(m_settings->maxWindowHeight(), 680.0);
        m_settings->setWindowHeight(1000);
        QCOMPARE(h->panel.settings()->windowHeight(), 680.0);

        // Moved back to the large screen, the slider reaches further at once.
        window.setScreen(screens.at(0));
        QCOMPARE(m_settings->maxWindowHeight(), 1160.0);
        QCOMPARE(changes.size(), 2);
    }

    void deleteAll_data()
    {
        columns<int, bool>("records", "fileBlocked");
        QTest::newRow("three records") << 3 << false;
        QTest::newRow("no records, no file yet") << 0 << false;
        QTest::newRow("data file cannot be written") << 2 << true;
    }

    void deleteAll()
    {
        QFETCH(int, records);
        QFETCH(bool, fileBlocked);

        for (int i = 0; i < records; ++i)
            h->store.addNote(i % 2 == 0, berlin(2026, 12, 8 + i, 9));
        QCOMPARE(QFile::exists(h->store.filePath()), records > 0);
        makeController();
        m_settings->setFontScale(1.2);
        m_settings->setWindowHeight(700);
        h->panel.settings()->setLastSoundName(u"Submarine"_qs);
        QCOMPARE(m_settings->recordCountText(), u"%1 Notizen"_qs.arg(records));

        m_settings->setShowDeleteAllConfirm(true);
        if (fileBlocked) {
            // A folder where the file's temporary copy would go: the save cannot happen.
            QFile::remove(h->store.filePath());
            QVERIFY(QDir().mkpath(h->store.filePath()));
            QVERIFY(QDir().mkpath(h->store.filePath() + u"/x"_qs));
        }
        m_settings->deleteAll();

        if (fileBlocked) {
            QCOMPARE(h->store.notes().size(), records);
            QVERIFY(m_settings->showDeleteAllConfirm());
            QVERIFY2(m_settings->deleteAllError().startsWith(
                         u"Löschen konnte nicht gespeichert werden: Die Datendatei"_qs),
                qPrintable(m_settings->deleteAllError()));
        } else {
            QVERIFY(h->store.notes().isEmpty());
            QVERIFY(!m_settings->showDeleteAllConfirm());
            QCOMPARE(m_settings->recordCountText(), u"0 Notizen"_qs);
            QVERIFY(m_settings->deleteAllError().isEmpty());
            QCOMPARE(readAll(h->store.filePath()), QByteArray("[]"));
        }
        QVERIFY(qFuzzyCompare(AppSettings().fontScale(), 1.2));
        QCOMPARE(AppSettings().lastSoundName(), u"Submarine"_qs);
        // Resetting the settings brings back the sliders' defaults and also keeps the sound.
        m_settings->reset();
        const AppSettings reread;
        QCOMPARE(QList({ reread.fontScale(), reread.windowHeight() }), QList({ 1.0, 580.0 }));
        QCOMPARE(reread.lastSoundName(), u"Submarine"_qs);
    }

    void autostart_data()
    {
        columns<QByteArray, bool, bool, bool>(
            "existing", "folderIsAFile", "shownAtStart", "shownAfterToggle");
        const QByteArray entry = "[Desktop Entry]\nType=Application\nExec=zettelwerk\n";
        QTest::newRow("off, switched on") << QByteArray() << false << false << true;
        QTest::newRow("on, switched off") << entry << false << true << false;
        QTest::newRow("hidden entry is off") << entry + "Hidden=true\n" << false << false << true;
        QTest::newRow("switched off in GNOME's settings, spaced")
            << entry + "X-GNOME-Autostart-enabled = false\n"
            << false << false << true;
        QTest::newRow("GNOME's switch only in an action")
            << entry + "[Desktop Action x]\nX-GNOME-Autostart-enabled=false\n"
            << false << true << false;
        QTest::newRow("folder cannot be made") << QByteArray() << true << false << false;
    }

    void autostart()
    {
        QFETCH(QByteArray, existing);
        QFETCH(bool, folderIsAFile);
        QFETCH(bool, shownAtStart);
        QFETCH(bool, shownAfterToggle);

        const QString file = autostartDir() + u"/zettelwerk.desktop"_qs;
        if (folderIsAFile)
            QVERIFY(writeAll(autostartDir(), "not a folder"));
        if (!existing.isEmpty())
            QVERIFY(QDir().mkpath(autostartDir()) && writeAll(file, existing));
        makeController();
        QCOMPARE(m_settings->launchAtLogin(), shownAtStart);

        m_settings->setLaunchAtLogin(!shownAtStart);
        QCOMPARE(m_settings->launchAtLogin(), shownAfterToggle);
        QCOMPARE(h->panel.loginItem()->isEnabled(), shownAfterToggle);
        QCOMPARE(QFile::exists(file), shownAfterToggle);
        if (shownAfterToggle) {
            QCOMPARE(readAll(file),
                QByteArray("[Desktop Entry]\nType=Application\nName=Zettelwerk\nIcon=zettelwerk\n"
                           "Exec=\"/opt/Zettel Werk/zettelwerk\"\nX-GNOME-Autostart-enabled=true\n"));
        }
    }

    void syncFolder_data()
    {
        // chosen: "made": the calendar made under the root; "-": none; folder: kept, below the data folder
        columns<bool, QString, QString, QString>("withRoot", "chosen", "folder", "text");

        row("switched on: calendar made", true, "-", "cal/zettelwerk", "Abgleich über DATA/cal/zettelwerk");
        row("switched on without a vdir tree", false, "-", "",
            "Der Kalender „Zettelwerk“ konnte nicht angelegt werden");
        row("a folder chosen", false, "made", "cal/zettelwerk", "Abgleich über DATA/cal/zettelwerk");
        row("a file chosen", false, "notes.json", "", "DATA/notes.json ist kein Ordner");
    }

    void syncFolder()
    {
        QFETCH(bool, withRoot);
        QFETCH(QString, chosen);
        const QString data = h->dir.path();
        const auto relative = [&data](QString text) { return text.replace(data, u"DATA"_qs); };
        h->store.save();
        if (withRoot || chosen == u"made"_qs)
            h->panel.setCalendarRoot(data + u"/cal"_qs);
        makeController();
        m_settings->setFolderChooser([&]() -> std::optional<QString> {
            if (chosen == u"made"_qs)
                return FolderExchange::makeCalendar(data + u"/cal"_qs);
            return data + u'/' + chosen;
        });
        QCOMPARE(m_settings->syncText(), u"Aus – nur auf diesem Rechner"_qs);
        if (chosen == u"-"_qs)
            m_settings->setSyncOn(true);
        else
            m_settings->chooseSyncFolder();

        QTEST(relative(m_settings->syncText()), "text");
        QFETCH(QString, folder);
        QCOMPARE(AppSettings().syncFolder(), folder.isEmpty() ? QString() : data + u'/' + folder);
        QCOMPARE(m_settings->syncOn(), !folder.isEmpty());
        if (folder.isEmpty())
            return;
        QCOMPARE(readAll(data + u"/cal/zettelwerk/displayname"_qs), QByteArray("Zettelwerk"));
        // Notes: off until chosen, and kept (their switch's texts: tst_settings.qml).
        QVERIFY(!m_settings->syncNotes());
        m_settings->setSyncNotes(true);
        QVERIFY(AppSettings().syncNotes());
        m_settings->setSyncOn(false);
        QCOMPARE(AppSettings().syncFolder(), QString());

        // `zettelwerk sync-folder` writes through another copy of the settings: the screen follows a reload.
        QSignalSpy changed(m_settings.get(), &SettingsController::syncChanged);
        QVERIFY(AppSettings().setSyncFolder(data));
        QVERIFY(AppSettings().setSyncNotes(false));
        h->panel.settings()->reload();
        QVERIFY(m_settings->syncOn());
        QVERIFY(!m_settings->syncNotes());
        QCOMPARE(changed.count(), 2);
        h->panel.settings()->reload();
        QCOMPARE(changed.count(), 2);
    }

    void shownCalendars()
    {
        // "Arbeit" with a meeting today and a fair in January; the other later becomes the sync folder.
        QTemporaryDir root;
        const auto calendar = [&root](const char* folder, const char* name, const QByteArray& events) {
            const QString path = root.filePath(QString::fromLatin1(folder));
            QVERIFY(QDir().mkpath(path) && writeAll(path + u"/displayname"_qs, name));
            QVERIFY(writeAll(path + u"/events.ics"_qs,
                "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + events + "END:VCALENDAR\r\n"));
        };
        const auto event = [](const char* uid, const char* start, const char* title) {
            return QByteArray("BEGIN:VEVENT\r\nUID:") + uid + "\r\nDTSTART:" + start + "\r\nDTEND:" + start
                + "\r\nSUMMARY:" + title + "\r\nEND:VEVENT\r\n";
        };
        calendar("arbeit", "Arbeit",
            event("a", "20261207T160000", "Teamrunde") + event("b", "20270105T090000", "Messe"));
        calendar("zettelwerk", "Zettelwerk", event("c", "20261207T120000", "Eigener Termin"));
        const QString work = QFileInfo(root.filePath(u"arbeit"_qs)).canonicalFilePath();
        const QString own = QFileInfo(root.filePath(u"zettelwerk"_qs)).canonicalFilePath();
        h->panel.setCalendarStore(std::make_unique<VdirCalendarStore>(
            VdirCalendarStore::Consent { [] { return std::optional(true); }, [](bool) { return true; } },
            QStringList { root.path() }));

        ShownCalendarsController rules;
        rules.setPanel(&h->panel);
        QCOMPARE(column(rules, 1), strings("Arbeit|Zettelwerk"));
        QCOMPARE(column(rules, 4), QStringList(2, u"Nicht angezeigt"_qs));

        rules.setShown(work, true);
        rules.setShown(own, true);
        QCOMPARE(h->panel.settings()->shownCalendars(), QStringList({ work, own }));
        QCOMPARE(QSettings(u"Zettelwerk"_qs, u"Zettelwerk"_qs).value("shownCalendars"),
            QStringList({ work, own }));
        QCOMPARE(column(rules, 4), QStringList(2, u"Angezeigt – nur lesen, ohne Alarm"_qs));
        h->panel.liveCalendars().waitForResults();
        QCOMPARE(textsOf(h->panel.dayAppointments()->notes()), strings("Eigener Termin|Teamrunde"));
        QCOMPARE(textsOf(h->panel.futureAppointments()->notes()), strings("Messe"));
        const QString shownId = h->panel.dayAppointments()->notes().constLast().id.toString();
        QVERIFY(h->panel.isReadOnly(shownId));
        QVERIFY(h->store.notes().isEmpty());
        // Imported after all, it shows once: as the record it became.
        QVERIFY(h->store.importNotes(
            { appointment(u"Teamrunde"_qs, berlin(2026, 12, 7, 16), {}, u"Arbeit"_qs) }));
        QCOMPARE(textsOf(h->panel.dayAppointments()->notes()), strings("Eigener Termin|Teamrunde"));
        QVERIFY(!h->panel.isReadOnly(h->panel.dayAppointments()->notes().constLast().id.toString()));
        h->store.setNotes({});

        // The folder kept in step holds the records themselves: it leaves the list and the panel.
        QVERIFY(h->panel.settings()->setSyncFolder(own));
        QCOMPARE(column(rules, 1), strings("Arbeit"));
        h->panel.liveCalendars().waitForResults();
        QCOMPARE(textsOf(h->panel.dayAppointments()->notes()), strings("Teamrunde"));

        // A settings file that cannot be written keeps the choice as it was, and says so.
        const QString file = QSettings(u"Zettelwerk"_qs, u"Zettelwerk"_qs).fileName();
        QVERIFY(QFile::rename(file, file + u".weg"_qs) && QDir().mkdir(file));
        rules.setShown(work, false);
        QCOMPARE(rules.statusText(), u"Die Einstellungen konnten nicht gespeichert werden"_qs);
        QCOMPARE(h->panel.settings()->shownCalendars(), QStringList({ work, own }));
        QVERIFY(QDir().rmdir(file) && QFile::rename(file + u".weg"_qs, file));

        rules.setShown(work, false);
        h->panel.liveCalendars().waitForResults();
        QVERIFY(h->panel.dayAppointments()->notes().isEmpty());
        QVERIFY(!h->panel.isReadOnly(shownId));
        QVERIFY(!h->panel.isReadOnly(h->store.addNote(true, berlin(2026, 12, 7, 18))->id.toString()));
        QVERIFY(rules.statusText().contains(u"ohne Alarm"_qs));
    }

    void execLineQuoting_data()
    {
        columns<QString, QString>("binary", "exec");
        QTest::newRow("plain") << u"/usr/bin/zettelwerk"_qs << u"/usr/bin/zettelwerk"_qs;
        QTest::newRow("percent sign") << u"/opt/100%/zw"_qs << u"/opt/100%%/zw"_qs;
        // Quoting escapes $ and " with a backslash; the string level then doubles every backslash.
        QTest::newRow("dollar and quote") << u"/tmp/a$b\"c"_qs << u"\"/tmp/a\\\\$b\\\\\"c\""_qs;
        QTest::newRow("backslash") << u"/tmp/a\\b"_qs << u"\"/tmp/a\\\\\\\\b\""_qs;
    }

    void execLineQuoting()
    {
        QFETCH(QString, binary);
        QTEST(XdgAutostart::execValue(binary), "exec");
    }

    void copiedTextAndItsLabel()
    {
        HelpController help;
        help.copyToClipboard();
        const QString text = QGuiApplication::clipboard()->text();
        QCOMPARE(text, HelpContent::plainText());
        QVERIFY(text.startsWith(u"Zettelwerk - macOS Menüleisten-App für Notizen & Erinnerungen\n"_qs
            + QString(60, u'=') + u"\n\n▸ "_qs));
        QVERIFY(text.contains(u"\n  · \"Alarm testen\" prüft die Benachrichtigung vorab\n"_qs));
        QVERIFY(text.contains(u"\n\n▸ Wünsche & Verbesserungen\n  "_qs));
        // The footer last, after an empty line and without a line break of its own.
        QVERIFY(text.endsWith(u"\n\n"_qs + HelpContent::website() + u" · "_qs + HelpContent::author()
            + u" · "_qs + HelpContent::maker()));

        // The label returns with the first of two copies (the copy above waits its 2 s, past this test).
        constexpr int duration = 600;
        help.setCopiedDuration(duration);
        QElapsedTimer clock;
        help.copyToClipboard();
        clock.start();
        QVERIFY(help.copied());
        QTest::qWait(duration / 2);
        help.copyToClipboard();
        QVERIFY(help.copied());

        QSignalSpy changes(&help, &HelpController::copiedChanged);
        QVERIFY(changes.wait(duration * 2));
        QVERIFY(!help.copied());
        // Coarse timers may run 5 % early; one restarted by the second copy would end near 1.5 × duration.
        QVERIFY2(clock.elapsed() >= duration * 9 / 10 && clock.elapsed() < duration * 5 / 4,
            "back with the first copy's timer");
        QTest::qWait(duration);
        QVERIFY(!help.copied());
        QCOMPARE(changes.size(), 1);
    }

private:
    static QStringList column(ShownCalendarsController& rules, int role)
    {
        QStringList values;
        for (const RowModel::Row& row : rules.calendars()->rows())
            values.append(row.at(role).toString());
        return values;
    }

    [[nodiscard]] QString autostartDir() const { return m_config.filePath(u"autostart"_qs); }

    void makeController(std::optional<double> screenHeight = 900.0)
    {
        m_settings = std::make_unique<SettingsController>();
        m_settings->setScreenHeight([screenHeight] { return screenHeight; });
        m_settings->setPanel(&h->panel);
    }

    QTemporaryDir m_config;
    std::optional<PanelHarness> h;
    std::unique_ptr<SettingsController> m_settings;
};

QTEST_MAIN(tst_SettingsController)
#include "tst_settingscontroller.moc"
