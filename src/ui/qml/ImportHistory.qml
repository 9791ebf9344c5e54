import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// Earlier imports still in the store, newest first, each deletable after a question.
Column {
    id: history

    required property CalendarImportController rules

    spacing: 8

    SectionHeader { symbol: "clock.arrow.circlepath"; title: "Bisherige Imports"; tint: Colors.secondaryText }
    FramedBox {
        width: parent.width
        Repeater {
            model: history.rules.history
            delegate: Item {
                id: row
                required property int index
                required property string batchId
                required property string source
                required property bool isICS
                required property string detailText
                required property bool confirming

                objectName: "historyRow-" + index
                width: history.width
                height: content.implicitHeight + 14

                Divider {
                    visible: row.index > 0
                    x: 10
                    width: parent.width - 20
                }
                RowLayout {
                    id: content
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.margins: 10
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 8
                    Icon {
                        Layout.preferredWidth: 20
                        symbol: row.isICS ? "doc.text" : "calendar"
                        size: 12
                        color: row.isICS ? Colors.indigo : Colors.orange
                    }
                    Column {
                        Layout.fillWidth: true
                        spacing: 1
                        Text {
                            textFormat: Text.PlainText
                            objectName: "source"
                            width: parent.width
                            elide: Text.ElideRight
                            text: row.source
                            font.pixelSize: TextStyle.caption
                            color: Colors.primary
                        }
                        Text {
                            textFormat: Text.PlainText
                            text: row.detailText
                            font.pixelSize: 10
                            color: Colors.secondaryText
                        }
                    }
                    IconButton {
                        objectName: "deleteBatch"
                        Accessible.name: "Import löschen"
                        visible: !row.confirming
                        implicitWidth: 24
                        implicitHeight: 24
                        symbol: "trash"
                        size: 12
                        color: Colors.red
                        onClicked: history.rules.askDeleteBatch(row.batchId)
                    }
                    CapsuleButton {
                        objectName: "confirmDeleteBatch"
                        visible: row.confirming
                        text: "Ja"
                        tint: Colors.red
                        onClicked: history.rules.confirmDeleteBatch()
                    }
                    CapsuleButton {
                        objectName: "cancelDeleteBatch"
                        visible: row.confirming
                        text: "Nein"
                        tint: Colors.secondaryText
                        onClicked: history.rules.cancelDeleteBatch()
                    }
                }
            }
        }
    }
}
