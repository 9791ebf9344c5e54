import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// A thin track, blue up to a round white knob.
Slider {
    id: slider

    implicitHeight: 20
    leftPadding: 0
    rightPadding: 0
    snapMode: Slider.SnapAlways

    background: Item {
        x: slider.leftPadding
        width: slider.availableWidth
        height: slider.height
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width
            height: 4
            radius: 2
            color: Colors.alpha(Colors.primary, 0.12)
            Rectangle {
                width: slider.visualPosition * parent.width
                height: parent.height
                radius: 2
                color: Colors.blue
            }
        }
    }
    handle: Rectangle {
        x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
        y: (slider.height - height) / 2
        width: 16
        height: 16
        radius: 8
        color: "white"
        border.width: 1
        border.color: Colors.alpha(Colors.primary, 0.2)
        // Reached by the keyboard: the accent ring around the knob that the arrows move.
        Rectangle {
            anchors.fill: parent
            anchors.margins: -4
            radius: width / 2
            color: "transparent"
            border.width: 2
            border.color: Colors.blue
            visible: slider.visualFocus
        }
    }
}
