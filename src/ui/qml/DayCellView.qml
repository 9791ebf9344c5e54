import QtQuick
import Zettelwerk.Ui

// One day: its number on a circle (gradient for today, tint for the selection or the pointer)
// and a dot for what the day holds.
PanelButton {
    id: dayView

    required property dayCell cell

    objectName: "day-" + cell.day
    implicitHeight: 28
    focusRadius: 12
    focusPolicy: cell.isTabStop ? Qt.StrongFocus : Qt.ClickFocus
    text: cell.accessibleName

    Column {
        anchors.centerIn: parent
        spacing: 1

        Item {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 24
            height: 24
            GradientItem {
                anchors.fill: parent
                visible: dayView.cell.isToday
                radius: 12
                startColor: Colors.blue
                endColor: Colors.indigo
            }
            Rectangle {
                anchors.fill: parent
                opacity: !dayView.cell.isToday && (dayView.cell.isSelected || dayView.hovered) ? 1 : 0
                Behavior on opacity { NumberAnimation { duration: 150; easing.type: Easing.InOutQuad } }
                radius: 12
                color: Colors.alpha(Colors.blue, dayView.cell.isSelected ? 0.2 : 0.08)
            }
            Text {
                textFormat: Text.PlainText
                anchors.centerIn: parent
                text: dayView.cell.day
                font.pixelSize: 12
                font.bold: dayView.cell.isToday || dayView.cell.isSelected
                color: dayView.cell.isToday ? Colors.onAccent : dayView.cell.isSelected ? Colors.blue : Colors.primary
            }
        }
        Rectangle {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 4
            height: 4
            radius: 2
            color: Colors.named(dayView.cell.dotColor)
        }
    }
}
