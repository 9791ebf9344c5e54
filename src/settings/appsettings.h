#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

/// The persisted settings, live: a change is stored at once and every screen bound to it
/// follows without a restart. Kept in `QSettings("Zettelwerk", "Zettelwerk")`.
class AppSettings : public QObject {
    Q_OBJECT
    Q_PROPERTY(double fontScale READ fontScale WRITE setFontScale NOTIFY fontScaleChanged)
    Q_PROPERTY(double windowHeight READ windowHeight WRITE setWindowHeight NOTIFY windowHeightChanged)
    Q_PROPERTY(QString lastSoundName READ lastSoundName WRITE setLastSoundName NOTIFY lastSoundNameChanged)
    Q_PROPERTY(bool calendarAccess READ calendarAccess NOTIFY calendarAccessChanged)
    Q_PROPERTY(QString syncFolder READ syncFolder NOTIFY syncFolderChanged)
    Q_PROPERTY(bool syncNotes READ syncNotes NOTIFY syncNotesChanged)
    Q_PROPERTY(QStringList shownCalendars READ shownCalendars NOTIFY shownCalendarsChanged)

public:
    static constexpr double defaultFontScale = 1.0;
    static constexpr double minFontScale = 0.8;
    static constexpr double maxFontScale = 1.3;
    static constexpr double defaultWindowHeight = 580.0;
    static constexpr double minWindowHeight = 400.0;

    explicit AppSettings(QObject* parent = nullptr);

    [[nodiscard]] double fontScale() const { return m_fontScale; }
    /// Kept within 0.8 … 1.3.
    void setFontScale(double scale);
    [[nodiscard]] double windowHeight() const { return m_windowHeight; }
    /// At least 400.
    void setWindowHeight(double height);
    /// The sound of the last record saved with sound on; empty until then.
    [[nodiscard]] QString lastSoundName() const { return m_lastSoundName; }
    void setLastSoundName(const QString& name);

    /// Whether the user has allowed reading the system calendar, asked once on the import screen.
    [[nodiscard]] bool calendarAccess() const { return m_calendarAccess; }
    /// Keeps the answer; false when the settings file could not be written.
    bool setCalendarAccess(bool granted);

    /// The vdir calendar folder the appointments are kept in step with; empty when off.
    [[nodiscard]] QString syncFolder() const { return m_syncFolder; }
    /// Keeps the folder (empty: off); false when the settings file could not be written.
    bool setSyncFolder(const QString& folder);

    /// Whether plain notes are kept in step with that folder too; off unless chosen.
    [[nodiscard]] bool syncNotes() const { return m_syncNotes; }
    /// Keeps the choice; false when the settings file could not be written.
    bool setSyncNotes(bool on);

    /// The calendars shown beside the records without being imported, by identifier.
    [[nodiscard]] QStringList shownCalendars() const { return m_shownCalendars; }
    /// Keeps the list; false when the settings file could not be written.
    bool setShownCalendars(const QStringList& identifiers);

    /// Reads every value again, telling of each that changed: another process (a command the
    /// running app carried out) wrote them.
    void reload();

    /// Font scale 100 % and panel height 580; the sound and the calendar access stay.
    Q_INVOKABLE void reset();

signals:
    void fontScaleChanged();
    void windowHeightChanged();
    void lastSoundNameChanged();
    void calendarAccessChanged();
    void syncFolderChanged();
    void syncNotesChanged();
    void shownCalendarsChanged();

private:
    double m_fontScale = defaultFontScale;
    double m_windowHeight = defaultWindowHeight;
    QString m_lastSoundName;
    bool m_calendarAccess = false;
    QString m_syncFolder;
    bool m_syncNotes = false;
    QStringList m_shownCalendars;
};
