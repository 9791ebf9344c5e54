import QtQuick
import Zettelwerk.Ui

// The editor's top row: cancel, save and delete (only close for what it just shows); while
// deleting, the question instead.
Item {
    id: header

    required property NoteEditorController editor

    implicitHeight: 44

    Rectangle {
        anchors.fill: parent
        visible: header.editor.showDeleteConfirm
        color: Colors.alpha(Colors.red, 0.06)
    }
    Item {
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        visible: !header.editor.showDeleteConfirm

        LabelButton {
            objectName: "editorCancel"
            anchors.left: parent.left
            anchors.verticalCenter: parent.verticalCenter
            symbol: "xmark"
            text: header.editor.readOnly ? "Schließen" : "Abbrechen"
            color: Colors.secondaryText
            onClicked: header.editor.cancelEdit()
        }
        Row {
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            spacing: 10
            // An occurrence of a shown calendar is changed in its own calendar program.
            visible: !header.editor.readOnly
            LabelButton {
                objectName: "editorSave"
                anchors.verticalCenter: parent.verticalCenter
                symbol: "checkmark"
                text: "Speichern"
                weight: Font.DemiBold
                color: header.editor.canSave ? Colors.blue : Colors.secondaryText
                onClicked: header.editor.saveOrDelete()
            }
            IconButton {
                objectName: "editorTrash"
                Accessible.name: "Löschen"
                anchors.verticalCenter: parent.verticalCenter
                symbol: "trash"
                size: 13
                color: Colors.red
                onClicked: header.editor.showDeleteConfirm = true
            }
        }
    }
    Item {
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        visible: header.editor.showDeleteConfirm

        Row {
            anchors.left: parent.left
            anchors.verticalCenter: parent.verticalCenter
            spacing: 6
            Icon {
                anchors.verticalCenter: parent.verticalCenter
                symbol: "exclamationmark.triangle.fill"
                size: 13
                color: Colors.red
            }
            Text {
                objectName: "editorDeleteQuestion"
                anchors.verticalCenter: parent.verticalCenter
                text: "Löschen?"
                font.pointSize: TextScale.points(13)
                font.weight: Font.Medium
                color: Colors.primary
            }
        }
        Row {
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            spacing: 12
            LabelButton {
                objectName: "editorDeleteYes"
                text: "Ja"
                weight: Font.DemiBold
                color: Colors.red
                onClicked: header.editor.deleteNote()
            }
            LabelButton {
                objectName: "editorDeleteNo"
                text: "Nein"
                color: Colors.secondaryText
                onClicked: header.editor.showDeleteConfirm = false
            }
        }
    }
}
