import QtQuick
import Zettelwerk.Ui

// The background every card shares: white rounded shape, hairline border, faint shadow.
Item {
    SoftShadow {
        anchors.fill: parent
        anchors.margins: -blur
        anchors.bottomMargin: -(blur + offsetY)
        cornerRadius: 10
        blur: 3
        offsetY: 1
        color: Qt.rgba(0, 0, 0, 0.06)
    }
    Rectangle {
        anchors.fill: parent
        radius: 10
        color: Colors.controlBackground
        border.width: 1
        border.color: Colors.alpha(Colors.primary, 0.06)
    }
}
