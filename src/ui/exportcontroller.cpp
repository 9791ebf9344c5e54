#include "exportcontroller.h"

#include "filedialog.h"
#include "panelcontroller.h"

#include <QFileDialog>

ExportController::ExportController(QObject* parent)
    : ExportModel(parent)
{
    setFileChooser([](const FileRequest& request) -> std::optional<QString> {
        QFileDialog dialog(nullptr, request.title);
        dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setNameFilter(request.nameFilter);
        if (!request.proposedName.isEmpty())
            dialog.selectFile(request.proposedName);
        return FileDialog::run(dialog);
    });
    connect(this, &ExportModel::changed, this, [this] { m_rows.setGroups(groups()); });
}

void ExportController::setPanel(PanelController* panel)
{
    if (m_panel == panel)
        return;
    m_panel = panel;
    setStore(panel ? &panel->store() : nullptr);
    emit panelChanged();
}
