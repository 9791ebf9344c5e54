#include "menubarlabel.h"

MenuBarLabel::MenuBarLabel(QObject* parent)
    : QObject(parent)
{
    m_timer.setInterval(tickIntervalMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &MenuBarLabel::tick);
}

void MenuBarLabel::setAlarmCount(int count)
{
    if (m_alarmCount == count)
        return;
    m_alarmCount = count;
    updateTimer();
    emit changed();
}

void MenuBarLabel::tick()
{
    if (m_alarmCount > 0) {
        ++m_tickCount;
        if (m_tickCount % 4 == 0)
            m_flashPhase = !m_flashPhase;
        m_wobbleDirection = -m_wobbleDirection;
        m_wobbleAngle = m_wobbleDirection * swingDegrees;
        emit changed();
    } else {
        m_tickCount = 0;
        m_flashPhase = false;
        if (m_wobbleAngle != 0.0) {
            m_wobbleAngle = 0.0;
            m_wobbleDirection = 1.0;
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
