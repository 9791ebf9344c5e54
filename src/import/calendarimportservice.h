#pragma once

#include "calendarstore.h"
#include "clock.h"
#include "icsreader.h"

#include <QObject>
#include <QSet>

/// The import screen's link to the system calendar and to .ics files: access, calendars, events
/// in a range, and the conversion of events into imported records.
class CalendarImportService : public QObject {
    Q_OBJECT

public:
    /// `store` may be null (no system calendar on this desktop): access then stays refused.
    /// Checks access at once.
    explicit CalendarImportService(
        CalendarStore* store, Clock clock = systemClock(), QObject* parent = nullptr);

    [[nodiscard]] bool accessGranted() const { return m_accessGranted; }
    /// Filled only while access is granted; otherwise the last list stays.
    [[nodiscard]] const QList<CalendarInfo>& calendars() const { return m_calendars; }

    /// Reads the access status and, with access, the calendars.
    void checkAccess();
    /// Asks for access; `done` gets whether it was granted. A failed request changes nothing.
    void requestAccess(std::function<void(bool granted)> done = {});

    /// The occurrences in [start, end) of the known calendars among `calendarIdentifiers`, by
    /// start (equal starts in the store's order); empty without a query when none is known.
    [[nodiscard]] QList<CalendarEvent> fetchEvents(
        const QSet<QString>& calendarIdentifiers, const QDateTime& start, const QDateTime& end) const;
    [[nodiscard]] int eventCount(
        const CalendarInfo& calendar, const QDateTime& start, const QDateTime& end) const;
    /// The identifiers of the known calendars among `calendarIdentifiers`, in the store's order.
    [[nodiscard]] QStringList knownAmong(const QSet<QString>& calendarIdentifiers) const;
    [[nodiscard]] CalendarStore* store() const { return m_store; }
    /// The occurrences in [start, end) of these calendars of `store` by start, equal starts in
    /// the store's order; runs on whichever thread calls it.
    [[nodiscard]] static QList<CalendarEvent> eventsByStart(CalendarStore* store,
        const QStringList& calendarIdentifiers, const QDateTime& start, const QDateTime& end);

    /// One imported record per event, in order: source "Apple Kalender".
    [[nodiscard]] ReminderNotes convertToNotes(
        const QList<CalendarEvent>& events, const QString& batchId) const;
    [[nodiscard]] ReminderNotes convertICSToNotes(
        const QList<ICSEvent>& events, const QString& source, const QString& batchId) const;
    [[nodiscard]] static QList<ICSEvent> parseICS(const QString& path) { return ::parseICS(path); }

    /// A record's text for an event: its title (or `untitled`), its place and its notes.
    [[nodiscard]] static QString eventText(const CalendarEvent& event, const QString& untitled);

    /// "Apple Kalender": the source of records from the system calendar, also on this desktop.
    [[nodiscard]] static QString systemCalendarSource();

signals:
    void accessGrantedChanged();
    void calendarsChanged();

private:
    void setAccess(bool granted);
    [[nodiscard]] static ReminderNote importedNote(const QDateTime& now, const QString& text,
        const QDateTime& start, const std::optional<QDateTime>& end, RepeatInterval repeat,
        const QString& source, const QString& batchId);

    CalendarStore* m_store;
    Clock m_clock;
    bool m_accessGranted = false;
    QList<CalendarInfo> m_calendars;
};
