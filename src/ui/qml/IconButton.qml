import QtQuick
import Zettelwerk.Ui

// A plain symbol button in a square frame; say what it does in Accessible.name.
PanelButton {
    id: button

    property alias symbol: icon.symbol
    property alias size: icon.size
    property alias color: icon.color

    implicitWidth: 28
    implicitHeight: 28

    Icon {
        id: icon
        anchors.centerIn: parent
        font.bold: button.font.bold
        color: Colors.secondaryText
    }
}
