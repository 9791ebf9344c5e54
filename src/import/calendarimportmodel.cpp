#include "calendarimportmodel.h"

#include "log.h"
#include "notejson.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace {

QString newBatchId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

// Ordinal by code point after canonical composition, case-sensitive: "Z…" before "a…".
bool titleBefore(const QString& a, const QString& b)
{
    const QList<uint> left = a.normalized(QString::NormalizationForm_C).toUcs4();
    const QList<uint> right = b.normalized(QString::NormalizationForm_C).toUcs4();
    return std::lexicographical_compare(left.cbegin(), left.cend(), right.cbegin(), right.cend());
}

} // namespace

QString formatBatchDate(const QDateTime& date)
{
    return QLocale(QLocale::German, QLocale::Germany)
        .toString(date.toLocalTime(), QStringLiteral("d. MMM, HH:mm"));
}

CalendarImportModel::CalendarImportModel(QObject* parent)
    : QObject(parent)
    , m_calendarRows({ QStringLiteral("identifier"), QStringLiteral("title"), QStringLiteral("color"),
          QStringLiteral("countText"), QStringLiteral("selected") })
    , m_collisionRows({ QStringLiteral("title"), QStringLiteral("dateText"), QStringLiteral("replace") })
    , m_historyRows({ QStringLiteral("batchId"), QStringLiteral("source"), QStringLiteral("isICS"),
          QStringLiteral("detailText"), QStringLiteral("confirming") })
{
    connect(&m_appleSelection, &EventSelection::changed, this, &CalendarImportModel::changed);
    connect(&m_icsSelection, &EventSelection::changed, this, &CalendarImportModel::changed);
    // One job at a time, in the order asked; an answer to a question since asked anew is dropped.
    m_worker.setMaxThreadCount(1);
}

CalendarImportModel::~CalendarImportModel()
{
    m_worker.clear();
    m_worker.waitForDone();
}

void CalendarImportModel::waitForResults()
{
    m_worker.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void CalendarImportModel::attach(NoteStore* store, CalendarStore* calendarStore)
{
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    if (!store)
        return;
    connect(store, &NoteStore::notesChanged, this, &CalendarImportModel::refreshHistory);
    m_service = std::make_unique<CalendarImportService>(calendarStore, [store] { return store->now(); });
    const QDate today = store->now().toLocalTime().date();
    m_startDate = QDate(today.year(), today.month(), 1);
    m_endDate = m_startDate.addMonths(1).addDays(-1);
    refreshCalendars();
    refreshHistory();
}

bool CalendarImportModel::accessGranted() const
{
    return m_service && m_service->accessGranted();
}

void CalendarImportModel::setSelectedTab(int tab)
{
    m_selectedTab = tab;
    clearBanner();
    emit changed();
}

void CalendarImportModel::setStartDate(const QDate& day)
{
    if (day.isValid() && day != m_startDate) {
        m_startDate = day;
        rangeChanged();
    }
}

void CalendarImportModel::setEndDate(const QDate& day)
{
    if (day.isValid() && day != m_endDate) {
        m_endDate = day;
        rangeChanged();
    }
}

void CalendarImportModel::rangeChanged()
{
    m_hasFetched = false;
    ++m_eventsGeneration;
    m_eventsPending = false;
    refreshCalendars();
    emit changed();
}

QString CalendarImportModel::startDateText() const
{
    return m_startDate.toString(QStringLiteral("dd.MM.yyyy"));
}

QString CalendarImportModel::endDateText() const
{
    return m_endDate.toString(QStringLiteral("dd.MM.yyyy"));
}

QString CalendarImportModel::bannerText() const
{
    return QStringLiteral("%1 Events importiert!").arg(m_importedCount.value_or(0));
}

QString CalendarImportModel::skippedText() const
{
    if (m_skippedCount == 0)
        return {};
    return QStringLiteral("%1 %2 nicht importiert: %3")
        .arg(m_skippedCount)
        .arg(m_skippedCount == 1 ? QStringLiteral("Event") : QStringLiteral("Events"),
            NoteJson::unstorableDateReason());
}

QString CalendarImportModel::collisionHeading() const
{
    return QStringLiteral("%1 Duplikate gefunden").arg(m_collisions.size());
}

QString CalendarImportModel::newEventsText() const
{
    const qsizetype fresh = m_pendingNotes.size() - m_collisions.size();
    return fresh > 0 ? QStringLiteral("+ %1 neue Events ohne Duplikat").arg(fresh) : QString();
}

void CalendarImportModel::requestAccess()
{
    if (!m_service)
        return;
    m_service->requestAccess([self = QPointer(this)](bool granted) {
        if (self && granted) {
            self->refreshCalendars();
            emit self->changed();
        }
    });
}

void CalendarImportModel::tapCalendar(const QString& identifier)
{
    if (!m_selectedCalendarIDs.remove(identifier))
        m_selectedCalendarIDs.insert(identifier);
    m_fetchedEvents.clear();
    m_appleSelection.clear();
    m_hasFetched = false;
    ++m_eventsGeneration;
    m_eventsPending = false;
    if (!m_selectedCalendarIDs.isEmpty())
        fetchAppleEvents();
    showCalendars();
    emit changed();
}

void CalendarImportModel::fetchAppleEvents()
{
    clearBanner();
    if (!m_service)
        return;
    const quint64 generation = m_eventsGeneration;
    m_eventsPending = true;
    m_worker.start([this, generation, store = m_service->store(),
                       calendars = m_service->knownAmong(m_selectedCalendarIDs), start = rangeStart(),
                       end = queryEnd()] {
        const QList<CalendarEvent> events
            = CalendarImportService::eventsByStart(store, calendars, start, end);
        QMetaObject::invokeMethod(
            this, [this, generation, events] { eventsArrived(generation, events); }, Qt::QueuedConnection);
    });
}

void CalendarImportModel::eventsArrived(quint64 generation, const QList<CalendarEvent>& events)
{
    if (generation != m_eventsGeneration || !m_eventsPending)
        return;
    m_eventsPending = false;
    m_fetchedEvents = events;
    QList<EventSelection::Item> items;
    for (const CalendarEvent& event : std::as_const(m_fetchedEvents))
        items.append(
            { event.title.isEmpty() ? QStringLiteral("?") : event.title, event.startDate, event.repeats });
    m_appleSelection.setItems(items);
    m_hasFetched = true;
    emit changed();
    emit eventsFetched();
}

void CalendarImportModel::startCounting()
{
    const quint64 generation = ++m_countsGeneration;
    m_counts.clear();
    m_countsPending = true;
    m_worker.start([this, generation, store = m_service->store(), calendars = m_service->calendars(),
                       start = rangeStart(), end = queryEnd()] {
        QHash<QString, int> counts;
        for (const CalendarInfo& calendar : calendars)
            counts.insert(calendar.identifier,
                int(CalendarImportService::eventsByStart(store, { calendar.identifier }, start, end).size()));
        QMetaObject::invokeMethod(
            this, [this, generation, counts] { countsArrived(generation, counts); }, Qt::QueuedConnection);
    });
}

void CalendarImportModel::countsArrived(quint64 generation, const QHash<QString, int>& counts)
{
    if (generation != m_countsGeneration)
        return;
    m_counts = counts;
    m_countsPending = false;
    showCalendars();
    emit changed();
}

ReminderNotes CalendarImportModel::storableOnly(ReminderNotes notes)
{
    m_skippedCount = int(notes.removeIf([](const ReminderNote& note) {
        if (NoteJson::isStorable(note))
            return false;
        Log::line(QStringLiteral("[Import] \"%1\" nicht importiert: %2")
                      .arg(note.title(), NoteJson::unstorableDateReason()));
        return true;
    }));
    return notes;
}

void CalendarImportModel::pickICSFile()
{
    const std::optional<QString> path = m_filePicker ? m_filePicker() : std::nullopt;
    if (path)
        openICSFile(*path);
}

void CalendarImportModel::openICSFile(const QString& path)
{
    showICSEvents(QFileInfo(path).fileName(), CalendarImportService::parseICS(path));
}

void CalendarImportModel::openICSData(const QString& fileName, QByteArrayView bytes)
{
    showICSEvents(fileName, parseICSData(bytes));
}

void CalendarImportModel::showICSEvents(const QString& fileName, const QList<ICSEvent>& events)
{
    m_icsFileName = fileName;
    m_icsEventList = events;
    QList<EventSelection::Item> items;
    for (const ICSEvent& event : std::as_const(m_icsEventList))
        items.append({ event.summary, event.startDate, event.recurrenceRule != RepeatInterval::None });
    m_icsSelection.setItems(items);
    clearBanner();
    emit changed();
}

void CalendarImportModel::importICSData(const QString& fileName, QByteArrayView bytes)
{
    if (!m_service)
        return;
    const QString batchId = newBatchId();
    startImportWithCollisionCheck(storableOnly(m_service->convertICSToNotes(
                                      parseICSData(bytes), QStringLiteral("ICS: ") + fileName, batchId)),
        batchId);
}

void CalendarImportModel::importAppleEvents()
{
    if (!m_service)
        return;
    const QString batchId = newBatchId();
    QList<CalendarEvent> chosen;
    for (const int position : m_appleSelection.selectedPositions()) {
        if (position < m_fetchedEvents.size())
            chosen.append(m_fetchedEvents.at(position));
    }
    startImportWithCollisionCheck(storableOnly(m_service->convertToNotes(chosen, batchId)), batchId);
}

void CalendarImportModel::importICSEvents()
{
    if (!m_service)
        return;
    const QString batchId = newBatchId();
    QList<ICSEvent> chosen;
    if (m_icsSelection.selectedCount() == m_icsEventList.size()) {
        chosen = m_icsEventList; // shared, not copied event by event
    } else {
        for (const int position : m_icsSelection.selectedPositions()) {
            if (position < m_icsEventList.size())
                chosen.append(m_icsEventList.at(position));
        }
    }
    startImportWithCollisionCheck(
        storableOnly(m_service->convertICSToNotes(chosen, QStringLiteral("ICS: ") + m_icsFileName, batchId)),
        batchId);
}

void CalendarImportModel::startImportWithCollisionCheck(const ReminderNotes& notes, const QString& batchId)
{
    if (!m_store)
        return;
    Log::line(QStringLiteral("[Import] startImportWithCollisionCheck: %1 notes, batchId=%2")
                  .arg(notes.size())
                  .arg(batchId));
    const QList<CollisionPair> pairs = m_store->findCollisions(notes);
    Log::line(QStringLiteral("[Import] collisions found: %1").arg(pairs.size()));
    if (pairs.isEmpty()) {
        if (!stored(m_store->importNotes(notes), QStringLiteral("Nicht importiert: "))) {
            emit changed();
            return;
        }
        m_importedCount = int(notes.size());
        m_lastBatchId = batchId;
        clearTabState();
        emit changed();
        return;
    }
    m_pendingNotes = notes;
    m_pendingBatchId = batchId;
    m_collisions = pairs;
    m_replaceIncomingIDs.clear();
    refreshCollisions();
    emit changed();
}

void CalendarImportModel::chooseReplace(int row)
{
    if (row < 0 || row >= m_collisions.size())
        return;
    m_replaceIncomingIDs.insert(m_collisions.at(row).incoming.id);
    refreshCollisions();
}

void CalendarImportModel::chooseSkip(int row)
{
    if (row < 0 || row >= m_collisions.size())
        return;
    m_replaceIncomingIDs.remove(m_collisions.at(row).incoming.id);
    refreshCollisions();
}

void CalendarImportModel::replaceAll()
{
    for (const CollisionPair& pair : std::as_const(m_collisions))
        m_replaceIncomingIDs.insert(pair.incoming.id);
    refreshCollisions();
}

void CalendarImportModel::skipAll()
{
    m_replaceIncomingIDs.clear();
    refreshCollisions();
}

void CalendarImportModel::cancelCollisions()
{
    clearPending();
    refreshCollisions();
    emit changed();
}

void CalendarImportModel::executeCollisionImport()
{
    if (!m_pendingBatchId || !m_store)
        return;
    QSet<QUuid> replaceExisting;
    QSet<QUuid> skipIncoming;
    for (const CollisionPair& pair : std::as_const(m_collisions)) {
        if (m_replaceIncomingIDs.contains(pair.incoming.id))
            replaceExisting.insert(pair.existing.id);
        else
            skipIncoming.insert(pair.incoming.id);
    }
    if (!stored(m_store->importWithCollisionResolution(m_pendingNotes, replaceExisting, skipIncoming),
            QStringLiteral("Nicht importiert: "))) {
        emit changed();
        return;
    }
    m_importedCount = int(std::count_if(m_pendingNotes.cbegin(), m_pendingNotes.cend(),
        [&skipIncoming](const ReminderNote& note) { return !skipIncoming.contains(note.id); }));
    m_lastBatchId = m_pendingBatchId;
    clearPending();
    clearTabState();
    refreshCollisions();
    emit changed();
}

void CalendarImportModel::undoImport()
{
    if (m_lastBatchId && m_store
        && !stored(
            m_store->deleteImportBatch(*m_lastBatchId), QStringLiteral("Nicht rückgängig gemacht: "))) {
        emit changed();
        return;
    }
    clearBanner();
    emit changed();
}

bool CalendarImportModel::stored(bool saved, const QString& failurePrefix)
{
    m_errorText = saved ? QString() : failurePrefix + m_store->saveError();
    return saved;
}

void CalendarImportModel::askDeleteBatch(const QString& batchId)
{
    m_batchToDelete = batchId;
    refreshHistory();
}

void CalendarImportModel::confirmDeleteBatch()
{
    const QString batchId = std::exchange(m_batchToDelete, QString());
    if (!batchId.isEmpty() && m_store)
        stored(m_store->deleteImportBatch(batchId), QStringLiteral("Import nicht gelöscht: "));
    refreshHistory();
    emit changed();
}

void CalendarImportModel::cancelDeleteBatch()
{
    m_batchToDelete.clear();
    refreshHistory();
}

void CalendarImportModel::clearBanner()
{
    m_importedCount.reset();
    m_lastBatchId.reset();
    m_skippedCount = 0;
}

void CalendarImportModel::clearTabState()
{
    m_fetchedEvents.clear();
    m_appleSelection.clear();
    m_icsEventList.clear();
    m_icsSelection.clear();
    m_icsFileName.clear();
    m_hasFetched = false;
}

void CalendarImportModel::clearPending()
{
    m_pendingNotes.clear();
    m_pendingBatchId.reset();
    m_collisions.clear();
    m_replaceIncomingIDs.clear();
}

void CalendarImportModel::refreshCalendars()
{
    if (m_service && m_service->accessGranted()) {
        m_service->checkAccess();
        startCounting();
    }
    showCalendars();
}

void CalendarImportModel::showCalendars()
{
    m_sortedCalendars.clear();
    if (m_service && m_service->accessGranted()) {
        for (const CalendarInfo& calendar : m_service->calendars())
            m_sortedCalendars.append({ calendar, m_counts.value(calendar.identifier) });
    }
    std::stable_sort(m_sortedCalendars.begin(), m_sortedCalendars.end(),
        [](const CountedCalendar& a, const CountedCalendar& b) {
            return a.count != b.count ? a.count > b.count : titleBefore(a.calendar.title, b.calendar.title);
        });
    QList<RowModel::Row> rows;
    for (const CountedCalendar& entry : std::as_const(m_sortedCalendars)) {
        rows.append({ entry.calendar.identifier, entry.calendar.title, entry.calendar.color,
            m_countsPending ? QStringLiteral("…") : QString::number(entry.count),
            m_selectedCalendarIDs.contains(entry.calendar.identifier) });
    }
    m_calendarRows.setRows(rows);
}

void CalendarImportModel::refreshCollisions()
{
    QList<RowModel::Row> rows;
    for (const CollisionPair& pair : std::as_const(m_collisions)) {
        rows.append({ pair.incoming.title(), formatPreviewDate(pair.incoming.alarmDate),
            m_replaceIncomingIDs.contains(pair.incoming.id) });
    }
    m_collisionRows.setRows(rows);
}

void CalendarImportModel::refreshHistory()
{
    QList<RowModel::Row> rows;
    if (m_store) {
        const QList<ImportBatchSummary> batches = m_store->importBatches();
        for (const ImportBatchSummary& batch : batches) {
            rows.append({ batch.batchId, batch.source, batch.source.startsWith(QLatin1String("ICS")),
                QStringLiteral("%1 Events - %2").arg(batch.count).arg(formatBatchDate(batch.date)),
                batch.batchId == m_batchToDelete });
        }
    }
    m_historyRows.setRows(rows);
    emit changed();
}
