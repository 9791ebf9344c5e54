#include "zettelwerkapp.h"

#include "alarmpopupmodel.h"
#include "alarmservice.h"
#include "appearance.h"
#include "appsettings.h"
#include "cli.h"
#include "colorschemewatcher.h"
#include "desktopalarmactions.h"
#include "desktopnotifier.h"
#include "folderexchange.h"
#include "foldersync.h"
#include "menubarlabel.h"
#include "notestore.h"
#include "panelcontroller.h"
#include "panelplacement.h"
#include "sleepwatcher.h"
#include "trayhost.h"
#include "trayicon.h"
#include "vdircalendarstore.h"
#include "xdgautostart.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickWindow>
#include <QScreen>
#include <QStandardPaths>

VdirCalendarStore::Consent ZettelwerkApp::calendarConsent(AppSettings* settings)
{
    // Only a yes is kept: a refusal leaves the question open, to be asked again.
    return { [settings] { return settings->calendarAccess() ? std::optional(true) : std::nullopt; },
        [settings](bool granted) { return settings->setCalendarAccess(granted); } };
}

ZettelwerkApp::ZettelwerkApp(const QString& dataDirectory, QObject* parent)
    : QObject(parent)
    , m_store(new NoteStore(dataDirectory, systemClock(), this))
    , m_label(new MenuBarLabel(this))
    , m_panelController(new PanelController(*m_store, this))
{
    // Runs one event-loop turn after the store has loaded, so the first check sees the records.
    m_store->setServiceFactory([this](NoteStore& store) { return createAlarmService(store); });
    m_panelController->setLoginItem(std::make_unique<XdgAutostart>());
    m_panelController->setCalendarStore(
        std::make_unique<VdirCalendarStore>(calendarConsent(m_panelController->settings())));
    m_panelController->setCalendarRoot(VdirCalendarStore::defaultRoots().constFirst());
    connect(m_store, &NoteStore::alarmCountChanged, m_label,
        [this] { m_label->setAlarmCount(m_store->alarmCount()); });

    // Appointments (and notes, when chosen) kept in step with a calendar folder, when one is chosen;
    // the panel's opening takes in what came meanwhile.
    m_sync = new FolderSync(*m_store, this);
    connect(m_sync, &FolderSync::exchanged, this, &ZettelwerkApp::tellAboutSync);
    m_sync->setNotes(m_panelController->settings()->syncNotes());
    m_sync->setFolder(m_panelController->settings()->syncFolder());
    connect(m_panelController->settings(), &AppSettings::syncFolderChanged, m_sync,
        [this] { m_sync->setFolder(m_panelController->settings()->syncFolder()); });
    connect(m_panelController->settings(), &AppSettings::syncNotesChanged, m_sync,
        [this] { m_sync->setNotes(m_panelController->settings()->syncNotes()); });
    connect(m_panelController, &PanelController::panelVisibleChanged, m_sync, [this] {
        if (m_panelController->panelVisible())
            m_sync->exchangeNow();
    });

    // The panel follows the desktop between light and dark, also while it is open.
    auto* colorScheme = new ColorSchemeWatcher(QDBusConnection::sessionBus(), this);
    const auto follow = [colorScheme] { Appearance::instance().setDark(colorScheme->dark()); };
    connect(colorScheme, &ColorSchemeWatcher::darkChanged, this, follow);
    follow();
    colorScheme->start();
}

namespace {

// Notification servers show an image file, not a resource: the app's icon is kept in the cache.
QString exportedIcon()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/Zettelwerk");
    const QString path = folder + QStringLiteral("/zettelwerk.png");
    if (QFileInfo::exists(path))
        return path;
    const QIcon icon(QStringLiteral(":/Zettelwerk/Ui/icons/zettelwerk.svg"));
    if (!QDir().mkpath(folder) || !icon.pixmap(128, 128).save(path, "PNG"))
        return {};
    return path;
}

} // namespace

QObject* ZettelwerkApp::createAlarmService(NoteStore& store)
{
    auto actions = std::make_unique<DesktopAlarmActions>(
        [this] {
            if (m_panel)
                m_panel->alert(0);
        },
        [this](const QList<FiredAlarm>& alarms) { showAlarmPopup(alarms); });
    actions->notifier().setIconPath(exportedIcon());
    auto* service = new AlarmService(store, std::move(actions));
    connect(service, &AlarmService::fired, this,
        [this](const QList<QUuid>& ids, const QStringList& descriptions) {
            m_rung.append(ids);
            m_label->noteFired(descriptions);
        });
    // Back from sleep: what fell due meanwhile comes at once, as missed, not up to a check later.
    auto* sleep = new SleepWatcher(service);
    connect(sleep, &SleepWatcher::resumed, service, &AlarmService::checkAlarms);
    service->startTimer();
    return service;
}

// What an exchange cannot settle alone is told as a notification: removals held back (with the
// choice to go ahead), versions set aside, failures. The same news is not told at every exchange.
void ZettelwerkApp::tellAboutSync(const FolderExchange::Report& report)
{
    const bool heldBack = report.appointments.withheld > 0 || report.notes.withheld > 0;
    const bool setAside = report.appointments.conflicts > 0 || report.notes.conflicts > 0;
    if (!heldBack && !setAside && report.error.isEmpty()) {
        m_lastSyncMessage.clear();
        return;
    }
    QStringList lines = report.lines();
    if (!report.error.isEmpty())
        lines.append(report.error);
    const QString message = lines.join(u'\n');
    if (message == m_lastSyncMessage)
        return;
    m_lastSyncMessage = message;
    if (!m_syncNotifier) {
        m_syncNotifier = new DesktopNotifier(this);
        m_syncNotifier->setIconPath(exportedIcon());
    }
    QList<DesktopNotifier::Action> actions;
    if (heldBack)
        actions.append({ QStringLiteral("entfernen"), QStringLiteral("Trotzdem entfernen") });
    m_syncNotifier->notify(QStringLiteral("Kalender-Abgleich"), message, actions, [this](const QString& key) {
        if (key == QLatin1String("entfernen"))
            m_sync->exchangeNow(true);
    });
}

ZettelwerkApp::~ZettelwerkApp() = default;

bool ZettelwerkApp::start()
{
    const bool hasTray = TrayHost::isAvailable();
    if (hasTray)
        createTray();
    // The panel and its QML engine are made when the panel first opens: with a tray the app mostly
    // just waits there, and the engine would be most of its memory.
    if (!hasTray && !loadPanel())
        return false;

    if (!hasTray) {
        // Without a tray there is no other way in: show the panel right away, and move into the
        // tray when one turns up (a desktop panel that starts after the app at login).
        showPanel();
        auto* host = new TrayHost(this);
        connect(host, &TrayHost::appeared, this, [this] {
            createTray();
            // From now on it opens from the icon and closes when it loses focus; a window the
            // user is not working in goes into the tray at once.
            m_panel->setProperty("asPopup", true);
            if (!m_panel->isActive())
                m_panel->hide();
        });
        host->watch();
    }
    return true;
}

QQmlApplicationEngine& ZettelwerkApp::engine()
{
    if (!m_engine) {
        m_engine = std::make_unique<QQmlApplicationEngine>();
        connect(m_engine.get(), &QQmlApplicationEngine::quit, qApp, &QCoreApplication::quit);
        // The module's own files import it by name; it lives in the resources.
        m_engine->addImportPath(QStringLiteral("qrc:/"));
    }
    return *m_engine;
}

bool ZettelwerkApp::loadPanel()
{
    if (m_panel)
        return true;
    QQmlApplicationEngine& qml = engine();
    qml.setInitialProperties({
        { QStringLiteral("asPopup"), m_tray != nullptr },
        { QStringLiteral("controller"), QVariant::fromValue(m_panelController) },
    });
    qml.load(QUrl(QStringLiteral("qrc:/Zettelwerk/Ui/qml/Panel.qml")));
    if (qml.rootObjects().isEmpty())
        return false;
    m_panel = qobject_cast<QQuickWindow*>(qml.rootObjects().constFirst());
    if (!m_panel)
        return false;
    m_panelController->setPanelWindow(m_panel);
    connect(m_panel, &QWindow::heightChanged, this, &ZettelwerkApp::keepPanelOnScreen);
    // Opening the panel is how the user sees the alarms: the bell comes to rest.
    connect(m_panel, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible) {
            // Seen: the next opening shows the day as usual.
            m_rung.clear();
            m_panelController->forgetRungAlarms();
            return;
        }
        m_store->setAlarmCount(0);
        m_label->forgetFired();
    });
    return true;
}

void ZettelwerkApp::createTray()
{
    if (m_tray)
        return;
    m_tray = new TrayIcon(*m_label, this);
    connect(m_tray, &TrayIcon::toggleRequested, this, &ZettelwerkApp::togglePanel);
    m_tray->show();
}

void ZettelwerkApp::showPanel()
{
    if (!loadPanel())
        return;
    if (!m_panel->isVisible())
        placePanel();
    if (!m_rung.isEmpty())
        m_panelController->showRungAlarms(m_rung);
    m_panel->show();
    m_panel->raise();
    m_panel->requestActivate();
    m_store->setAlarmCount(0);
}

void ZettelwerkApp::togglePanel()
{
    // A click on the ringing bell asks to see the alarms: an open panel comes to the front and
    // counts them as seen instead of closing.
    if (m_panel && m_panel->isVisible() && m_store->alarmCount() == 0)
        m_panel->hide();
    else
        showPanel();
}

void ZettelwerkApp::placePanel()
{
    const QRect iconArea = m_tray ? m_tray->geometry() : QRect();
    QScreen* screen = iconArea.isValid() ? QGuiApplication::screenAt(iconArea.center()) : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    m_panel->setScreen(screen);
    m_panel->setPosition(PanelPlacement::beside(iconArea, screen->availableGeometry(), m_panel->size()));
}

void ZettelwerkApp::keepPanelOnScreen()
{
    // Grown while open (a taller setting, or back from the shorter settings screen): it moves up
    // rather than run past the bottom of its screen.
    if (!m_panel || !m_panel->isVisible() || !m_panel->screen())
        return;
    const QRect frame = m_panel->frameGeometry();
    const QPoint inside = PanelPlacement::keptInside(frame, m_panel->screen()->availableGeometry());
    if (inside != frame.topLeft())
        m_panel->setFramePosition(inside);
}

void ZettelwerkApp::showAlarmPopup(const QList<FiredAlarm>& alarms)
{
    // A window whose last row was just answered is on its way out: the new alarms get their own.
    auto* open = m_alarmPopup ? m_alarmPopup->property("alarms").value<AlarmPopupModel*>() : nullptr;
    if (open && open->count() > 0) {
        open->append(alarms);
        m_alarmPopup->raise();
        return;
    }
    auto* model = new AlarmPopupModel([this] { return m_store->now(); },
        [this](const QList<QUuid>& ids, Snooze::Choice choice) {
            if (auto* service = qobject_cast<AlarmService*>(m_store->alarmService()))
                service->snooze(ids, choice);
        });
    model->append(alarms);
    QQmlComponent component(&engine(), QUrl(QStringLiteral("qrc:/Zettelwerk/Ui/qml/AlarmPopup.qml")));
    QObject* object
        = component.createWithInitialProperties({ { QStringLiteral("alarms"), QVariant::fromValue(model) } });
    auto* popup = qobject_cast<QQuickWindow*>(object);
    if (!popup) {
        qWarning("%s", qPrintable(component.errorString()));
        delete object;
        delete model;
        return;
    }
    static_cast<QObject*>(popup)->setParent(this);
    model->setParent(popup);
    connect(popup, SIGNAL(dismissed()), popup, SLOT(deleteLater()));
    m_alarmPopup = popup;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), popup->size());
        frame.moveCenter(screen->availableGeometry().center());
        popup->setPosition(frame.topLeft());
    }
    popup->show();
    popup->raise();
    popup->requestActivate();
}

QByteArray ZettelwerkApp::handleRequest(const QByteArray& request)
{
    const Cli::Request decoded = Cli::decodeRequest(request);
    if (decoded.args.isEmpty()) {
        showPanel();
        return Cli::encodeResult(
            { 0, QStringLiteral("Zettelwerk läuft bereits – das Panel wurde geöffnet.\n"), {} });
    }
    // Only the changes are ours to make; everything else the caller runs itself, where its files are.
    if (!Cli::changesData(decoded.args))
        return Cli::encodeResult({ 2, {},
            QStringLiteral("Die laufende App führt %1 nicht aus\n").arg(decoded.args.constFirst()) });
    const Cli::Result result = Cli::execute(decoded, *m_store);
    // The command wrote the settings file; the exchange and an open settings screen follow from here.
    if (decoded.args.constFirst() == QLatin1String("sync-folder"))
        m_panelController->settings()->reload();
    return Cli::encodeResult(result);
}
