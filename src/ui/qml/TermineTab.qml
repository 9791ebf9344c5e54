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
        timeline.positionViewAtIndex(tab.controller.timeline.todayRow, ListView.Beginning)
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

    // One list with headers as rows: only the cards in sight are built, however many there are.
    CardList {
        id: timeline
        objectName: "timeline"
        anchors.fill: parent
        visible: tab.controller.hasAppointments
        topMargin: 8
        bottomMargin: 8
        model: tab.controller.timeline
        delegate: Item {
            id: entry

            required property string kind
            required property var note
            required property string noteId

            width: ListView.view.width
            implicitHeight: loader.implicitHeight
            height: implicitHeight

            Loader {
                id: loader
                width: parent.width
                sourceComponent: entry.kind === "appointment" ? card : marker
            }
            Component {
                id: card
                AppointmentRow {
                    controller: tab.controller
                    note: entry.note
                    noteId: entry.noteId
                    fontScale: tab.fontScale
                }
            }
            Component {
                id: marker
                TimelineMarker {
                    kind: entry.kind
                }
            }
        }
    }
}
