#include "calendarimportmodel.h"

#include "log.h"

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
}

CalendarImportModel::~CalendarImportModel() = default;

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
    if (m_selectedCalendarIDs.isEmpty()) {
        m_fetchedEvents.clear();
        m_appleSelection.clear();
        m_hasFetched = false;
        refreshCalendars();
        emit changed();
        return;
    }
    fetchAppleEvents();
    refreshCalendars();
    emit changed();
    emit eventsFetched();
}

void CalendarImportModel::fetchAppleEvents()
{
    m_fetchedEvents = m_service ? m_service->fetchEvents(m_selectedCalendarIDs, rangeStart(), queryEnd())
                                : QList<CalendarEvent>();
    QList<EventSelection::Item> items;
    for (const CalendarEvent& event : std::as_const(m_fetchedEvents))
        items.append(
            { event.title.isEmpty() ? QStringLiteral("?") : event.title, event.startDate, event.repeats });
    m_appleSelection.setItems(items);
    m_hasFetched = true;
    clearBanner();
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
    startImportWithCollisionCheck(m_service->convertToNotes(chosen, batchId), batchId);
}

void CalendarImportModel::importICSEvents()
{
    if (!m_service)
        return;
    const QString batchId = newBatchId();
    QList<ICSEvent> chosen;
    for (const int position : m_icsSelection.selectedPositions()) {
        if (position < m_icsEventList.size())
            chosen.append(m_icsEventList.at(position));
    }
    startImportWithCollisionCheck(
        m_service->convertICSToNotes(chosen, QStringLiteral("ICS: ") + m_icsFileName, batchId), batchId);
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
        m_store->importNotes(notes);
        m_importedCount = int(notes.size());
        m_lastBatchId = batchId;
        clearTabState();
        emit changed();
        return;
    }
    m_pendingNotes = notes;
    m_pendingBatchId = batchId;
    m_collisions = pairs;
    m_replaceExistingIDs.clear();
    m_skipIncomingIDs.clear();
    for (const CollisionPair& pair : pairs)
        m_skipIncomingIDs.insert(pair.incoming.id);
    refreshCollisions();
    emit changed();
}

void CalendarImportModel::chooseReplace(int row)
{
    if (row < 0 || row >= m_collisions.size())
        return;
    m_replaceExistingIDs.insert(m_collisions.at(row).existing.id);
    m_skipIncomingIDs.remove(m_collisions.at(row).incoming.id);
    refreshCollisions();
}

void CalendarImportModel::chooseSkip(int row)
{
    if (row < 0 || row >= m_collisions.size())
        return;
    m_skipIncomingIDs.insert(m_collisions.at(row).incoming.id);
    m_replaceExistingIDs.remove(m_collisions.at(row).existing.id);
    refreshCollisions();
}

void CalendarImportModel::replaceAll()
{
    m_replaceExistingIDs.clear();
    for (const CollisionPair& pair : std::as_const(m_collisions))
        m_replaceExistingIDs.insert(pair.existing.id);
    m_skipIncomingIDs.clear();
    refreshCollisions();
}

void CalendarImportModel::skipAll()
{
    m_skipIncomingIDs.clear();
    for (const CollisionPair& pair : std::as_const(m_collisions))
        m_skipIncomingIDs.insert(pair.incoming.id);
    m_replaceExistingIDs.clear();
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
    m_store->importWithCollisionResolution(m_pendingNotes, m_replaceExistingIDs, m_skipIncomingIDs);
    m_importedCount = int(std::count_if(m_pendingNotes.cbegin(), m_pendingNotes.cend(),
        [this](const ReminderNote& note) { return !m_skipIncomingIDs.contains(note.id); }));
    m_lastBatchId = m_pendingBatchId;
    clearPending();
    clearTabState();
    refreshCollisions();
    emit changed();
}

void CalendarImportModel::undoImport()
{
    if (m_lastBatchId && m_store)
        m_store->deleteImportBatch(*m_lastBatchId);
    clearBanner();
    emit changed();
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
        m_store->deleteImportBatch(batchId);
    refreshHistory();
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
    m_skipIncomingIDs.clear();
    m_replaceExistingIDs.clear();
}

void CalendarImportModel::refreshCalendars()
{
    m_sortedCalendars.clear();
    if (m_service && m_service->accessGranted()) {
        m_service->checkAccess();
        for (const CalendarInfo& calendar : m_service->calendars())
            m_sortedCalendars.append({ calendar, m_service->eventCount(calendar, rangeStart(), queryEnd()) });
    }
    std::stable_sort(m_sortedCalendars.begin(), m_sortedCalendars.end(),
        [](const CountedCalendar& a, const CountedCalendar& b) {
            return a.count != b.count ? a.count > b.count : titleBefore(a.calendar.title, b.calendar.title);
        });
    QList<RowModel::Row> rows;
    for (const CountedCalendar& entry : std::as_const(m_sortedCalendars)) {
        rows.append({ entry.calendar.identifier, entry.calendar.title, entry.calendar.color,
            QString::number(entry.count), m_selectedCalendarIDs.contains(entry.calendar.identifier) });
    }
    m_calendarRows.setRows(rows);
}

void CalendarImportModel::refreshCollisions()
{
    QList<RowModel::Row> rows;
    for (const CollisionPair& pair : std::as_const(m_collisions)) {
        rows.append({ pair.incoming.title(), formatPreviewDate(pair.incoming.alarmDate),
            m_replaceExistingIDs.contains(pair.existing.id) });
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
