import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// "Beenden" at the bottom of the panel, asking once more before the app ends.
Item {
    id: bar

    required property PanelController controller
    signal quitConfirmed()

    implicitHeight: controller.showQuitConfirm ? confirmRow.implicitHeight + 16 : quitLabel.implicitHeight + 16

    Item {
        id: quitButton
        objectName: "quitButton"
        visible: !bar.controller.showQuitConfirm
        anchors.fill: parent
        anchors.margins: 8
        Text {
            textFormat: Text.PlainText
            id: quitLabel
            anchors.centerIn: parent
            topPadding: 4
            bottomPadding: 4
            text: "Beenden"
            font.pixelSize: TextStyle.caption
            color: Colors.secondaryText
        }
        PanelButton {
            anchors.fill: parent
            objectName: "quitButton"
            text: "Beenden"
            onClicked: bar.controller.showQuitConfirm = true
        }
    }

    RowLayout {
        id: confirmRow
        visible: bar.controller.showQuitConfirm
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        anchors.topMargin: 8
        anchors.bottomMargin: 8
        spacing: 8

        Text {
            textFormat: Text.PlainText
            text: "Beenden?"
            font.pixelSize: TextStyle.caption
            font.weight: Font.Medium
            color: Colors.primary
        }
        Item { Layout.fillWidth: true }
        Text {
            textFormat: Text.PlainText
            objectName: "quitYes"
            leftPadding: 8
            rightPadding: 8
            topPadding: 4
            bottomPadding: 4
            text: "Ja"
            font.pixelSize: TextStyle.caption
            font.weight: Font.DemiBold
            color: Colors.red
            PanelButton {
                anchors.fill: parent
                objectName: "quitYes"
                text: "Ja, beenden"
                onClicked: bar.quitConfirmed()
            }
        }
        Text {
            textFormat: Text.PlainText
            objectName: "quitNo"
            leftPadding: 8
            rightPadding: 8
            topPadding: 4
            bottomPadding: 4
            text: "Nein"
            font.pixelSize: TextStyle.caption
            color: Colors.secondaryText
            PanelButton {
                anchors.fill: parent
                objectName: "quitNo"
                text: "Nein"
                onClicked: bar.controller.showQuitConfirm = false
            }
        }
    }
}
