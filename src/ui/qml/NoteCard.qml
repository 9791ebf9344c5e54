import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// One plain note: title, creation day and import source; tap opens the editor.
Item {
    id: card

    required property reminderNote note
    property real fontScale: 1.0
    property bool showDelete: true
    signal clicked()
    signal deleteClicked()

    implicitHeight: row.implicitHeight

    NoteCardController {
        id: info
        note: card.note
    }

    CardFrame { anchors.fill: parent }
    PanelButton {
        id: cardButton
        objectName: "cardButton"
        anchors.fill: parent
        text: info.spokenText
        // Up and down go from card to card, past the delete buttons.
        Keys.onUpPressed: FocusScroll.focusSibling(cardButton, false)
        Keys.onDownPressed: FocusScroll.focusSibling(cardButton, true)
        Accessible.description: "Öffnet die Notiz im Editor"
        onClicked: card.clicked()
    }

    RowLayout {
        id: row
        anchors.left: parent.left
        anchors.right: parent.right
        spacing: 0

        AccentBar {
            Layout.fillHeight: true
            color: Colors.alpha(Colors.gray, 0.3)
        }
        ColumnLayout {
            Layout.leftMargin: 10
            Layout.rightMargin: 10
            Layout.topMargin: 8
            Layout.bottomMargin: 8
            Layout.fillWidth: true
            spacing: 3

            Text {
                textFormat: Text.PlainText
                objectName: "titleText"
                Layout.fillWidth: true
                text: info.title
                font.pixelSize: 17 * card.fontScale
                font.weight: Font.Medium
                elide: Text.ElideRight
                maximumLineCount: 1
                color: Colors.primary
            }
            Row {
                spacing: 6
                Badge {
                    anchors.verticalCenter: parent.verticalCenter
                    visible: info.hasImportBadge
                    symbol: info.importBadge.icon
                    text: info.importBadge.text
                    tint: Colors.named(info.importBadge.color)
                    fontScale: card.fontScale
                }
                Text {
                    textFormat: Text.PlainText
                    anchors.verticalCenter: parent.verticalCenter
                    text: info.createdText
                    font.pixelSize: 12 * card.fontScale
                    color: Colors.secondaryText
                }
            }
        }
        CardTrailing {
            Layout.rightMargin: 10
            Layout.alignment: Qt.AlignVCenter
            chevronSize: 11 * card.fontScale
            fontScale: card.fontScale
            showDelete: card.showDelete
            onDeleteClicked: card.deleteClicked()
        }
    }
}
