import QtQuick
import Zettelwerk.Ui

// A small rounded button in its tint, with an optional symbol.
PanelButton {
    id: button

    property string symbol
    property color tint: Colors.blue

    implicitWidth: label.implicitWidth + 16
    implicitHeight: label.implicitHeight + 8
    focusRadius: height / 2

    background: Rectangle {
        radius: button.height / 2
        color: Colors.alpha(button.tint, button.down ? 0.24 : 0.12)
    }

    Row {
        id: label
        anchors.centerIn: parent
        spacing: 4
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            visible: button.symbol !== ""
            symbol: button.symbol
            size: TextStyle.caption
            color: button.tint
        }
        Text {
            textFormat: Text.PlainText
            objectName: "label"
            anchors.verticalCenter: parent.verticalCenter
            text: button.text
            font.pixelSize: TextStyle.caption
            font.weight: Font.Medium
            color: button.tint
        }
    }
}
