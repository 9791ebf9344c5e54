import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zettelwerk.Ui

// The one alarm window: every alarm not yet answered, newest last, each with "Später" and "OK".
// Stays on top without holding up the app; alarms of later checks join it.
Window {
    id: popup

    required property AlarmPopupModel alarms

    signal dismissed()

    title: alarms.heading
    flags: Qt.Dialog | Qt.WindowStaysOnTopHint
    width: 400
    height: Math.min(Math.max(content.implicitHeight + 40, 150), 600)
    minimumWidth: 320
    color: Colors.windowBackground

    // Closing the window answers every alarm in it.
    onClosing: alarms.dismissAll()

    Connections {
        target: popup.alarms
        function onEmptied() { popup.dismissed() }
    }

    ColumnLayout {
        id: content
        anchors.fill: parent
        anchors.margins: 20
        spacing: 12

        RowLayout {
            spacing: 12
            Image {
                source: "qrc:/Zettelwerk/Ui/icons/zettelwerk.svg"
                sourceSize: Qt.size(40, 40)
            }
            Label {
                objectName: "heading"
                Layout.fillWidth: true
                text: popup.alarms.heading
                color: Colors.primary
                font.bold: true
                font.pixelSize: 15
                wrapMode: Text.Wrap
            }
        }

        ListView {
            id: list
            objectName: "alarmList"
            Layout.fillWidth: true
            Layout.fillHeight: true
            // Five rows in sight, the rest a scroll away.
            Layout.preferredHeight: Math.min(contentHeight, 5 * 86)
            clip: true
            spacing: 8
            model: popup.alarms
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar { policy: list.contentHeight > list.height ? ScrollBar.AlwaysOn : ScrollBar.AsNeeded }

            delegate: Rectangle {
                id: row

                required property int index
                required property string text
                required property string timeText
                required property bool missed
                required property bool snoozable

                width: ListView.view.width - 12
                height: rowContent.implicitHeight + 16
                radius: 8
                color: Colors.material
                Accessible.role: Accessible.ListItem
                Accessible.name: (missed ? "Verpasst, " : "") + timeText + ", " + text

                ColumnLayout {
                    id: rowContent
                    anchors.fill: parent
                    anchors.margins: 8
                    spacing: 4

                    Label {
                        objectName: "time"
                        text: row.missed ? row.timeText + " · verpasst" : row.timeText
                        color: row.missed ? Colors.red : Colors.secondaryText
                        font.pixelSize: 11
                    }
                    Label {
                        objectName: "message"
                        Layout.fillWidth: true
                        text: row.text
                        color: Colors.primary
                        textFormat: Text.PlainText
                        wrapMode: Text.Wrap
                        maximumLineCount: popup.alarms.count > 1 ? 3 : 20
                        elide: Text.ElideRight
                    }
                    RowLayout {
                        Layout.alignment: Qt.AlignRight
                        spacing: 8
                        Button {
                            id: later
                            objectName: "snoozeButton"
                            visible: row.snoozable
                            text: "Später"
                            onClicked: snoozeMenu.open()
                            Menu {
                                id: snoozeMenu
                                y: later.height
                                Repeater {
                                    model: popup.alarms.snoozeLabels
                                    MenuItem {
                                        required property int index
                                        required property string modelData
                                        objectName: "snooze" + index
                                        text: modelData
                                        onTriggered: popup.alarms.snooze(row.index, index)
                                    }
                                }
                            }
                        }
                        Button {
                            objectName: "okButton"
                            text: "OK"
                            highlighted: true
                            focus: row.index === 0
                            onClicked: popup.alarms.dismiss(row.index)
                            Keys.onReturnPressed: popup.alarms.dismiss(row.index)
                        }
                    }
                }
            }
        }

        Button {
            objectName: "dismissAllButton"
            Layout.alignment: Qt.AlignRight
            visible: popup.alarms.count > 1
            text: "Alle OK"
            onClicked: popup.alarms.dismissAll()
        }
    }
}
