import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// The system calendar: the access prompt, or the range, the calendars and their events.
Column {
    id: section

    required property CalendarImportController rules
    required property date now
    // Where the events begin, for the scroll after a fetch.
    readonly property real eventListY: access.y + eventBlock.y

    spacing: 12

    Column {
        objectName: "accessPrompt"
        visible: !section.rules.accessGranted
        width: parent.width
        topPadding: 24
        spacing: 12
        Icon {
            anchors.horizontalCenter: parent.horizontalCenter
            symbol: "calendar.badge.exclamationmark"
            size: 32
            color: Colors.orange
        }
        Text {
            textFormat: Text.PlainText
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Zugriff auf den Kalender wird benötigt"
            font.pixelSize: TextStyle.subheadline
            color: Colors.primary
        }
        GradientButton {
            objectName: "allowAccess"
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Zugriff erlauben"
            onClicked: section.rules.requestAccess()
        }
    }

    Column {
        id: access
        visible: section.rules.accessGranted
        width: parent.width
        spacing: 12

        SectionHeader { symbol: "calendar.badge.clock"; title: "Zeitraum"; tint: Colors.secondaryText }
        Row {
            spacing: 16
            ImportDateField {
                objectName: "startDay"
                caption: "Von"
                text: section.rules.startDateText
                day: section.rules.startDay
                now: section.now
                onPicked: (day) => section.rules.pickStartDay(day)
            }
            ImportDateField {
                objectName: "endDay"
                caption: "Bis"
                text: section.rules.endDateText
                day: section.rules.endDay
                now: section.now
                onPicked: (day) => section.rules.pickEndDay(day)
            }
        }

        SectionHeader { symbol: "calendar"; title: "Kalender"; tint: Colors.secondaryText }
        Row {
            visible: section.rules.calendars.count === 0
            spacing: 6
            Icon {
                anchors.verticalCenter: parent.verticalCenter
                symbol: "tray"
                size: TextStyle.subheadline
                color: Colors.secondaryText
            }
            Text {
                textFormat: Text.PlainText
                anchors.verticalCenter: parent.verticalCenter
                text: "Keine Kalender verfügbar"
                font.pixelSize: TextStyle.caption
                color: Colors.secondaryText
            }
        }
        FramedBox {
            visible: section.rules.calendars.count > 0
            width: parent.width
            Repeater {
                model: section.rules.calendars
                delegate: Item {
                    id: row
                    required property int index
                    required property string identifier
                    required property string title
                    required property string color
                    required property string countText
                    required property bool selected

                    objectName: "calendarRow-" + index
                    width: section.width
                    height: 34

                    Divider {
                        visible: row.index > 0
                        x: 10
                        width: parent.width - 20
                    }
                    RowLayout {
                        anchors.fill: parent
                        anchors.leftMargin: 12
                        anchors.rightMargin: 12
                        spacing: 8
                        Rectangle {
                            width: 10
                            height: 10
                            radius: 5
                            color: row.color
                        }
                        Text {
                            textFormat: Text.PlainText
                            Layout.fillWidth: true
                            elide: Text.ElideRight
                            text: row.title
                            font.pixelSize: 12
                            color: Colors.primary
                        }
                        Text {
                            objectName: "countText"
                            textFormat: Text.PlainText
                            text: row.countText
                            font.pixelSize: TextStyle.caption
                            color: Colors.secondaryText
                        }
                        Icon {
                            symbol: row.selected ? "checkmark.circle.fill" : "circle"
                            size: 14
                            color: row.selected ? Colors.blue : Colors.alpha(Colors.secondaryText, 0.4)
                        }
                    }
                    PanelButton {
                        anchors.fill: parent
                        text: row.title
                        checkable: true
                        isOn: row.selected
                        onClicked: section.rules.tapCalendar(row.identifier)
                    }
                }
            }
        }

        Column {
            id: eventBlock
            objectName: "eventList"
            visible: section.rules.hasFetched
            width: parent.width
            spacing: 8
            Row {
                visible: section.rules.appleEvents.count === 0
                spacing: 6
                Icon {
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "tray"
                    size: TextStyle.subheadline
                    color: Colors.secondaryText
                }
                Text {
                    textFormat: Text.PlainText
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Keine Events im gewählten Zeitraum"
                    font.pixelSize: TextStyle.caption
                    color: Colors.secondaryText
                }
            }
            ImportEventList {
                visible: section.rules.appleEvents.count > 0
                width: parent.width
                selection: section.rules.appleEvents
                onImportClicked: section.rules.importAppleEvents()
            }
        }

        ImportBanner {
            visible: section.rules.showBanner
            width: parent.width
            rules: section.rules
        }
    }
}
