#include "alarmpopupmodel.h"
#include "alarmservice.h"
#include "menubarlabel.h"
#include "notestore.h"
#include "panelcontroller.h"
#include "testsupport.h"
#include "zettelwerkapp.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QQuickItem>
#include <QScreen>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(Zettelwerk_UiPlugin)

// The tray app in one process, offscreen: alarm service wiring, popups, counter and panel.
namespace {

// Items of the window's ListView rows are not its QObject children.
QList<QQuickItem*> itemsNamed(QQuickItem* root, const QString& name)
{
    QList<QQuickItem*> found;
    for (QQuickItem* child : root->childItems()) {
        if (child->objectName() == name && child->isVisible())
            found.append(child);
        found.append(itemsNamed(child, name));
    }
    return found;
}

} // namespace

class tst_ZettelwerkApp : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The panel height is a setting: never the user's. Set before the first QSettings.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_app = std::make_unique<ZettelwerkApp>(m_dir->path());
        QVERIFY(m_app->start());
        if (m_app->panel()->isVisible())
            m_app->panel()->hide(); // no tray offscreen: the panel opened at start
    }

    void cleanup() { m_app.reset(); }

    void serviceStartsAfterLoadingWithoutCheckingAtOnce()
    {
        QVERIFY2(!m_app->store().alarmService(), "the service starts a turn after the store loads");
        QVERIFY(service() && service()->isTimerActive());
    }

    void alarmsShareOneWindow_data()
    {
        QTest::addColumn<bool>("panelLoaded");
        QTest::newRow("panel loaded") << true;
        QTest::newRow("panel never loaded") << false;
    }

    void alarmsShareOneWindow()
    {
        withPanelNeverLoaded();
        AlarmService* alarms = service();
        QVERIFY(alarms);
        ReminderNote first = appointment(u"Erster"_s, QDateTime::currentDateTime());
        // exec with its own output: the test runner waits for every holder of the test's output pipe.
        first.shellScript = u"exec sleep 60 >/dev/null 2>&1"_s;
        const ReminderNote second = appointment(u"Zweiter"_s, QDateTime::currentDateTime());
        QVERIFY(m_app->store().replaceNotes({ first, second }));

        QElapsedTimer elapsed;
        elapsed.start();
        alarms->triggerAlarm(first);
        QTRY_COMPARE(popups().size(), 1);
        alarms->triggerAlarm(second);
        QVERIFY2(elapsed.elapsed() < 5000, "a running shell command must not hold up the alarm");
        QCOMPARE(popups().size(), 1);
        QQuickWindow* popup = popups().constFirst();
        const auto messages = [popup] { return itemsNamed(popup->contentItem(), u"message"_s); };
        QTRY_COMPARE(messages().size(), 2);
        QCOMPARE(messages().at(1)->property("text").toString(), u"Zweiter"_s);
        QCOMPARE(popup->title(), u"2 Erinnerungen"_s);
        QCOMPARE(m_app->store().alarmCount(), 0);

        // "OK" answers its own row; "Später" on the last one puts it off and closes the window.
        QVERIFY(QMetaObject::invokeMethod(itemsNamed(popup->contentItem(), u"okButton"_s).at(0), "clicked"));
        QTRY_COMPARE(popup->title(), u"Erinnerung"_s);
        const QDateTime before = QDateTime::currentDateTime();
        QVERIFY(QMetaObject::invokeMethod(
            popup->property("alarms").value<QObject*>(), "snooze", Q_ARG(int, 0), Q_ARG(int, 1)));
        const auto until = m_app->store().notes().constLast().snoozeDate;
        QVERIFY(until && *until >= before.addSecs(15 * 60) && *until < before.addSecs(16 * 60));
        QVERIFY(!m_app->store().notes().constFirst().snoozeDate);

        // The answered window goes; an alarm that comes before it is gone gets a window of its own.
        const QPointer<QQuickWindow> answered = popup;
        alarms->triggerAlarm(first);
        QTRY_VERIFY(!answered);
        QTRY_COMPARE(popups().size(), 1);
        QCOMPARE(popups().constFirst()->title(), u"Erinnerung"_s);
    }

    void alarmWindowHeading_data()
    {
        // kinds: a row each: o on time, m missed, t the editor's test
        columns<QString, QString>("kinds", "heading");
        QTest::newRow("one missed") << u"m"_s << u"Verpasste Erinnerung"_s;
        QTest::newRow("a test") << u"t"_s << u"Erinnerung (Test)"_s;
        QTest::newRow("three missed") << u"mmm"_s << u"3 verpasste Erinnerungen"_s;
        QTest::newRow("mixed") << u"omo"_s << u"3 Erinnerungen, davon 1 verpasst"_s;
    }

    void alarmWindowHeading()
    {
        QFETCH(QString, kinds);
        QList<QList<QUuid>> snoozed;
        AlarmPopupModel model([] { return QDateTime::currentDateTime(); },
            [&snoozed](const QList<QUuid>& ids, Snooze::Choice) { snoozed.append(ids); });
        QAbstractItemModelTester tester(&model);
        QSignalSpy emptied(&model, &AlarmPopupModel::emptied);
        QList<FiredAlarm> alarms;
        for (const QChar kind : kinds) {
            const auto which = FiredAlarm::Kind(u"omt"_s.indexOf(kind));
            alarms.append(
                { which == FiredAlarm::Kind::Test ? QUuid() : QUuid::createUuid(), kind, {}, which });
        }
        model.append(alarms.mid(0, 1));
        model.append(alarms.mid(1));
        QTEST(model.heading(), "heading");

        // The test alarm cannot be put off; every other row goes with its own id.
        model.snooze(0, 3);
        QCOMPARE(snoozed,
            kinds.startsWith(u't') ? QList<QList<QUuid>>() : QList<QList<QUuid>> { { alarms.at(0).id } });
        QCOMPARE(model.count(), kinds.startsWith(u't') ? 1 : kinds.size() - 1);
        model.dismissAll();
        QCOMPARE(emptied.count(), 1);
    }

    void silentAlarmRingsUntilThePanelOpens_data() { alarmsShareOneWindow_data(); }

    void silentAlarmRingsUntilThePanelOpens()
    {
        withPanelNeverLoaded();
        AlarmService* alarms = service();
        QVERIFY(alarms);
        ReminderNote note = appointment({}, QDateTime::currentDateTime());
        note.usePopup = false;
        const ReminderNote other = appointment({}, QDateTime::currentDateTime().addDays(3));
        QVERIFY(m_app->store().replaceNotes({ other, note }));
        m_app->panelController().setSelectedTab(2);

        alarms->triggerAlarm(note);
        alarms->triggerAlarm(note);
        QCOMPARE(m_app->menuBarLabel().alarmCount(), 2);
        QVERIFY(m_app->menuBarLabel().isTicking());
        QVERIFY(popups().isEmpty());
        const QString line = u"Neue Notiz – "_s + note.alarmDate.toString(u"HH:mm"_s);
        QCOMPARE(m_app->menuBarLabel().toolTip(), line + u'\n' + line);

        m_app->showPanel();
        QVERIFY(m_app->panel() && m_app->panel()->isVisible());
        QCOMPARE(m_app->store().alarmCount(), 0);
        QVERIFY(!m_app->menuBarLabel().isAlarming());
        QCOMPARE(m_app->menuBarLabel().toolTip(), u"Zettelwerk"_s);
        // Opened on "Heute" with what rang on top, once; gone when the panel closes.
        PanelController& panel = m_app->panelController();
        QCOMPARE(panel.selectedTab(), 0);
        QCOMPARE(panel.rungAlarms()->notes().size(), 1);
        QCOMPARE(panel.rungAlarms()->notes().constFirst().id, note.id);
        m_app->panel()->hide();
        QCOMPARE(panel.rungAlarms()->count(), 0);
    }

    // Where it goes is tst_panelplacement's; here, that a new height moves the open panel at all.
    void tallerPanelStaysOnItsScreen_data()
    {
        columns<int, double, bool>("fromBottom", "height", "moves");
        QTest::newRow("still fits: stays") << 700 << 600.0 << false;
        QTest::newRow("grows past the bottom: moves up") << 600 << 700.0 << true;
    }

    void tallerPanelStaysOnItsScreen()
    {
        QFETCH(int, fromBottom);
        QFETCH(double, height);
        QFETCH(bool, moves);

        m_app->showPanel();
        QQuickWindow* panel = m_app->panel();
        const QRect available = panel->screen()->availableGeometry();
        panel->setFramePosition(QPoint(available.left() + 10, available.bottom() + 1 - fromBottom));
        QTRY_COMPARE(panel->frameGeometry().top(), available.bottom() + 1 - fromBottom);
        const QPoint before = panel->frameGeometry().topLeft();

        m_app->panelController().settings()->setWindowHeight(height);
        QTRY_COMPARE(panel->height(), int(height));
        if (!moves) {
            QTest::qWait(50);
            QCOMPARE(panel->frameGeometry().topLeft(), before);
            return;
        }
        QTRY_COMPARE(panel->frameGeometry().bottom(), available.bottom());
        QCOMPARE(panel->frameGeometry().left(), before.x());
    }

private:
    // With a tray the panel is loaded only when it first opens; alarms can come before that.
    void withPanelNeverLoaded()
    {
        QFETCH(bool, panelLoaded);
        if (panelLoaded)
            return;
        m_app.reset();
        m_app = std::make_unique<ZettelwerkApp>(m_dir->path());
        QVERIFY(!m_app->panel());
    }

    AlarmService* service()
    {
        if (!m_app->store().alarmService())
            QSignalSpy(&m_app->store(), &NoteStore::alarmServiceStarted).wait(5000);
        return qobject_cast<AlarmService*>(m_app->store().alarmService());
    }

    QList<QQuickWindow*> popups()
    {
        QList<QQuickWindow*> open;
        for (QWindow* window : QGuiApplication::topLevelWindows()) {
            if (window->isVisible() && window->property("alarms").isValid())
                open.append(qobject_cast<QQuickWindow*>(window));
        }
        return open;
    }

    QTemporaryDir m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ZettelwerkApp> m_app;
};

QTEST_MAIN(tst_ZettelwerkApp)
#include "tst_zettelwerkapp.moc"
