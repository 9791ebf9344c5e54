#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QDBusPendingCallWatcher;

/// Desktop notifications over the freedesktop D-Bus interface (org.freedesktop.Notifications).
/// Nothing on the way of an alarm waits for the bus: the server's capabilities are asked when the
/// notifier starts and whenever another server takes the name, and `Notify` is sent at once.
class DesktopNotifier : public QObject {
    Q_OBJECT

public:
    /// A button of a notification: the key comes back to the handler, the label is shown.
    struct Action {
        QString key;
        QString label;
    };
    using ActionHandler = std::function<void(const QString& key)>;

    explicit DesktopNotifier(QObject* parent = nullptr);

    /// Sends a critical notification with the default sound that stays until it is dismissed;
    /// returns at once. Without a server it is dropped quietly. `actions` are offered where the
    /// server shows actions; the one the user picks goes to `onAction` and closes the notification.
    void notify(const QString& summary, const QString& body, const QList<Action>& actions = {},
        const ActionHandler& onAction = {});

    /// An image file shown with every notification (`app_icon` and the `image-path` hint).
    void setIconPath(const QString& path) { m_iconPath = path; }

signals:
    /// The server took the notification (used by tests and for diagnostics).
    void delivered(uint id);

private slots:
    void onActionInvoked(uint id, const QString& key);
    void onClosed(uint id, uint reason);

private:
    struct Pending {
        QString summary;
        QString body;
        QList<Action> actions;
        ActionHandler onAction;
    };
    void askCapabilities();
    void send(const Pending& notification);

    bool m_capabilitiesKnown = false;
    bool m_markup = false;
    bool m_actions = false;
    // Only for notifications that are still shown.
    QHash<uint, ActionHandler> m_handlers;
    QDBusPendingCallWatcher* m_capabilitiesCall = nullptr;
    // Only while the first answer about a new server is on its way, a fraction of a second.
    QList<Pending> m_pending;
    QString m_iconPath;
};
