import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// The end of a range, compact: its day on a button that opens a month sheet (days from the
// start on), and its time in a field beside it.
Row {
    id: compact

    required property NoteEditorController editor
    property date now
    property real fontScale: 1.0

    spacing: 4

    Item {
        id: dayButton
        objectName: "endDayButton"
        anchors.verticalCenter: parent.verticalCenter
        implicitWidth: dayText.implicitWidth + 14
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
            anchors.centerIn: parent
            text: compact.editor.endDayText
            font.pointSize: TextScale.points(13 * compact.fontScale)
            color: Colors.primary
        }
        PanelButton {
            anchors.fill: parent
            text: "Enddatum: " + compact.editor.endDayText
            onClicked: sheet.opened ? sheet.close() : sheet.open()
        }

        Popup {
            id: sheet
            objectName: "endDaySheet"
            y: dayButton.height + 4
            x: Math.min(0, compact.width - width)
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
                date: compact.editor.alarmEndDate
                minimum: compact.editor.alarmDate
                now: compact.now
                fontScale: compact.fontScale
                onPicked: (day) => {
                    compact.editor.setEndDay(day)
                    sheet.close()
                }
            }
        }
    }
    TimeField {
        objectName: "endTime"
        anchors.verticalCenter: parent.verticalCenter
        time: compact.editor.endTimeText
        fontScale: compact.fontScale
        onEdited: (typed) => invalid = !compact.editor.setEndTime(typed)
    }
}
