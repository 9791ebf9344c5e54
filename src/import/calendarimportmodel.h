#pragma once

#include "calendarimportservice.h"
#include "eventselection.h"
#include "notestore.h"
#include "rowmodel.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <memory>

/// The calendar import screen: the two tabs with their event lists, calendar access, the date
/// range and the calendars, importing with the choice per duplicate, the banner with undo, and
/// the history of imports. Made with the screen; nothing of it is kept.
class CalendarImportModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(int selectedTab READ selectedTab WRITE setSelectedTab NOTIFY changed)
    Q_PROPERTY(bool accessGranted READ accessGranted NOTIFY changed)
    Q_PROPERTY(QDate startDate READ startDate WRITE setStartDate NOTIFY changed)
    Q_PROPERTY(QDate endDate READ endDate WRITE setEndDate NOTIFY changed)
    Q_PROPERTY(QDateTime startDay READ rangeStart NOTIFY changed)
    Q_PROPERTY(QDateTime endDay READ endDay NOTIFY changed)
    Q_PROPERTY(QString startDateText READ startDateText NOTIFY changed)
    Q_PROPERTY(QString endDateText READ endDateText NOTIFY changed)
    Q_PROPERTY(RowModel* calendars READ calendars CONSTANT)
    Q_PROPERTY(bool hasFetched READ hasFetched NOTIFY changed)
    Q_PROPERTY(bool loading READ loading NOTIFY changed)
    Q_PROPERTY(EventSelection* appleEvents READ appleEvents CONSTANT)
    Q_PROPERTY(EventSelection* icsEvents READ icsEvents CONSTANT)
    Q_PROPERTY(QString icsFileName READ icsFileName NOTIFY changed)
    Q_PROPERTY(bool showBanner READ showBanner NOTIFY changed)
    Q_PROPERTY(QString bannerText READ bannerText NOTIFY changed)
    Q_PROPERTY(QString skippedText READ skippedText NOTIFY changed)
    Q_PROPERTY(QString errorText READ errorText NOTIFY changed)
    Q_PROPERTY(bool hasCollisions READ hasCollisions NOTIFY changed)
    Q_PROPERTY(RowModel* collisions READ collisions CONSTANT)
    Q_PROPERTY(QString collisionHeading READ collisionHeading NOTIFY changed)
    Q_PROPERTY(QString newEventsText READ newEventsText NOTIFY changed)
    Q_PROPERTY(RowModel* history READ history CONSTANT)
    Q_PROPERTY(QString batchToDelete READ batchToDelete NOTIFY changed)

public:
    /// Asks the user for a .ics file; nothing when cancelled.
    using FilePicker = std::function<std::optional<QString>()>;
    /// A calendar of the list with the number of its events in the range.
    struct CountedCalendar {
        CalendarInfo calendar;
        int count = 0;
    };

    explicit CalendarImportModel(QObject* parent = nullptr);
    ~CalendarImportModel() override;

    /// Connects the screen to the records and the system calendar (null: none) and checks
    /// access; the range becomes the current month of the store's clock.
    void attach(NoteStore* store, CalendarStore* calendarStore);
    void setFilePicker(FilePicker picker) { m_filePicker = std::move(picker); }

    [[nodiscard]] int selectedTab() const { return m_selectedTab; }
    /// Also hides the success banner.
    void setSelectedTab(int tab);
    [[nodiscard]] bool accessGranted() const;

    [[nodiscard]] QDate startDate() const { return m_startDate; }
    [[nodiscard]] QDate endDate() const { return m_endDate; }
    /// A new range hides the event list until a calendar is tapped again.
    void setStartDate(const QDate& day);
    void setEndDate(const QDate& day);
    /// "01.03.2026".
    [[nodiscard]] QString startDateText() const;
    [[nodiscard]] QString endDateText() const;
    /// The date pickers: the local day of the moment they give.
    Q_INVOKABLE void pickStartDay(const QDateTime& day) { setStartDate(day.toLocalTime().date()); }
    Q_INVOKABLE void pickEndDay(const QDateTime& day) { setEndDate(day.toLocalTime().date()); }
    [[nodiscard]] QDateTime endDay() const { return m_endDate.startOfDay(); }
    /// Local midnight of the first day to local midnight after the last.
    [[nodiscard]] QDateTime rangeStart() const { return m_startDate.startOfDay(); }
    [[nodiscard]] QDateTime queryEnd() const { return m_endDate.addDays(1).startOfDay(); }

    /// Rows: identifier, title, color, countText, selected; most events first, then by title. The
    /// counts are read on a worker: until they arrive, countText is "…".
    [[nodiscard]] RowModel* calendars() { return &m_calendarRows; }
    [[nodiscard]] const QList<CountedCalendar>& sortedCalendars() const { return m_sortedCalendars; }
    [[nodiscard]] bool hasFetched() const { return m_hasFetched; }
    /// Whether counts or events are still being read from the system calendar.
    [[nodiscard]] bool loading() const { return m_countsPending || m_eventsPending; }
    /// Blocks until the counts and events asked for have arrived: for the command line.
    void waitForResults();
    [[nodiscard]] EventSelection* appleEvents() { return &m_appleSelection; }
    [[nodiscard]] EventSelection* icsEvents() { return &m_icsSelection; }
    [[nodiscard]] QString icsFileName() const { return m_icsFileName; }

    [[nodiscard]] std::optional<int> importedCount() const { return m_importedCount; }
    [[nodiscard]] std::optional<QString> lastBatchId() const { return m_lastBatchId; }
    [[nodiscard]] bool showBanner() const { return m_importedCount && m_lastBatchId; }
    /// "3 Events importiert!".
    [[nodiscard]] QString bannerText() const;
    /// Why the last import, undo or deletion did not happen; empty after one that did.
    [[nodiscard]] QString errorText() const { return m_errorText; }
    /// Why events of the last import were left out ("1 Event nicht importiert: …"), empty when
    /// none were.
    [[nodiscard]] QString skippedText() const;

    [[nodiscard]] bool hasCollisions() const { return !m_collisions.isEmpty(); }
    [[nodiscard]] const QList<CollisionPair>& pendingCollisions() const { return m_collisions; }
    /// Rows: title, dateText, replace.
    [[nodiscard]] RowModel* collisions() { return &m_collisionRows; }
    /// "1 Duplikate gefunden".
    [[nodiscard]] QString collisionHeading() const;
    /// "+ 3 neue Events ohne Duplikat", empty when there are none.
    [[nodiscard]] QString newEventsText() const;

    /// Rows: batchId, source, isICS, detailText ("5 Events - 5. März, 14:30"), confirming.
    [[nodiscard]] RowModel* history() { return &m_historyRows; }
    [[nodiscard]] QString batchToDelete() const { return m_batchToDelete; }

    Q_INVOKABLE void requestAccess();
    /// Ticks or unticks a calendar; with any ticked, fetches their events on a worker and, when
    /// they arrive, ticks them all.
    Q_INVOKABLE void tapCalendar(const QString& identifier);
    /// Shows the open panel and reads the chosen file.
    Q_INVOKABLE void pickICSFile();
    void openICSFile(const QString& path);
    /// The same for the contents of a file another process has read; `fileName` names the source.
    void openICSData(const QString& fileName, QByteArrayView bytes);
    /// Every event of such a file as one import, without the list a person ticks events in.
    void importICSData(const QString& fileName, QByteArrayView bytes);

    /// The import buttons of the two tabs.
    Q_INVOKABLE void importAppleEvents();
    Q_INVOKABLE void importICSEvents();

    Q_INVOKABLE void chooseReplace(int row);
    Q_INVOKABLE void chooseSkip(int row);
    Q_INVOKABLE void replaceAll();
    Q_INVOKABLE void skipAll();
    /// "Abbrechen": nothing is imported, the tab comes back as it was.
    Q_INVOKABLE void cancelCollisions();
    /// "Importieren" in the duplicate panel.
    Q_INVOKABLE void executeCollisionImport();

    /// "Rückgängig": removes the records of the last import.
    Q_INVOKABLE void undoImport();
    /// "Fertig".
    Q_INVOKABLE void finish() { emit doneRequested(); }

    Q_INVOKABLE void askDeleteBatch(const QString& batchId);
    Q_INVOKABLE void confirmDeleteBatch();
    Q_INVOKABLE void cancelDeleteBatch();

signals:
    void changed();
    /// Events arrived after a tap on a calendar: the screen scrolls to their list.
    void eventsFetched();
    void doneRequested();

private:
    /// Keeps the store's reason, after `failurePrefix`, when `saved` is false; clears it otherwise.
    bool stored(bool saved, const QString& failurePrefix);
    void fetchAppleEvents();
    void startCounting();
    void countsArrived(quint64 generation, const QHash<QString, int>& counts);
    void eventsArrived(quint64 generation, const QList<CalendarEvent>& events);
    /// `notes` without those the data file cannot hold, which are counted and logged.
    ReminderNotes storableOnly(ReminderNotes notes);
    void startImportWithCollisionCheck(const ReminderNotes& notes, const QString& batchId);
    void clearBanner();
    void showICSEvents(const QString& fileName, const QList<ICSEvent>& events);
    void clearTabState();
    void clearPending();
    void rangeChanged();
    void refreshCalendars();
    void showCalendars();
    void refreshCollisions();
    void refreshHistory();

    QPointer<NoteStore> m_store;
    std::unique_ptr<CalendarImportService> m_service;
    FilePicker m_filePicker;

    int m_selectedTab = 0;
    QSet<QString> m_selectedCalendarIDs;
    QDate m_startDate;
    QDate m_endDate;
    QList<CalendarEvent> m_fetchedEvents;
    QList<ICSEvent> m_icsEventList;
    QString m_icsFileName;
    std::optional<int> m_importedCount;
    std::optional<QString> m_lastBatchId;
    bool m_hasFetched = false;
    EventSelection m_appleSelection;
    EventSelection m_icsSelection;
    QString m_batchToDelete;
    ReminderNotes m_pendingNotes;
    std::optional<QString> m_pendingBatchId;
    QList<CollisionPair> m_collisions;
    /// Each duplicate row's choice belongs to its incoming record, also where two of them
    /// match the same existing one.
    QSet<QUuid> m_replaceIncomingIDs;
    int m_skippedCount = 0;
    QString m_errorText;

    QList<CountedCalendar> m_sortedCalendars;
    RowModel m_calendarRows;
    RowModel m_collisionRows;
    RowModel m_historyRows;

    QHash<QString, int> m_counts;
    bool m_countsPending = false;
    bool m_eventsPending = false;
    quint64 m_countsGeneration = 0;
    quint64 m_eventsGeneration = 0;
    // Last, so that it is gone, and its work done, before anything a job reports to.
    QThreadPool m_worker;
};

/// "d. MMM, HH:mm" in German, local time: "5. März, 14:30".
[[nodiscard]] QString formatBatchDate(const QDateTime& date);
