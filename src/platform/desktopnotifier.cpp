#include "desktopnotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QUrl>
#include <QVariantMap>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");

QDBusMessage call(const QString& method)
{
    return QDBusMessage::createMethodCall(service, path, interface, method);
}

} // namespace

DesktopNotifier::DesktopNotifier(QObject* parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        m_capabilitiesKnown = true;
        return;
    }
    bus.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
        SLOT(onActionInvoked(uint, QString)));
    bus.connect(
        service, path, interface, QStringLiteral("NotificationClosed"), this, SLOT(onClosed(uint, uint)));
    auto* watcher = new QDBusServiceWatcher(service, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
        [this](const QString&, const QString&, const QString& newOwner) {
            if (newOwner.isEmpty()) {
                // Gone: the next notification may start a server through D-Bus activation, which
                // then announces itself here as a new owner.
                m_markup = m_actions = false;
                m_capabilitiesKnown = true;
                m_handlers.clear();
                return;
            }
            askCapabilities();
        });
    askCapabilities();
}

void DesktopNotifier::askCapabilities()
{
    m_capabilitiesKnown = false;
    delete m_capabilitiesCall;
    m_capabilitiesCall = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call(QStringLiteral("GetCapabilities"))), this);
    connect(m_capabilitiesCall, &QDBusPendingCallWatcher::finished, this,
        [this](QDBusPendingCallWatcher* watcher) {
            const QDBusPendingReply<QStringList> reply = *watcher;
            // A server that renders markup would swallow "<b>" or "&amp;" typed in a note; without an
            // answer nobody knows, and raw text at worst shows the tags.
            m_markup = !reply.isError() && reply.value().contains(QStringLiteral("body-markup"));
            m_actions = !reply.isError() && reply.value().contains(QStringLiteral("actions"));
            m_capabilitiesKnown = true;
            m_capabilitiesCall = nullptr;
            watcher->deleteLater();
            const QList<Pending> pending = std::exchange(m_pending, {});
            for (const Pending& notification : pending)
                send(notification);
        });
}

void DesktopNotifier::notify(
    const QString& summary, const QString& body, const QList<Action>& actions, const ActionHandler& onAction)
{
    const Pending notification { summary, body, actions, onAction };
    if (!m_capabilitiesKnown) {
        m_pending.append(notification);
        return;
    }
    send(notification);
}

void DesktopNotifier::send(const Pending& notification)
{
    QVariantMap hints {
        { QStringLiteral("urgency"), QVariant::fromValue<uchar>(2) },
        { QStringLiteral("sound-name"), QStringLiteral("message-new-instant") },
        { QStringLiteral("desktop-entry"), QStringLiteral("zettelwerk") },
        // An alarm stays in the notification list until the user has seen it.
        { QStringLiteral("resident"), true },
    };
    QString icon = QStringLiteral("zettelwerk");
    if (!m_iconPath.isEmpty()) {
        icon = QUrl::fromLocalFile(m_iconPath).toString();
        hints.insert(QStringLiteral("image-path"), icon);
    }
    QDBusMessage message = call(QStringLiteral("Notify"));
    // A server without actions would show none; one that has them gets key and label in turn.
    QStringList actions;
    if (m_actions && notification.onAction) {
        for (const Action& action : notification.actions)
            actions << action.key << action.label;
    }
    message << QStringLiteral("Zettelwerk") << uint(0) << icon << notification.summary
            << (m_markup ? notification.body.toHtmlEscaped() : notification.body) << actions << hints
            << int(-1);
    auto* sent = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message), this);
    const ActionHandler handler = actions.isEmpty() ? ActionHandler() : notification.onAction;
    connect(sent, &QDBusPendingCallWatcher::finished, this, [this, handler](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        const QDBusPendingReply<uint> id = *done;
        if (id.isError())
            return;
        if (handler)
            m_handlers.insert(id.value(), handler);
        emit delivered(id.value());
    });
}

void DesktopNotifier::onActionInvoked(uint id, const QString& key)
{
    const ActionHandler handler = m_handlers.take(id);
    if (!handler)
        return;
    // Resident notifications stay after an action; this one has done its work.
    QDBusMessage close = call(QStringLiteral("CloseNotification"));
    close << id;
    QDBusConnection::sessionBus().asyncCall(close);
    handler(key);
}

void DesktopNotifier::onClosed(uint id, uint)
{
    m_handlers.remove(id);
}
