#include "calendarimportcontroller.h"

#include "filedialog.h"

#include <QFileDialog>

CalendarImportController::CalendarImportController(QObject* parent)
    : CalendarImportModel(parent)
{
    setFilePicker([]() -> std::optional<QString> {
        QFileDialog dialog(nullptr, QStringLiteral("ICS-Datei auswählen"));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(QStringLiteral("Kalender (*.ics)"));
        return FileDialog::run(dialog);
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
