import QtQuick
import Zettelwerk.Ui

// A small button of the backup screen: optional symbol and text, outlined or filled in its tint.
Rectangle {
    id: button

    property string symbol
    property string text
    property color tint: Colors.blue
    property bool filled: false
    signal clicked()

    implicitWidth: label.implicitWidth + 16
    implicitHeight: label.implicitHeight + 10
    radius: 6
    color: filled ? tint : Colors.alpha(tint, 0.1)
    border.width: 1
    border.color: Colors.alpha(tint, 0.3)

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
    MouseArea {
        anchors.fill: parent
        onClicked: button.clicked()
    }
}
