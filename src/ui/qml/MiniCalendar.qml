import QtQuick
import Zettelwerk.Ui

// The month grid of the "Heute" tab, Monday first, with today, the selection and dots for
// the days that hold appointments.
Rectangle {
    id: calendar

    required property PanelController controller

    // The day list below shows today: nothing is selected, or today is.
    readonly property bool showsToday: month.showsToday
    readonly property real cellWidth: Math.max(10, (grid.width - 6 * grid.columnSpacing) / 7)

    implicitHeight: content.implicitHeight + 16
    radius: 12
    color: Colors.controlBackground
    border.width: 1
    border.color: Colors.alpha(Colors.primary, 0.06)

    MiniCalendarController {
        id: month
        panel: calendar.controller
    }

    Column {
        id: content
        anchors.fill: parent
        anchors.margins: 8
        spacing: 4

        Item {
            width: parent.width
            height: 24
            IconButton {
                objectName: "previousMonth"
                Accessible.name: "Vorheriger Monat"
                anchors.left: parent.left
                width: 24
                height: 24
                symbol: "chevron.left"
                size: TextStyle.caption
                color: Colors.blue
                font.bold: true
                onClicked: month.previousMonth()
            }
            Text {
                textFormat: Text.PlainText
                objectName: "monthTitle"
                anchors.centerIn: parent
                text: month.monthTitle
                font.pixelSize: TextStyle.subheadline
                font.weight: Font.DemiBold
                color: Colors.primary
            }
            IconButton {
                objectName: "nextMonth"
                Accessible.name: "Nächster Monat"
                anchors.right: parent.right
                width: 24
                height: 24
                symbol: "chevron.right"
                size: TextStyle.caption
                color: Colors.blue
                font.bold: true
                onClicked: month.nextMonth()
            }
        }

        Row {
            spacing: grid.columnSpacing
            Repeater {
                model: month.weekdaySymbols
                delegate: Text {
                    required property string modelData
                    width: calendar.cellWidth
                    horizontalAlignment: Text.AlignHCenter
                    text: modelData
                    font.pixelSize: 10
                    font.weight: Font.DemiBold
                    color: Colors.secondaryText
                }
            }
        }

        Grid {
            id: grid
            width: parent.width
            columns: 7
            columnSpacing: 2
            rowSpacing: 2

            Repeater {
                model: month.leadingBlanks
                delegate: Item {
                    width: calendar.cellWidth
                    height: 28
                }
            }
            Repeater {
                id: days
                model: month.cells
                delegate: DayCellView {
                    id: dayView
                    width: calendar.cellWidth
                    onClicked: month.tap(dayView.cell.day)
                    // The arrows walk the grid as it is drawn: a day, or a week.
                    Keys.onLeftPressed: days.focusDay(dayView.cell.day - 1)
                    Keys.onRightPressed: days.focusDay(dayView.cell.day + 1)
                    Keys.onUpPressed: days.focusDay(dayView.cell.day - 7)
                    Keys.onDownPressed: days.focusDay(dayView.cell.day + 7)
                }

                function focusDay(day: int) {
                    const cell = days.itemAt(day - 1)
                    if (cell)
                        cell.forceActiveFocus(Qt.TabFocusReason)
                }
            }
        }
    }
}
