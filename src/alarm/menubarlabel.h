#pragma once

#include <QObject>
#include <QTimer>

/// The tray indicator's animation: at rest a note symbol; while alarms are unseen a bell that
/// swings ±18° every tick and switches between orange and red every fourth tick.
class MenuBarLabel : public QObject {
    Q_OBJECT

public:
    static constexpr int tickIntervalMs = 120;
    static constexpr double swingDegrees = 18.0;

    explicit MenuBarLabel(QObject* parent = nullptr);

    /// The number of unseen alarms; the tick timer runs only while there is something to animate.
    void setAlarmCount(int count);
    [[nodiscard]] int alarmCount() const { return m_alarmCount; }

    /// One animation step (normally driven by the internal 0.12 s timer).
    void tick();

    [[nodiscard]] bool isAlarming() const { return m_alarmCount > 0; }
    [[nodiscard]] double wobbleAngle() const { return m_wobbleAngle; }
    [[nodiscard]] double wobbleDirection() const { return m_wobbleDirection; }
    [[nodiscard]] int tickCount() const { return m_tickCount; }
    /// false: orange "bell.fill"; true: red "bell.badge.fill".
    [[nodiscard]] bool flashPhase() const { return m_flashPhase; }
    [[nodiscard]] bool isTicking() const { return m_timer.isActive(); }

signals:
    /// Something visible changed: redraw.
    void changed();

private:
    void updateTimer();

    int m_alarmCount = 0;
    double m_wobbleAngle = 0.0;
    double m_wobbleDirection = 1.0;
    int m_tickCount = 0;
    bool m_flashPhase = false;
    QTimer m_timer;
};
