#pragma once

#include "appsettings.h"
#include "calendarstore.h"
#include "livecalendars.h"
#include "loginitem.h"
#include "notelistmodel.h"
#include "timelinemodel.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>

class AlarmActions;
class NoteStore;
class QScreen;
class QWindow;

/// The panel's state and navigation: which screen shows, the selected tab and day, the editor,
/// the delete and quit confirmations, and the lists of the three tabs.
class PanelController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the app with its store")

    Q_PROPERTY(Screen screen READ screen NOTIFY screenChanged)
    Q_PROPERTY(int selectedTab READ selectedTab WRITE setSelectedTab NOTIFY selectedTabChanged)
    Q_PROPERTY(QDate selectedDay READ selectedDayOrNull WRITE setSelectedDayOrNull NOTIFY selectedDayChanged)
    Q_PROPERTY(QDate displayedDay READ displayedDay NOTIFY selectedDayChanged)
    Q_PROPERTY(QDate today READ today NOTIFY listsChanged)
    Q_PROPERTY(QDateTime now READ now NOTIFY nowChanged)
    Q_PROPERTY(QString editingNoteId READ editingNoteId NOTIFY screenChanged)
    Q_PROPERTY(QString deleteTitle READ deleteTitle NOTIFY noteToDeleteChanged)
    Q_PROPERTY(QString deleteQuestion READ deleteQuestion NOTIFY noteToDeleteChanged)
    Q_PROPERTY(bool panelVisible READ panelVisible WRITE setPanelVisible NOTIFY panelVisibleChanged)
    Q_PROPERTY(QString editingTitle READ editingTitle NOTIFY screenChanged)
    Q_PROPERTY(bool showQuitConfirm MEMBER m_showQuitConfirm NOTIFY showQuitConfirmChanged)
    Q_PROPERTY(bool showSettings READ showSettings WRITE setShowSettings NOTIFY screenChanged)
    Q_PROPERTY(bool showHelp READ showHelp WRITE setShowHelp NOTIFY screenChanged)
    Q_PROPERTY(bool showAbout READ showAbout WRITE setShowAbout NOTIFY screenChanged)
    Q_PROPERTY(
        bool showCalendarImport READ showCalendarImport WRITE setShowCalendarImport NOTIFY screenChanged)
    Q_PROPERTY(bool showExport READ showExport WRITE setShowExport NOTIFY screenChanged)
    Q_PROPERTY(QString displayDayLabel READ displayDayLabel NOTIFY listsChanged)
    Q_PROPERTY(bool hasAppointments READ hasAppointments NOTIFY listsChanged)
    Q_PROPERTY(AppSettings* settings READ settings CONSTANT)
    Q_PROPERTY(QString storeProblem READ storeProblem NOTIFY storeProblemChanged)
    Q_PROPERTY(NoteListModel* dayAppointments READ dayAppointments CONSTANT)
    Q_PROPERTY(NoteListModel* futureAppointments READ futureAppointments CONSTANT)
    Q_PROPERTY(NoteListModel* todayAppointments READ todayAppointments CONSTANT)
    Q_PROPERTY(NoteListModel* pastAppointments READ pastAppointments CONSTANT)
    Q_PROPERTY(NoteListModel* plainNotes READ plainNotes CONSTANT)
    Q_PROPERTY(NoteListModel* rungAlarms READ rungAlarms CONSTANT)
    Q_PROPERTY(int moreRungAlarms READ moreRungAlarms NOTIFY listsChanged)
    Q_PROPERTY(TimelineModel* timeline READ timeline CONSTANT)
    Q_PROPERTY(double naturalHeightLimit READ naturalHeightLimit NOTIFY panelScreenChanged)

public:
    /// One screen at a time; the first whose flag is set wins, in this order.
    enum class Screen { Export, CalendarImport, Settings, Help, About, Editor, Main };
    Q_ENUM(Screen)

    explicit PanelController(NoteStore& store, QObject* parent = nullptr);

    [[nodiscard]] Screen screen() const;
    [[nodiscard]] int selectedTab() const { return m_selectedTab; }
    void setSelectedTab(int tab);
    [[nodiscard]] std::optional<QDate> selectedDay() const { return m_selectedDay; }
    void setSelectedDay(const std::optional<QDate>& day);
    /// The selected day, or today when none is selected.
    [[nodiscard]] QDate displayedDay() const;
    [[nodiscard]] QDate today() const;
    [[nodiscard]] QDateTime now() const;
    [[nodiscard]] QString editingNoteId() const;
    [[nodiscard]] std::optional<QUuid> noteToDelete() const { return m_noteToDelete; }
    /// The title of the record awaiting deletion, empty when no dialog is to be shown.
    [[nodiscard]] QString deleteTitle() const;
    /// "„title“ löschen?" as the dialog asks it, empty when no dialog is to be shown.
    [[nodiscard]] QString deleteQuestion() const;
    /// The panel is on screen: its lists and times are kept current only then, and are brought
    /// up to date each time it opens (after midnight or a resume, today must be today).
    [[nodiscard]] bool panelVisible() const { return m_panelVisible; }
    void setPanelVisible(bool visible);
    /// How long until the labels of the shown appointments change next: a second while one is
    /// less than a minute away, else the next full minute.
    [[nodiscard]] int msUntilLabelsChange() const;
    /// The title of the record open in the editor, empty when none is open.
    [[nodiscard]] QString editingTitle() const;
    /// Every record, in store order, then the occurrences of the shown calendars: the mini
    /// calendar marks its days from all of them.
    [[nodiscard]] const ReminderNotes& notes() const;
    /// The calendars shown without being imported.
    [[nodiscard]] LiveCalendars& liveCalendars() { return m_live; }
    /// An occurrence of a shown calendar: the editor shows it but does not change it, and it has
    /// no delete button.
    Q_INVOKABLE bool isReadOnly(const QString& id) const;
    /// The month the mini calendar shows, so that the shown calendars cover it.
    void showMonth(const QDate& month) { m_live.cover(month); }
    [[nodiscard]] QString displayDayLabel() const;
    [[nodiscard]] bool hasAppointments() const;

    [[nodiscard]] bool showSettings() const { return m_showSettings; }
    void setShowSettings(bool show) { setFlag(m_showSettings, show); }
    [[nodiscard]] bool showHelp() const { return m_showHelp; }
    void setShowHelp(bool show) { setFlag(m_showHelp, show); }
    [[nodiscard]] bool showAbout() const { return m_showAbout; }
    void setShowAbout(bool show) { setFlag(m_showAbout, show); }
    [[nodiscard]] bool showCalendarImport() const { return m_showCalendarImport; }
    void setShowCalendarImport(bool show) { setFlag(m_showCalendarImport, show); }
    [[nodiscard]] bool showExport() const { return m_showExport; }
    void setShowExport(bool show) { setFlag(m_showExport, show); }

    /// The desktop's alarm actions, once the store has started its alarm service; else null.
    [[nodiscard]] AlarmActions* alarmActions() const;

    /// Font scale, panel height and the last sound: the screens bind to them live.
    [[nodiscard]] AppSettings* settings() { return &m_settings; }
    /// A line for the top of the panel: why the last change there failed, or that the data file
    /// could not be read; empty when all is well.
    [[nodiscard]] QString storeProblem() const;
    /// The store the panel shows; the settings screen deletes all records through it.
    [[nodiscard]] NoteStore& store() const { return m_store; }
    /// Starting at login, for the settings screen; none (always off) unless the app sets one.
    [[nodiscard]] LoginItem* loginItem() const { return m_loginItem.get(); }
    void setLoginItem(std::unique_ptr<LoginItem> item) { m_loginItem = std::move(item); }
    /// The system calendar, for the import screen; none unless the app sets one.
    [[nodiscard]] CalendarStore* calendarStore() const { return m_calendarStore.get(); }
    void setCalendarStore(std::unique_ptr<CalendarStore> store);
    /// The vdir tree a calendar of our own is made in; empty: none.
    [[nodiscard]] const QString& calendarRoot() const { return m_calendarRoot; }
    void setCalendarRoot(const QString& root) { m_calendarRoot = root; }
    /// The screen the panel window is on, for the height bound; the primary screen before the
    /// app has made the window.
    [[nodiscard]] QScreen* panelScreen() const;
    void setPanelWindow(QWindow* window);
    /// How high settings and about may grow the panel before they scroll: the free height of the
    /// panel's screen less 40, at least 400.
    [[nodiscard]] double naturalHeightLimit() const;
    /// A fixed limit instead, e.g. none (infinity) for pictures that are the same on every machine.
    void setNaturalHeightLimit(std::optional<double> limit);
    [[nodiscard]] NoteListModel* dayAppointments() { return &m_day; }
    [[nodiscard]] NoteListModel* futureAppointments() { return &m_future; }
    [[nodiscard]] NoteListModel* todayAppointments() { return &m_today; }
    [[nodiscard]] NoteListModel* pastAppointments() { return &m_past; }
    [[nodiscard]] NoteListModel* plainNotes() { return &m_notes; }
    /// On top of "Heute" while the panel shows what rang: the last three alarms, newest first.
    [[nodiscard]] NoteListModel* rungAlarms() { return &m_rung; }
    /// How many more rang than `rungAlarms` holds.
    [[nodiscard]] int moreRungAlarms() const { return m_moreRung; }
    /// Opens "Heute" on today with these alarms on top (oldest first), until `forgetRungAlarms`.
    void showRungAlarms(const QList<QUuid>& ids);
    void forgetRungAlarms();
    /// The "Termine" tab: the three lists above with their headers, as one list.
    [[nodiscard]] TimelineModel* timeline() { return &m_timeline; }

    /// The header's "+": an appointment on "Heute" and "Termine" (on the selected day at the
    /// current time), a plain note on "Notizen"; then the editor opens on it.
    Q_INVOKABLE void addNote();
    Q_INVOKABLE void openEditor(const QString& id);
    /// The editor closed: an appointment selects its day on "Heute"; anything else just closes.
    Q_INVOKABLE void dismissEditor();
    Q_INVOKABLE void tapDay(const QDate& day);
    Q_INVOKABLE void requestDelete(const QString& id);
    Q_INVOKABLE void cancelDelete();
    Q_INVOKABLE void confirmDelete();
    /// Secondary screens' back buttons and the settings screen's two links.
    Q_INVOKABLE void showImportFromSettings();
    Q_INVOKABLE void showExportFromSettings();
    Q_INVOKABLE void closeCalendarImport();
    /// Escape: closes the open question or goes back one screen; true when there was nothing to
    /// go back from (the main screen), so the panel itself may hide.
    Q_INVOKABLE bool goBack();
    Q_INVOKABLE void closeExport();

signals:
    void screenChanged();
    void selectedTabChanged();
    void selectedDayChanged();
    void noteToDeleteChanged();
    void showQuitConfirmChanged();
    void listsChanged();
    void storeProblemChanged();
    void nowChanged();
    void panelVisibleChanged();
    /// The panel window moved to another screen.
    void panelScreenChanged();
    /// The editor opened on a new or existing record.
    void editorRequested(const QString& id);

private:
    /// Shows or clears the failure of a change made from the panel.
    void reportChange(bool saved);
    void setFlag(bool& flag, bool value);
    void setEditingNote(const std::optional<QUuid>& id);
    QDate selectedDayOrNull() const { return m_selectedDay.value_or(QDate()); }
    void setSelectedDayOrNull(const QDate& day)
    {
        setSelectedDay(day.isValid() ? std::optional(day) : std::nullopt);
    }
    /// The store's records or the shown calendars changed.
    void recordsChanged();
    void refresh();
    void tickClock();
    /// The shown calendars of the settings, less the folder the records are kept in step with:
    /// its events are the records themselves.
    void showChosenCalendars();
    [[nodiscard]] const ReminderNote* findShown(const QUuid& id) const;

    NoteStore& m_store;
    AppSettings m_settings;
    std::unique_ptr<LoginItem> m_loginItem;
    std::unique_ptr<CalendarStore> m_calendarStore;
    // After the calendar store: it reads from it on a worker until it is gone.
    LiveCalendars m_live;
    // The store's records and the shown calendars' occurrences; empty while none are shown.
    ReminderNotes m_shown;
    QString m_calendarRoot;
    QPointer<QWindow> m_window;
    std::optional<double> m_heightLimit;
    int m_selectedTab = 0;
    std::optional<QDate> m_selectedDay;
    std::optional<QUuid> m_editingNoteId;
    std::optional<QUuid> m_noteToDelete;
    QString m_changeError;
    bool m_showQuitConfirm = false;
    bool m_showSettings = false;
    bool m_showHelp = false;
    bool m_showAbout = false;
    bool m_showCalendarImport = false;
    bool m_showExport = false;
    NoteListModel m_day;
    NoteListModel m_rung;
    QList<QUuid> m_rungIds;
    int m_moreRung = 0;
    NoteListModel m_future;
    NoteListModel m_today;
    NoteListModel m_past;
    NoteListModel m_notes;
    TimelineModel m_timeline;
    bool m_panelVisible = false;
    // Relative times and the day boundaries move with the clock even when no record changes.
    QTimer m_clockTimer;
};
