import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// Name, version, author and maker, the web address, and the disclaimer in German or English.
SecondaryScreen {
    id: screen

    required property PanelController controller

    backLabel: "Zurück"
    onBack: screen.controller.showAbout = false

    AboutController {
        id: about
        objectName: "aboutController"
    }

    Column {
        width: parent.width
        topPadding: 20
        bottomPadding: 16
        spacing: 6

        Item {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 64
            height: 64
            GradientItem {
                anchors.fill: parent
                radius: 14
                startColor: Colors.blue
                endColor: Colors.indigo
            }
            Icon {
                anchors.centerIn: parent
                symbol: "note.text"
                size: 26
                color: Colors.onAccent
            }
        }
        Item { width: 1; height: 4 }
        Text {
            textFormat: Text.PlainText
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Zettelwerk"
            font.pixelSize: 20
            font.bold: true
            color: Colors.primary
        }
        Text {
            textFormat: Text.PlainText
            anchors.horizontalCenter: parent.horizontalCenter
            text: about.versionText
            font.pixelSize: TextStyle.caption
            color: Colors.secondaryText
        }
        Item { width: 1; height: 4 }
        Text {
            textFormat: Text.PlainText
            anchors.horizontalCenter: parent.horizontalCenter
            text: about.author
            font.pixelSize: 12
            font.weight: Font.Medium
            color: Colors.primary
        }
        Text {
            textFormat: Text.PlainText
            anchors.horizontalCenter: parent.horizontalCenter
            text: about.maker
            font.pixelSize: TextStyle.subheadline
            color: Colors.secondaryText
        }
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 4
            Icon {
                anchors.verticalCenter: parent.verticalCenter
                symbol: "globe"
                size: TextStyle.subheadline
                color: Colors.blue
            }
            Text {
                textFormat: Text.PlainText
                objectName: "websiteLink"
                anchors.verticalCenter: parent.verticalCenter
                text: about.website
                font.pixelSize: TextStyle.subheadline
                color: Colors.blue
                PanelButton {
                    anchors.fill: parent
                    text: about.website
                    Accessible.role: Accessible.Link
                    HoverHandler { cursorShape: Qt.PointingHandCursor }
                    onClicked: Qt.openUrlExternally(about.website)
                }
            }
        }
        Item { width: 1; height: 8 }

        Item {
            x: 14
            width: parent.width - 28
            height: disclaimer.implicitHeight

            CardFrame { anchors.fill: parent }
            Column {
                id: disclaimer
                width: parent.width
                padding: 12
                spacing: 8

                RowLayout {
                    width: parent.width - 24
                    spacing: 6
                    Icon {
                        symbol: "shield.lefthalf.filled"
                        size: 12
                        color: Colors.secondaryText
                    }
                    Text {
                        textFormat: Text.PlainText
                        objectName: "disclaimerHeading"
                        Layout.fillWidth: true
                        text: about.disclaimerHeading
                        font.pixelSize: 12
                        font.weight: Font.DemiBold
                        color: Colors.primary
                    }
                }

                // A segmented picker over the two languages.
                Rectangle {
                    width: parent.width - 24
                    height: 22
                    radius: 6
                    color: Colors.alpha(Colors.primary, 0.07)
                    Row {
                        anchors.fill: parent
                        anchors.margins: 2
                        Repeater {
                            model: about.languageNames
                            Rectangle {
                                required property string modelData
                                required property int index
                                readonly property bool chosen: about.language === index
                                objectName: "language-" + modelData
                                width: parent.width / 2
                                height: parent.height
                                radius: 5
                                color: chosen ? Colors.controlBackground : "transparent"
                                border.width: chosen ? 1 : 0
                                border.color: Colors.alpha(Colors.primary, 0.1)
                                Text {
                                    textFormat: Text.PlainText
                                    anchors.centerIn: parent
                                    text: modelData
                                    font.pixelSize: TextStyle.caption
                                    font.weight: parent.chosen ? Font.Medium : Font.Normal
                                    color: Colors.primary
                                }
                                PanelButton {
                                    objectName: "choose-" + modelData
                                    anchors.fill: parent
                                    text: modelData
                                    checkable: true
                                    isOn: parent.chosen
                                    onClicked: about.language = index
                                }
                            }
                        }
                    }
                }

                SelectableText {
                    objectName: "disclaimerText"
                    width: parent.width - 24
                    text: about.disclaimerText
                    font.pixelSize: TextStyle.subheadline
                    color: Colors.secondaryText
                }
            }
        }
    }
}
