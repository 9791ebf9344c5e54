import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// One appointment: state colour, date, title, badges and countdown; tap opens the editor.
Item {
    id: card

    required property reminderNote note
    property date now
    property real fontScale: 1.0
    property bool showDelete: true
    signal clicked()
    signal deleteClicked()

    readonly property color accent: Colors.named(info.accentColor)

    implicitHeight: row.implicitHeight

    AppointmentCardController {
        id: info
        note: card.note
        now: card.now
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
        Accessible.description: "Öffnet den Termin im Editor"
        onClicked: card.clicked()
    }

    RowLayout {
        id: row
        anchors.left: parent.left
        anchors.right: parent.right
        spacing: 0

        AccentBar {
            Layout.fillHeight: true
            color: card.accent
        }
        ColumnLayout {
            Layout.leftMargin: 10
            Layout.rightMargin: 10
            Layout.topMargin: 8
            Layout.bottomMargin: 8
            Layout.fillWidth: true
            spacing: 3

            Row {
                spacing: 4
                Icon {
                    anchors.verticalCenter: parent.verticalCenter
                    visible: info.isPast
                    symbol: "checkmark.circle.fill"
                    size: 12 * card.fontScale
                    color: Colors.green
                }
                Text {
                    textFormat: Text.PlainText
                    objectName: "dateText"
                    anchors.verticalCenter: parent.verticalCenter
                    text: info.dateText
                    font.pixelSize: 12 * card.fontScale
                    font.weight: Font.DemiBold
                    color: card.accent
                }
            }
            Text {
                textFormat: Text.PlainText
                objectName: "titleText"
                Layout.fillWidth: true
                text: info.title
                font.pixelSize: 17 * card.fontScale
                font.weight: Font.Medium
                elide: Text.ElideRight
                maximumLineCount: 1
                color: Colors.named(info.titleColor)
            }
            Flow {
                Layout.fillWidth: true
                spacing: 6
                visible: info.badges.length > 0 || info.relativeText !== ""
                Repeater {
                    model: info.badges
                    delegate: Badge {
                        required property badge modelData
                        symbol: modelData.icon
                        text: modelData.text
                        tint: Colors.named(modelData.color)
                        fontScale: card.fontScale
                    }
                }
                Text {
                    textFormat: Text.PlainText
                    visible: text !== ""
                    height: 10 * card.fontScale + 6
                    verticalAlignment: Text.AlignVCenter
                    text: info.relativeText
                    font.pixelSize: 10 * card.fontScale
                    color: Colors.secondaryText
                }
            }
        }
        CardTrailing {
            Layout.rightMargin: 10
            Layout.alignment: Qt.AlignVCenter
            fontScale: card.fontScale
            showDelete: card.showDelete
            onDeleteClicked: card.deleteClicked()
        }
    }
}
