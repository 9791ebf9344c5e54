import QtQuick
import Zettelwerk.Ui

// A month sheet for choosing a day, Monday first. Days before `minimum` cannot be chosen.
Item {
    id: picker

    property date date
    property date minimum
    property date now
    property real fontScale: 1.0
    signal picked(date day)

    readonly property real cellWidth: Math.floor(width / 7)

    implicitWidth: 7 * 34
    implicitHeight: content.implicitHeight

    DatePickerController {
        id: sheet
        date: picker.date
        minimum: picker.minimum
        now: picker.now
        onPicked: (day) => picker.picked(day)
    }

    Column {
        id: content
        width: parent.width
        spacing: 4

        Item {
            width: parent.width
            height: 24
            Text {
                objectName: "pickerMonth"
                anchors.left: parent.left
                anchors.leftMargin: 4
                anchors.verticalCenter: parent.verticalCenter
                text: sheet.monthTitle
                font.pointSize: TextScale.points(13 * picker.fontScale)
                font.weight: Font.DemiBold
                color: Colors.primary
            }
            Row {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                IconButton {
                    objectName: "pickerPrevious"
                    Accessible.name: "Vorheriger Monat"
                    width: 24
                    height: 24
                    symbol: "chevron.left"
                    size: TextStyle.caption
                    color: Colors.blue
                    font.bold: true
                    onClicked: sheet.previousMonth()
                }
                IconButton {
                    objectName: "pickerNext"
                    Accessible.name: "Nächster Monat"
                    width: 24
                    height: 24
                    symbol: "chevron.right"
                    size: TextStyle.caption
                    color: Colors.blue
                    font.bold: true
                    onClicked: sheet.nextMonth()
                }
            }
        }

        Row {
            Repeater {
                model: sheet.weekdaySymbols
                delegate: Text {
                    required property string modelData
                    width: picker.cellWidth
                    horizontalAlignment: Text.AlignHCenter
                    text: modelData
                    font.pointSize: TextScale.points(10 * picker.fontScale)
                    font.weight: Font.DemiBold
                    color: Colors.secondaryText
                }
            }
        }

        Grid {
            columns: 7
            Repeater {
                model: sheet.leadingBlanks
                delegate: Item {
                    width: picker.cellWidth
                    height: 26
                }
            }
            Repeater {
                id: pickerDays
                model: sheet.daysInMonth

                function focusDay(day: int) {
                    const target = pickerDays.itemAt(day - 1)
                    if (target && target.enabled)
                        target.button.forceActiveFocus(Qt.TabFocusReason)
                }

                delegate: Item {
                    id: cell
                    required property int index
                    readonly property int day: index + 1
                    readonly property bool selected: day === sheet.selectedDay
                    readonly property bool enabled: day >= sheet.firstSelectableDay
                    readonly property alias button: dayArea

                    objectName: "pickerDay-" + day
                    width: picker.cellWidth
                    height: 26

                    Rectangle {
                        anchors.centerIn: parent
                        width: 24
                        height: 24
                        radius: 12
                        color: cell.selected ? Colors.blue
                            : dayArea.hovered && cell.enabled ? Colors.alpha(Colors.blue, 0.1)
                            : "transparent"
                    }
                    Text {
                        anchors.centerIn: parent
                        text: cell.day
                        font.pointSize: TextScale.points(12 * picker.fontScale)
                        font.weight: cell.selected || cell.day === sheet.todayDay ? Font.DemiBold : Font.Normal
                        color: cell.selected ? Colors.onAccent
                            : !cell.enabled ? Colors.alpha(Colors.secondaryText, 0.35)
                            : cell.day === sheet.todayDay ? Colors.blue
                            : Colors.primary
                    }
                    PanelButton {
                        anchors.fill: parent
                        id: dayArea
                        text: cell.day + ". " + sheet.monthTitle
                        enabled: cell.enabled
                        focusRadius: height / 2
                        focusPolicy: cell.day === sheet.tabStopDay ? Qt.StrongFocus : Qt.ClickFocus
                        onClicked: sheet.pick(cell.day)
                        Keys.onLeftPressed: pickerDays.focusDay(cell.day - 1)
                        Keys.onRightPressed: pickerDays.focusDay(cell.day + 1)
                        Keys.onUpPressed: pickerDays.focusDay(cell.day - 7)
                        Keys.onDownPressed: pickerDays.focusDay(cell.day + 7)
                    }
                }
            }
        }
    }
}
