#include "livecalendars.h"

#include "calendarimportservice.h"
#include "log.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>

#include <algorithm>

namespace {

// The namespace of the ids of shown occurrences; any fixed UUID would do.
const QUuid liveNamespace(QStringLiteral("{5f0c1e84-2d77-4c1a-9a43-7be1d0b6c2a9}"));

QDate firstOfMonth(const QDate& day)
{
    return QDate(day.year(), day.month(), 1);
}

} // namespace

LiveCalendars::LiveCalendars(Clock clock, QObject* parent)
    : QObject(parent)
    , m_clock(std::move(clock))
{
    m_worker.setMaxThreadCount(1);
    m_delay.setSingleShot(true);
    m_delay.setInterval(300);
    connect(&m_delay, &QTimer::timeout, this, &LiveCalendars::reload);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_delay, qOverload<>(&QTimer::start));
}

LiveCalendars::~LiveCalendars()
{
    m_worker.clear();
    m_worker.waitForDone();
}

void LiveCalendars::setStore(CalendarStore* store)
{
    if (store == m_store)
        return;
    // A reading under way still uses the old store: it must end first.
    ++m_generation;
    m_worker.clear();
    m_worker.waitForDone();
    m_store = store;
    reload();
}

void LiveCalendars::setCalendars(const QStringList& identifiers)
{
    if (identifiers == m_identifiers)
        return;
    m_identifiers = identifiers;
    watchFolders();
    reload();
}

void LiveCalendars::cover(const QDate& month)
{
    const QDate first = month.isValid() ? firstOfMonth(month) : QDate();
    if (first == m_coveredMonth)
        return;
    const QDate today = m_clock().toLocalTime().date();
    const bool readBefore = windows(today, m_coveredMonth).size() > 1;
    m_coveredMonth = first;
    if (readBefore || windows(today, m_coveredMonth).size() > 1)
        reload();
}

QList<LiveCalendars::Window> LiveCalendars::windows(const QDate& today, const QDate& coveredMonth)
{
    const QDate thisMonth = firstOfMonth(today);
    const Window usual { thisMonth.addMonths(-1).startOfDay(), thisMonth.addMonths(13).startOfDay() };
    QList<Window> result { usual };
    if (coveredMonth.isValid()) {
        const QDate first = firstOfMonth(coveredMonth);
        const Window month { first.startOfDay(), first.addMonths(1).startOfDay() };
        if (month.start < usual.start || month.start >= usual.end)
            result.append(month);
    }
    return result;
}

void LiveCalendars::reloadIfOld()
{
    if (!m_readAt.isValid() || m_readAt.secsTo(m_clock()) >= 60)
        reload();
}

void LiveCalendars::reload()
{
    const quint64 generation = ++m_generation;
    m_delay.stop();
    m_readAt = m_clock();
    if (!m_store || m_identifiers.isEmpty()) {
        arrived(generation, {});
        return;
    }
    const QDateTime now = m_clock();
    m_worker.start([this, generation, store = m_store, identifiers = m_identifiers, now,
                       windows = windows(now.toLocalTime().date(), m_coveredMonth)] {
        QHash<QString, CalendarInfo> known;
        for (const CalendarInfo& calendar : store->calendars())
            known.insert(calendar.identifier, calendar);
        ReminderNotes notes;
        QSet<QUuid> seen;
        for (const QString& identifier : identifiers) {
            // A calendar that has gone since it was chosen shows nothing until it is back.
            const auto calendar = known.constFind(identifier);
            if (calendar == known.cend())
                continue;
            for (const Window& window : windows) {
                const ReminderNotes found
                    = toNotes(store->events(window.start, window.end, { identifier }), *calendar);
                // An occurrence that reaches into two windows is read twice.
                for (const ReminderNote& note : found) {
                    if (!seen.contains(note.id)) {
                        seen.insert(note.id);
                        notes.append(note);
                    }
                }
            }
        }
        if (notes.size() > maxShown) {
            // A rule every few minutes would flood every list: those nearest to now stay.
            Log::line(QStringLiteral("[Kalender] %1 Termine im Zeitraum, gezeigt werden die %2 nächsten")
                          .arg(notes.size())
                          .arg(maxShown));
            const qint64 at = now.toMSecsSinceEpoch();
            const auto distance = [at](const ReminderNote& note) {
                return std::abs(note.alarmDate.toMSecsSinceEpoch() - at);
            };
            std::nth_element(notes.begin(), notes.begin() + maxShown, notes.end(),
                [&distance](
                    const ReminderNote& a, const ReminderNote& b) { return distance(a) < distance(b); });
            notes.resize(maxShown);
        }
        std::stable_sort(notes.begin(), notes.end(),
            [](const ReminderNote& a, const ReminderNote& b) { return a.alarmDate < b.alarmDate; });
        QMetaObject::invokeMethod(
            this, [this, generation, notes] { arrived(generation, notes); }, Qt::QueuedConnection);
    });
}

void LiveCalendars::arrived(quint64 generation, const ReminderNotes& notes)
{
    if (generation != m_generation)
        return;
    // A folder made again (vdirsyncer after a wipe) is watched again.
    watchFolders();
    const bool same = std::equal(notes.cbegin(), notes.cend(), m_notes.cbegin(), m_notes.cend(),
        [](const ReminderNote& a, const ReminderNote& b) { return a.hasSameFields(b); });
    if (same)
        return;
    m_notes = notes;
    m_index.clear();
    for (qsizetype i = 0; i < m_notes.size(); ++i)
        m_index.insert(m_notes.at(i).id, i);
    emit changed();
}

const ReminderNote* LiveCalendars::find(const QUuid& id) const
{
    const auto found = m_index.constFind(id);
    return found == m_index.cend() ? nullptr : &m_notes.at(*found);
}

ReminderNotes LiveCalendars::toNotes(const QList<CalendarEvent>& events, const CalendarInfo& calendar)
{
    ReminderNotes notes;
    notes.reserve(events.size());
    QHash<QString, int> repeats;
    for (const CalendarEvent& event : events) {
        // Made at its own start, so that a later reading finds it unchanged.
        ReminderNote note = ReminderNote::create(event.startDate);
        // The same event at the same moment keeps its id, so an open editor stays on it; two
        // alike in one calendar are told apart by their order.
        QString key = calendar.identifier + u'\x1f' + event.title + u'\x1f'
            + QString::number(event.startDate.toMSecsSinceEpoch());
        const int earlier = repeats[key]++;
        if (earlier > 0)
            key += u'\x1f' + QString::number(earlier);
        note.id = QUuid::createUuidV5(liveNamespace, key);
        note.text = CalendarImportService::eventText(event, QStringLiteral("Ohne Titel"));
        note.hasAlarm = true;
        note.alarmDate = event.startDate;
        note.alarmEndDate = event.endDate;
        // Each occurrence is one record of its own; the rule would move it on a second time.
        note.repeatInterval = RepeatInterval::None;
        note.isTriggered = true;
        note.usePopup = false;
        note.useSound = false;
        note.importSource = calendar.title;
        notes.append(note);
    }
    return notes;
}

void LiveCalendars::waitForResults()
{
    m_worker.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void LiveCalendars::watchFolders()
{
    QStringList wanted;
    for (const QString& identifier : std::as_const(m_identifiers)) {
        if (QDir(identifier).exists())
            wanted.append(identifier);
    }
    QStringList watched = m_watcher.directories();
    std::sort(wanted.begin(), wanted.end());
    std::sort(watched.begin(), watched.end());
    if (wanted == watched)
        return;
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    if (!wanted.isEmpty())
        m_watcher.addPaths(wanted);
}
