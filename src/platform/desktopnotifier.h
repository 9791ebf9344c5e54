#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

/// Desktop notifications over the freedesktop D-Bus interface (org.freedesktop.Notifications).
/// Nothing on the way of an alarm waits for the bus: the server's capabilities are asked when the
/// notifier starts and whenever another server takes the name, and `Notify` is sent at once.
class DesktopNotifier : public QObject {
    Q_OBJECT

public:
    explicit DesktopNotifier(QObject* parent = nullptr);

    /// Sends a critical notification with the default sound that stays until it is dismissed;
    /// returns at once. Without a server it is dropped quietly.
    void notify(const QString& summary, const QString& body);

    /// An image file shown with every notification (`app_icon` and the `image-path` hint).
    void setIconPath(const QString& path) { m_iconPath = path; }

signals:
    /// The server took the notification (used by tests and for diagnostics).
    void delivered(uint id);

private:
    struct Pending {
        QString summary;
        QString body;
    };
    void askCapabilities();
    void send(const QString& summary, const QString& body);

    bool m_capabilitiesKnown = false;
    bool m_markup = false;
    QDBusPendingCallWatcher* m_capabilitiesCall = nullptr;
    // Only while the first answer about a new server is on its way, a fraction of a second.
    QList<Pending> m_pending;
    QString m_iconPath;
};
