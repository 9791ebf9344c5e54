#pragma once

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

class AppSettings;
class LoginItem;
class NoteStore;
class PanelController;

/// The settings screen: starting at login, the two sliders, the calendar folder and whether notes
/// go there too, reset, and deleting every record.
/// Made with the screen, so the login state is read each time it opens.
class SettingsController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PanelController* panel READ panel WRITE setPanel NOTIFY panelChanged)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(double fontScale READ fontScale WRITE setFontScale NOTIFY fontScaleChanged)
    Q_PROPERTY(QString fontScaleText READ fontScaleText NOTIFY fontScaleChanged)
    Q_PROPERTY(double minFontScale READ minFontScale CONSTANT)
    Q_PROPERTY(double maxFontScale READ maxFontScale CONSTANT)
    Q_PROPERTY(double fontScaleStep READ fontScaleStepSize CONSTANT)
    Q_PROPERTY(double windowHeight READ windowHeight WRITE setWindowHeight NOTIFY windowHeightChanged)
    Q_PROPERTY(QString windowHeightText READ windowHeightText NOTIFY windowHeightChanged)
    Q_PROPERTY(double minWindowHeight READ minWindowHeight CONSTANT)
    Q_PROPERTY(double maxWindowHeight READ maxWindowHeight NOTIFY maxWindowHeightChanged)
    Q_PROPERTY(double windowHeightStep READ windowHeightStepSize CONSTANT)
    Q_PROPERTY(QString recordCountText READ recordCountText NOTIFY recordCountChanged)
    Q_PROPERTY(QString deleteAllQuestion READ deleteAllQuestion NOTIFY recordCountChanged)
    Q_PROPERTY(bool showDeleteAllConfirm READ showDeleteAllConfirm WRITE setShowDeleteAllConfirm NOTIFY
            showDeleteAllConfirmChanged)
    Q_PROPERTY(QString deleteAllError READ deleteAllError NOTIFY deleteAllErrorChanged)
    Q_PROPERTY(bool syncOn READ syncOn WRITE setSyncOn NOTIFY syncChanged)
    Q_PROPERTY(QString syncText READ syncText NOTIFY syncChanged)
    Q_PROPERTY(bool syncNotes READ syncNotes WRITE setSyncNotes NOTIFY syncChanged)
    Q_PROPERTY(QString syncNotesText READ syncNotesText NOTIFY syncChanged)

public:
    static constexpr double fontScaleStep = 0.05;
    static constexpr double windowHeightStep = 20.0;
    /// The height of the free area of the screen the panel is on, none without a screen.
    using ScreenHeight = std::function<std::optional<double>()>;
    /// Asks the user for a folder; nothing when cancelled.
    using FolderChooser = std::function<std::optional<QString>()>;

    explicit SettingsController(QObject* parent = nullptr);

    [[nodiscard]] PanelController* panel() const { return m_panel; }
    /// Takes the store, the live settings and the login item of `panel`; reads the login state.
    void setPanel(PanelController* panel);
    /// For tests; by default that of the panel's screen.
    void setScreenHeight(ScreenHeight screenHeight);

    [[nodiscard]] bool launchAtLogin() const { return m_launchAtLogin; }
    /// Registers or removes the login item; when that fails, shows what really holds.
    void setLaunchAtLogin(bool on);

    [[nodiscard]] double fontScale() const;
    /// Snapped to steps of 5 % within 80 … 130 %.
    void setFontScale(double scale);
    /// The integer part of the percentage: "115%".
    [[nodiscard]] QString fontScaleText() const;
    [[nodiscard]] static double minFontScale();
    [[nodiscard]] static double maxFontScale();
    [[nodiscard]] static double fontScaleStepSize() { return fontScaleStep; }

    [[nodiscard]] double windowHeight() const;
    /// Snapped to steps of 20 from 400, at most `maxWindowHeight`.
    void setWindowHeight(double height);
    /// "580 px".
    [[nodiscard]] QString windowHeightText() const;
    [[nodiscard]] static double minWindowHeight();
    [[nodiscard]] static double windowHeightStepSize() { return windowHeightStep; }
    [[nodiscard]] double maxWindowHeight() const { return windowHeightBound(m_screenHeight()); }
    /// The free screen height less 40, at least 600; 860 without a screen.
    [[nodiscard]] static double windowHeightBound(std::optional<double> screenHeight);

    /// "N Notizen".
    [[nodiscard]] QString recordCountText() const;
    /// "Alle N Notizen unwiderruflich löschen?"
    [[nodiscard]] QString deleteAllQuestion() const;
    [[nodiscard]] bool showDeleteAllConfirm() const { return m_showDeleteAllConfirm; }
    void setShowDeleteAllConfirm(bool show);
    /// Set when the emptied list could not be written; the file then still holds the records.
    [[nodiscard]] QString deleteAllError() const { return m_deleteAllError; }

    /// Whether the appointments are kept in step with a calendar folder.
    [[nodiscard]] bool syncOn() const;
    /// On: with the folder chosen on this screen, else the calendar "Zettelwerk" of the vdir tree,
    /// made when it is not there. Off: the folder and its files stay as they are.
    void setSyncOn(bool on);
    /// The folder kept in step, or why none is: "Aus – …", or the reason it could not be switched on.
    [[nodiscard]] QString syncText() const;
    /// "Ordner wählen …": a folder chosen is kept in step from then on.
    Q_INVOKABLE void chooseSyncFolder();
    void setFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }

    /// Whether plain notes go to the folder too; off by default.
    [[nodiscard]] bool syncNotes() const;
    /// Off: notes already in the folder stay there as they are and are no longer followed.
    void setSyncNotes(bool on);
    /// What the notes' switch means now, or why it could not be switched.
    [[nodiscard]] QString syncNotesText() const;

    /// Empties the store and writes the empty list; every setting stays.
    Q_INVOKABLE void deleteAll();
    /// Font scale 100 % and height 580 px.
    Q_INVOKABLE void reset();

signals:
    void panelChanged();
    void maxWindowHeightChanged();
    void launchAtLoginChanged();
    void fontScaleChanged();
    void windowHeightChanged();
    void recordCountChanged();
    void showDeleteAllConfirmChanged();
    void deleteAllErrorChanged();
    void syncChanged();

private:
    [[nodiscard]] int recordCount() const;
    [[nodiscard]] LoginItem* loginItem() const;
    void setDeleteAllError(const QString& error);
    void useSyncFolder(const QString& folder);

    QPointer<PanelController> m_panel;
    QPointer<AppSettings> m_settings;
    ScreenHeight m_screenHeight;
    bool m_launchAtLogin = false;
    bool m_showDeleteAllConfirm = false;
    QString m_deleteAllError;
    FolderChooser m_chooseFolder;
    QString m_syncProblem;
    QString m_syncNotesProblem;
    bool m_notesLeftInFolder = false;
};
