#include "calendarimportcontroller.h"

#include "filedialog.h"
CalendarImportController::CalendarImportController(QObject* parent)
    : CalendarImportModel(parent)
{
    setFilePicker([] {
        return FileDialog::choose({ QStringLiteral("ICS-Datei auswählen"), QStringLiteral("Kalender (*.ics)"),
            false, {}, {}, false });
    });
}

void CalendarImportController::setPanel(PanelController* panel)
{
    if (m_panel == panel)
        return;
    m_panel = panel;
    attach(panel ? &panel->store() : nullptr, panel ? panel->calendarStore() : nullptr);
    emit panelChanged();
}
