import QtQuick
import Zettelwerk.Ui

// A small button of the backup screen: optional symbol and text, outlined or filled in its tint.
PanelButton {
    id: button

    property string symbol
    property color tint: Colors.blue
    property bool filled: false

    implicitWidth: label.implicitWidth + 16
    implicitHeight: label.implicitHeight + 10

    background: Rectangle {
        radius: 6
        color: button.filled ? button.tint : Colors.alpha(button.tint, button.down ? 0.2 : 0.1)
        border.width: 1
        border.color: Colors.alpha(button.tint, 0.3)
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
            color: button.filled ? Colors.onAccent : button.tint
        }
        Text {
            textFormat: Text.PlainText
            anchors.verticalCenter: parent.verticalCenter
            text: button.text
            font.pixelSize: TextStyle.caption
            font.weight: Font.Medium
            color: button.filled ? Colors.onAccent : button.tint
        }
    }
}
