import QtQuick
import Zettelwerk.Ui

// A plain button: an optional symbol and a word in one colour, the whole area clickable.
PanelButton {
    id: button

    property string symbol
    property color color: Colors.primary
    property int weight: Font.Normal
    property real size: TextStyle.subheadline + 2

    implicitWidth: row.implicitWidth + 8
    implicitHeight: Math.max(row.implicitHeight, 22)

    Row {
        id: row
        anchors.centerIn: parent
        spacing: 4
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            visible: button.symbol !== ""
            symbol: button.symbol
            size: button.size - 1
            color: button.color
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            visible: button.text !== ""
            text: button.text
            font.pointSize: TextScale.points(button.size)
            font.weight: button.weight
            color: button.color
        }
    }
    HoverHandler { cursorShape: Qt.PointingHandCursor }
}
