import QtQuick
import Zettelwerk.Ui

// After an import: how many came in, "Rückgängig" and "Fertig".
Rectangle {
    id: banner

    required property CalendarImportController rules

    implicitHeight: column.implicitHeight + 20
    radius: 10
    color: Colors.alpha(Colors.green, 0.1)
    border.width: 1
    border.color: Colors.alpha(Colors.green, 0.3)

    Column {
        id: column
        x: 10
        y: 10
        width: parent.width - 20
        spacing: 8
        Row {
            spacing: 6
            Icon {
                anchors.verticalCenter: parent.verticalCenter
                symbol: "checkmark.circle.fill"
                size: TextStyle.subheadline
                color: Colors.green
            }
            Text {
                textFormat: Text.PlainText
                objectName: "bannerText"
                anchors.verticalCenter: parent.verticalCenter
                text: banner.rules.bannerText
                font.pixelSize: TextStyle.subheadline
                font.weight: Font.DemiBold
                color: Colors.primary
            }
        }
        Text {
            objectName: "skippedText"
            visible: text !== ""
            width: parent.width
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            text: banner.rules.skippedText
            font.pixelSize: TextStyle.caption
            color: Colors.orange
        }
        Row {
            spacing: 8
            CapsuleButton {
                objectName: "undoImport"
                symbol: "arrow.uturn.backward"
                text: "Rückgängig"
                tint: Colors.orange
                onClicked: banner.rules.undoImport()
            }
            CapsuleButton {
                objectName: "finishImport"
                symbol: "checkmark"
                text: "Fertig"
                tint: Colors.green
                onClicked: banner.rules.finish()
            }
        }
    }
}
