import QtQuick
import QtQuick.Layouts
import Zettelwerk.Ui

// "Heute": the month, then the appointments of the chosen day (today when none is chosen).
ColumnLayout {
    id: tab

    required property PanelController controller
    property real fontScale: 1.0

    spacing: 0

    // What just rang, on top while the panel shows it; opened from the ringing bell.
    ColumnLayout {
        objectName: "rungAlarms"
        visible: tab.controller.rungAlarms.count > 0
        Layout.fillWidth: true
        Layout.bottomMargin: 10
        spacing: 6

        Text {
            textFormat: Text.PlainText
            Layout.leftMargin: 14
            text: "Gerade erinnert"
            font.pixelSize: TextStyle.caption
            font.weight: Font.DemiBold
            color: Colors.orange
        }
        Repeater {
            model: tab.controller.rungAlarms
            delegate: AppointmentRow {
                Layout.fillWidth: true
                controller: tab.controller
                fontScale: tab.fontScale
            }
        }
        Text {
            textFormat: Text.PlainText
            objectName: "moreRung"
            Layout.leftMargin: 14
            visible: tab.controller.moreRungAlarms > 0
            text: "und " + tab.controller.moreRungAlarms + " weitere"
            font.pixelSize: TextStyle.caption
            color: Colors.secondaryText
        }
    }

    MiniCalendar {
        id: calendar
        Layout.fillWidth: true
        Layout.leftMargin: 14
        Layout.rightMargin: 14
        Layout.bottomMargin: 10
        controller: tab.controller
    }
    Divider {
        Layout.fillWidth: true
        Layout.leftMargin: 14
        Layout.rightMargin: 14
    }
    RowLayout {
        Layout.fillWidth: true
        Layout.leftMargin: 14
        Layout.rightMargin: 14
        Layout.topMargin: 8
        Layout.bottomMargin: 4
        Layout.minimumHeight: 20

        Text {
            textFormat: Text.PlainText
            objectName: "dayLabel"
            text: tab.controller.displayDayLabel
            font.pixelSize: TextStyle.caption
            font.weight: Font.DemiBold
            color: Colors.secondaryText
        }
        Item { Layout.fillWidth: true }
        Rectangle {
            objectName: "dayCount"
            visible: tab.controller.dayAppointments.count > 0
            implicitWidth: 20
            implicitHeight: 20
            radius: 10
            color: Colors.orange
            Text {
                textFormat: Text.PlainText
                anchors.centerIn: parent
                text: tab.controller.dayAppointments.count
                font.pixelSize: TextStyle.caption
                font.bold: true
                color: Colors.onAccent
            }
        }
    }

    CardList {
        objectName: "dayList"
        Layout.fillWidth: true
        Layout.fillHeight: true
        visible: tab.controller.dayAppointments.count > 0
        topMargin: 4
        bottomMargin: 4
        model: tab.controller.dayAppointments
        delegate: AppointmentRow {
            controller: tab.controller
            fontScale: tab.fontScale
        }
    }
    Item {
        Layout.fillWidth: true
        Layout.fillHeight: true
        visible: tab.controller.dayAppointments.count === 0

        Column {
            objectName: "dayEmpty"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 20
            spacing: 8
            Icon {
                anchors.horizontalCenter: parent.horizontalCenter
                symbol: calendar.showsToday ? "sun.max" : "calendar.badge.minus"
                size: 28
                color: Colors.alpha(Colors.orange, 0.5)
            }
            Text {
                textFormat: Text.PlainText
                anchors.horizontalCenter: parent.horizontalCenter
                text: "Keine Termine"
                font.pixelSize: TextStyle.subheadline
                color: Colors.secondaryText
            }
        }
    }
}
