import QtQuick
import Zettelwerk.Ui

// What a tab shows when it has nothing: a faint gradient symbol, a word and a hint.
Item {
    id: block

    property string symbol
    property color startColor
    property color endColor
    property string title
    property string hint

    implicitHeight: column.implicitHeight + 48

    Column {
        id: column
        anchors.horizontalCenter: parent.horizontalCenter
        y: 24
        spacing: 8

        GradientIcon {
            anchors.horizontalCenter: parent.horizontalCenter
            symbol: block.symbol
            size: 36
            startColor: block.startColor
            endColor: block.endColor
        }
        Text {
            textFormat: Text.PlainText
            anchors.horizontalCenter: parent.horizontalCenter
            text: block.title
            font.pixelSize: TextStyle.subheadline
            font.weight: Font.Medium
            color: Colors.secondaryText
        }
        Text {
            textFormat: Text.PlainText
            anchors.horizontalCenter: parent.horizontalCenter
            text: block.hint
            font.pixelSize: TextStyle.caption
            color: Colors.alpha(Colors.secondaryText, 0.7)
        }
    }
}
