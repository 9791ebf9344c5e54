#pragma once

#include <QObject>
#include <QTimer>

/// Whether the desktop has a tray to show our icon in, and when one appears later (a panel that
/// starts after the app at login). Asked without Qt's own check: Qt decides once per process
/// whether it uses the D-Bus tray and never looks again, so the icon is made only once a tray is
/// really there.
class TrayHost : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    /// A StatusNotifierWatcher with a host on the session bus, or an XEmbed tray on X11.
    [[nodiscard]] static bool isAvailable();

    /// Emits `appeared()` once, as soon as a tray is there: on every change of the watcher's bus
    /// name, and every few seconds for XEmbed trays, which announce themselves only to X clients.
    void watch();

signals:
    void appeared();

private:
    void check();

    QTimer m_poll;
    bool m_watching = false;
};
