import QtQuick
import Zettelwerk.Ui

// Stands in for the editor: names the record and closes again.
Rectangle {
    id: editor

    required property PanelController controller
    property real fontScale: 1.0

    color: Colors.windowBackground

    Column {
        anchors.fill: parent
        anchors.margins: 14
        spacing: 14

        Text {
            objectName: "editorTitle"
            width: parent.width
            elide: Text.ElideRight
            text: editor.controller.editingTitle
            font.pixelSize: 17 * editor.fontScale
            font.weight: Font.Medium
            color: Colors.primary
        }
        Rectangle {
            objectName: "editorDone"
            width: doneText.implicitWidth + 28
            height: doneText.implicitHeight + 16
            radius: 8
            color: Colors.blue
            Text {
                id: doneText
                anchors.centerIn: parent
                text: "Fertig"
                font.pixelSize: TextStyle.subheadline
                font.weight: Font.DemiBold
                color: "white"
            }
            MouseArea {
                anchors.fill: parent
                onClicked: editor.controller.dismissEditor()
            }
        }
    }
}
