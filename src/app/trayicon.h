#pragma once

#include <QIcon>
#include <QSystemTrayIcon>

/// The icon in the panel's tray; a click on it toggles the panel.
class TrayIcon : public QSystemTrayIcon {
    Q_OBJECT

public:
    explicit TrayIcon(QObject* parent = nullptr);

    /// The resting note symbol: light page with a dark outline, legible on light and dark panels.
    [[nodiscard]] static QIcon restingIcon();

signals:
    void toggleRequested();
};
