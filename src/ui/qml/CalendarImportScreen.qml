import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// Appointments from the system calendar or an .ics file: duplicates chosen one by one, the last
// import undone, earlier imports deleted.
SecondaryScreen {
    id: screen

    required property PanelController controller

    backLabel: "Heute"
    onBack: screen.controller.closeCalendarImport()

    CalendarImportController {
        id: rules
        objectName: "importController"
        panel: screen.controller
        onDoneRequested: screen.controller.closeCalendarImport()
        onEventsFetched: scrollDelay.restart()
    }
    // A moment later, once the list that the fetch shows has its place.
    Timer {
        id: scrollDelay
        interval: 100
        onTriggered: scrollToEvents.restart()
    }

    Item {
        id: tabBar
        width: parent.width
        height: tabRow.height + 20
        Row {
            id: tabRow
            x: 16
            y: 12
            width: parent.width - 32
            spacing: 2
            TabButton {
                objectName: "tabApple"
                width: (parent.width - parent.spacing) / 2
                title: "Apple Kalender"
                symbol: "calendar"
                isSelected: rules.selectedTab === 0
                onClicked: rules.selectedTab = 0
            }
            TabButton {
                objectName: "tabIcs"
                width: (parent.width - parent.spacing) / 2
                title: "ICS-Datei"
                symbol: "doc.text"
                isSelected: rules.selectedTab === 1
                onClicked: rules.selectedTab = 1
            }
        }
    }
    Divider {
        id: tabDivider
        anchors.top: tabBar.bottom
        x: 16
        width: parent.width - 32
    }

    // An import, undo or deletion whose save failed: it did not happen, and this says why.
    Rectangle {
        id: errorBar
        objectName: "importError"
        anchors.top: tabDivider.bottom
        anchors.topMargin: visible ? 8 : 0
        x: 16
        width: parent.width - 32
        height: visible ? errorText.implicitHeight + 12 : 0
        visible: rules.errorText !== ""
        radius: 6
        color: Colors.alpha(Colors.red, 0.1)
        border.width: 1
        border.color: Colors.red
        Text {
            id: errorText
            textFormat: Text.PlainText
            x: 8
            width: parent.width - 16
            anchors.verticalCenter: parent.verticalCenter
            wrapMode: Text.Wrap
            text: rules.errorText
            font.pixelSize: TextStyle.caption
            color: Colors.primary
        }
    }

    Flickable {
        id: scroll
        objectName: "importScroll"
        anchors.top: errorBar.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        contentHeight: column.implicitHeight + 32
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ThinScrollBar {}

        NumberAnimation on contentY {
            id: scrollToEvents
            running: false
            duration: 250
            easing.type: Easing.InOutQuad
            to: Math.max(0, Math.min(column.y + apple.y + apple.eventListY, scroll.contentHeight - scroll.height))
        }

        Column {
            id: column
            x: 16
            y: 16
            width: parent.width - 32
            spacing: 12

            ImportCollisions {
                objectName: "collisions"
                visible: rules.hasCollisions
                width: parent.width
                rules: rules
            }
            ImportAppleSection {
                id: apple
                objectName: "appleSection"
                visible: !rules.hasCollisions && rules.selectedTab === 0
                width: parent.width
                rules: rules
                now: screen.controller.now
            }
            ImportIcsSection {
                objectName: "icsSection"
                visible: !rules.hasCollisions && rules.selectedTab === 1
                width: parent.width
                rules: rules
            }
            ImportHistory {
                objectName: "history"
                visible: !rules.hasCollisions && rules.history.count > 0
                width: parent.width
                rules: rules
            }
        }
    }
}
