import QtQuick
import Zettelwerk.Ui

SecondaryScreen {
    id: screen

    required property PanelController controller

    backLabel: "Heute"
    onBack: screen.controller.closeCalendarImport()

    PlaceholderText { text: "Kalender importieren" }
}
