import QtQuick
import Zettelwerk.Ui

// A card of the help: a coloured symbol and a bold title over its content.
Item {
    id: card

    property string symbol
    property color tint
    property string title
    default property alias cardContent: body.data

    implicitHeight: column.implicitHeight

    CardFrame { anchors.fill: parent }
    Column {
        id: column
        width: parent.width
        padding: 12
        spacing: 6

        Row {
            spacing: 6
            Icon {
                anchors.verticalCenter: parent.verticalCenter
                symbol: card.symbol
                size: 12
                color: card.tint
            }
            Text {
                textFormat: Text.PlainText
                anchors.verticalCenter: parent.verticalCenter
                text: card.title
                font.pixelSize: 12
                font.bold: true
                color: Colors.primary
            }
        }
        Column {
            id: body
            width: parent.width - 24
            spacing: 3
        }
    }
}
