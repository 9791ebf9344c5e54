#pragma once

#include <QObject>

/// Tells when the machine wakes from sleep, through logind's `PrepareForSleep` on the system bus.
/// Where there is no logind nothing is told; the alarm check still finds what fell due meanwhile
/// at its next turn, as missed.
class SleepWatcher : public QObject {
    Q_OBJECT

public:
    explicit SleepWatcher(QObject* parent = nullptr);

    /// Whether logind's signal reaches us.
    [[nodiscard]] bool isWatching() const { return m_watching; }

signals:
    void resumed();

private slots:
    void prepareForSleep(bool sleeping);

private:
    bool m_watching = false;
};
