import QtQuick
import Zettelwerk.Ui

// A labelled switch, tinted when on; an optional symbol stands before the label. Its owner keeps
// the state: `isOn` is bound, a press asks for the new state through `switched`.
PanelButton {
    id: row

    property string symbol
    property color symbolColor: tint
    property string title
    property color tint: Colors.blue
    property real fontScale: 1.0
    signal switched(bool on)

    text: title
    checkable: true
    onClicked: row.switched(!row.isOn)

    implicitHeight: Math.max(track.height, label.implicitHeight) + 4

    Row {
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            visible: row.symbol !== ""
            symbol: row.symbol
            size: 13 * row.fontScale
            color: row.symbolColor
        }
        Text {
            id: label
            anchors.verticalCenter: parent.verticalCenter
            text: row.title
            font.pointSize: TextScale.points(13 * row.fontScale)
            color: Colors.primary
        }
    }
    Rectangle {
        id: track
        objectName: "switch"
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        width: 32
        height: 18
        radius: 9
        color: row.checked ? row.tint : Colors.alpha(Colors.gray, 0.3)
        Behavior on color { ColorAnimation { duration: 120 } }
        Rectangle {
            width: 16
            height: 16
            radius: 8
            y: 1
            x: row.checked ? parent.width - width - 1 : 1
            Behavior on x { NumberAnimation { duration: 120 } }
            color: "white"
            border.width: 1
            border.color: Colors.alpha(Colors.primary, 0.1)
        }
    }
}
