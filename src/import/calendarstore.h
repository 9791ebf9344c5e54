#pragma once

#include "remindernote.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

/// One calendar of the system calendar.
struct CalendarInfo {
    /// The key by which the import screen remembers the user's choice.
    QString identifier;
    QString title;
    /// "#rrggbb".
    QString color;
};

/// One occurrence of an event of the system calendar.
struct CalendarEvent {
    /// Empty when the event has none.
    QString title;
    QString location;
    QString notes;
    QDateTime startDate;
    std::optional<QDateTime> endDate;
    /// Whether the event has a recurrence rule at all, and the frequency of its first one
    /// (none for frequencies below a day).
    bool repeats = false;
    RepeatInterval frequency = RepeatInterval::None;
};

/// What the user has allowed the app to do with the system calendar.
enum class CalendarAccess { NotDetermined, Restricted, Denied, WriteOnly, FullAccess };

/// The system calendar, behind which a desktop's calendar store sits.
class CalendarStore {
public:
    virtual ~CalendarStore() = default;

    [[nodiscard]] virtual CalendarAccess accessStatus() const = 0;
    /// Asks the user for read access; `done` gets whether it was granted, or nothing after an
    /// error. It may be called later, on the main thread.
    virtual void requestFullAccess(std::function<void(std::optional<bool> granted)> done) = 0;
    /// The event calendars, in the store's own order.
    [[nodiscard]] virtual QList<CalendarInfo> calendars() = 0;
    /// Every occurrence that overlaps [start, end) in the calendars with these identifiers, one
    /// entry per occurrence of a repeating event, in no particular order.
    [[nodiscard]] virtual QList<CalendarEvent> events(
        const QDateTime& start, const QDateTime& end, const QStringList& calendarIdentifiers)
        = 0;
};
