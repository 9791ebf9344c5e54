import QtQuick
import Zettelwerk.Ui

// A small label on a capsule of its own colour.
Rectangle {
    id: chip

    property string symbol
    property string text
    property color tint
    property real fontScale: 1.0

    implicitWidth: row.implicitWidth + 10
    implicitHeight: row.implicitHeight + 4
    radius: height / 2
    color: Colors.alpha(tint, 0.12)

    Row {
        id: row
        anchors.centerIn: parent
        spacing: 2
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            symbol: chip.symbol
            size: 9 * chip.fontScale
            color: chip.tint
        }
        Text {
            textFormat: Text.PlainText
            anchors.verticalCenter: parent.verticalCenter
            text: chip.text
            font.pixelSize: 10 * chip.fontScale
            color: chip.tint
        }
    }
}
