#pragma once

#include <QIcon>
#include <QImage>
#include <QSystemTrayIcon>

class MenuBarLabel;

/// The icon in the desktop's tray: the resting note symbol, or while alarms are unseen the
/// swinging bell with their number. A click on it toggles the panel.
class TrayIcon : public QSystemTrayIcon {
    Q_OBJECT

public:
    explicit TrayIcon(const MenuBarLabel& label, QObject* parent = nullptr);

    /// One frame of `label` at `size` pixels square.
    [[nodiscard]] static QImage renderFrame(const MenuBarLabel& label, int size);
    [[nodiscard]] static QIcon iconFor(const MenuBarLabel& label);

signals:
    void toggleRequested();

private:
    const MenuBarLabel& m_label;
};
