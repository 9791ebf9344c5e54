#pragma once

#include "exportlistmodel.h"
#include "exportmodel.h"
#include "panelcontroller.h"

#include <QPointer>
#include <QtQml/qqml.h>

/// The backup screen for QML: the export model on the panel's store, asking for files through
/// the app's file dialog.
class ExportController : public ExportModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PanelController* panel READ panel WRITE setPanel NOTIFY panelChanged)
    Q_PROPERTY(ExportListModel* rows READ rows CONSTANT)

public:
    explicit ExportController(QObject* parent = nullptr);

    [[nodiscard]] PanelController* panel() const { return m_panel; }
    void setPanel(PanelController* panel);
    /// The groups and their records as the screen lists them.
    [[nodiscard]] ExportListModel* rows() { return &m_rows; }

signals:
    void panelChanged();

private:
    QPointer<PanelController> m_panel;
    ExportListModel m_rows;
};

/// The screen's rows and groups as QML value types.
struct ExportRowForeign {
    Q_GADGET
    QML_FOREIGN(ExportRow)
    QML_VALUE_TYPE(exportRow)
};

struct ExportGroupForeign {
    Q_GADGET
    QML_FOREIGN(ExportGroup)
    QML_VALUE_TYPE(exportGroup)
};
