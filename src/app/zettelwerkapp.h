#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QString>

#include "alarmactions.h"
#include "vdircalendarstore.h"

#include <memory>

class AppSettings;
class DesktopNotifier;
class FolderSync;
class MenuBarLabel;
class NoteStore;
class PanelController;
class QQmlApplicationEngine;
class TrayIcon;
namespace FolderExchange {
struct Report;
}

/// The running tray application: the one store, the tray icon and the panel.
class ZettelwerkApp : public QObject {
    Q_OBJECT

public:
    explicit ZettelwerkApp(const QString& dataDirectory, QObject* parent = nullptr);
    ~ZettelwerkApp() override;

    /// Creates the tray icon; without a tray, loads and shows the panel at once (false when it
    /// could not be loaded). With a tray the panel is loaded when it first opens.
    [[nodiscard]] bool start();
    /// The calendar folders' consent, kept in the settings.
    [[nodiscard]] static VdirCalendarStore::Consent calendarConsent(AppSettings* settings);
    /// Loads the panel unless it is loaded already; false when it cannot be loaded.
    [[nodiscard]] bool loadPanel();

    [[nodiscard]] NoteStore& store() { return *m_store; }
    /// Null until the panel was loaded.
    [[nodiscard]] QQuickWindow* panel() const { return m_panel; }
    [[nodiscard]] const MenuBarLabel& menuBarLabel() const { return *m_label; }
    [[nodiscard]] PanelController& panelController() { return *m_panelController; }

    void showPanel();
    void togglePanel();
    /// The one non-blocking alarm window; alarms shown while it is open join its list.
    void showAlarmPopup(const QList<FiredAlarm>& alarms);
    /// Null while no alarm window is open.
    [[nodiscard]] QQuickWindow* alarmPopup() const { return m_alarmPopup; }

    /// Answers a later start of the program (see `SingleInstance`).
    [[nodiscard]] QByteArray handleRequest(const QByteArray& request);

private:
    void placePanel();
    void keepPanelOnScreen();
    QQmlApplicationEngine& engine();
    void createTray();
    QObject* createAlarmService(NoteStore& store);
    void tellAboutSync(const FolderExchange::Report& report);

    NoteStore* m_store = nullptr;
    FolderSync* m_sync = nullptr;
    // Made for the first exchange that has something to tell.
    DesktopNotifier* m_syncNotifier = nullptr;
    QString m_lastSyncMessage;
    MenuBarLabel* m_label = nullptr;
    TrayIcon* m_tray = nullptr;
    PanelController* m_panelController = nullptr;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QPointer<QQuickWindow> m_panel;
    QPointer<QQuickWindow> m_alarmPopup;
    // What rang since the panel was last open, newest last.
    QList<QUuid> m_rung;
};
