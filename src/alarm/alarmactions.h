#pragma once

#include <QString>

/// What a firing alarm needs from the desktop; implemented for real in `platform/`, faked in tests.
class AlarmActions {
public:
    virtual ~AlarmActions() = default;

    /// A desktop notification; does nothing where no notification service runs.
    virtual void notify(const QString& summary, const QString& body) = 0;
    virtual void requestAttention() = 0;
    /// One of `alarmSoundNames()`; any other name plays nothing.
    virtual void playSound(const QString& name) = 0;
    /// Launches an application entry or opens any other file; a missing path does nothing.
    virtual void openPath(const QString& path) = 0;
    /// Starts the command in a shell and never waits for it.
    virtual void runShellCommand(const QString& command) = 0;
    /// A window that stays on top until its "OK"; it must not block the event loop.
    virtual void showPopup(const QString& heading, const QString& text) = 0;
};
