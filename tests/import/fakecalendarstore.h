#pragma once

#include "calendarstore.h"

#include <QHash>

/// A system calendar in memory; `answer` is what the next access request gives (nothing: it fails).
class FakeCalendarStore : public CalendarStore {
public:
    CalendarAccess access = CalendarAccess::FullAccess;
    std::optional<bool> answer = true;
    QList<CalendarInfo> calendarList;
    QHash<QString, QList<CalendarEvent>> eventsByCalendar;
    int queries = 0;

    void add(const QString& title, const QList<CalendarEvent>& events)
    {
        const QString identifier = QStringLiteral("/kalender/") + title;
        calendarList.append({ identifier, title, QStringLiteral("#34c759") });
        eventsByCalendar.insert(identifier, events);
    }

    [[nodiscard]] CalendarAccess accessStatus() const override { return access; }
    void requestFullAccess(std::function<void(std::optional<bool>)> done) override
    {
        if (answer)
            access = *answer ? CalendarAccess::FullAccess : CalendarAccess::Denied;
        done(answer);
    }
    [[nodiscard]] QList<CalendarInfo> calendars() override { return calendarList; }
    [[nodiscard]] QList<CalendarEvent> events(
        const QDateTime& start, const QDateTime& end, const QStringList& calendarIdentifiers) override
    {
        ++queries;
        QList<CalendarEvent> found;
        for (const QString& identifier : calendarIdentifiers) {
            for (const CalendarEvent& event : eventsByCalendar.value(identifier)) {
                if (event.startDate < end && event.endDate.value_or(event.startDate) > start)
                    found.append(event);
            }
        }
        return found;
    }
};

inline CalendarEvent calendarEvent(
    const QString& title, const QDateTime& start, RepeatInterval repeat = RepeatInterval::None)
{
    CalendarEvent event;
    event.title = title;
    event.startDate = start;
    event.endDate = start.addSecs(3600);
    event.repeats = repeat != RepeatInterval::None;
    event.frequency = repeat;
    return event;
}
