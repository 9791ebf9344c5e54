import QtQuick
import Zettelwerk.Ui

// A labelled block of the editor: symbol and heading in small semibold grey, then its content.
Column {
    id: section

    property string symbol
    property string title
    property real fontScale: 1.0
    default property alias content: body.data

    spacing: 8

    Row {
        spacing: 5
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            symbol: section.symbol
            size: 12 * section.fontScale
            color: Colors.secondaryText
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: section.title
            font.pointSize: TextScale.points(12 * section.fontScale)
            font.weight: Font.DemiBold
            color: Colors.secondaryText
        }
    }
    Column {
        id: body
        width: parent.width
        spacing: 10
    }
}
