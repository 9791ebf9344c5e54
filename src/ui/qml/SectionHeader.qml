import QtQuick
import Zettelwerk.Ui

// "Kommende" or "Vergangen" above a group of the time line.
Item {
    id: header

    property string symbol
    property string title
    property color tint

    implicitWidth: row.implicitWidth
    implicitHeight: row.implicitHeight + 8

    Row {
        id: row
        y: 6
        spacing: 4
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            symbol: header.symbol
            size: 10
            color: header.tint
        }
        Text {
            textFormat: Text.PlainText
            anchors.verticalCenter: parent.verticalCenter
            text: header.title
            font.pixelSize: TextStyle.caption
            font.weight: Font.DemiBold
            color: header.tint
        }
    }
}
