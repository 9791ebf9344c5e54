#include "menubarlabel.h"

#include <algorithm>

MenuBarLabel::MenuBarLabel(QObject* parent)
    : QObject(parent)
{
    m_timer.setInterval(tickIntervalMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &MenuBarLabel::tick);
    m_frameTimer.setInterval(frameMs);
    connect(&m_frameTimer, &QTimer::timeout, this, [this] {
        // The last frame lands exactly on the target; then the app sleeps until the next tick.
        if (m_swingClock.elapsed() >= m_swingDuration)
            m_frameTimer.stop();
        emit changed();
    });
}

double MenuBarLabel::angleAt(qint64 ms) const
{
    if (ms >= m_swingDuration)
        return m_wobbleAngle;
    const double progress = m_swingEasing.valueForProgress(double(std::max<qint64>(ms, 0)) / m_swingDuration);
    return m_swingFrom + (m_wobbleAngle - m_swingFrom) * progress;
}

void MenuBarLabel::startSwing(double from, int durationMs, QEasingCurve::Type easing)
{
    m_swingFrom = from;
    m_swingDuration = durationMs;
    m_swingEasing = QEasingCurve(easing);
    m_swingClock.start();
    m_frameTimer.start();
}

void MenuBarLabel::setAlarmCount(int count)
{
    if (m_alarmCount == count)
        return;
    m_alarmCount = count;
    updateTimer();
    emit changed();
}

void MenuBarLabel::noteFired(const QStringList& descriptions)
{
    if (descriptions.isEmpty())
        return;
    m_fired.append(descriptions);
    emit changed();
}

void MenuBarLabel::forgetFired()
{
    if (m_fired.isEmpty())
        return;
    m_fired.clear();
    emit changed();
}

QString MenuBarLabel::toolTip() const
{
    constexpr qsizetype shown = 3;
    if (m_fired.isEmpty())
        return QStringLiteral("Zettelwerk");
    QStringList lines;
    if (m_fired.size() > shown)
        lines.append(QStringLiteral("%1 Erinnerungen, zuletzt:").arg(m_fired.size()));
    lines.append(m_fired.mid(std::max<qsizetype>(0, m_fired.size() - shown)));
    return lines.join(u'\n');
}

void MenuBarLabel::tick()
{
    if (m_alarmCount > 0) {
        ++m_tickCount;
        if (m_tickCount % 4 == 0)
            m_flashPhase = !m_flashPhase;
        // From where the previous swing ended: ticks come after each swing has finished.
        const double from = m_wobbleAngle;
        m_wobbleDirection = -m_wobbleDirection;
        m_wobbleAngle = m_wobbleDirection * swingDegrees;
        startSwing(from, swingMs, QEasingCurve::InOutQuad);
        emit changed();
    } else {
        m_tickCount = 0;
        m_flashPhase = false;
        if (m_wobbleAngle != 0.0) {
            const double from = m_wobbleAngle;
            m_wobbleAngle = 0.0;
            m_wobbleDirection = 1.0;
            startSwing(from, restMs, QEasingCurve::OutQuad);
            emit changed();
        }
    }
    updateTimer();
}

void MenuBarLabel::updateTimer()
{
    // An idle label would only write its resting values again: let the app sleep instead.
    const bool needed = m_alarmCount > 0 || m_wobbleAngle != 0.0;
    if (needed && !m_timer.isActive())
        m_timer.start();
    else if (!needed && m_timer.isActive())
        m_timer.stop();
}
