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

    /// One frame of `label` at `size` pixels square, the bell at its angle of this moment.
    [[nodiscard]] static QImage renderFrame(const MenuBarLabel& label, int size);
    /// The same with the bell at `angle` degrees.
    [[nodiscard]] static QImage renderFrame(const MenuBarLabel& label, int size, double angle);
    [[nodiscard]] static QIcon iconFor(const MenuBarLabel& label);

signals:
    void toggleRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const MenuBarLabel& m_label;
};
