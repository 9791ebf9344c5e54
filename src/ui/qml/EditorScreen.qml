import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// The editor of one record: header with cancel, save and delete, then the text, the alarm with
// its date, repeat, range and ways to be raised, a test, and the optional actions.
Rectangle {
    id: screen

    required property PanelController controller
    property real fontScale: 1.0

    // Shortcuts only while the editor is what the panel shows, not while it slides out or sits
    // under another screen.
    readonly property bool inFront: controller.screen === PanelController.Editor

    color: Colors.windowBackground

    NoteEditorController {
        id: editor
        objectName: "editorController"
        panel: screen.controller
        onLoaded: focusDelay.restart()
    }

    Timer {
        id: focusDelay
        interval: 100
        running: true
        onTriggered: textArea.forceActiveFocus()
    }

    Shortcut {
        sequence: "Escape"
        enabled: screen.inFront
        onActivated: {
            if (editor.showDeleteConfirm)
                editor.showDeleteConfirm = false
            else
                editor.cancelEdit()
        }
    }
    Shortcut {
        sequences: ["Ctrl+Return", "Ctrl+Enter"]
        enabled: screen.inFront
        onActivated: editor.saveOrDelete()
    }

    Item {
        id: header
        width: parent.width
        height: 44

        Rectangle {
            anchors.fill: parent
            visible: editor.showDeleteConfirm
            color: Colors.alpha(Colors.red, 0.06)
        }
        Item {
            anchors.fill: parent
            anchors.leftMargin: 14
            anchors.rightMargin: 14
            visible: !editor.showDeleteConfirm

            LabelButton {
                objectName: "editorCancel"
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                symbol: "xmark"
                text: "Abbrechen"
                color: Colors.secondaryText
                onClicked: editor.cancelEdit()
            }
            Row {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 10
                LabelButton {
                    objectName: "editorSave"
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "checkmark"
                    text: "Speichern"
                    weight: Font.DemiBold
                    color: editor.canSave ? Colors.blue : Colors.secondaryText
                    onClicked: editor.saveOrDelete()
                }
                IconButton {
                    objectName: "editorTrash"
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "trash"
                    size: 13
                    color: Colors.red
                    onClicked: editor.showDeleteConfirm = true
                }
            }
        }
        Item {
            anchors.fill: parent
            anchors.leftMargin: 14
            anchors.rightMargin: 14
            visible: editor.showDeleteConfirm

            Row {
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                spacing: 6
                Icon {
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "exclamationmark.triangle.fill"
                    size: 13
                    color: Colors.red
                }
                Text {
                    objectName: "editorDeleteQuestion"
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Löschen?"
                    font.pointSize: TextScale.points(13)
                    font.weight: Font.Medium
                    color: Colors.primary
                }
            }
            Row {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 12
                LabelButton {
                    objectName: "editorDeleteYes"
                    text: "Ja"
                    weight: Font.DemiBold
                    color: Colors.red
                    onClicked: editor.deleteNote()
                }
                LabelButton {
                    objectName: "editorDeleteNo"
                    text: "Nein"
                    color: Colors.secondaryText
                    onClicked: editor.showDeleteConfirm = false
                }
            }
        }
    }

    Text {
        id: errorLine
        objectName: "editorError"
        anchors.top: header.bottom
        x: 14
        width: parent.width - 28
        height: visible ? implicitHeight + 6 : 0
        visible: editor.errorText !== ""
        text: editor.errorText
        wrapMode: Text.Wrap
        font.pixelSize: TextStyle.caption + 1
        color: Colors.red
    }

    Divider {
        id: divider
        anchors.top: errorLine.bottom
        width: parent.width
    }

    Rectangle {
        anchors.top: divider.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        color: Colors.controlBackground

        Flickable {
            id: scroll
            objectName: "editorScroll"
            anchors.fill: parent
            contentWidth: width
            contentHeight: body.implicitHeight + 28
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ThinScrollBar {}

            Column {
                id: body
                x: 14
                y: 14
                width: scroll.width - 28
                spacing: 18

                EditorSection {
                    width: parent.width
                    symbol: "pencil"
                    title: "Notiz"
                    fontScale: screen.fontScale

                    TextArea {
                        id: textArea
                        objectName: "editorText"
                        width: parent.width
                        height: Math.max(100, implicitHeight)
                        text: editor.text
                        onTextChanged: editor.text = text
                        textFormat: TextEdit.PlainText
                        wrapMode: TextEdit.Wrap
                        selectByMouse: true
                        font.pointSize: TextScale.points(17 * screen.fontScale)
                        color: Colors.primary
                        padding: 8
                        background: Rectangle {
                            radius: 8
                            color: Colors.textBackground
                            border.width: 1
                            border.color: textArea.activeFocus ? Colors.alpha(Colors.blue, 0.5)
                                                               : Colors.alpha(Colors.primary, 0.1)
                        }
                    }
                }

                EditorSection {
                    width: parent.width
                    symbol: "bell"
                    title: "Erinnerung"
                    fontScale: screen.fontScale

                    ToggleRow {
                        objectName: "alarmSwitch"
                        width: parent.width
                        title: "Alarm aktivieren"
                        checked: editor.hasAlarm
                        tint: Colors.orange
                        fontScale: screen.fontScale
                        onToggled: (on) => editor.hasAlarm = on
                    }

                    Column {
                        id: alarmSettings
                        objectName: "alarmSettings"
                        visible: editor.hasAlarm
                        width: parent.width
                        spacing: 12

                        DatePicker {
                            objectName: "alarmDayPicker"
                            width: parent.width
                            date: editor.alarmDate
                            now: screen.controller.now
                            fontScale: screen.fontScale
                            onPicked: (day) => editor.setAlarmDay(day)
                        }

                        Row {
                            spacing: 8
                            GradientIcon {
                                anchors.verticalCenter: parent.verticalCenter
                                width: implicitHeight
                                symbol: "clock.fill"
                                size: 14
                                startColor: Colors.orange
                                endColor: Colors.red
                            }
                            TimeField {
                                objectName: "alarmTime"
                                anchors.verticalCenter: parent.verticalCenter
                                time: editor.alarmTimeText
                                fontScale: screen.fontScale
                                onSubmitted: (typed) => editor.setAlarmTime(typed)
                            }
                            Text {
                                objectName: "selectedDateText"
                                anchors.verticalCenter: parent.verticalCenter
                                text: editor.selectedDateText
                                font.pointSize: TextScale.points(12 * screen.fontScale)
                                color: Colors.secondaryText
                            }
                        }

                        Row {
                            spacing: 8
                            Icon {
                                anchors.verticalCenter: parent.verticalCenter
                                width: 18
                                symbol: "repeat"
                                size: 13
                                color: Colors.purple
                            }
                            PickerBox {
                                objectName: "repeatPicker"
                                anchors.verticalCenter: parent.verticalCenter
                                width: 150
                                model: editor.repeatNames
                                currentIndex: editor.repeatIndex
                                fontScale: screen.fontScale
                                onActivated: (index) => editor.repeatIndex = index
                            }
                        }

                        ToggleRow {
                            objectName: "rangeSwitch"
                            width: parent.width
                            symbol: "calendar.badge.clock"
                            title: "Zeitraum (Von–Bis)"
                            checked: editor.hasEndDate
                            tint: Colors.indigo
                            fontScale: screen.fontScale
                            onToggled: (on) => editor.hasEndDate = on
                        }

                        Row {
                            objectName: "rangeRow"
                            visible: editor.hasEndDate
                            spacing: 5
                            Text {
                                anchors.verticalCenter: parent.verticalCenter
                                text: "Von"
                                font.pointSize: TextScale.points(12 * screen.fontScale)
                                color: Colors.secondaryText
                            }
                            Text {
                                objectName: "rangeStart"
                                anchors.verticalCenter: parent.verticalCenter
                                text: editor.startText
                                font.pointSize: TextScale.points(12 * screen.fontScale)
                                font.weight: Font.Medium
                                color: Colors.primary
                            }
                            Icon {
                                anchors.verticalCenter: parent.verticalCenter
                                symbol: "arrow.right"
                                size: 11
                                color: Colors.secondaryText
                            }
                            Text {
                                anchors.verticalCenter: parent.verticalCenter
                                text: "Bis"
                                font.pointSize: TextScale.points(12 * screen.fontScale)
                                color: Colors.secondaryText
                            }
                            EndDatePicker {
                                anchors.verticalCenter: parent.verticalCenter
                                editor: editor
                                now: screen.controller.now
                                fontScale: screen.fontScale
                            }
                        }

                        Row {
                            id: alarmTypes
                            width: parent.width
                            spacing: 10
                            AlarmTypeButton {
                                objectName: "popupButton"
                                width: (alarmTypes.width - alarmTypes.spacing) / 2
                                icon: "bell.badge.fill"
                                title: "Popup"
                                isSelected: editor.usePopup
                                color: Colors.orange
                                fontScale: screen.fontScale
                                onAction: editor.usePopup = !editor.usePopup
                            }
                            AlarmTypeButton {
                                objectName: "soundButton"
                                width: (alarmTypes.width - alarmTypes.spacing) / 2
                                icon: "speaker.wave.2.fill"
                                title: "Sound"
                                isSelected: editor.useSound
                                color: Colors.cyan
                                fontScale: screen.fontScale
                                onAction: editor.useSound = !editor.useSound
                            }
                        }

                        Item {
                            objectName: "soundRow"
                            visible: editor.useSound
                            width: parent.width
                            height: soundPicker.height
                            Text {
                                id: soundLabel
                                anchors.verticalCenter: parent.verticalCenter
                                text: "Sound"
                                font.pointSize: TextScale.points(13 * screen.fontScale)
                                color: Colors.primary
                            }
                            PickerBox {
                                id: soundPicker
                                objectName: "soundPicker"
                                anchors.left: soundLabel.right
                                anchors.leftMargin: 8
                                anchors.right: playButton.left
                                anchors.rightMargin: 6
                                anchors.verticalCenter: parent.verticalCenter
                                model: editor.soundNames
                                currentIndex: editor.soundIndex
                                shownText: editor.soundName
                                fontScale: screen.fontScale
                                onActivated: (index) => editor.soundIndex = index
                            }
                            IconButton {
                                id: playButton
                                objectName: "previewSound"
                                anchors.right: parent.right
                                anchors.verticalCenter: parent.verticalCenter
                                symbol: "play.circle.fill"
                                size: 17
                                color: Colors.cyan
                                onClicked: editor.previewSound()
                            }
                        }

                        Item {
                            objectName: "testAlarmButton"
                            width: parent.width
                            height: testLabel.implicitHeight + 16
                            GradientItem {
                                anchors.fill: parent
                                radius: 8
                                direction: GradientItem.Horizontal
                                startColor: Colors.alpha(Colors.orange, 0.15)
                                endColor: Colors.alpha(Colors.red, 0.15)
                            }
                            Rectangle {
                                anchors.fill: parent
                                radius: 8
                                color: "transparent"
                                border.width: 1
                                border.color: Colors.alpha(Colors.orange, 0.3)
                            }
                            Row {
                                id: testLabel
                                anchors.centerIn: parent
                                spacing: 6
                                Icon {
                                    anchors.verticalCenter: parent.verticalCenter
                                    symbol: "bell.and.waves.left.and.right"
                                    size: 13 * screen.fontScale
                                    color: Colors.orange
                                }
                                Text {
                                    anchors.verticalCenter: parent.verticalCenter
                                    text: "Alarm testen"
                                    font.pointSize: TextScale.points(13 * screen.fontScale)
                                    font.weight: Font.Medium
                                    color: Colors.orange
                                }
                            }
                            MouseArea {
                                anchors.fill: parent
                                cursorShape: Qt.PointingHandCursor
                                onClicked: editor.testAlarm()
                            }
                        }

                        EditorSection {
                            objectName: "actionSection"
                            width: parent.width
                            symbol: "gearshape"
                            title: "Aktion (optional)"
                            fontScale: screen.fontScale

                            Item {
                                width: parent.width
                                height: 26
                                Row {
                                    anchors.left: parent.left
                                    anchors.right: appButtons.left
                                    anchors.rightMargin: 6
                                    anchors.verticalCenter: parent.verticalCenter
                                    spacing: 6
                                    Icon {
                                        id: appIcon
                                        anchors.verticalCenter: parent.verticalCenter
                                        width: 18
                                        symbol: "app.badge"
                                        size: 13
                                        color: Colors.purple
                                    }
                                    Text {
                                        objectName: "appName"
                                        anchors.verticalCenter: parent.verticalCenter
                                        width: parent.width - appIcon.width - parent.spacing
                                        text: editor.appName !== "" ? editor.appName : "Keine App"
                                        textFormat: Text.PlainText
                                        elide: Text.ElideRight
                                        maximumLineCount: 1
                                        font.pointSize: TextScale.points(13 * screen.fontScale)
                                        color: editor.appName !== "" ? Colors.primary : Colors.secondaryText
                                    }
                                }
                                Row {
                                    id: appButtons
                                    anchors.right: parent.right
                                    anchors.verticalCenter: parent.verticalCenter
                                    spacing: 4
                                    IconButton {
                                        objectName: "appClear"
                                        anchors.verticalCenter: parent.verticalCenter
                                        visible: editor.launchAppPath !== ""
                                        width: 22
                                        height: 22
                                        symbol: "xmark.circle.fill"
                                        size: 12
                                        color: Colors.secondaryText
                                        onClicked: editor.launchAppPath = ""
                                    }
                                    Item {
                                        objectName: "appPick"
                                        anchors.verticalCenter: parent.verticalCenter
                                        width: pickText.implicitWidth + 20
                                        height: pickText.implicitHeight + 8
                                        Rectangle {
                                            anchors.fill: parent
                                            radius: 6
                                            color: Colors.alpha(Colors.purple, 0.12)
                                        }
                                        Text {
                                            id: pickText
                                            anchors.centerIn: parent
                                            text: "Wählen"
                                            font.pointSize: TextScale.points(12 * screen.fontScale)
                                            font.weight: Font.Medium
                                            color: Colors.purple
                                        }
                                        MouseArea {
                                            anchors.fill: parent
                                            cursorShape: Qt.PointingHandCursor
                                            onClicked: editor.pickApp()
                                        }
                                    }
                                }
                            }

                            Item {
                                width: parent.width
                                height: shellField.implicitHeight
                                Row {
                                    id: shellLabel
                                    anchors.verticalCenter: parent.verticalCenter
                                    spacing: 6
                                    Icon {
                                        anchors.verticalCenter: parent.verticalCenter
                                        width: 18
                                        symbol: "terminal"
                                        size: 13
                                        color: Colors.green
                                    }
                                    Text {
                                        anchors.verticalCenter: parent.verticalCenter
                                        text: "Shell Script"
                                        font.pointSize: TextScale.points(13 * screen.fontScale)
                                        color: Colors.primary
                                    }
                                }
                                TextField {
                                    id: shellField
                                    objectName: "shellField"
                                    anchors.left: shellLabel.right
                                    anchors.leftMargin: 8
                                    anchors.right: parent.right
                                    anchors.verticalCenter: parent.verticalCenter
                                    text: editor.shellScript
                                    onTextEdited: editor.shellScript = text
                                    placeholderText: "z.B. open -a Safari"
                                    placeholderTextColor: Colors.alpha(Colors.secondaryText, 0.6)
                                    selectByMouse: true
                                    font.family: "monospace"
                                    font.pointSize: TextScale.points(12 * screen.fontScale)
                                    color: Colors.primary
                                    padding: 6
                                    background: Rectangle {
                                        radius: 6
                                        color: Colors.textBackground
                                        border.width: 1
                                        border.color: Colors.alpha(Colors.green, shellField.activeFocus ? 0.9 : 0.5)
                                    }
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}
