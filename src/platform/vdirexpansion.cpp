#include "vdirexpansion.h"

#include <QHash>
#include <QSet>
#include <QTimeZone>

#include <algorithm>

namespace {

// Enough for an hourly rule over more than ten years; a rule that yields more is cut off there.
constexpr int maxOccurrencesPerRule = 100'000;

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

private:
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
        QTimeZone zone(id);
        if (!zone.isValid() && !QTimeZone::windowsIdToDefaultIanaId(id).isEmpty())
            zone = QTimeZone(QTimeZone::windowsIdToDefaultIanaId(id));
        return *m_zones.insert(id, zone.isValid() ? std::optional(zone) : std::nullopt);
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

    QList<QDateTime> starts { *start };
    for (const icalrecurrencetype& rule : std::as_const(rules)) {
        icalrecur_iterator* iterator = icalrecur_iterator_new(rule, dtstart);
        if (!iterator)
            continue;
        for (int i = 0; i < maxOccurrencesPerRule; ++i) {
            icaltimetype next = icalrecur_iterator_next(iterator);
            if (icaltime_is_null_time(next))
                break;
            next.is_date = dtstart.is_date;
            next.zone = dtstart.zone;
            const auto at = m_times.read(next, zone);
            if (!at || *at >= m_end)
                break;
            starts.append(*at);
        }
        icalrecur_iterator_free(iterator);
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

} // namespace

void expandCalendarFile(
    icalcomponent* root, const QDateTime& start, const QDateTime& end, QList<CalendarEvent>& out)
{
    Expansion(root, start, end, out).run();
}
