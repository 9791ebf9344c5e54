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
    auto* watcher = new QDBusServiceWatcher(service, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
        [this](const QString&, const QString&, const QString& newOwner) {
            if (newOwner.isEmpty()) {
                // Gone: the next notification may start a server through D-Bus activation, which
                // then announces itself here as a new owner.
                m_markup = false;
                m_capabilitiesKnown = true;
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
            m_capabilitiesKnown = true;
            m_capabilitiesCall = nullptr;
            watcher->deleteLater();
            const QList<Pending> pending = std::exchange(m_pending, {});
            for (const Pending& notification : pending)
                send(notification.summary, notification.body);
        });
}

void DesktopNotifier::notify(const QString& summary, const QString& body)
{
    if (!m_capabilitiesKnown) {
        m_pending.append({ summary, body });
        return;
    }
    send(summary, body);
}

void DesktopNotifier::send(const QString& summary, const QString& body)
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
    message << QStringLiteral("Zettelwerk") << uint(0) << icon << summary
            << (m_markup ? body.toHtmlEscaped() : body) << QStringList() << hints << int(-1);
    auto* sent = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message), this);
    connect(sent, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        const QDBusPendingReply<uint> id = *done;
        if (!id.isError())
            emit delivered(id.value());
    });
}
