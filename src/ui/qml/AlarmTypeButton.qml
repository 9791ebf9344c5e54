import QtQuick
import Zettelwerk.Ui

// A way to raise the alarm, switched on and off: its colour while selected, grey otherwise.
PanelButton {
    id: button

    property string symbol
    property string title
    property bool isSelected: false
    property color color: Colors.blue
    property real fontScale: 1.0

    text: title
    focusRadius: 8
    checkable: true
    isOn: isSelected

    readonly property color tint: isSelected ? color : Colors.secondaryText

    implicitWidth: label.implicitWidth + 24
    implicitHeight: label.implicitHeight + 14

    Rectangle {
        anchors.fill: parent
        radius: 8
        color: button.isSelected ? Colors.alpha(button.color, 0.15) : "transparent"
        border.width: 1
        border.color: button.isSelected ? button.color : Colors.alpha(Colors.primary, 0.1)
    }
    Row {
        id: label
        anchors.centerIn: parent
        spacing: 5
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            symbol: button.symbol
            size: 12 * button.fontScale
            color: button.tint
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: button.title
            font.pointSize: TextScale.points(12 * button.fontScale)
            font.weight: Font.Medium
            color: button.tint
        }
    }
}
