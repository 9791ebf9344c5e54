import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// Backup: replacing every record with a backup's (with undo), choosing records, and saving them
// as JSON or, for appointments, as iCalendar.
SecondaryScreen {
    id: screen

    required property PanelController controller

    backLabel: "Einstellungen"
    onBack: screen.controller.closeExport()

    ExportController {
        id: exporter
        objectName: "exportController"
        panel: screen.controller
    }

    // One list: only the records in sight are built, however many there are.
    ListView {
        id: list
        anchors.fill: parent
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ThinScrollBar {}
        model: exporter.rows

        header: Column {
            width: list.width
            padding: 14
            bottomPadding: 0
            spacing: 10
            // The list keeps its records in place when this part changes size; while it is in
            // sight, its top stays in sight instead.
            onHeightChanged: if (list.contentY < 0) Qt.callLater(list.positionViewAtBeginning)

            ExportHeading { symbol: "square.and.arrow.down"; title: "Backup wiederherstellen" }

            Column {
                width: parent.width - 28
                spacing: 8
                visible: !exporter.showRestoreConfirm
                Text {
                    textFormat: Text.PlainText
                    width: parent.width
                    wrapMode: Text.Wrap
                    text: "JSON-Backup einspielen — ersetzt alle aktuellen Daten."
                    font.pixelSize: TextStyle.caption
                    color: Colors.secondaryText
                }
                ExportButton {
                    objectName: "pickBackup"
                    symbol: "folder.badge.plus"
                    text: "JSON-Backup öffnen..."
                    tint: Colors.blue
                    onClicked: exporter.pickBackup()
                }
            }

            Column {
                objectName: "restoreConfirm"
                width: parent.width - 28
                spacing: 8
                visible: exporter.showRestoreConfirm
                Row {
                    spacing: 6
                    Icon {
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "exclamationmark.triangle.fill"
                        size: TextStyle.subheadline
                        color: Colors.orange
                    }
                    Text {
                        textFormat: Text.PlainText
                        objectName: "restoreWarning"
                        anchors.verticalCenter: parent.verticalCenter
                        text: exporter.restoreWarning
                        font.pixelSize: TextStyle.subheadline
                        font.weight: Font.DemiBold
                        color: Colors.orange
                    }
                }
                Row {
                    spacing: 8
                    ExportButton {
                        objectName: "restoreCancel"
                        text: "Abbrechen"
                        tint: Colors.primary
                        onClicked: exporter.cancelRestore()
                    }
                    ExportButton {
                        objectName: "restoreConfirmButton"
                        text: "Ja, ersetzen"
                        tint: Colors.red
                        filled: true
                        onClicked: exporter.confirmRestore()
                    }
                }
            }

            Column {
                objectName: "restoredRow"
                spacing: 6
                visible: exporter.restoredText !== ""
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
                        objectName: "restoredText"
                        anchors.verticalCenter: parent.verticalCenter
                        text: exporter.restoredText
                        font.pixelSize: TextStyle.subheadline
                        color: Colors.primary
                    }
                }
                ExportButton {
                    objectName: "undoRestore"
                    symbol: "arrow.uturn.backward"
                    text: "Rückgängig - alte Daten zurück"
                    tint: Colors.blue
                    onClicked: exporter.undoRestore()
                }
            }

            Divider { width: parent.width - 28 }

            ExportHeading { symbol: "square.and.arrow.up"; title: "Exportieren" }

            Item {
                width: parent.width - 28
                height: allButton.implicitHeight
                Text {
                    textFormat: Text.PlainText
                    objectName: "selectionText"
                    anchors.verticalCenter: parent.verticalCenter
                    text: exporter.selectionText
                    font.pixelSize: TextStyle.caption
                    color: Colors.secondaryText
                }
                ExportButton {
                    id: allButton
                    objectName: "allButton"
                    anchors.right: parent.right
                    text: exporter.allButtonText
                    tint: Colors.blue
                    onClicked: exporter.toggleAll()
                }
            }
        }

        delegate: ExportEntry {
            width: list.width
            onGroupToggled: key => exporter.toggleGroup(key)
            onRecordToggled: id => exporter.toggleRow(id)
            // Rows are made after the footer: Tab must still reach the export buttons last.
            Component.onCompleted: FocusScroll.keepLast(list.footerItem)
        }

        footer: Column {
            width: list.width
            padding: 14
            topPadding: 10
            spacing: 10

            Divider { width: parent.width - 28 }

            Row {
                spacing: 8
                Text {
                    textFormat: Text.PlainText
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Exportieren als"
                    font.pixelSize: TextStyle.subheadline
                    color: Colors.primary
                }
                ExportButton {
                    objectName: "exportJson"
                    symbol: "doc.text"
                    text: exporter.jsonButtonText
                    tint: Colors.blue
                    filled: true
                    onClicked: exporter.exportJson()
                }
                ExportButton {
                    objectName: "exportIcs"
                    symbol: "calendar"
                    text: exporter.icsButtonText
                    tint: Colors.orange
                    filled: true
                    onClicked: exporter.exportIcs()
                }
            }

            Text {
                textFormat: Text.PlainText
                width: parent.width - 28
                wrapMode: Text.Wrap
                text: "ICS: Nur Termine mit Alarm können als ICS exportiert werden."
                font.pixelSize: TextStyle.caption
                color: Colors.secondaryText
            }

            Row {
                objectName: "messageRow"
                spacing: 6
                visible: exporter.message !== ""
                Icon {
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: exporter.messageIsError ? "exclamationmark.triangle.fill" : "checkmark.circle.fill"
                    size: TextStyle.subheadline
                    color: exporter.messageIsError ? Colors.red : Colors.green
                }
                Text {
                    textFormat: Text.PlainText
                    objectName: "messageText"
                    anchors.verticalCenter: parent.verticalCenter
                    width: Math.min(implicitWidth, parent.parent.width - 60)
                    wrapMode: Text.Wrap
                    text: exporter.message
                    font.pixelSize: TextStyle.subheadline
                    color: exporter.messageIsError ? Colors.red : Colors.green
                }
            }
        }
    }
}
