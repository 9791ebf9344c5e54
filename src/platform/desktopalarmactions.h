#pragma once

#include "alarmactions.h"

#include <QHash>
#include <QObject>

#include <functional>

class DesktopNotifier;
class QSoundEffect;

/// The alarm actions on a Linux desktop. Attention and popups belong to the app's windows, so
/// the app hands them in.
class DesktopAlarmActions : public QObject, public AlarmActions {
    Q_OBJECT

public:
    using Attention = std::function<void()>;
    using Popup = std::function<void(const QList<FiredAlarm>& alarms)>;

    DesktopAlarmActions(Attention attention, Popup popup, QObject* parent = nullptr);
    ~DesktopAlarmActions() override;

    /// "/bin/zsh" where it exists, else "/bin/sh".
    [[nodiscard]] static QString shellProgram();

    void notify(const QString& summary, const QString& body, const QList<QUuid>& snoozable = {}) override;
    void requestAttention() override;
    void playSound(const QString& name) override;
    void openPath(const QString& path) override;
    void runShellCommand(const QString& command) override;
    void showPopup(const QList<FiredAlarm>& alarms) override;

    [[nodiscard]] DesktopNotifier& notifier() { return *m_notifier; }

private:
    Attention m_attention;
    Popup m_popup;
    DesktopNotifier* m_notifier;
    QHash<QString, QSoundEffect*> m_sounds;
};
