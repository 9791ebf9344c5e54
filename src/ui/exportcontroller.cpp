#include "exportcontroller.h"

#include "filedialog.h"
#include "panelcontroller.h"

ExportController::ExportController(QObject* parent)
    : ExportModel(parent)
    , m_rows(
          { QStringLiteral("kind"), QStringLiteral("key"), QStringLiteral("title"), QStringLiteral("symbol"),
              QStringLiteral("tint"), QStringLiteral("buttonText"), QStringLiteral("count"),
              QStringLiteral("recordId"), QStringLiteral("dateText"), QStringLiteral("repeatText"),
              QStringLiteral("selected"), QStringLiteral("first"), QStringLiteral("last") })
{
    setFileChooser([](const FileRequest& request) {
        return FileDialog::choose(
            { request.title, request.nameFilter, request.save, request.proposedName, {}, false });
    });
    connect(this, &ExportModel::changed, this, [this] { m_rows.setRows(listRows(groups())); });
}

void ExportController::setPanel(PanelController* panel)
{
    if (m_panel == panel)
        return;
    m_panel = panel;
    setStore(panel ? &panel->store() : nullptr);
    emit panelChanged();
}

QList<RowModel::Row> ExportController::listRows(const QList<ExportGroup>& groups)
{
    QList<RowModel::Row> rows;
    for (const ExportGroup& group : groups) {
        const int count = int(group.rows.size());
        rows.append({ QStringLiteral("group"), group.key, group.title, group.icon, group.color,
            group.buttonText, count, QString(), QString(), QString(), false, false, false });
        for (int i = 0; i < count; ++i) {
            const ExportRow& record = group.rows.at(i);
            // A record's row holds nothing of its group's heading, so "Alle"/"Keine" changes no record.
            rows.append({ QStringLiteral("record"), group.key, record.title, QString(), QString(), QString(),
                0, record.id, record.dateText, record.repeatText, record.selected, i == 0, i == count - 1 });
        }
    }
    return rows;
}
