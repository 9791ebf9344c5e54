import QtQuick
import Zettelwerk.Ui

// A plain symbol button in a square frame.
Item {
    id: button

    property alias symbol: icon.symbol
    property alias size: icon.size
    property alias color: icon.color
    property alias font: icon.font
    signal clicked()

    implicitWidth: 28
    implicitHeight: 28

    Icon {
        id: icon
        anchors.centerIn: parent
        color: Colors.secondaryText
    }
    MouseArea {
        anchors.fill: parent
        onClicked: button.clicked()
    }
}
