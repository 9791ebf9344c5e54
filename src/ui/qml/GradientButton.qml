import QtQuick
import Zettelwerk.Ui

// A wide button in white on a gradient, with an optional symbol.
PanelButton {
    id: button

    property string symbol
    property color startColor: Colors.blue
    property color endColor: Colors.indigo

    implicitWidth: label.implicitWidth + 28
    implicitHeight: label.implicitHeight + 16
    focusRadius: 8

    GradientItem {
        anchors.fill: parent
        radius: 8
        opacity: button.down ? 0.8 : 1
        direction: GradientItem.Horizontal
        startColor: button.startColor
        endColor: button.endColor
    }
    Row {
        id: label
        anchors.centerIn: parent
        spacing: 6
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            visible: button.symbol !== ""
            symbol: button.symbol
            size: TextStyle.subheadline
            color: Colors.onAccent
        }
        Text {
            textFormat: Text.PlainText
            objectName: "label"
            anchors.verticalCenter: parent.verticalCenter
            text: button.text
            font.pixelSize: TextStyle.subheadline
            font.weight: Font.DemiBold
            color: Colors.onAccent
        }
    }
}
