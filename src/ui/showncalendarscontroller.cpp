#include "showncalendarscontroller.h"

#include "appsettings.h"
#include "panelcontroller.h"

#include <QFileInfo>

ShownCalendarsController::ShownCalendarsController(QObject* parent)
    : QObject(parent)
    , m_rows({ QStringLiteral("identifier"), QStringLiteral("title"), QStringLiteral("color"),
          QStringLiteral("shown"), QStringLiteral("subtitle"), QStringLiteral("spoken") })
{
}

void ShownCalendarsController::setPanel(PanelController* panel)
{
    if (m_panel == panel)
        return;
    if (m_settings)
        disconnect(m_settings, nullptr, this, nullptr);
    m_panel = panel;
    m_settings = panel ? panel->settings() : nullptr;
    if (m_settings) {
        connect(
            m_settings, &AppSettings::shownCalendarsChanged, this, &ShownCalendarsController::readCalendars);
        connect(m_settings, &AppSettings::syncFolderChanged, this, &ShownCalendarsController::readCalendars);
    }
    emit panelChanged();
    readCalendars();
}

void ShownCalendarsController::readCalendars()
{
    QList<RowModel::Row> rows;
    CalendarStore* store = m_panel ? m_panel->calendarStore() : nullptr;
    if (store && m_settings) {
        const QString synced = QFileInfo(m_settings->syncFolder()).canonicalFilePath();
        const QStringList shown = m_settings->shownCalendars();
        for (const CalendarInfo& calendar : store->calendars()) {
            if (calendar.identifier == synced)
                continue;
            const bool on = shown.contains(calendar.identifier);
            const QString subtitle = on ? QStringLiteral("Angezeigt – nur lesen, ohne Alarm")
                                        : QStringLiteral("Nicht angezeigt");
            rows.append({ calendar.identifier, calendar.title, calendar.color, on, subtitle,
                calendar.title + QStringLiteral(", ") + subtitle });
        }
    }
    m_rows.setRows(rows);
    emit changed();
}

QString ShownCalendarsController::statusText() const
{
    if (!m_problem.isEmpty())
        return m_problem;
    if (m_rows.count() == 0)
        return QStringLiteral("Keine Kalender gefunden (Ordner mit .ics-Dateien unter "
                              "~/.local/share/calendars)");
    return QStringLiteral("Termine dieser Kalender erscheinen in „Heute“ und „Termine“, ohne "
                          "Import und ohne Alarm, und folgen ihren Dateien.");
}

void ShownCalendarsController::setShown(const QString& identifier, bool shown)
{
    if (!m_settings)
        return;
    QStringList chosen = m_settings->shownCalendars();
    if (shown == chosen.contains(identifier))
        return;
    if (shown)
        chosen.append(identifier);
    else
        chosen.removeAll(identifier);
    m_problem = m_settings->setShownCalendars(chosen)
        ? QString()
        : QStringLiteral("Die Einstellungen konnten nicht gespeichert werden");
    readCalendars();
}
