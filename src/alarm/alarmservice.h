#pragma once

#include "remindernote.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class AlarmActions;
class NoteStore;

/// Finds due appointments every 10 seconds, fires them and moves them on.
class AlarmService : public QObject {
    Q_OBJECT

public:
    static constexpr int checkIntervalMs = 10'000;

    /// Does not check at once: the first check runs one interval after `startTimer()`.
    AlarmService(NoteStore& store, std::unique_ptr<AlarmActions> actions, QObject* parent = nullptr);
    ~AlarmService() override;

    void startTimer();
    [[nodiscard]] bool isTimerActive() const { return m_timer.isActive(); }

    /// One check cycle: fires every due record in list order, then saves once if anything fired.
    void checkAlarms();

    /// The first repetition of `date` strictly after `now`, stepping in local calendar units
    /// and adding to the previous result each time (so a clamped month end stays clamped).
    [[nodiscard]] static QDateTime nextOccurrence(
        const QDateTime& date, RepeatInterval interval, const QDateTime& now);

    /// Every action of one alarm, in order; `note` is the record as it was when it fell due.
    void triggerAlarm(const ReminderNote& note);

    [[nodiscard]] AlarmActions& actions() { return *m_actions; }

private:
    // Weak: the store owns this service.
    QPointer<NoteStore> m_store;
    std::unique_ptr<AlarmActions> m_actions;
    QTimer m_timer;
};
