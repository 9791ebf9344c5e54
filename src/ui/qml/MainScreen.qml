import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// Header, tabs, the chosen tab's content and the quit bar; the delete question on top.
Item {
    id: main

    required property PanelController controller
    property real fontScale: 1.0
    signal quitConfirmed()

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        Header {
            Layout.fillWidth: true
            controller: main.controller
        }

        // The data file could not be read, or a change made here could not be saved.
        Rectangle {
            objectName: "storeProblem"
            visible: main.controller.storeProblem !== ""
            Layout.fillWidth: true
            Layout.leftMargin: 14
            Layout.rightMargin: 14
            Layout.bottomMargin: 8
            implicitHeight: problemText.implicitHeight + 12
            radius: 6
            color: Qt.rgba(Colors.red.r, Colors.red.g, Colors.red.b, 0.12)
            border.color: Colors.red
            border.width: 1

            Icon {
                id: problemIcon
                anchors.left: parent.left
                anchors.leftMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                symbol: "exclamationmark.triangle.fill"
                size: TextStyle.subheadline
                color: Colors.red
            }
            Text {
                id: problemText
                textFormat: Text.PlainText
                anchors.left: problemIcon.right
                anchors.leftMargin: 6
                anchors.right: parent.right
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                wrapMode: Text.Wrap
                text: main.controller.storeProblem
                font.pixelSize: TextStyle.caption
                color: Colors.primary
            }
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 14
            Layout.rightMargin: 14
            Layout.bottomMargin: 8
            spacing: 8

            TabButton {
                objectName: "tabHeute"
                Layout.fillWidth: true
                Layout.preferredWidth: 1
                title: "Heute"
                symbol: "calendar"
                isSelected: main.controller.selectedTab === 0
                fontScale: main.fontScale
                onClicked: main.controller.selectedTab = 0
            }
            TabButton {
                objectName: "tabTermine"
                Layout.fillWidth: true
                Layout.preferredWidth: 1
                title: "Termine"
                symbol: "clock"
                isSelected: main.controller.selectedTab === 1
                fontScale: main.fontScale
                onClicked: main.controller.selectedTab = 1
            }
            TabButton {
                objectName: "tabNotizen"
                Layout.fillWidth: true
                Layout.preferredWidth: 1
                title: "Notizen"
                symbol: "note.text"
                isSelected: main.controller.selectedTab === 2
                fontScale: main.fontScale
                onClicked: main.controller.selectedTab = 2
            }
        }

        // All three stay alive, so the calendar keeps its month and each list its place.
        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true

            HeuteTab {
                objectName: "heuteTab"
                anchors.fill: parent
                visible: main.controller.selectedTab === 0
                controller: main.controller
                fontScale: main.fontScale
            }
            TermineTab {
                objectName: "termineTab"
                anchors.fill: parent
                visible: main.controller.selectedTab === 1
                controller: main.controller
                fontScale: main.fontScale
            }
            NotizenTab {
                objectName: "notizenTab"
                anchors.fill: parent
                visible: main.controller.selectedTab === 2
                controller: main.controller
                fontScale: main.fontScale
            }
        }

        Divider { Layout.fillWidth: true }

        QuitBar {
            Layout.fillWidth: true
            controller: main.controller
            onQuitConfirmed: main.quitConfirmed()
        }
    }

    DeleteDialog {
        anchors.fill: parent
        controller: main.controller
    }
}
