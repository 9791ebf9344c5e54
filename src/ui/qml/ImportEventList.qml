import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zettelwerk.Ui

// Found events with ticks: how many, all or none, one row per event, and the import button.
Column {
    id: list

    required property EventSelection selection
    signal importClicked()

    spacing: 8

    Item {
        width: parent.width
        height: toggleAll.implicitHeight
        Text {
            textFormat: Text.PlainText
            objectName: "foundText"
            anchors.verticalCenter: parent.verticalCenter
            text: list.selection.foundText
            font.pixelSize: TextStyle.subheadline
            font.weight: Font.Medium
            color: Colors.blue
        }
        CapsuleButton {
            id: toggleAll
            objectName: "toggleAll"
            anchors.right: parent.right
            text: list.selection.toggleAllText
            onClicked: list.selection.toggleAll()
        }
    }
    Text {
        textFormat: Text.PlainText
        objectName: "selectionText"
        text: list.selection.selectionText
        font.pixelSize: TextStyle.caption
        color: Colors.secondaryText
    }
    // A file with thousands of events would build a row for each at once; beyond what the panel
    // shows anyway, the rows scroll inside their frame and only those in sight exist.
    Item {
        width: parent.width
        height: events.height
        CardFrame { anchors.fill: parent }
        ListView {
            id: events
            objectName: "eventRows"
            width: parent.width
            height: Math.min(contentHeight, 480)
            interactive: contentHeight > height
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ThinScrollBar {}
            model: list.selection.rows
            delegate: Item {
                id: row
                required property int index
                required property string title
                required property string dateText
                required property bool repeats
                required property bool selected

                objectName: "eventRow-" + index
                width: list.width
                height: content.implicitHeight + 12

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
                        symbol: row.selected ? "checkmark.circle.fill" : "circle"
                        size: 16
                        color: row.selected ? Colors.blue : Colors.alpha(Colors.secondaryText, 0.4)
                    }
                    Column {
                        Layout.fillWidth: true
                        spacing: 1
                        Text {
                            textFormat: Text.PlainText
                            width: parent.width
                            elide: Text.ElideRight
                            text: row.title + ", " + row.dateText
                            font.pixelSize: TextStyle.caption
                            color: row.selected ? Colors.primary : Colors.secondaryText
                        }
                        Row {
                            spacing: 4
                            Text {
                                textFormat: Text.PlainText
                                text: row.dateText
                                font.pixelSize: 10
                                color: Colors.secondaryText
                            }
                            Icon {
                                anchors.verticalCenter: parent.verticalCenter
                                visible: row.repeats
                                symbol: "repeat"
                                size: 8
                                color: Colors.purple
                            }
                        }
                    }
                }
                PanelButton {
                    anchors.fill: parent
                    text: row.title + ", " + row.dateText
                    checkable: true
                    isOn: row.selected
                    onClicked: list.selection.toggle(row.index)
                }
            }
        }
    }
    GradientButton {
        objectName: "importButton"
        width: parent.width
        symbol: "square.and.arrow.down"
        text: list.selection.importText
        startColor: Colors.green
        endColor: Qt.darker(Colors.green, 1.25)
        onClicked: list.importClicked()
    }
}
