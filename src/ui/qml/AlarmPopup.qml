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

    // Escape closes it as the window's close button does.
    Shortcut {
        sequence: StandardKey.Cancel
        onActivated: popup.alarms.dismissAll()
    }

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
            // The app's icon as the about screen draws it: through the symbol table, not an image.
            Item {
                implicitWidth: 40
                implicitHeight: 40
                GradientItem {
                    anchors.fill: parent
                    radius: 9
                    startColor: Colors.blue
                    endColor: Colors.indigo
                }
                Icon {
                    anchors.centerIn: parent
                    symbol: "note.text"
                    size: 17
                    color: Colors.onAccent
                }
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
            // Only beyond five rows; a pixel of rounding is no reason for a bar.
            readonly property bool scrolls: contentHeight > height + 1
            ScrollBar.vertical: ScrollBar {
                policy: list.scrolls ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
                Accessible.name: "Bildlauf"
            }

            delegate: Rectangle {
                id: row

                required property int index
                required property string text
                required property string timeText
                required property bool missed
                required property bool snoozable
                property bool choosing: false

                width: ListView.view.width - (list.scrolls ? 12 : 0)
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
                        visible: !row.choosing
                        spacing: 8
                        CapsuleButton {
                            objectName: "snoozeButton"
                            visible: row.snoozable
                            text: "Später"
                            tint: Colors.orange
                            onClicked: row.choosing = true
                        }
                        CapsuleButton {
                            objectName: "okButton"
                            text: "OK"
                            focus: row.index === 0
                            onClicked: popup.alarms.dismiss(row.index)
                        }
                    }
                    // "Später" turns the buttons into its choices, in the row itself: a menu
                    // would not fit a window this small.
                    Flow {
                        Layout.fillWidth: true
                        visible: row.choosing
                        spacing: 8
                        Repeater {
                            model: row.choosing ? popup.alarms.snoozeLabels : []
                            CapsuleButton {
                                required property int index
                                required property string modelData
                                objectName: "snooze" + index
                                text: modelData
                                tint: Colors.orange
                                focus: index === 0
                                onClicked: popup.alarms.snooze(row.index, index)
                            }
                        }
                    }
                }
            }
        }

        CapsuleButton {
            objectName: "dismissAllButton"
            Layout.alignment: Qt.AlignRight
            visible: popup.alarms.count > 1
            text: "Alle OK"
            onClicked: popup.alarms.dismissAll()
        }
    }
}
