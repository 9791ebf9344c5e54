#include "appointmentcardcontroller.h"

#include "datelabels.h"

void AppointmentCardController::setNote(const ReminderNote& note)
{
    m_note = note;
    emit noteChanged();
    emit changed();
}

void AppointmentCardController::setNow(const QDateTime& now)
{
    if (m_now == now)
        return;
    m_now = now;
    emit nowChanged();
    emit changed();
}

bool AppointmentCardController::isPast() const
{
    // A snoozed one comes again, so it is still ahead.
    return m_note.alarmDate < m_now && m_note.repeatInterval == RepeatInterval::None && !m_note.snoozeDate;
}

QDateTime AppointmentCardController::nextAlarm() const
{
    const QDateTime& regular = m_note.alarmDate;
    if (m_note.snoozeDate && (regular < m_now || *m_note.snoozeDate < regular))
        return *m_note.snoozeDate;
    return regular;
}

QString AppointmentCardController::accentColor() const
{
    if (isPast())
        return QStringLiteral("green");
    if (m_note.repeatInterval != RepeatInterval::None)
        return QStringLiteral("purple");
    if (m_note.useSound)
        return QStringLiteral("cyan");
    return QStringLiteral("orange");
}

QString AppointmentCardController::titleColor() const
{
    return isPast() ? QStringLiteral("secondary") : QStringLiteral("primary");
}

QString AppointmentCardController::dateText() const
{
    return DateLabels::formatDateRange(m_note, m_now);
}

QString AppointmentCardController::relativeText() const
{
    return isPast() ? QString() : DateLabels::relativeTime(nextAlarm(), m_now);
}

QString AppointmentCardController::spokenText() const
{
    QStringList parts { title(), dateText() };
    if (m_note.repeatInterval != RepeatInterval::None)
        parts.append(repeatIntervalText(m_note.repeatInterval));
    if (isPast())
        parts.append(QStringLiteral("erledigt"));
    else
        parts.append(relativeText());
    if (m_note.isImported())
        parts.append(QStringLiteral("importiert"));
    return parts.join(QStringLiteral(", "));
}

QList<Badge> AppointmentCardController::badges() const
{
    QList<Badge> result;
    if (m_note.isImported())
        result.append(Badge::forImport(m_note.importSource));
    if (m_note.repeatInterval != RepeatInterval::None)
        result.append({ QStringLiteral("repeat"), repeatIntervalText(m_note.repeatInterval),
            QStringLiteral("purple") });
    if (m_note.usePopup)
        result.append({ QStringLiteral("bell.fill"), QStringLiteral("Popup"), QStringLiteral("orange") });
    if (m_note.useSound)
        result.append({ QStringLiteral("speaker.wave.2"), m_note.soundName, QStringLiteral("cyan") });
    if (isPast()) {
        for (Badge& badge : result)
            badge.color = QStringLiteral("secondary");
    }
    return result;
}
