import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// Product name, the three screen buttons and "+".
Item {
    id: header

    required property PanelController controller

    implicitHeight: row.implicitHeight + 20

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        anchors.topMargin: 10
        anchors.bottomMargin: 10
        spacing: 8

        GradientIcon {
            symbol: "note.text"
            size: TextStyle.title3
            startColor: Colors.blue
            endColor: Colors.indigo
        }
        GradientItem {
            text: "Zettelwerk"
            font.pixelSize: TextStyle.title3
            font.bold: true
            startColor: Colors.blue
            endColor: Colors.indigo
            direction: GradientItem.Horizontal
        }
        Item { Layout.fillWidth: true }

        IconButton {
            objectName: "settingsButton"
            Accessible.name: "Einstellungen"
            symbol: "gearshape"
            size: TextStyle.subheadline
            onClicked: header.controller.showSettings = true
        }
        IconButton {
            objectName: "helpButton"
            Accessible.name: "Hilfe"
            symbol: "questionmark.circle"
            size: TextStyle.subheadline
            onClicked: header.controller.showHelp = true
        }
        IconButton {
            objectName: "aboutButton"
            Accessible.name: "Über Zettelwerk"
            symbol: "info.circle"
            size: TextStyle.subheadline
            onClicked: header.controller.showAbout = true
        }

        Item {
            objectName: "addButton"
            implicitWidth: 26
            implicitHeight: 26
            GradientItem {
                anchors.fill: parent
                radius: width / 2
                startColor: Colors.blue
                endColor: Colors.indigo
            }
            Icon {
                anchors.centerIn: parent
                symbol: "plus"
                size: TextStyle.caption
                font.bold: true
                color: Colors.onAccent
            }
            PanelButton {
                anchors.fill: parent
                objectName: "addButton"
                text: "Neuer Eintrag"
                focusRadius: width / 2
                onClicked: header.controller.addNote()
            }
        }
    }
}
