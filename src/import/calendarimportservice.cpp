#include "calendarimportservice.h"

#include <QPointer>

#include <algorithm>

CalendarImportService::CalendarImportService(CalendarStore* store, Clock clock, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_clock(std::move(clock))
{
    checkAccess();
}

QString CalendarImportService::systemCalendarSource()
{
    return QStringLiteral("Apple Kalender");
}

void CalendarImportService::setAccess(bool granted)
{
    if (granted != m_accessGranted) {
        m_accessGranted = granted;
        emit accessGrantedChanged();
    }
    if (granted) {
        m_calendars = m_store->calendars();
        emit calendarsChanged();
    }
}

void CalendarImportService::checkAccess()
{
    setAccess(m_store && m_store->accessStatus() == CalendarAccess::FullAccess);
}

void CalendarImportService::requestAccess(std::function<void(bool)> done)
{
    if (!m_store) {
        if (done)
            done(false);
        return;
    }
    // The answer may come after the screen, and this service with it, has gone.
    m_store->requestFullAccess([self = QPointer(this), done = std::move(done)](std::optional<bool> granted) {
        if (self && granted)
            self->setAccess(*granted);
        if (done)
            done(granted.value_or(false));
    });
}

QStringList CalendarImportService::knownAmong(const QSet<QString>& calendarIdentifiers) const
{
    QStringList selected;
    for (const CalendarInfo& calendar : m_calendars) {
        if (calendarIdentifiers.contains(calendar.identifier))
            selected.append(calendar.identifier);
    }
    return selected;
}

QList<CalendarEvent> CalendarImportService::eventsByStart(CalendarStore* store,
    const QStringList& calendarIdentifiers, const QDateTime& start, const QDateTime& end)
{
    if (!store || calendarIdentifiers.isEmpty())
        return {};
    QList<CalendarEvent> events = store->events(start, end, calendarIdentifiers);
    std::stable_sort(events.begin(), events.end(),
        [](const CalendarEvent& a, const CalendarEvent& b) { return a.startDate < b.startDate; });
    return events;
}

QList<CalendarEvent> CalendarImportService::fetchEvents(
    const QSet<QString>& calendarIdentifiers, const QDateTime& start, const QDateTime& end) const
{
    return eventsByStart(m_store, knownAmong(calendarIdentifiers), start, end);
}

int CalendarImportService::eventCount(
    const CalendarInfo& calendar, const QDateTime& start, const QDateTime& end) const
{
    if (!m_store)
        return 0;
    return int(m_store->events(start, end, { calendar.identifier }).size());
}

ReminderNote CalendarImportService::importedNote(const QDateTime& now, const QString& text,
    const QDateTime& start, const std::optional<QDateTime>& end, RepeatInterval repeat, const QString& source,
    const QString& batchId)
{
    ReminderNote note = ReminderNote::create(now);
    note.text = text;
    note.hasAlarm = true;
    note.alarmDate = start;
    note.alarmEndDate = end;
    note.repeatInterval = repeat;
    // Done already, silent: an imported event never raises an alarm.
    note.isTriggered = true;
    note.usePopup = false;
    note.useSound = false;
    note.soundName = QStringLiteral("Glass");
    note.importSource = source;
    note.importBatchId = batchId;
    return note;
}

QString CalendarImportService::eventText(const CalendarEvent& event, const QString& untitled)
{
    QString text = event.title.isEmpty() ? untitled : event.title;
    if (!event.location.isEmpty())
        text += QStringLiteral("\nOrt: ") + event.location;
    if (!event.notes.isEmpty())
        text += QStringLiteral("\n\n") + event.notes;
    return text;
}

ReminderNotes CalendarImportService::convertToNotes(
    const QList<CalendarEvent>& events, const QString& batchId) const
{
    ReminderNotes notes;
    notes.reserve(events.size());
    // One batch, one moment: the clock is read once, not per event.
    const QDateTime now = m_clock();
    for (const CalendarEvent& event : events) {
        notes.append(importedNote(now, eventText(event, QStringLiteral("Importiert")), event.startDate,
            event.endDate, event.frequency, systemCalendarSource(), batchId));
    }
    return notes;
}

ReminderNotes CalendarImportService::convertICSToNotes(
    const QList<ICSEvent>& events, const QString& source, const QString& batchId) const
{
    ReminderNotes notes;
    notes.reserve(events.size());
    const QDateTime now = m_clock();
    for (const ICSEvent& event : events) {
        QString text = event.summary;
        if (!event.description.isEmpty()) {
            text.reserve(event.summary.size() + 2 + event.description.size());
            text.append(u"\n\n").append(event.description);
        }
        notes.append(
            importedNote(now, text, event.startDate, event.endDate, event.recurrenceRule, source, batchId));
    }
    return notes;
}
