import QtQuick
import Zettelwerk.Ui

// Chevron and delete button at the trailing edge of a card.
Column {
    id: trailing

    property real chevronSize: TextStyle.caption2
    property real fontScale: 1.0
    property bool showDelete: true
    signal deleteClicked()

    spacing: 6

    Icon {
        anchors.horizontalCenter: parent.horizontalCenter
        symbol: "chevron.right"
        size: trailing.chevronSize
        color: Colors.alpha(Colors.secondaryText, 0.5)
    }
    IconButton {
        objectName: "deleteButton"
        visible: trailing.showDelete
        anchors.horizontalCenter: parent.horizontalCenter
        implicitWidth: 24
        implicitHeight: 24
        symbol: "trash"
        size: 11 * trailing.fontScale
        color: Colors.alpha(Colors.red, 0.5)
        Accessible.name: "Löschen"
        onClicked: trailing.deleteClicked()
    }
}
