import QtQuick
import Zettelwerk.Ui

// A row that leads somewhere: a symbol on a small gradient tile, title and subtitle, a chevron.
PanelButton {
    id: row

    property string symbol
    property color startColor
    property color endColor
    property string title
    property string subtitle
    property bool showChevron: true
    /// Room kept free at the right for a control of the row's own.
    property real trailingSpace: 0
    property int subtitleElide: Text.ElideRight

    text: title
    Accessible.description: subtitle

    width: parent ? parent.width : implicitWidth
    implicitHeight: Math.max(tile.height, texts.implicitHeight) + 16

    GradientItem {
        id: tile
        x: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 26
        height: 26
        radius: 6
        startColor: row.startColor
        endColor: row.endColor
        Icon {
            anchors.centerIn: parent
            symbol: row.symbol
            size: 11
            color: Colors.onAccent
        }
    }
    Column {
        id: texts
        anchors.left: tile.right
        anchors.leftMargin: 10
        anchors.right: chevron.left
        anchors.rightMargin: 8 + row.trailingSpace
        anchors.verticalCenter: parent.verticalCenter
        spacing: 1
        Text {
            textFormat: Text.PlainText
            width: parent.width
            elide: Text.ElideRight
            text: row.title
            font.pixelSize: 12
            font.weight: Font.Medium
            color: Colors.primary
        }
        Text {
            textFormat: Text.PlainText
            objectName: "subtitle"
            width: parent.width
            elide: row.subtitleElide
            text: row.subtitle
            font.pixelSize: TextStyle.caption
            color: Colors.secondaryText
        }
    }
    Icon {
        id: chevron
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        visible: row.showChevron
        symbol: "chevron.right"
        size: TextStyle.caption
        color: Colors.secondaryText
    }
}
