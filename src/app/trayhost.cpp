#include "trayhost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#if QT_CONFIG(xcb) && __has_include(<xcb/xcb.h>)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#define ZETTELWERK_HAS_XCB 1
#endif

#include <cstdlib>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

bool hasStatusNotifierHost()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(watcherService))
        return false;
    QDBusMessage get
        = QDBusMessage::createMethodCall(watcherService, QStringLiteral("/StatusNotifierWatcher"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 1000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
        && qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
}

bool hasXEmbedTray()
{
#ifdef ZETTELWERK_HAS_XCB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    // The tray manager of screen 0 owns this selection (freedesktop system tray protocol).
    static const char name[] = "_NET_SYSTEM_TRAY_S0";
    xcb_intern_atom_reply_t* atom
        = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof(name) - 1, name), nullptr);
    if (!atom)
        return false;
    xcb_get_selection_owner_reply_t* owner
        = xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool found = owner && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atom);
    return found;
#else
    return false;
#endif
}

} // namespace

bool TrayHost::isAvailable()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return hasStatusNotifierHost() || hasXEmbedTray();
    if (platform == QLatin1String("wayland") || platform.startsWith(QLatin1String("wayland-")))
        return hasStatusNotifierHost();
    // Elsewhere Qt's own answer is the only one there is and has no memory to worry about.
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayHost::watch()
{
    if (m_watching)
        return;
    m_watching = true;
    auto* watcher = new QDBusServiceWatcher(
        watcherService, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForRegistration, this);
    // The host registers with the watcher a moment after the watcher's name appears.
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this,
        [this] { QTimer::singleShot(500, this, &TrayHost::check); });
    m_poll.setInterval(5000);
    connect(&m_poll, &QTimer::timeout, this, &TrayHost::check);
    m_poll.start();
}

void TrayHost::check()
{
    if (!m_watching || !isAvailable())
        return;
    m_watching = false;
    m_poll.stop();
    emit appeared();
}
