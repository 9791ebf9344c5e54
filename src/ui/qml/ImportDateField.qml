import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// A day of the range: a small caption, the day on a button that opens a month sheet.
Column {
    id: field

    property string caption
    property string text
    property date day
    property date now
    signal picked(date day)

    spacing: 3

    Text {
        textFormat: Text.PlainText
        text: field.caption
        font.pixelSize: TextStyle.caption
        color: Colors.secondaryText
    }
    Item {
        id: dayButton
        objectName: "dayButton"
        implicitWidth: dayText.implicitWidth + 16
        implicitHeight: dayText.implicitHeight + 8
        Rectangle {
            anchors.fill: parent
            radius: 6
            color: sheet.opened ? Colors.alpha(Colors.blue, 0.1) : Colors.textBackground
            border.width: 1
            border.color: sheet.opened ? Colors.blue : Colors.alpha(Colors.primary, 0.15)
        }
        Text {
            id: dayText
            objectName: "dayText"
            textFormat: Text.PlainText
            anchors.centerIn: parent
            text: field.text
            font.pixelSize: 12
            color: Colors.primary
        }
        PanelButton {
            anchors.fill: parent
            text: field.caption + ": " + field.text
            onClicked: sheet.opened ? sheet.close() : sheet.open()
        }
        Popup {
            id: sheet
            objectName: "daySheet"
            y: dayButton.height + 4
            padding: 10
            margins: 4
            background: Rectangle {
                radius: 10
                color: Colors.material
                border.width: 1
                border.color: Colors.alpha(Colors.primary, 0.12)
            }
            DatePicker {
                width: 7 * 30
                date: field.day
                now: field.now
                onPicked: (day) => {
                    field.picked(day)
                    sheet.close()
                }
            }
        }
    }
}
