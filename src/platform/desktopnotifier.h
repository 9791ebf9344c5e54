#pragma once

#include <QObject>
#include <QString>

/// Desktop notifications over the freedesktop D-Bus interface (org.freedesktop.Notifications).
class DesktopNotifier : public QObject {
    Q_OBJECT

public:
    explicit DesktopNotifier(QObject* parent = nullptr);

    /// Whether a notification server is running or can be started on the session bus.
    [[nodiscard]] static bool isServiceAvailable();

    /// Sends a critical notification with the default sound; returns at once.
    void notify(const QString& summary, const QString& body);

signals:
    /// The server took the notification (used by tests and for diagnostics).
    void delivered(uint id);
};
