#include "panelcontroller.h"

#include "alarmservice.h"
#include "entrylists.h"
#include "notestore.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QSet>
#include <QWindow>

namespace {

std::optional<QUuid> uuidOf(const QString& text)
{
    const QUuid id(text);
    return id.isNull() ? std::nullopt : std::optional(id);
}

const ReminderNote* findNote(const ReminderNotes& notes, const QUuid& id)
{
    const auto found
        = std::find_if(notes.cbegin(), notes.cend(), [&id](const ReminderNote& n) { return n.id == id; });
    return found == notes.cend() ? nullptr : &*found;
}

} // namespace

PanelController::PanelController(NoteStore& store, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_live([&store] { return store.now(); })
{
    connect(&m_store, &NoteStore::notesChanged, this, &PanelController::recordsChanged);
    connect(&m_live, &LiveCalendars::changed, this, &PanelController::recordsChanged);
    connect(&m_settings, &AppSettings::shownCalendarsChanged, this, &PanelController::showChosenCalendars);
    connect(&m_settings, &AppSettings::syncFolderChanged, this, &PanelController::showChosenCalendars);
    showChosenCalendars();
    m_clockTimer.setSingleShot(true);
    // A coarse timer may fire seconds early and leave a label a minute behind.
    m_clockTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_clockTimer, &QTimer::timeout, this, &PanelController::tickClock);
    refresh();
}

PanelController::Screen PanelController::screen() const
{
    if (m_showExport)
        return Screen::Export;
    if (m_showCalendarImport)
        return Screen::CalendarImport;
    if (m_showSettings)
        return Screen::Settings;
    if (m_showHelp)
        return Screen::Help;
    if (m_showAbout)
        return Screen::About;
    if (m_editingNoteId)
        return Screen::Editor;
    return Screen::Main;
}

void PanelController::setSelectedTab(int tab)
{
    if (m_selectedTab == tab)
        return;
    m_selectedTab = tab;
    emit selectedTabChanged();
}

void PanelController::setSelectedDay(const std::optional<QDate>& day)
{
    if (m_selectedDay == day)
        return;
    m_selectedDay = day;
    emit selectedDayChanged();
    refresh();
}

QDate PanelController::displayedDay() const
{
    return m_selectedDay.value_or(today());
}

QDate PanelController::today() const
{
    return now().toLocalTime().date();
}

QDateTime PanelController::now() const
{
    return m_store.now();
}

QString PanelController::editingNoteId() const
{
    return m_editingNoteId ? m_editingNoteId->toString(QUuid::WithoutBraces) : QString();
}

QString PanelController::deleteTitle() const
{
    if (!m_noteToDelete)
        return {};
    const ReminderNote* note = findNote(m_store.notes(), *m_noteToDelete);
    return note ? note->title() : QString();
}

QString PanelController::deleteQuestion() const
{
    const QString title = deleteTitle();
    return title.isEmpty() ? QString() : QStringLiteral("\"%1\" löschen?").arg(title);
}

void PanelController::setPanelVisible(bool visible)
{
    if (m_panelVisible == visible)
        return;
    m_panelVisible = visible;
    emit panelVisibleChanged();
    if (visible) {
        m_live.reload();
        tickClock();
    } else {
        m_clockTimer.stop();
    }
}

void PanelController::tickClock()
{
    if (m_panelVisible)
        m_live.reloadIfOld();
    refresh();
    emit nowChanged();
    if (m_panelVisible)
        m_clockTimer.start(msUntilLabelsChange());
}

int PanelController::msUntilLabelsChange() const
{
    const QDateTime current = now();
    // Appointments lie on whole minutes, so their labels change as the clock passes one.
    const int toNextMinute = 60'000 - current.time().second() * 1000 - current.time().msec();
    for (const NoteListModel* list : { &m_day, &m_future, &m_today }) {
        for (const ReminderNote& note : list->notes()) {
            const qint64 ahead = current.msecsTo(note.alarmDate);
            if (ahead > 0 && ahead <= 60'000)
                return 1000;
        }
    }
    return toNextMinute;
}

QString PanelController::editingTitle() const
{
    if (!m_editingNoteId)
        return {};
    const ReminderNote* note = findShown(*m_editingNoteId);
    return note ? note->title() : QString();
}

AlarmActions* PanelController::alarmActions() const
{
    auto* service = qobject_cast<AlarmService*>(m_store.alarmService());
    return service ? &service->actions() : nullptr;
}

const ReminderNotes& PanelController::notes() const
{
    return m_live.notes().isEmpty() ? m_store.notes() : m_shown;
}

const ReminderNote* PanelController::findShown(const QUuid& id) const
{
    const ReminderNote* note = findNote(m_store.notes(), id);
    return note ? note : m_live.find(id);
}

bool PanelController::isReadOnly(const QString& id) const
{
    const std::optional<QUuid> uuid = uuidOf(id);
    return uuid && m_live.find(*uuid);
}

void PanelController::setCalendarStore(std::unique_ptr<CalendarStore> store)
{
    m_live.setStore(store.get());
    m_calendarStore = std::move(store);
}

void PanelController::showChosenCalendars()
{
    const QString synced = QFileInfo(m_settings.syncFolder()).canonicalFilePath();
    QStringList shown = m_settings.shownCalendars();
    if (!synced.isEmpty())
        shown.removeAll(synced);
    m_live.setCalendars(shown);
}

QString PanelController::displayDayLabel() const
{
    return EntryLists::displayDayLabel(displayedDay(), now());
}

bool PanelController::hasAppointments() const
{
    return std::any_of(notes().cbegin(), notes().cend(), [](const ReminderNote& n) { return n.hasAlarm; });
}

void PanelController::setFlag(bool& flag, bool value)
{
    if (flag == value)
        return;
    flag = value;
    emit screenChanged();
}

void PanelController::setEditingNote(const std::optional<QUuid>& id)
{
    if (m_editingNoteId == id)
        return;
    m_editingNoteId = id;
    emit screenChanged();
    if (id)
        emit editorRequested(editingNoteId());
}

void PanelController::addNote()
{
    const bool appointment = m_selectedTab == 0 || m_selectedTab == 1;
    const std::optional<ReminderNote> note = appointment
        ? m_store.addNote(true, EntryLists::newAppointmentDate(m_selectedDay, now()))
        : m_store.addNote(false);
    reportChange(note.has_value());
    if (note)
        setEditingNote(note->id);
}

QString PanelController::storeProblem() const
{
    return m_changeError.isEmpty() ? m_store.loadProblem() : m_changeError;
}

void PanelController::reportChange(bool saved)
{
    const QString error
        = saved ? QString() : QStringLiteral("Konnte nicht gespeichert werden: ") + m_store.saveError();
    if (error == m_changeError)
        return;
    m_changeError = error;
    emit storeProblemChanged();
}

void PanelController::openEditor(const QString& id)
{
    setEditingNote(uuidOf(id));
}

void PanelController::dismissEditor()
{
    if (m_editingNoteId) {
        const ReminderNote* note = findShown(*m_editingNoteId);
        if (note && note->hasAlarm) {
            setSelectedDay(note->alarmDate.toLocalTime().date());
            setSelectedTab(0);
        }
    }
    setEditingNote(std::nullopt);
}

void PanelController::tapDay(const QDate& day)
{
    setSelectedDay(m_selectedDay == day ? std::nullopt : std::optional(day));
}

void PanelController::requestDelete(const QString& id)
{
    m_noteToDelete = uuidOf(id);
    emit noteToDeleteChanged();
}

void PanelController::cancelDelete()
{
    m_noteToDelete.reset();
    emit noteToDeleteChanged();
}

void PanelController::confirmDelete()
{
    // A record that vanished meanwhile deletes nothing, and the dialog still closes.
    if (m_noteToDelete && findNote(m_store.notes(), *m_noteToDelete))
        reportChange(m_store.deleteNote(*m_noteToDelete));
    cancelDelete();
}

void PanelController::showImportFromSettings()
{
    setShowSettings(false);
    setShowCalendarImport(true);
}

void PanelController::showExportFromSettings()
{
    setShowSettings(false);
    setShowExport(true);
}

void PanelController::closeCalendarImport()
{
    setShowCalendarImport(false);
    setSelectedTab(0);
}

bool PanelController::goBack()
{
    switch (screen()) {
    case Screen::Export:
        closeExport();
        return false;
    case Screen::CalendarImport:
        closeCalendarImport();
        return false;
    case Screen::Settings:
        setShowSettings(false);
        return false;
    case Screen::Help:
        setShowHelp(false);
        return false;
    case Screen::About:
        setShowAbout(false);
        return false;
    case Screen::Editor:
        dismissEditor();
        return false;
    case Screen::Main:
        break;
    }
    if (m_noteToDelete) {
        cancelDelete();
        return false;
    }
    if (m_showQuitConfirm) {
        m_showQuitConfirm = false;
        emit showQuitConfirmChanged();
        return false;
    }
    return true;
}

void PanelController::closeExport()
{
    setShowExport(false);
    setShowSettings(true);
}

void PanelController::showRungAlarms(const QList<QUuid>& ids)
{
    m_rungIds = ids;
    if (!ids.isEmpty()) {
        setSelectedTab(0);
        setSelectedDay(std::nullopt);
    }
    refresh();
}

void PanelController::forgetRungAlarms()
{
    if (m_rungIds.isEmpty())
        return;
    m_rungIds.clear();
    refresh();
}

void PanelController::recordsChanged()
{
    // Joined once per change, not at every tick of the clock.
    m_shown.clear();
    if (!m_live.notes().isEmpty()) {
        // What was imported from a shown calendar shows once, as the record it became.
        QSet<QUuid> imported;
        for (const CollisionPair& pair : m_store.findCollisions(m_live.notes()))
            imported.insert(pair.incoming.id);
        m_shown = m_store.notes();
        for (const ReminderNote& note : m_live.notes()) {
            if (!imported.contains(note.id))
                m_shown.append(note);
        }
    }
    refresh();
}

void PanelController::refresh()
{
    const ReminderNotes& notes = this->notes();
    const QDateTime current = now();
    // Newest first, each once; a record deleted meanwhile is gone from here too.
    ReminderNotes rung;
    if (!m_rungIds.isEmpty()) {
        const QSet<QUuid> wanted(m_rungIds.cbegin(), m_rungIds.cend());
        QHash<QUuid, const ReminderNote*> byId;
        for (const ReminderNote& note : notes) {
            if (wanted.contains(note.id))
                byId.insert(note.id, &note);
        }
        for (auto id = m_rungIds.crbegin(); id != m_rungIds.crend(); ++id) {
            if (const ReminderNote* note = byId.take(*id))
                rung.append(*note);
        }
    }
    constexpr qsizetype shown = 3;
    m_moreRung = int(std::max<qsizetype>(0, rung.size() - shown));
    m_rung.setNotes(rung.mid(0, shown));
    m_day.setNotes(EntryLists::displayDayAppointments(notes, displayedDay()));
    m_future.setNotes(EntryLists::futureAppointments(notes, current));
    m_today.setNotes(EntryLists::todayAppointments(notes, current));
    m_past.setNotes(EntryLists::pastAppointments(notes, current));
    m_notes.setNotes(EntryLists::plainNotes(notes));
    m_timeline.setLists(m_future.notes(), m_today.notes(), m_past.notes());
    emit listsChanged();
    if (m_noteToDelete)
        emit noteToDeleteChanged();
}

QScreen* PanelController::panelScreen() const
{
    return m_window && m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
}

double PanelController::naturalHeightLimit() const
{
    if (m_heightLimit)
        return *m_heightLimit;
    const QScreen* screen = panelScreen();
    return screen ? std::max(400.0, screen->availableGeometry().height() - 40.0) : 860.0;
}

void PanelController::setNaturalHeightLimit(std::optional<double> limit)
{
    m_heightLimit = limit;
    emit panelScreenChanged();
}

void PanelController::setPanelWindow(QWindow* window)
{
    if (window == m_window)
        return;
    if (m_window)
        disconnect(m_window, nullptr, this, nullptr);
    m_window = window;
    if (window)
        connect(window, &QWindow::screenChanged, this, &PanelController::panelScreenChanged);
    emit panelScreenChanged();
}
