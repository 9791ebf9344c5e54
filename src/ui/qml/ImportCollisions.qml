import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// Duplicates of records already there: replace or skip each, then import or cancel.
Column {
    id: panel

    required property CalendarImportController rules

    spacing: 10

    component RadioChoice: Item {
        id: choice
        property string label
        property bool on
        property color tint
        signal clicked()
        implicitWidth: choiceRow.implicitWidth
        implicitHeight: choiceRow.implicitHeight
        Row {
            id: choiceRow
            spacing: 3
            Icon {
                anchors.verticalCenter: parent.verticalCenter
                symbol: choice.on ? "largecircle.fill.circle" : "circle"
                size: 12
                color: choice.on ? choice.tint : Colors.alpha(Colors.secondaryText, 0.4)
            }
            Text {
                textFormat: Text.PlainText
                anchors.verticalCenter: parent.verticalCenter
                text: choice.label
                font.pixelSize: TextStyle.caption
                color: Colors.primary
            }
        }
        PanelButton {
            anchors.fill: parent
            text: choice.label
            checkable: true
            isOn: choice.on
            onClicked: choice.clicked()
        }
    }

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
            objectName: "collisionHeading"
            anchors.verticalCenter: parent.verticalCenter
            text: panel.rules.collisionHeading
            font.pixelSize: TextStyle.subheadline
            font.weight: Font.DemiBold
            color: Colors.primary
        }
    }
    Text {
        textFormat: Text.PlainText
        width: parent.width
        wrapMode: Text.Wrap
        text: "Diese Events existieren bereits. Wähle pro Eintrag: ersetzen oder überspringen."
        font.pixelSize: TextStyle.caption
        color: Colors.secondaryText
    }
    Row {
        spacing: 8
        CapsuleButton {
            objectName: "replaceAll"
            text: "Alle ersetzen"
            tint: Colors.orange
            onClicked: panel.rules.replaceAll()
        }
        CapsuleButton {
            objectName: "skipAll"
            text: "Alle überspringen"
            tint: Colors.blue
            onClicked: panel.rules.skipAll()
        }
    }
    FramedBox {
        width: parent.width
        Repeater {
            model: panel.rules.collisions
            delegate: Item {
                id: row
                required property int index
                required property string title
                required property string dateText
                required property bool replace

                objectName: "collisionRow-" + index
                width: panel.width
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
                    spacing: 10
                    Column {
                        Layout.fillWidth: true
                        spacing: 1
                        Text {
                            textFormat: Text.PlainText
                            width: parent.width
                            elide: Text.ElideRight
                            text: row.title
                            font.pixelSize: TextStyle.caption
                            color: Colors.primary
                        }
                        Text {
                            textFormat: Text.PlainText
                            text: row.dateText
                            font.pixelSize: 10
                            color: Colors.secondaryText
                        }
                    }
                    RadioChoice {
                        objectName: "replace-" + row.index
                        label: "Ersetzen"
                        on: row.replace
                        tint: Colors.orange
                        onClicked: panel.rules.chooseReplace(row.index)
                    }
                    RadioChoice {
                        objectName: "skip-" + row.index
                        label: "Überspringen"
                        on: !row.replace
                        tint: Colors.blue
                        onClicked: panel.rules.chooseSkip(row.index)
                    }
                }
            }
        }
    }
    Text {
        textFormat: Text.PlainText
        objectName: "newEventsText"
        visible: text !== ""
        text: panel.rules.newEventsText
        font.pixelSize: TextStyle.caption
        color: Colors.green
    }
    Row {
        width: parent.width
        spacing: 10
        Rectangle {
            objectName: "cancelCollisions"
            width: (parent.width - parent.spacing) / 2
            height: importButton.height
            radius: 8
            color: Colors.controlBackground
            border.width: 1
            border.color: Colors.alpha(Colors.primary, 0.15)
            Text {
                textFormat: Text.PlainText
                anchors.centerIn: parent
                text: "Abbrechen"
                font.pixelSize: TextStyle.subheadline
                color: Colors.primary
            }
            PanelButton {
                anchors.fill: parent
                text: "Abbrechen"
                onClicked: panel.rules.cancelCollisions()
            }
        }
        GradientButton {
            id: importButton
            objectName: "importCollisions"
            width: (parent.width - parent.spacing) / 2
            text: "Importieren"
            startColor: Colors.green
            endColor: Qt.darker(Colors.green, 1.25)
            onClicked: panel.rules.executeCollisionImport()
        }
    }
}
