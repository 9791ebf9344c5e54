import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// One group of the backup screen: its title with count and "Alle"/"Keine", then its records,
// each with a selection mark, title, date and repeat rule.
Column {
    id: view

    property exportGroup group
    signal groupToggled()
    signal rowToggled(string id)

    readonly property color tint: Colors.named(group.color)

    spacing: 4

    Item {
        width: parent.width
        height: groupButton.implicitHeight
        Row {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 4
            Icon {
                anchors.verticalCenter: parent.verticalCenter
                symbol: view.group.icon
                size: TextStyle.caption
                color: view.tint
            }
            Text {
                textFormat: Text.PlainText
                anchors.verticalCenter: parent.verticalCenter
                text: view.group.title + " (" + view.group.rows.length + ")"
                font.pixelSize: TextStyle.caption
                font.weight: Font.DemiBold
                color: view.tint
            }
        }
        ExportButton {
            id: groupButton
            objectName: "groupButton-" + view.group.key
            anchors.right: parent.right
            text: view.group.buttonText
            tint: view.tint
            onClicked: view.groupToggled()
        }
    }

    Item {
        width: parent.width
        height: rows.implicitHeight
        CardFrame { anchors.fill: parent }
        Column {
            id: rows
            width: parent.width
            Repeater {
                model: view.group.rows
                delegate: Item {
                    required property exportRow modelData
                    objectName: "exportRow-" + modelData.id
                    width: rows.width
                    height: rowContent.implicitHeight + 12

                    RowLayout {
                        id: rowContent
                        anchors.left: parent.left
                        anchors.right: parent.right
                        anchors.margins: 10
                        anchors.verticalCenter: parent.verticalCenter
                        spacing: 8
                        Icon {
                            symbol: modelData.selected ? "checkmark.circle.fill" : "circle"
                            size: 14
                            color: modelData.selected ? Colors.blue : Colors.secondaryText
                        }
                        Column {
                            Layout.fillWidth: true
                            Text {
                                textFormat: Text.PlainText
                                width: parent.width
                                elide: Text.ElideRight
                                text: modelData.title
                                font.pixelSize: 12
                                color: Colors.primary
                            }
                            Row {
                                spacing: 4
                                Text {
                                    textFormat: Text.PlainText
                                    text: modelData.dateText
                                    font.pixelSize: TextStyle.caption
                                    color: Colors.secondaryText
                                }
                                Icon {
                                    anchors.verticalCenter: parent.verticalCenter
                                    visible: modelData.repeatText !== ""
                                    symbol: "repeat"
                                    size: TextStyle.caption
                                    color: Colors.purple
                                }
                                Text {
                                    textFormat: Text.PlainText
                                    visible: modelData.repeatText !== ""
                                    text: modelData.repeatText
                                    font.pixelSize: TextStyle.caption
                                    color: Colors.purple
                                }
                            }
                        }
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: view.rowToggled(modelData.id)
                    }
                }
            }
        }
    }
}
