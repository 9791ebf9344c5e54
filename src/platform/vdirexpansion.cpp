#include "vdirexpansion.h"

#include "log.h"
#include "timezonename.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <limits>

namespace {

// What one event may cost. A rule whose every candidate fails its BY parts (an hourly rule for
// 30 February) makes libical step through every hour up to the year 2582; beyond this the event
// is left out and logged.
constexpr qint64 maxStepsPerEvent = 200'000;
constexpr qint64 maxMillisecondsPerEvent = 1'000;
// Candidates libical may walk in one call: each call is given an end this many periods ahead.
constexpr qint64 periodsPerCall = 2'048;
constexpr qint64 secondsPerDay = 86'400;
// The Gregorian calendar repeats itself, weekdays included, every 400 years.
constexpr int calendarCycleYears = 400;

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

QByteArray timeZoneIdOf(icalproperty* property)
{
    icalparameter* parameter
        = property ? icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER) : nullptr;
    return parameter ? QByteArray(icalparameter_get_tzid(parameter)) : QByteArray();
}

// A wall-clock time that the clocks skip reads as the same time after the change.
QDateTime wallClock(const QDate& day, const QTime& time, const std::optional<QTimeZone>& zone)
{
    const QDateTime moment = zone ? QDateTime(day, time, *zone) : QDateTime(day, time);
    if (moment.isValid())
        return moment;
    return (zone ? day.startOfDay(*zone) : day.startOfDay()).addSecs(time.msecsSinceStartOfDay() / 1000);
}

// A libical time's fields counted as seconds, as if it were UTC: arithmetic on wall-clock times.
qint64 secondsOf(const icaltimetype& time)
{
    const QTime clock = time.is_date ? QTime(0, 0) : QTime(time.hour, time.minute, std::min(time.second, 59));
    return QDateTime(QDate(time.year, time.month, time.day), clock, Qt::UTC).toSecsSinceEpoch();
}

icaltimetype timeAt(qint64 seconds, bool isDate, const icaltimezone* zone)
{
    const QDateTime at = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    icaltimetype time = icaltime_null_time();
    time.year = at.date().year();
    time.month = at.date().month();
    time.day = at.date().day();
    if (!isDate) {
        time.hour = at.time().hour();
        time.minute = at.time().minute();
        time.second = at.time().second();
    }
    time.is_date = isDate ? 1 : 0;
    time.zone = zone;
    return time;
}

/// Turns the times of one file into instants: a zone defined in the file first, then one Qt
/// knows by IANA or Windows name, else the local zone; whole days start at local midnight.
class TimeReader {
public:
    explicit TimeReader(icalcomponent* root)
        : m_root(root)
    {
    }

    std::optional<QDateTime> read(const icaltimetype& time, const QByteArray& zoneId)
    {
        if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time))
            return std::nullopt;
        const QDate day(time.year, time.month, time.day);
        if (!day.isValid())
            return std::nullopt;
        if (time.is_date)
            return day.startOfDay();
        const QTime clock(time.hour, time.minute, std::min(time.second, 59));
        if (!clock.isValid())
            return std::nullopt;
        if (icaltime_is_utc(time))
            return QDateTime(day, clock, Qt::UTC);
        if (!zoneId.isEmpty()) {
            if (icaltimezone* defined = fileZone(zoneId)) {
                icaltimetype floating = time;
                floating.zone = nullptr;
                return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(floating, defined), Qt::UTC);
            }
            if (const auto known = qtZone(zoneId))
                return wallClock(day, clock, known);
        }
        return wallClock(day, clock, std::nullopt);
    }

    /// The wall-clock time of `instant` where `zoneId` applies, as `read` would take it back.
    icaltimetype wallClockOf(const QDateTime& instant, const QByteArray& zoneId)
    {
        if (!zoneId.isEmpty()) {
            if (icaltimezone* defined = fileZone(zoneId))
                return timeAt(
                    secondsOf(icaltime_from_timet_with_zone(instant.toSecsSinceEpoch(), 0, defined)), false,
                    nullptr);
            if (const auto known = qtZone(zoneId))
                return floating(instant.toTimeZone(*known));
        }
        return floating(instant.toLocalTime());
    }

private:
    static icaltimetype floating(const QDateTime& wallClock)
    {
        return timeAt(
            QDateTime(wallClock.date(), wallClock.time(), Qt::UTC).toSecsSinceEpoch(), false, nullptr);
    }

    icaltimezone* fileZone(const QByteArray& id)
    {
        if (!m_root || icalcomponent_isa(m_root) != ICAL_VCALENDAR_COMPONENT)
            return nullptr;
        return icalcomponent_get_timezone(m_root, id.constData());
    }

    std::optional<QTimeZone> qtZone(const QByteArray& id)
    {
        const auto found = m_zones.constFind(id);
        if (found != m_zones.cend())
            return *found;
        return *m_zones.insert(id, namedTimeZone(id));
    }

    icalcomponent* m_root;
    QHash<QByteArray, std::optional<QTimeZone>> m_zones;
};

RepeatInterval intervalOf(icalrecurrencetype_frequency frequency)
{
    switch (frequency) {
    case ICAL_DAILY_RECURRENCE:
        return RepeatInterval::Daily;
    case ICAL_WEEKLY_RECURRENCE:
        return RepeatInterval::Weekly;
    case ICAL_MONTHLY_RECURRENCE:
        return RepeatInterval::Monthly;
    case ICAL_YEARLY_RECURRENCE:
        return RepeatInterval::Yearly;
    default:
        return RepeatInterval::None;
    }
}

QList<icalcomponent*> eventsOf(icalcomponent* root)
{
    QList<icalcomponent*> events;
    if (icalcomponent_isa(root) == ICAL_VEVENT_COMPONENT) {
        events.append(root);
        return events;
    }
    for (icalcomponent* event = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT))
        events.append(event);
    return events;
}

// The steps and the time one event has used.
class Budget {
public:
    Budget() { m_timer.start(); }
    [[nodiscard]] bool spend()
    {
        return ++m_steps <= maxStepsPerEvent && m_timer.elapsed() <= maxMillisecondsPerEvent;
    }

private:
    QElapsedTimer m_timer;
    qint64 m_steps = 0;
};

QString ruleText(icalrecurrencetype rule)
{
    return text(icalrecurrencetype_as_string(&rule));
}

qint64 periodSeconds(icalrecurrencetype_frequency frequency)
{
    switch (frequency) {
    case ICAL_SECONDLY_RECURRENCE:
        return 1;
    case ICAL_MINUTELY_RECURRENCE:
        return 60;
    case ICAL_HOURLY_RECURRENCE:
        return 3600;
    case ICAL_DAILY_RECURRENCE:
        return secondsPerDay;
    default:
        return 0; // weeks, months and years differ in length
    }
}

// The occurrences of one file's events in a range, with moved occurrences in place of the
// ones they replace.
class Expansion {
public:
    Expansion(icalcomponent* root, const QDateTime& start, const QDateTime& end, QList<CalendarEvent>& out)
        : m_root(root)
        , m_times(root)
        , m_start(start)
        , m_end(end)
        , m_out(out)
    {
    }

    void run()
    {
        const QList<icalcomponent*> events = eventsOf(m_root);
        for (icalcomponent* event : events) {
            icalproperty* moved = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
            if (!moved)
                continue;
            if (const auto original = m_times.read(icalproperty_get_recurrenceid(moved), timeZoneIdOf(moved)))
                m_moved.insert(uidOf(event) + QString::number(original->toSecsSinceEpoch()));
        }
        for (icalcomponent* event : events)
            expand(event);
    }

private:
    static QString uidOf(icalcomponent* event) { return text(icalcomponent_get_uid(event)) + u'|'; }

    void expand(icalcomponent* event);
    void add(const CalendarEvent& event);
    /// Appends the starts `rule` gives from `origin` between the wall-clock times `from` and
    /// `to`; false when the budget ran out first.
    bool expandRule(icalrecurrencetype rule, const icaltimetype& origin, const QByteArray& zone, qint64 from,
        qint64 to, QList<QDateTime>& starts, Budget& budget);
    /// The wall-clock UNTIL of `rule` in the terms of `origin`: seconds as `secondsOf` counts them.
    qint64 untilOf(const icalrecurrencetype& rule, const icaltimetype& origin, const QByteArray& zone);

    icalcomponent* m_root;
    TimeReader m_times;
    QDateTime m_start;
    QDateTime m_end;
    QList<CalendarEvent>& m_out;
    QSet<QString> m_moved;
};

void Expansion::add(const CalendarEvent& event)
{
    const QDateTime end = event.endDate.value_or(event.startDate);
    const bool overlaps = event.startDate < m_end
        && (end > m_start || (end == event.startDate && event.startDate >= m_start));
    if (overlaps)
        m_out.append(event);
}

void Expansion::expand(icalcomponent* event)
{
    icalproperty* startProperty = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!startProperty)
        return;
    const icaltimetype dtstart = icalproperty_get_dtstart(startProperty);
    const QByteArray zone = timeZoneIdOf(startProperty);
    const auto start = m_times.read(dtstart, zone);
    if (!start)
        return;

    // The length of every occurrence: whole days for an all-day event, else seconds; a timed
    // event without an end or a duration has none (not an end equal to its start).
    icalproperty* endProperty = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY);
    icalproperty* durationProperty = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY);
    qint64 seconds = 0;
    qint64 days = dtstart.is_date ? 1 : 0;
    bool hasEnd = dtstart.is_date || durationProperty;
    if (endProperty) {
        const icaltimetype dtend = icalproperty_get_dtend(endProperty);
        if (const auto end = m_times.read(dtend, timeZoneIdOf(endProperty))) {
            hasEnd = true;
            days = dtstart.is_date ? std::max<qint64>(0, start->date().daysTo(end->date())) : 0;
            seconds = dtstart.is_date ? 0 : std::max<qint64>(0, start->secsTo(*end));
        }
    } else if (durationProperty) {
        const int length = icaldurationtype_as_int(icalproperty_get_duration(durationProperty));
        days = dtstart.is_date ? std::max(0, length) / 86400 : 0;
        seconds = dtstart.is_date ? 0 : std::max(0, length);
    }

    CalendarEvent occurrence;
    occurrence.title = text(icalcomponent_get_summary(event));
    occurrence.location = text(icalcomponent_get_location(event));
    occurrence.notes = text(icalcomponent_get_description(event));
    QList<icalrecurrencetype> rules;
    for (icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); rule;
         rule = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY))
        rules.append(icalproperty_get_rrule(rule));
    occurrence.repeats = !rules.isEmpty();
    occurrence.frequency = rules.isEmpty() ? RepeatInterval::None : intervalOf(rules.constFirst().freq);

    const auto addAt = [&](const QDateTime& at) {
        occurrence.startDate = at;
        if (dtstart.is_date)
            occurrence.endDate = at.date().addDays(days).startOfDay();
        else
            occurrence.endDate = hasEnd ? std::optional(at.addSecs(seconds)) : std::nullopt;
        add(occurrence);
    };
    const bool isMove = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY) != nullptr;
    icalproperty* firstDate = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY);
    if (isMove || (rules.isEmpty() && !firstDate)) {
        addAt(*start);
        return;
    }

    // Wall-clock bounds with a margin of two days, wide enough for any zone; what the range
    // really holds is decided on the instants.
    const qint64 length = dtstart.is_date ? days * secondsPerDay : seconds;
    const qint64 from = secondsOf(m_times.wallClockOf(m_start.addSecs(-length), zone)) - 2 * secondsPerDay;
    const qint64 to = secondsOf(m_times.wallClockOf(m_end, zone)) + 2 * secondsPerDay;
    icaltimetype origin = dtstart;
    if (!icaltime_is_utc(origin))
        origin.zone = nullptr; // iterated on the wall clock of its zone
    QList<QDateTime> starts { *start };
    Budget budget;
    for (const icalrecurrencetype& rule : std::as_const(rules)) {
        if (!expandRule(rule, origin, zone, from, to, starts, budget)) {
            Log::line(
                QStringLiteral("[Kalender] Event \"%1\" übersprungen: seine Wiederholungsregel braucht zu "
                               "lange zum Auflösen (%2)")
                    .arg(occurrence.title, ruleText(rule)));
            return;
        }
    }
    for (icalproperty* date = firstDate; date;
         date = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype value = icalproperty_get_rdate(date);
        const icaltimetype time = icaltime_is_null_time(value.time) ? value.period.start : value.time;
        if (const auto at = m_times.read(time, timeZoneIdOf(date)))
            starts.append(*at);
    }
    QSet<qint64> skipped;
    for (icalproperty* date = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); date;
         date = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
        if (const auto at = m_times.read(icalproperty_get_exdate(date), timeZoneIdOf(date)))
            skipped.insert(at->toSecsSinceEpoch());
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    const QString uid = uidOf(event);
    for (const QDateTime& at : std::as_const(starts)) {
        const qint64 key = at.toSecsSinceEpoch();
        if (!skipped.contains(key) && !m_moved.contains(uid + QString::number(key)))
            addAt(at);
    }
}

qint64 Expansion::untilOf(const icalrecurrencetype& rule, const icaltimetype& origin, const QByteArray& zone)
{
    const icaltimetype until = rule.until;
    if (icaltime_is_null_time(until) || !icaltime_is_valid_time(until)
        || !QDate::isValid(until.year, until.month, until.day))
        return std::numeric_limits<qint64>::max();
    if (origin.is_date) {
        // A whole-day series that ends at a moment ends on the local day of that moment.
        if (!until.is_date && icaltime_is_utc(until)) {
            const QDateTime instant = QDateTime::fromSecsSinceEpoch(secondsOf(until), Qt::UTC);
            return QDateTime(instant.toLocalTime().date(), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
        }
        return QDateTime(QDate(until.year, until.month, until.day), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    }
    if (until.is_date) // the whole last day
        return secondsOf(until) + secondsPerDay - 1;
    if (icaltime_is_utc(until) && !icaltime_is_utc(origin))
        return secondsOf(m_times.wallClockOf(QDateTime::fromSecsSinceEpoch(secondsOf(until), Qt::UTC), zone));
    return secondsOf(until);
}

bool Expansion::expandRule(icalrecurrencetype rule, const icaltimetype& origin, const QByteArray& zone,
    qint64 from, qint64 to, QList<QDateTime>& starts, Budget& budget)
{
    const qint64 limit = std::min(untilOf(rule, origin, zone), to);
    const qint64 originSeconds = secondsOf(origin);
    const int count = rule.count;
    // COUNT is counted here, so that the iteration may be cut into pieces; libical takes no
    // COUNT together with an UNTIL anyway.
    rule.count = 0;
    int counted = 0;
    bool first = true;
    // False when the budget ran out; true when the piece is done or the series is complete.
    const auto iterate = [&](const icaltimetype& begin, qint64 pieceStart, qint64 pieceEnd, bool& complete) {
        icalrecurrencetype piece = rule;
        piece.until = timeAt(std::min(limit, pieceEnd), origin.is_date, origin.zone);
        icalrecur_iterator* iterator = icalrecur_iterator_new(piece, begin);
        if (!iterator) {
            complete = true;
            return true;
        }
        bool withinBudget = true;
        while ((withinBudget = budget.spend())) {
            icaltimetype next = icalrecur_iterator_next(iterator);
            if (icaltime_is_null_time(next))
                break;
            const qint64 at = secondsOf(next);
            if (at < pieceStart)
                continue;
            if (at >= pieceEnd)
                break;
            if (count > 0) {
                // DTSTART is the first occurrence, also where the rule would not give it.
                if (std::exchange(first, false) && at != originSeconds)
                    ++counted;
                if (++counted > count) {
                    complete = true;
                    break;
                }
            }
            if (at < from)
                continue;
            next.is_date = origin.is_date;
            next.zone = origin.zone;
            if (const auto instant = m_times.read(next, zone))
                starts.append(*instant);
        }
        icalrecur_iterator_free(iterator);
        return withinBudget;
    };

    const qint64 period = periodSeconds(rule.freq) * std::max<qint64>(1, rule.interval);
    if (period == 0) {
        // Weeks, months and years: one pass, after moving a start centuries before the range
        // forward by whole calendar cycles. A counted series is counted from its real start.
        icaltimetype begin = origin;
        const int cycle = calendarCycleYears * std::max(1, int(rule.interval));
        const int fromYear = QDateTime::fromSecsSinceEpoch(from, Qt::UTC).date().year();
        if (count == 0 && fromYear - 1 - begin.year >= cycle)
            begin.year += (fromYear - 1 - begin.year) / cycle * cycle;
        bool complete = false;
        return iterate(
            begin, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), complete);
    }

    // Days and shorter: pieces of a bounded number of periods, each iterated from a start moved
    // forward by whole periods to just before the piece, so a series that began years ago costs
    // no more than one that begins in the range.
    qint64 pieceStart = count > 0 ? originSeconds : std::max(originSeconds, from);
    while (pieceStart <= limit) {
        const qint64 pieceEnd = pieceStart + period * periodsPerCall;
        const qint64 periods = std::max<qint64>(0, (pieceStart - originSeconds) / period - 1);
        bool complete = false;
        if (!iterate(timeAt(originSeconds + periods * period, origin.is_date, origin.zone), pieceStart,
                pieceEnd, complete))
            return false;
        if (complete)
            break;
        pieceStart = pieceEnd;
    }
    return true;
}

} // namespace

void expandCalendarFile(
    icalcomponent* root, const QDateTime& start, const QDateTime& end, QList<CalendarEvent>& out)
{
    Expansion(root, start, end, out).run();
}
