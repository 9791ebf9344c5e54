#pragma once

#include "exportmodel.h"
#include "panelcontroller.h"
#include "rowmodel.h"

#include <QPointer>
#include <QtQml/qqml.h>

/// The backup screen for QML: the export model on the panel's store, asking for files through
/// the app's file dialog.
class ExportController : public ExportModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PanelController* panel READ panel WRITE setPanel NOTIFY panelChanged)
    Q_PROPERTY(RowModel* rows READ rows CONSTANT)

public:
    explicit ExportController(QObject* parent = nullptr);

    [[nodiscard]] PanelController* panel() const { return m_panel; }
    void setPanel(PanelController* panel);
    /// The groups and their records as one list, so that a view builds only the rows in sight.
    [[nodiscard]] RowModel* rows() { return &m_rows; }
    /// Each group's heading row ("group") followed by its records ("record"), with the roles
    /// `kind`, `key`, `title`, `symbol`, `tint`, `buttonText`, `count`, `recordId`, `dateText`,
    /// `repeatText`, `selected`, and `first` and `last` for the ends of a group's card.
    [[nodiscard]] static QList<RowModel::Row> listRows(const QList<ExportGroup>& groups);

signals:
    void panelChanged();

private:
    QPointer<PanelController> m_panel;
    RowModel m_rows;
};
