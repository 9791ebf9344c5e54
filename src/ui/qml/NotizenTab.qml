import QtQuick
import Zettelwerk.Ui

// "Notizen": the plain notes, newest first.
Item {
    id: tab

    required property PanelController controller
    property real fontScale: 1.0

    EmptyBlock {
        objectName: "notesEmpty"
        anchors.left: parent.left
        anchors.right: parent.right
        visible: tab.controller.plainNotes.count === 0
        symbol: "note.text.badge.plus"
        startColor: Colors.alpha(Colors.blue, 0.4)
        endColor: Colors.alpha(Colors.indigo, 0.4)
        title: "Keine Notizen"
        hint: "Tippe + um eine Notiz zu erstellen"
    }

    CardList {
        objectName: "noteList"
        anchors.fill: parent
        visible: tab.controller.plainNotes.count > 0
        topMargin: 8
        bottomMargin: 8
        model: tab.controller.plainNotes
        delegate: NoteRow {
            controller: tab.controller
            fontScale: tab.fontScale
        }
    }
}
