#pragma once

#include <QEasingCurve>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

/// The tray indicator's animation: at rest a note symbol; while alarms are unseen a bell that
/// swings ±18° every tick and switches between orange and red every fourth tick.
class MenuBarLabel : public QObject {
    Q_OBJECT

public:
    static constexpr int tickIntervalMs = 120;
    static constexpr double swingDegrees = 18.0;
    static constexpr int swingMs = 100;
    static constexpr int restMs = 200;
    static constexpr int frameMs = 33;

    explicit MenuBarLabel(QObject* parent = nullptr);

    /// The number of unseen alarms; the tick timer runs only while there is something to animate.
    void setAlarmCount(int count);
    [[nodiscard]] int alarmCount() const { return m_alarmCount; }

    /// Alarms that fired since the panel was last opened, "Zahnarzt – 14:30" each.
    void noteFired(const QStringList& descriptions);
    /// The panel was opened: the alarms are seen.
    void forgetFired();
    /// The tray's tooltip: the last three alarms that fired, newest last, or "Zettelwerk".
    [[nodiscard]] QString toolTip() const;

    /// One animation step (normally driven by the internal 0.12 s timer).
    void tick();

    [[nodiscard]] bool isAlarming() const { return m_alarmCount > 0; }
    /// Where the current swing is heading.
    [[nodiscard]] double wobbleAngle() const { return m_wobbleAngle; }
    /// The angle to draw now: on its way to `wobbleAngle`, eased in and out over 0.1 s per swing,
    /// eased out over 0.2 s back to rest.
    [[nodiscard]] double displayedAngle() const
    {
        return angleAt(m_swingClock.isValid() ? m_swingClock.elapsed() : 0);
    }
    /// The drawn angle `ms` milliseconds after the last tick.
    [[nodiscard]] double angleAt(qint64 ms) const;
    [[nodiscard]] double wobbleDirection() const { return m_wobbleDirection; }
    [[nodiscard]] int tickCount() const { return m_tickCount; }
    /// false: orange "bell.fill"; true: red "bell.badge.fill".
    [[nodiscard]] bool flashPhase() const { return m_flashPhase; }
    [[nodiscard]] bool isTicking() const { return m_timer.isActive(); }
    /// In-between frames are being drawn (only during a swing).
    [[nodiscard]] bool isAnimating() const { return m_frameTimer.isActive(); }

signals:
    /// Something visible changed: redraw.
    void changed();

private:
    void updateTimer();
    void startSwing(double from, int durationMs, QEasingCurve::Type easing);

    int m_alarmCount = 0;
    QStringList m_fired;
    double m_wobbleAngle = 0.0;
    double m_wobbleDirection = 1.0;
    int m_tickCount = 0;
    bool m_flashPhase = false;
    QTimer m_timer;
    double m_swingFrom = 0.0;
    int m_swingDuration = swingMs;
    QEasingCurve m_swingEasing;
    QElapsedTimer m_swingClock;
    QTimer m_frameTimer;
};
