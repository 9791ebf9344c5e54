import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zettelwerk.Ui

// What the app can do, section by section, the users' wishes that were done, and a button that
// copies all of it as plain text.
SecondaryScreen {
    id: screen

    required property PanelController controller

    backLabel: "Zurück"
    onBack: screen.controller.showHelp = false

    HelpController {
        id: help
        objectName: "helpController"
    }

    Flickable {
        anchors.fill: parent
        contentHeight: column.implicitHeight
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ThinScrollBar {}

        Column {
            id: column
            width: parent.width
            padding: 14
            spacing: 10

            RowLayout {
                width: parent.width - 28
                spacing: 6
                Icon {
                    symbol: "questionmark.circle.fill"
                    size: TextStyle.title3
                    color: Colors.blue
                }
                Text {
                    textFormat: Text.PlainText
                    text: "Hilfe & Features"
                    font.pixelSize: TextStyle.title3
                    font.bold: true
                    color: Colors.primary
                }
                Item { Layout.fillWidth: true }
                Rectangle {
                    objectName: "copyButton"
                    implicitWidth: copyRow.implicitWidth + 16
                    implicitHeight: copyRow.implicitHeight + 8
                    radius: height / 2
                    color: Colors.alpha(help.copied ? Colors.green : Colors.blue, 0.12)
                    Row {
                        id: copyRow
                        anchors.centerIn: parent
                        spacing: 4
                        Icon {
                            anchors.verticalCenter: parent.verticalCenter
                            symbol: help.copied ? "checkmark" : "doc.on.doc"
                            size: TextStyle.caption
                            color: help.copied ? Colors.green : Colors.blue
                        }
                        Text {
                            textFormat: Text.PlainText
                            objectName: "copyLabel"
                            anchors.verticalCenter: parent.verticalCenter
                            text: help.copied ? "Kopiert!" : "Kopieren"
                            font.pixelSize: TextStyle.caption
                            font.weight: Font.Medium
                            color: help.copied ? Colors.green : Colors.blue
                        }
                    }
                    PanelButton {
                        anchors.fill: parent
                        text: help.copied ? "Kopiert!" : "Kopieren"
                        onClicked: help.copyToClipboard()
                    }
                }
            }

            Repeater {
                model: help.sections
                HelpCard {
                    required property helpSection modelData
                    width: column.width - 28
                    symbol: modelData.icon
                    tint: Colors.named(modelData.color)
                    title: modelData.title

                    Repeater {
                        model: modelData.items
                        Row {
                            required property string modelData
                            width: parent.width
                            spacing: 5
                            Text {
                                textFormat: Text.PlainText
                                id: bullet
                                text: "·"
                                font.pixelSize: TextStyle.subheadline
                                font.bold: true
                                color: Colors.secondaryText
                            }
                            SelectableText {
                                width: parent.width - bullet.width - parent.spacing
                                text: modelData
                            }
                        }
                    }
                }
            }

            HelpCard {
                objectName: "wishCard"
                width: column.width - 28
                symbol: "heart.fill"
                tint: Colors.red
                title: "Wünsche & Verbesserungen"

                Repeater {
                    model: help.contributors
                    Column {
                        required property contributor modelData
                        width: parent.width
                        topPadding: 2
                        spacing: 3
                        Text {
                            textFormat: Text.PlainText
                            text: modelData.name
                            font.pixelSize: TextStyle.caption
                            font.weight: Font.DemiBold
                            color: Colors.secondaryText
                        }
                        Repeater {
                            model: modelData.wishes
                            RowLayout {
                                required property wish modelData
                                width: parent.width
                                spacing: 5
                                Icon {
                                    Layout.alignment: Qt.AlignTop
                                    symbol: modelData.done ? "checkmark.circle.fill" : "circle"
                                    size: TextStyle.subheadline
                                    color: modelData.done ? Colors.green : Colors.secondaryText
                                }
                                SelectableText {
                                    Layout.fillWidth: true
                                    text: modelData.text
                                }
                                Rectangle {
                                    Layout.alignment: Qt.AlignTop
                                    visible: modelData.done
                                    implicitWidth: doneLabel.implicitWidth + 10
                                    implicitHeight: doneLabel.implicitHeight + 2
                                    radius: 4
                                    color: Colors.alpha(Colors.green, 0.15)
                                    Text {
                                        textFormat: Text.PlainText
                                        id: doneLabel
                                        anchors.centerIn: parent
                                        text: "erledigt"
                                        font.pixelSize: 9
                                        font.weight: Font.Medium
                                        color: Colors.green
                                    }
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}
