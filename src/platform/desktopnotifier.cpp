#include "desktopnotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
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
}

bool DesktopNotifier::isServiceAvailable()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    QDBusConnectionInterface* daemon = bus.interface();
    return daemon->isServiceRegistered(service).value()
        || daemon->activatableServiceNames().value().contains(service);
}

void DesktopNotifier::notify(const QString& summary, const QString& body)
{
    if (!isServiceAvailable())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Asked each time: the server may have been replaced since the last alarm.
    auto* capabilities
        = new QDBusPendingCallWatcher(bus.asyncCall(call(QStringLiteral("GetCapabilities"))), this);
    connect(capabilities, &QDBusPendingCallWatcher::finished, this,
        [this, summary, body](QDBusPendingCallWatcher* watcher) {
            watcher->deleteLater();
            const QDBusPendingReply<QStringList> reply = *watcher;
            // A server that renders markup would swallow "<b>" or "&amp;" typed in a note.
            const bool markup = !reply.isError() && reply.value().contains(QStringLiteral("body-markup"));
            const QVariantMap hints {
                { QStringLiteral("urgency"), QVariant::fromValue<uchar>(2) },
                { QStringLiteral("sound-name"), QStringLiteral("message-new-instant") },
                { QStringLiteral("desktop-entry"), QStringLiteral("zettelwerk") },
            };
            QDBusMessage message = call(QStringLiteral("Notify"));
            message << QStringLiteral("Zettelwerk") << uint(0) << QStringLiteral("zettelwerk") << summary
                    << (markup ? body.toHtmlEscaped() : body) << QStringList() << hints << int(-1);
            auto* sent = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message), this);
            connect(sent, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                const QDBusPendingReply<uint> id = *done;
                if (!id.isError())
                    emit delivered(id.value());
            });
        });
}
