import QtQuick
import Zettelwerk.Ui

// The frame of settings, help, about, import and export: a back button naming where it leads,
// a divider, then the screen's own content.
Item {
    id: screen

    property string backLabel: "Zurück"
    default property alias screenContent: contentArea.data
    // The height the content wants, for content that scrolls inside the space it is given (and so
    // has no height of its own to measure); negative: as high as what it holds.
    property real contentHeight: -1
    signal back()

    // Settings and about size to their content; the others are given the panel's height.
    implicitWidth: 380
    implicitHeight: topRow.height + 1 + (contentHeight >= 0 ? contentHeight : contentArea.childrenRect.height)

    Item {
        id: topRow
        width: parent.width
        height: backButton.implicitHeight + 20

        Item {
            id: backButton
            objectName: "backButton"
            x: 14
            y: 10
            implicitWidth: backRow.implicitWidth + 4
            implicitHeight: backRow.implicitHeight + 8
            Row {
                id: backRow
                y: 4
                spacing: 4
                Icon {
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "chevron.left"
                    size: TextStyle.caption
                    font.bold: true
                    color: Colors.blue
                }
                Text {
                    textFormat: Text.PlainText
                    objectName: "backLabel"
                    anchors.verticalCenter: parent.verticalCenter
                    text: screen.backLabel
                    font.pixelSize: TextStyle.subheadline
                    color: Colors.blue
                }
            }
            PanelButton {
                anchors.fill: parent
                objectName: "backButton"
                // "Zurück: Einstellungen" says where it leads; a plain "Zurück" is said once.
                text: screen.backLabel === "Zurück" ? "Zurück" : "Zurück: " + screen.backLabel
                onClicked: screen.back()
            }
        }
    }
    Divider {
        id: divider
        anchors.top: topRow.bottom
        width: parent.width
    }
    Item {
        id: contentArea
        anchors.top: divider.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }
}
