import QtQuick
import Zettelwerk.Ui

// A calendar file: choosing it, its events, and the banner after the import.
Column {
    id: section

    required property CalendarImportController rules
    readonly property bool chosen: rules.icsFileName !== ""

    spacing: 12

    SectionHeader { symbol: "doc.text"; title: "ICS-Datei auswählen"; tint: Colors.secondaryText }
    Text {
        textFormat: Text.PlainText
        width: parent.width
        wrapMode: Text.Wrap
        text: "Exportiere deinen Google Kalender oder anderen Kalender als .ics Datei und importiere sie hier."
        font.pixelSize: TextStyle.caption
        color: Colors.secondaryText
    }
    Item {
        objectName: "pickFile"
        width: parent.width
        height: fileLabel.implicitHeight + 20

        GradientItem {
            anchors.fill: parent
            visible: !section.chosen
            radius: 8
            direction: GradientItem.Horizontal
            startColor: Colors.blue
            endColor: Colors.indigo
        }
        Rectangle {
            anchors.fill: parent
            visible: section.chosen
            radius: 8
            color: Colors.alpha(Colors.blue, 0.1)
        }
        Row {
            id: fileLabel
            anchors.centerIn: parent
            width: Math.min(implicitWidth, parent.width - 24)
            spacing: 6
            Icon {
                id: fileIcon
                anchors.verticalCenter: parent.verticalCenter
                symbol: "folder.badge.plus"
                size: TextStyle.subheadline
                color: section.chosen ? Colors.blue : Colors.onAccent
            }
            Text {
                textFormat: Text.PlainText
                objectName: "fileName"
                anchors.verticalCenter: parent.verticalCenter
                width: Math.min(implicitWidth, fileLabel.parent.width - 24 - fileIcon.width - 6)
                elide: Text.ElideMiddle
                text: section.chosen ? section.rules.icsFileName : "Datei auswählen..."
                font.pixelSize: TextStyle.subheadline
                font.weight: Font.DemiBold
                color: section.chosen ? Colors.blue : Colors.onAccent
            }
        }
        PanelButton {
            anchors.fill: parent
            text: section.chosen ? section.rules.icsFileName : "Datei auswählen..."
            onClicked: section.rules.pickICSFile()
        }
    }
    ImportEventList {
        visible: section.rules.icsEvents.count > 0
        width: parent.width
        selection: section.rules.icsEvents
        onImportClicked: section.rules.importICSEvents()
    }
    ImportBanner {
        visible: section.rules.showBanner
        width: parent.width
        rules: section.rules
    }
}
