import QtQuick
import Zettelwerk.Ui

SecondaryScreen {
    id: screen

    required property PanelController controller

    backLabel: "Zurück"
    onBack: screen.controller.showHelp = false

    PlaceholderText { text: "Hilfe" }
}
