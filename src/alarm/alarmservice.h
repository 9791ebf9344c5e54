#pragma once

#include "alarmactions.h"
#include "remindernote.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class NoteStore;

/// Finds due appointments every 10 seconds, fires them and moves them on. Alarms found late (the
/// app was not running, or the machine slept) fire as missed; all alarms of one check share one
/// popup window, one sound and at most a few notifications.
class AlarmService : public QObject {
    Q_OBJECT

public:
    static constexpr int checkIntervalMs = 10'000;
    /// An alarm found this much after its time was missed rather than on time.
    static constexpr qint64 missedAfterMs = 60'000;
    /// Alarms of one check with a notification each; the rest share one more.
    static constexpr int notificationsPerCheck = 3;

    /// Does not check at once: the first check runs one interval after `startTimer()`.
    AlarmService(NoteStore& store, std::unique_ptr<AlarmActions> actions, QObject* parent = nullptr);
    ~AlarmService() override;

    void startTimer();
    [[nodiscard]] bool isTimerActive() const { return m_timer.isActive(); }

    /// One check cycle: fires every due record in list order, then saves once if anything fired.
    /// A record is due at its alarm date (unless it fired already) and at its snooze date.
    void checkAlarms();

    /// The first repetition of `date` strictly after `now`, stepping in local calendar units
    /// and adding to the previous result each time (so a clamped month end stays clamped).
    [[nodiscard]] static QDateTime nextOccurrence(
        const QDateTime& date, RepeatInterval interval, const QDateTime& now);

    /// Every action of one alarm on time, in order; `note` is the record as it was when it fell due.
    void triggerAlarm(const ReminderNote& note);

    /// A record fallen due and how: its copy from before the check moved it on.
    struct Due {
        ReminderNote note;
        QDateTime at;
        bool missed = false;
    };
    /// The actions of one check's alarms together: the bell counts each without popup, up to
    /// `notificationsPerCheck` notifications and one summary of the rest, one summary of the
    /// missed ones, one sound, each record's launch and command, then one popup for them all.
    void fire(QList<Due> due);

    /// Puts the records of `ids` off by `choice` from now; saved at once.
    void snooze(const QList<QUuid>& ids, Snooze::Choice choice);

    [[nodiscard]] AlarmActions& actions() { return *m_actions; }

signals:
    /// After the actions of a check, for the tray: the records, newest last, and "Zahnarzt – 14:30" for each.
    void fired(const QList<QUuid>& ids, const QStringList& descriptions);

private:
    // Weak: the store owns this service.
    QPointer<NoteStore> m_store;
    std::unique_ptr<AlarmActions> m_actions;
    QTimer m_timer;
};
