#pragma once

#include "calendarimportmodel.h"
#include "panelcontroller.h"

#include <QPointer>
#include <QtQml/qqml.h>

/// The calendar import screen for QML: the import model on the panel's store and system
/// calendar, with the app's file dialog for .ics files.
class CalendarImportController : public CalendarImportModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PanelController* panel READ panel WRITE setPanel NOTIFY panelChanged)

public:
    explicit CalendarImportController(QObject* parent = nullptr);

    [[nodiscard]] PanelController* panel() const { return m_panel; }
    void setPanel(PanelController* panel);

signals:
    void panelChanged();

private:
    QPointer<PanelController> m_panel;
};
