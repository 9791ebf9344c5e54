import QtQuick
import Zettelwerk.Ui

// A row of the time line that is no card: "Kommende" above the future, the "Heute" divider, and
// "Vergangen" above the past.
Item {
    id: marker

    required property string kind

    implicitHeight: kind === "today" ? dividerLabel.implicitHeight + 8 : header.implicitHeight

    SectionHeader {
        id: header
        x: 14
        visible: marker.kind !== "today"
        symbol: marker.kind === "future" ? "arrow.up.circle" : "checkmark.circle"
        title: marker.kind === "future" ? "Kommende" : "Vergangen"
        tint: marker.kind === "future" ? Colors.blue : Colors.green
    }

    Row {
        objectName: marker.kind === "today" ? "today-divider" : ""
        visible: marker.kind === "today"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        anchors.verticalCenter: parent.verticalCenter
        spacing: 8
        Divider {
            anchors.verticalCenter: parent.verticalCenter
            width: (parent.width - dividerLabel.width - 16) / 2
        }
        Text {
            id: dividerLabel
            textFormat: Text.PlainText
            text: "Heute"
            font.pixelSize: TextStyle.caption
            font.bold: true
            color: Colors.blue
        }
        Divider {
            anchors.verticalCenter: parent.verticalCenter
            width: (parent.width - dividerLabel.width - 16) / 2
        }
    }
}
