import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// "Termine": one time line, farthest future on top, then the "Heute" divider, today, and the past.
Item {
    id: tab

    required property PanelController controller
    property real fontScale: 1.0

    // Each time the list comes into view (tab chosen, panel opened) it starts at today.
    readonly property bool inView: visible && Window.window !== null && Window.window.visible
    onInViewChanged: if (inView) scrollTimer.restart()
    Component.onCompleted: if (inView) scrollTimer.restart()

    function scrollToToday() {
        const target = todayDivider.y + timeline.y
        flick.contentY = Math.max(0, Math.min(target, flick.contentHeight - flick.height))
    }

    Timer {
        id: scrollTimer
        interval: 100
        onTriggered: tab.scrollToToday()
    }

    EmptyBlock {
        objectName: "appointmentsEmpty"
        anchors.left: parent.left
        anchors.right: parent.right
        visible: !tab.controller.hasAppointments
        symbol: "calendar.badge.plus"
        startColor: Colors.alpha(Colors.orange, 0.4)
        endColor: Colors.alpha(Colors.red, 0.4)
        title: "Keine Termine"
        hint: "Tippe + um einen Termin zu erstellen"
    }

    Flickable {
        id: flick
        objectName: "timeline"
        anchors.fill: parent
        visible: tab.controller.hasAppointments
        clip: true
        contentHeight: timeline.implicitHeight + 16
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ThinScrollBar {}

        Column {
            id: timeline
            y: 8
            width: flick.width
            spacing: 8

            SectionHeader {
                x: 14
                visible: tab.controller.futureAppointments.count > 0
                symbol: "arrow.up.circle"
                title: "Kommende"
                tint: Colors.blue
            }
            Repeater {
                model: tab.controller.futureAppointments
                delegate: AppointmentRow {
                    controller: tab.controller
                    fontScale: tab.fontScale
                }
            }

            Item {
                id: todayDivider
                objectName: "today-divider"
                width: parent.width
                implicitHeight: dividerLabel.implicitHeight + 8
                Row {
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
                        textFormat: Text.PlainText
                        id: dividerLabel
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
            Repeater {
                model: tab.controller.todayAppointments
                delegate: AppointmentRow {
                    controller: tab.controller
                    fontScale: tab.fontScale
                }
            }

            SectionHeader {
                x: 14
                visible: tab.controller.pastAppointments.count > 0
                symbol: "checkmark.circle"
                title: "Vergangen"
                tint: Colors.green
            }
            Repeater {
                model: tab.controller.pastAppointments
                delegate: AppointmentRow {
                    controller: tab.controller
                    fontScale: tab.fontScale
                }
            }
        }
    }
}
