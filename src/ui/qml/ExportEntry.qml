import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// A row of the backup screen's list: a group's heading with its count and "Alle"/"Keine", or one
// of its records with a selection mark, title, date and repeat rule. A group's records share one
// card, each row drawing its own band of it.
Item {
    id: entry

    required property string kind
    required property string key
    required property string title
    required property string symbol
    required property string tint
    required property string buttonText
    required property int count
    required property string recordId
    required property string dateText
    required property string repeatText
    required property bool selected
    required property bool first
    required property bool last

    signal groupToggled(string key)
    signal recordToggled(string id)

    readonly property bool isRecord: kind === "record"
    readonly property color tintColor: Colors.named(tint)
    // How far the card reaches beyond a row so that its rounded ends and shadow stay out of the
    // bands in between.
    readonly property real overhang: 20

    implicitHeight: isRecord ? recordContent.implicitHeight + 12 : heading.height + 14

    Item {
        id: heading
        visible: !entry.isRecord
        x: 14
        y: 10
        width: entry.width - 28
        height: groupButton.implicitHeight
        Row {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 4
            Icon {
                anchors.verticalCenter: parent.verticalCenter
                symbol: entry.symbol
                size: TextStyle.caption
                color: entry.tintColor
            }
            Text {
                textFormat: Text.PlainText
                anchors.verticalCenter: parent.verticalCenter
                text: entry.title + " (" + entry.count + ")"
                font.pixelSize: TextStyle.caption
                font.weight: Font.DemiBold
                color: entry.tintColor
            }
        }
        ExportButton {
            id: groupButton
            objectName: "groupButton-" + entry.key
            anchors.right: parent.right
            text: entry.buttonText
            tint: entry.tintColor
            onClicked: entry.groupToggled(entry.key)
        }
    }

    Item {
        visible: entry.isRecord
        x: 14 - entry.overhang
        y: entry.first ? -entry.overhang : 0
        width: entry.width - 28 + 2 * entry.overhang
        height: entry.height + (entry.first ? entry.overhang : 0) + (entry.last ? entry.overhang : 0)
        clip: true
        CardFrame {
            x: entry.overhang
            y: entry.first ? entry.overhang : -entry.overhang
            width: entry.width - 28
            height: entry.height + (entry.first ? 0 : entry.overhang) + (entry.last ? 0 : entry.overhang)
        }
    }

    RowLayout {
        id: recordContent
        objectName: entry.isRecord ? "exportRow-" + entry.recordId : ""
        visible: entry.isRecord
        x: 24
        width: entry.width - 48
        anchors.verticalCenter: parent.verticalCenter
        spacing: 8
        Icon {
            symbol: entry.selected ? "checkmark.circle.fill" : "circle"
            size: 14
            color: entry.selected ? Colors.blue : Colors.secondaryText
        }
        Column {
            Layout.fillWidth: true
            Text {
                textFormat: Text.PlainText
                width: parent.width
                elide: Text.ElideRight
                text: entry.title + ", " + entry.dateText
                font.pixelSize: 12
                color: Colors.primary
            }
            Row {
                spacing: 4
                Text {
                    textFormat: Text.PlainText
                    text: entry.dateText
                    font.pixelSize: TextStyle.caption
                    color: Colors.secondaryText
                }
                Icon {
                    anchors.verticalCenter: parent.verticalCenter
                    visible: entry.repeatText !== ""
                    symbol: "repeat"
                    size: TextStyle.caption
                    color: Colors.purple
                }
                Text {
                    textFormat: Text.PlainText
                    visible: entry.repeatText !== ""
                    text: entry.repeatText
                    font.pixelSize: TextStyle.caption
                    color: Colors.purple
                }
            }
        }
    }
    PanelButton {
        anchors.fill: parent
        visible: entry.isRecord
        text: entry.title + ", " + entry.dateText
        checkable: true
        isOn: entry.selected
        onClicked: entry.recordToggled(entry.recordId)
    }
}
