import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// "Beenden" at the bottom of the panel, asking once more before the app ends.
Item {
    id: bar

    property bool showQuitConfirm: false
    signal quitConfirmed()

    implicitHeight: showQuitConfirm ? confirmRow.implicitHeight + 16 : quitButton.implicitHeight + 16

    Button {
        id: quitButton
        objectName: "quitButton"
        visible: !bar.showQuitConfirm
        anchors.fill: parent
        anchors.margins: 8
        flat: true
        text: "Beenden"
        font.pixelSize: 11
        onClicked: bar.showQuitConfirm = true
    }

    RowLayout {
        id: confirmRow
        visible: bar.showQuitConfirm
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        anchors.topMargin: 8
        anchors.bottomMargin: 8
        spacing: 8

        Label {
            text: "Beenden?"
            font.pixelSize: 11
            font.weight: Font.Medium
        }
        Item { Layout.fillWidth: true }
        Button {
            objectName: "quitYes"
            flat: true
            text: "Ja"
            font.pixelSize: 11
            font.bold: true
            palette.buttonText: "#e0302a"
            onClicked: bar.quitConfirmed()
        }
        Button {
            objectName: "quitNo"
            flat: true
            text: "Nein"
            font.pixelSize: 11
            onClicked: bar.showQuitConfirm = false
        }
    }
}
