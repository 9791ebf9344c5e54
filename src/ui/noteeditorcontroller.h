#pragma once

#include "remindernote.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class AppSettings;
class NoteStore;
class PanelController;

/// The editor of one record: holds its own copy of the fields, writes them back only on save,
/// and closes through the panel. Takes the record, the store, the settings and the desktop's
/// alarm actions from `panel`.
class NoteEditorController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PanelController* panel READ panel WRITE setPanel NOTIFY panelChanged)
    Q_PROPERTY(QString noteId READ noteId NOTIFY loaded)
    Q_PROPERTY(bool isNewNote READ isNewNote NOTIFY loaded)
    Q_PROPERTY(bool readOnly READ readOnly NOTIFY loaded)
    Q_PROPERTY(QString readOnlyText READ readOnlyText NOTIFY loaded)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(bool canSave READ canSave NOTIFY textChanged)
    Q_PROPERTY(QString quickAddText READ quickAddText NOTIFY textChanged)
    Q_PROPERTY(bool hasAlarm READ hasAlarm WRITE setHasAlarm NOTIFY hasAlarmChanged)
    Q_PROPERTY(QDateTime alarmDate READ alarmDate WRITE setAlarmDate NOTIFY alarmDateChanged)
    Q_PROPERTY(QString alarmTimeText READ alarmTimeText NOTIFY alarmDateChanged)
    Q_PROPERTY(QString selectedDateText READ formatSelectedDate NOTIFY alarmDateChanged)
    Q_PROPERTY(QString startText READ startText NOTIFY alarmDateChanged)
    Q_PROPERTY(int repeatIndex READ repeatIndex WRITE setRepeatIndex NOTIFY repeatIndexChanged)
    Q_PROPERTY(QStringList repeatNames READ repeatNames CONSTANT)
    Q_PROPERTY(bool usePopup READ usePopup WRITE setUsePopup NOTIFY usePopupChanged)
    Q_PROPERTY(bool useSound READ useSound WRITE setUseSound NOTIFY useSoundChanged)
    Q_PROPERTY(QString soundName READ soundName WRITE setSoundName NOTIFY soundNameChanged)
    Q_PROPERTY(int soundIndex READ soundIndex WRITE setSoundIndex NOTIFY soundNameChanged)
    Q_PROPERTY(QStringList soundNames READ soundNames CONSTANT)
    Q_PROPERTY(QString launchAppPath READ launchAppPath WRITE setLaunchAppPath NOTIFY launchAppPathChanged)
    Q_PROPERTY(QString appName READ appName NOTIFY launchAppPathChanged)
    Q_PROPERTY(QString shellScript READ shellScript WRITE setShellScript NOTIFY shellScriptChanged)
    Q_PROPERTY(bool hasEndDate READ hasEndDate WRITE setHasEndDate NOTIFY hasEndDateChanged)
    Q_PROPERTY(QDateTime alarmEndDate READ alarmEndDate WRITE setAlarmEndDate NOTIFY alarmEndDateChanged)
    Q_PROPERTY(QString endDayText READ endDayText NOTIFY alarmEndDateChanged)
    Q_PROPERTY(QString endTimeText READ endTimeText NOTIFY alarmEndDateChanged)
    Q_PROPERTY(bool showDeleteConfirm MEMBER m_showDeleteConfirm NOTIFY showDeleteConfirmChanged)
    Q_PROPERTY(QString errorText READ errorText NOTIFY errorTextChanged)

public:
    using QObject::QObject;

    [[nodiscard]] PanelController* panel() const { return m_panel; }
    /// Loads the panel's editing record, and again whenever the panel opens the editor on another.
    void setPanel(PanelController* panel);

    [[nodiscard]] QString noteId() const;
    /// The record was blank when the editor opened: cancelling discards it.
    [[nodiscard]] bool isNewNote() const { return m_isNewNote; }
    /// An occurrence of a calendar shown without importing: shown, never changed or deleted here.
    [[nodiscard]] bool readOnly() const { return !m_readOnlySource.isEmpty(); }
    /// Why it cannot be changed, naming its calendar; empty for a record of the store.
    [[nodiscard]] QString readOnlyText() const;
    [[nodiscard]] QString text() const { return m_text; }
    void setText(const QString& text);
    /// The text holds more than white space, so saving keeps the record.
    [[nodiscard]] bool canSave() const;
    [[nodiscard]] bool hasAlarm() const { return m_hasAlarm; }
    /// Switching on moves an alarm date that has passed to now.
    void setHasAlarm(bool on);
    [[nodiscard]] QDateTime alarmDate() const { return m_alarmDate; }
    /// An end that would lie before the new start moves to one hour after it.
    void setAlarmDate(const QDateTime& date);
    [[nodiscard]] QString alarmTimeText() const;
    [[nodiscard]] QString startText() const { return formatDateShort(m_alarmDate); }
    [[nodiscard]] int repeatIndex() const;
    void setRepeatIndex(int index);
    [[nodiscard]] static QStringList repeatNames();
    [[nodiscard]] bool usePopup() const { return m_usePopup; }
    void setUsePopup(bool on);
    [[nodiscard]] bool useSound() const { return m_useSound; }
    void setUseSound(bool on);
    [[nodiscard]] QString soundName() const { return m_soundName; }
    void setSoundName(const QString& name);
    /// The position in `soundNames()`; -1 for a name from elsewhere.
    [[nodiscard]] int soundIndex() const;
    void setSoundIndex(int index);
    [[nodiscard]] static QStringList soundNames();
    [[nodiscard]] QString launchAppPath() const { return m_launchAppPath; }
    void setLaunchAppPath(const QString& path);
    /// The chosen application's name; empty when none is chosen.
    [[nodiscard]] QString appName() const;
    [[nodiscard]] QString shellScript() const { return m_shellScript; }
    void setShellScript(const QString& script);
    [[nodiscard]] bool hasEndDate() const { return m_hasEndDate; }
    /// Switching on gives an end that is not after the start one hour after it.
    void setHasEndDate(bool on);
    [[nodiscard]] QDateTime alarmEndDate() const { return m_alarmEndDate; }
    /// Never before the start.
    void setAlarmEndDate(const QDateTime& date);
    /// "7. Dez. 2026".
    [[nodiscard]] QString endDayText() const;
    [[nodiscard]] QString endTimeText() const;
    [[nodiscard]] QString errorText() const { return m_errorText; }

    /// Another day at the same time of day; `day` is any moment of that local day.
    Q_INVOKABLE void setAlarmDay(const QDateTime& day);
    /// "HH:mm" on the same day; false (and nothing changes) for anything else.
    Q_INVOKABLE bool setAlarmTime(const QString& hoursMinutes);
    Q_INVOKABLE void setEndDay(const QDateTime& day);
    Q_INVOKABLE bool setEndTime(const QString& hoursMinutes);

    /// Copies the record into the editor; a missing record leaves every field as it was.
    Q_INVOKABLE void loadNote();
    /// Writes the fields into the record and saves; false when the data file could not be written.
    Q_INVOKABLE bool save();
    /// "Speichern": saves, or deletes a record left blank, then closes; stays open if saving failed.
    Q_INVOKABLE void saveOrDelete();
    /// "Abbrechen": a new record is discarded, an existing one stays as it was; then closes.
    Q_INVOKABLE void cancelEdit();
    /// "Ja" to "Löschen?": removes the record and closes.
    Q_INVOKABLE void deleteNote();
    /// Escape: closes the delete question; a new record with text asks before it is dropped;
    /// anything else cancels.
    Q_INVOKABLE void escape();
    /// Raises the alarm from the unsaved fields, without the application and the shell command.
    /// For a new record whose text names a moment: "Erkannt: Morgen, 14:30 · Wöchentlich"; else empty.
    [[nodiscard]] QString quickAddText() const;
    /// Takes what the text names as the alarm, and the words that named it out of the text.
    Q_INVOKABLE void applyQuickAdd();
    /// Ctrl+Enter: takes a suggested alarm first, so a second press saves; else as "Speichern".
    Q_INVOKABLE void confirm();
    Q_INVOKABLE void testAlarm();
    Q_INVOKABLE void previewSound();
    /// Lets the user choose an application entry; cancelling changes nothing.
    Q_INVOKABLE void pickApp();

    /// "Heute, 09:30", "Morgen, 09:30" or "Mi., 9. Dez., 09:30".
    [[nodiscard]] Q_INVOKABLE QString formatSelectedDate() const;
    /// "9. Dez., 09:30".
    [[nodiscard]] Q_INVOKABLE static QString formatDateShort(const QDateTime& date);

    /// How much of the text the test's notification and popup show.
    static constexpr int notificationCharacters = 200;
    static constexpr int popupCharacters = 500;
    static constexpr int testPopupDelayMs = 500;

signals:
    void panelChanged();
    /// The fields hold a record freshly loaded (or reset because it is missing).
    void loaded();
    void textChanged();
    void hasAlarmChanged();
    void alarmDateChanged();
    void repeatIndexChanged();
    void usePopupChanged();
    void useSoundChanged();
    void soundNameChanged();
    void launchAppPathChanged();
    void shellScriptChanged();
    void hasEndDateChanged();
    void alarmEndDateChanged();
    void showDeleteConfirmChanged();
    void errorTextChanged();
    /// Save, cancel or delete is done; the panel has been told to close the editor.
    void dismissed();

private:
    [[nodiscard]] NoteStore* store() const;
    [[nodiscard]] QDateTime now() const;
    void open(const QString& id);
    void resetFields();
    void removeRecord();
    void dismiss();
    void setErrorText(const QString& text);

    QPointer<PanelController> m_panel;
    QUuid m_noteId;
    QString m_text;
    bool m_hasAlarm = false;
    QDateTime m_alarmDate;
    RepeatInterval m_repeatInterval = RepeatInterval::None;
    bool m_usePopup = true;
    bool m_useSound = false;
    QString m_soundName = QStringLiteral("Glass");
    QString m_launchAppPath;
    QString m_shellScript;
    bool m_hasEndDate = false;
    QDateTime m_alarmEndDate;
    bool m_showDeleteConfirm = false;
    bool m_isNewNote = false;
    // The calendar of a shown occurrence; empty for a record of the store.
    QString m_readOnlySource;
    QString m_errorText;
};
