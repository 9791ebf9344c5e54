#pragma once

#include "rowmodel.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class AppSettings;
class PanelController;

/// The settings screen's calendars shown without importing: one row per calendar of the system
/// calendar (less the folder the records are kept in step with), each switched on or off.
/// Made with the screen, so the calendars are read each time it opens.
class ShownCalendarsController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PanelController* panel READ panel WRITE setPanel NOTIFY panelChanged)
    Q_PROPERTY(RowModel* calendars READ calendars CONSTANT)
    Q_PROPERTY(QString statusText READ statusText NOTIFY changed)

public:
    explicit ShownCalendarsController(QObject* parent = nullptr);

    [[nodiscard]] PanelController* panel() const { return m_panel; }
    void setPanel(PanelController* panel);
    /// Rows of identifier, title, color ("#rrggbb"), shown, subtitle and spoken, in the calendar's order.
    [[nodiscard]] RowModel* calendars() { return &m_rows; }
    /// What showing means, that none were found, or why the last choice could not be kept.
    [[nodiscard]] QString statusText() const;

    /// Shows or hides one calendar; chosen calendars that are missing now stay chosen.
    Q_INVOKABLE void setShown(const QString& identifier, bool shown);

signals:
    void panelChanged();
    void changed();

private:
    void readCalendars();

    QPointer<PanelController> m_panel;
    QPointer<AppSettings> m_settings;
    RowModel m_rows;
    QString m_problem;
};
