import QtQuick
import Zettelwerk.Ui

// One block of the settings: a small heading (symbol, title, a value on the right) above a card
// that holds the section's rows.
Column {
    id: section

    property string symbol
    property string title
    property string value
    property color headingColor: Colors.secondaryText
    default property alias cardContent: body.data

    spacing: 6

    Item {
        width: parent.width
        height: heading.implicitHeight

        Row {
            id: heading
            x: 4
            spacing: 4
            Icon {
                anchors.verticalCenter: parent.verticalCenter
                symbol: section.symbol
                size: TextStyle.caption
                color: section.headingColor
            }
            Text {
                textFormat: Text.PlainText
                anchors.verticalCenter: parent.verticalCenter
                text: section.title
                font.pixelSize: TextStyle.caption
                font.weight: Font.DemiBold
                color: section.headingColor
            }
        }
        Text {
            textFormat: Text.PlainText
            objectName: "sectionValue"
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            visible: text !== ""
            text: section.value
            font.pixelSize: TextStyle.caption
            font.weight: Font.Medium
            color: Colors.secondaryText
        }
    }

    Item {
        width: parent.width
        height: body.implicitHeight
        CardFrame { anchors.fill: parent }
        Column {
            id: body
            width: parent.width
        }
    }
}
