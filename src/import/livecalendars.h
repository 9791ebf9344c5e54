#pragma once

#include "calendarstore.h"
#include "clock.h"
#include "remindernote.h"

#include <QDate>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

/// Calendars shown beside the records without being imported: their occurrences from a month
/// before today to a year after it (and in any month the calendar shows), read on a worker and
/// handed back as records that only show. Read again when their folders change or when asked.
/// They never enter the store, so they never raise an alarm.
class LiveCalendars : public QObject {
    Q_OBJECT

public:
    /// A span of days, [first, end).
    struct Window {
        QDateTime start;
        QDateTime end;
    };

    /// At most this many occurrences show, those nearest to now.
    static constexpr qsizetype maxShown = 20'000;

    explicit LiveCalendars(Clock clock, QObject* parent = nullptr);
    ~LiveCalendars() override;

    /// Where the calendars are read from; null shows none.
    void setStore(CalendarStore* store);
    /// The calendars to show, in the order given; empty shows none.
    void setCalendars(const QStringList& identifiers);
    [[nodiscard]] const QStringList& calendars() const { return m_identifiers; }
    /// The month (any day of it) the mini calendar shows: read too when it lies outside the usual
    /// window.
    void cover(const QDate& month);
    /// Reads every shown calendar again, e.g. when the panel opens; unchanged files are not parsed
    /// again by the store.
    void reload();
    /// Reads again when the last reading is a minute old: a file rewritten in place changes no
    /// folder, and today's window moves at midnight.
    void reloadIfOld();

    /// The occurrences read last, by start.
    [[nodiscard]] const ReminderNotes& notes() const { return m_notes; }
    /// The shown occurrence with this id, or null.
    [[nodiscard]] const ReminderNote* find(const QUuid& id) const;
    /// The windows read: the usual one around `today`, and the covered month (any day of it) when
    /// outside it.
    [[nodiscard]] static QList<Window> windows(const QDate& today, const QDate& coveredMonth);
    /// The occurrences of one calendar as records that only show: source the calendar's title,
    /// no alarm of their own, the same id and fields from one reading to the next.
    [[nodiscard]] static ReminderNotes toNotes(
        const QList<CalendarEvent>& events, const CalendarInfo& calendar);

    /// Blocks until the reading under way has been handed back; for tests.
    void waitForResults();

signals:
    /// The shown occurrences changed.
    void changed();

private:
    void arrived(quint64 generation, const ReminderNotes& notes);
    void watchFolders();

    Clock m_clock;
    CalendarStore* m_store = nullptr;
    QStringList m_identifiers;
    QDate m_coveredMonth;
    QDateTime m_readAt;
    ReminderNotes m_notes;
    QHash<QUuid, qsizetype> m_index;
    quint64 m_generation = 0;
    // One reading at a time, in the order asked; an answer to a question since asked anew is dropped.
    QThreadPool m_worker;
    QFileSystemWatcher m_watcher;
    // Gathers a burst of file changes (vdirsyncer writing many files) into one reading.
    QTimer m_delay;
};
