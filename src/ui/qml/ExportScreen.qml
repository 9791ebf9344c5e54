import QtQuick
import Zettelwerk.Ui

SecondaryScreen {
    id: screen

    required property PanelController controller

    backLabel: "Einstellungen"
    onBack: screen.controller.closeExport()

    PlaceholderText { text: "Backup exportieren" }
}
