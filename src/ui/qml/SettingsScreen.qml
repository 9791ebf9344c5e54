import QtQuick
import Zettelwerk.Ui

SecondaryScreen {
    id: screen

    required property PanelController controller

    backLabel: "Zurück"
    onBack: screen.controller.showSettings = false

    Column {
        width: parent.width
        PlaceholderText { text: "Einstellungen" }
        PlaceholderText {
            objectName: "showImport"
            text: "Kalender importieren …"
            color: Colors.blue
            MouseArea { anchors.fill: parent; onClicked: screen.controller.showImportFromSettings() }
        }
        PlaceholderText {
            objectName: "showExport"
            text: "Backup exportieren …"
            color: Colors.blue
            MouseArea { anchors.fill: parent; onClicked: screen.controller.showExportFromSettings() }
        }
    }
}
