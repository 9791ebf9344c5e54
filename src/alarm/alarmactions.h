#pragma once

#include "snooze.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <functional>

/// One alarm as a popup window lists it.
struct FiredAlarm {
    enum class Kind { OnTime, Missed, Test };

    /// Null for the editor's test alarm, which cannot be put off.
    QUuid id;
    /// At most 500 characters; "Neue Notiz" for an empty text.
    QString text;
    /// When it fell due.
    QDateTime at;
    Kind kind = Kind::OnTime;
};

/// What a firing alarm needs from the desktop; implemented for real in `platform/`, faked in tests.
class AlarmActions {
public:
    using SnoozeHandler = std::function<void(const QList<QUuid>& ids, Snooze::Choice choice)>;

    virtual ~AlarmActions() = default;

    /// A desktop notification; does nothing where no notification service runs. With `snoozable`
    /// it offers the snooze choices for those records, where the server shows actions.
    virtual void notify(const QString& summary, const QString& body, const QList<QUuid>& snoozable = {}) = 0;
    virtual void requestAttention() = 0;
    /// One of `alarmSoundNames()`; any other name plays nothing.
    virtual void playSound(const QString& name) = 0;
    /// Launches an application entry or opens any other file; a missing path does nothing.
    virtual void openPath(const QString& path) = 0;
    /// Starts the command in a shell and never waits for it.
    virtual void runShellCommand(const QString& command) = 0;
    /// One window listing `alarms` that stays on top until each has its "OK" or "Später"; alarms
    /// shown while it is open join it. It must not block the event loop.
    virtual void showPopup(const QList<FiredAlarm>& alarms) = 0;

    /// Where a "Später" chosen in a notification or a popup goes; set by the alarm service.
    void setSnoozeHandler(SnoozeHandler handler) { m_snooze = std::move(handler); }
    void requestSnooze(const QList<QUuid>& ids, Snooze::Choice choice) const
    {
        if (m_snooze && !ids.isEmpty())
            m_snooze(ids, choice);
    }

private:
    SnoozeHandler m_snooze;
};
