import QtQuick
import Zettelwerk.Ui

// A wide button in white on a gradient, with an optional symbol.
Item {
    id: button

    property string symbol
    property string text
    property color startColor: Colors.blue
    property color endColor: Colors.indigo
    signal clicked()

    implicitWidth: label.implicitWidth + 28
    implicitHeight: label.implicitHeight + 16

    GradientItem {
        anchors.fill: parent
        radius: 8
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
    MouseArea {
        anchors.fill: parent
        onClicked: button.clicked()
    }
}
