#include "noteeditorcontroller.h"

#include "alarmactions.h"
#include "alarmsounds.h"
#include "appname.h"
#include "appsettings.h"
#include "assign.h"
#include "editordates.h"
#include "filedialog.h"
#include "notestore.h"
#include "panelcontroller.h"
#include "quickadd.h"

#include <QTimer>

namespace {

const QString testHeading = QStringLiteral("Erinnerung (Test)");

const ReminderNote* findNote(const ReminderNotes& notes, const QUuid& id)
{
    const auto found
        = std::find_if(notes.cbegin(), notes.cend(), [&id](const ReminderNote& n) { return n.id == id; });
    return found == notes.cend() ? nullptr : &*found;
}

} // namespace

void NoteEditorController::setPanel(PanelController* panel)
{
    if (m_panel == panel)
        return;
    if (m_panel)
        disconnect(m_panel, nullptr, this, nullptr);
    m_panel = panel;
    // While the editor slides out, a card may open it again on another record.
    if (m_panel)
        connect(m_panel, &PanelController::editorRequested, this, &NoteEditorController::open);
    emit panelChanged();
    open(m_panel ? m_panel->editingNoteId() : QString());
}

void NoteEditorController::open(const QString& id)
{
    m_noteId = QUuid(id);
    resetFields();
    loadNote();
}

NoteStore* NoteEditorController::store() const
{
    return m_panel ? &m_panel->store() : nullptr;
}

QDateTime NoteEditorController::now() const
{
    return m_panel ? m_panel->now() : QDateTime();
}

QString NoteEditorController::noteId() const
{
    return m_noteId.isNull() ? QString() : m_noteId.toString(QUuid::WithoutBraces);
}

void NoteEditorController::resetFields()
{
    const ReminderNote blank;
    m_text = blank.text;
    m_hasAlarm = blank.hasAlarm;
    m_alarmDate = now();
    m_repeatInterval = blank.repeatInterval;
    m_usePopup = blank.usePopup;
    m_useSound = blank.useSound;
    m_soundName = blank.soundName;
    m_launchAppPath = blank.launchAppPath;
    m_shellScript = blank.shellScript;
    m_hasEndDate = false;
    m_alarmEndDate = m_alarmDate;
    m_showDeleteConfirm = false;
    m_isNewNote = false;
    m_errorText.clear();
}

void NoteEditorController::loadNote()
{
    const NoteStore* notes = store();
    const ReminderNote* note = notes ? findNote(notes->notes(), m_noteId) : nullptr;
    const ReminderNote* shown = note || !m_panel ? nullptr : m_panel->liveCalendars().find(m_noteId);
    m_readOnlySource = shown ? shown->importSource : QString();
    if (shown)
        note = shown;
    if (note) {
        m_text = note->text;
        m_hasAlarm = note->hasAlarm;
        m_alarmDate = note->alarmDate;
        m_repeatInterval = note->repeatInterval;
        m_usePopup = note->usePopup;
        m_useSound = note->useSound;
        m_soundName = note->soundName;
        m_launchAppPath = note->launchAppPath;
        m_shellScript = note->shellScript;
        m_hasEndDate = note->alarmEndDate.has_value();
        m_alarmEndDate = note->alarmEndDate.value_or(EditorDates::oneHourLater(m_alarmDate));
        m_isNewNote = !shown && note->text.trimmed().isEmpty();
        if (m_isNewNote) {
            const QString last = m_panel->settings()->lastSoundName();
            if (soundNames().contains(last))
                m_soundName = last;
        }
    }
    emit loaded();
    emit textChanged();
    emit hasAlarmChanged();
    emit alarmDateChanged();
    emit repeatIndexChanged();
    emit usePopupChanged();
    emit useSoundChanged();
    emit soundNameChanged();
    emit launchAppPathChanged();
    emit shellScriptChanged();
    emit hasEndDateChanged();
    emit alarmEndDateChanged();
    emit showDeleteConfirmChanged();
    emit errorTextChanged();
}

void NoteEditorController::setText(const QString& text)
{
    if (assign(m_text, text))
        emit textChanged();
}

QString NoteEditorController::quickAddText() const
{
    if (!m_isNewNote || !m_panel)
        return {};
    const auto reading = QuickAdd::read(m_text, now());
    return reading && !reading->title.isEmpty()
        ? QStringLiteral("Erkannt: %1").arg(QuickAdd::describe(*reading, now()))
        : QString();
}

void NoteEditorController::applyQuickAdd()
{
    const auto reading = m_panel ? QuickAdd::read(m_text, now()) : std::nullopt;
    if (!m_isNewNote || !reading || reading->title.isEmpty())
        return;
    setHasAlarm(true);
    setAlarmDate(reading->at);
    setHasEndDate(reading->until.has_value());
    if (reading->until)
        setAlarmEndDate(*reading->until);
    setRepeatIndex(int(std::find(allRepeatIntervals.cbegin(), allRepeatIntervals.cend(), reading->repeat)
        - allRepeatIntervals.cbegin()));
    setText(reading->title);
}

bool NoteEditorController::canSave() const
{
    return !m_text.trimmed().isEmpty();
}

void NoteEditorController::setHasAlarm(bool on)
{
    if (!assign(m_hasAlarm, on))
        return;
    emit hasAlarmChanged();
    if (on && m_alarmDate < now())
        setAlarmDate(now());
}

void NoteEditorController::setAlarmDate(const QDateTime& date)
{
    if (!date.isValid() || m_alarmDate == date)
        return;
    m_alarmDate = date;
    emit alarmDateChanged();
    // A range must not end before it starts; the end is left alone as long as it does not.
    if (m_hasEndDate && m_alarmEndDate < m_alarmDate) {
        m_alarmEndDate = EditorDates::oneHourLater(m_alarmDate);
        emit alarmEndDateChanged();
    }
}

QString NoteEditorController::alarmTimeText() const
{
    return EditorDates::time(m_alarmDate);
}

int NoteEditorController::repeatIndex() const
{
    const auto found = std::find(allRepeatIntervals.cbegin(), allRepeatIntervals.cend(), m_repeatInterval);
    return static_cast<int>(found - allRepeatIntervals.cbegin());
}

void NoteEditorController::setRepeatIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(allRepeatIntervals.size()) || index == repeatIndex())
        return;
    m_repeatInterval = allRepeatIntervals.at(static_cast<size_t>(index));
    emit repeatIndexChanged();
}

QStringList NoteEditorController::repeatNames()
{
    QStringList names;
    for (const RepeatInterval interval : allRepeatIntervals)
        names.append(repeatIntervalText(interval));
    return names;
}

void NoteEditorController::setUsePopup(bool on)
{
    if (assign(m_usePopup, on))
        emit usePopupChanged();
}

void NoteEditorController::setUseSound(bool on)
{
    if (assign(m_useSound, on))
        emit useSoundChanged();
}

void NoteEditorController::setSoundName(const QString& name)
{
    if (assign(m_soundName, name))
        emit soundNameChanged();
}

int NoteEditorController::soundIndex() const
{
    return static_cast<int>(soundNames().indexOf(m_soundName));
}

void NoteEditorController::setSoundIndex(int index)
{
    const QStringList names = soundNames();
    if (index >= 0 && index < names.size())
        setSoundName(names.at(index));
}

QStringList NoteEditorController::soundNames()
{
    return alarmSoundNames();
}

void NoteEditorController::setLaunchAppPath(const QString& path)
{
    if (assign(m_launchAppPath, path))
        emit launchAppPathChanged();
}

QString NoteEditorController::appName() const
{
    return m_launchAppPath.isEmpty() ? QString() : appDisplayName(m_launchAppPath);
}

void NoteEditorController::setShellScript(const QString& script)
{
    if (assign(m_shellScript, script))
        emit shellScriptChanged();
}

void NoteEditorController::setHasEndDate(bool on)
{
    if (!assign(m_hasEndDate, on))
        return;
    emit hasEndDateChanged();
    if (on && !(m_alarmDate < m_alarmEndDate)) {
        m_alarmEndDate = EditorDates::oneHourLater(m_alarmDate);
        emit alarmEndDateChanged();
    }
}

void NoteEditorController::setAlarmEndDate(const QDateTime& date)
{
    if (!date.isValid())
        return;
    const QDateTime end = std::max(date, m_alarmDate);
    if (m_alarmEndDate == end)
        return;
    m_alarmEndDate = end;
    emit alarmEndDateChanged();
}

QString NoteEditorController::endDayText() const
{
    return EditorDates::day(m_alarmEndDate);
}

QString NoteEditorController::endTimeText() const
{
    return EditorDates::time(m_alarmEndDate);
}

void NoteEditorController::setAlarmDay(const QDateTime& day)
{
    if (day.isValid())
        setAlarmDate(EditorDates::onDay(m_alarmDate, day));
}

bool NoteEditorController::setAlarmTime(const QString& hoursMinutes)
{
    const auto moment = EditorDates::atTime(m_alarmDate, hoursMinutes);
    if (moment)
        setAlarmDate(*moment);
    return moment.has_value();
}

void NoteEditorController::setEndDay(const QDateTime& day)
{
    if (day.isValid())
        setAlarmEndDate(EditorDates::onDay(m_alarmEndDate, day));
}

bool NoteEditorController::setEndTime(const QString& hoursMinutes)
{
    const auto moment = EditorDates::atTime(m_alarmEndDate, hoursMinutes);
    if (moment)
        setAlarmEndDate(*moment);
    return moment.has_value();
}

bool NoteEditorController::save()
{
    NoteStore* notes = store();
    const ReminderNote* stored = notes ? findNote(notes->notes(), m_noteId) : nullptr;
    if (!stored)
        return true;
    ReminderNote note = *stored;
    note.text = m_text;
    note.hasAlarm = m_hasAlarm;
    note.alarmDate = m_alarmDate;
    note.repeatInterval = m_repeatInterval;
    note.usePopup = m_usePopup;
    note.useSound = m_useSound;
    note.soundName = m_soundName;
    note.launchAppPath = m_launchAppPath;
    note.shellScript = m_shellScript;
    note.alarmEndDate = m_hasEndDate ? std::optional(m_alarmEndDate) : std::nullopt;
    // Saving arms the alarm, also one that has fired: with its time still past, the next check
    // raises it again.
    note.isTriggered = false;
    const bool saved = notes->commitNote(note);
    if (saved && m_useSound)
        m_panel->settings()->setLastSoundName(m_soundName);
    return saved;
}

void NoteEditorController::saveOrDelete()
{
    if (!canSave()) {
        removeRecord();
    } else if (!save()) {
        setErrorText(QStringLiteral("Konnte nicht gespeichert werden: ") + store()->saveError());
        return;
    }
    dismiss();
}

void NoteEditorController::confirm()
{
    if (quickAddText().isEmpty())
        saveOrDelete();
    else
        applyQuickAdd();
}

void NoteEditorController::cancelEdit()
{
    if (m_isNewNote)
        removeRecord();
    dismiss();
}

void NoteEditorController::escape()
{
    if (m_showDeleteConfirm) {
        m_showDeleteConfirm = false;
        emit showDeleteConfirmChanged();
    } else if (m_isNewNote && canSave()) {
        m_showDeleteConfirm = true;
        emit showDeleteConfirmChanged();
    } else {
        cancelEdit();
    }
}

void NoteEditorController::deleteNote()
{
    removeRecord();
    dismiss();
}

void NoteEditorController::removeRecord()
{
    NoteStore* notes = store();
    if (notes && findNote(notes->notes(), m_noteId))
        notes->deleteNote(m_noteId);
}

void NoteEditorController::dismiss()
{
    m_showDeleteConfirm = false;
    emit showDeleteConfirmChanged();
    emit dismissed();
    if (m_panel)
        m_panel->dismissEditor();
}

void NoteEditorController::setErrorText(const QString& text)
{
    if (m_errorText == text)
        return;
    m_errorText = text;
    emit errorTextChanged();
}

void NoteEditorController::testAlarm()
{
    if (!m_panel)
        return;
    AlarmActions* actions = m_panel->alarmActions();
    if (actions && m_useSound)
        actions->playSound(m_soundName);
    if (actions)
        actions->notify(testHeading, alarmText(m_text, notificationCharacters));
    NoteStore& notes = m_panel->store();
    notes.setAlarmCount(notes.alarmCount() + 1);
    if (actions)
        actions->requestAttention();
    if (!m_usePopup)
        return;
    // Tied to the panel, not to this editor: closing the editor right away still shows it.
    const FiredAlarm test { {}, alarmText(m_text, popupCharacters), notes.now(), FiredAlarm::Kind::Test };
    QTimer::singleShot(testPopupDelayMs, m_panel, [panel = m_panel, test] {
        if (AlarmActions* later = panel->alarmActions())
            later->showPopup({ test });
    });
}

void NoteEditorController::previewSound()
{
    if (AlarmActions* actions = m_panel ? m_panel->alarmActions() : nullptr)
        actions->playSound(m_soundName);
}

void NoteEditorController::pickApp()
{
    if (const auto path
        = FileDialog::choose({ QStringLiteral("App auswählen"), QStringLiteral("Anwendungen (*.desktop)"),
            false, {}, QStringLiteral("/usr/share/applications"), false }))
        setLaunchAppPath(*path);
}

QString NoteEditorController::readOnlyText() const
{
    if (m_readOnlySource.isEmpty())
        return {};
    return QStringLiteral("Aus dem Kalender \u201E%1\u201C, nur zum Ansehen: Änderungen macht "
                          "das Kalenderprogramm. Importiert wird daraus ein eigener Termin.")
        .arg(m_readOnlySource);
}

QString NoteEditorController::formatSelectedDate() const
{
    return EditorDates::selectedDate(m_alarmDate, now());
}

QString NoteEditorController::formatDateShort(const QDateTime& date)
{
    return EditorDates::dateShort(date);
}
