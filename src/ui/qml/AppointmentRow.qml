import QtQuick
import Zettelwerk.Ui

// An appointment card in a list, wired to the panel: tap edits, trash asks to delete.
Item {
    id: row

    required property PanelController controller
    required property reminderNote note
    required property string noteId
    property real fontScale: 1.0

    width: ListView.view ? ListView.view.width : parent.width
    implicitHeight: card.implicitHeight

    AppointmentCard {
        id: card
        objectName: "card-" + row.noteId
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        note: row.note
        now: row.controller.now
        fontScale: row.fontScale
        // A shown calendar's occurrence is deleted in its own calendar, not here.
        showDelete: !row.controller.isReadOnly(row.noteId)
        onClicked: row.controller.openEditor(row.noteId)
        onDeleteClicked: row.controller.requestDelete(row.noteId)
    }
}
