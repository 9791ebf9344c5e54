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
        id: form
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
            form.escape()
        }
    }
    Shortcut {
        sequences: ["Ctrl+Return", "Ctrl+Enter"]
        enabled: screen.inFront
        onActivated: form.confirm()
    }

    EditorHeader {
        id: header
        width: parent.width
        editor: form
    }

    Text {
        id: errorLine
        objectName: "editorError"
        anchors.top: header.bottom
        x: 14
        width: parent.width - 28
        height: visible ? implicitHeight + 6 : 0
        visible: form.errorText !== ""
        text: form.errorText
        wrapMode: Text.Wrap
        font.pixelSize: TextStyle.caption + 1
        color: Colors.red
    }

    Text {
        id: readOnlyLine
        objectName: "editorReadOnly"
        anchors.top: errorLine.bottom
        x: 14
        width: parent.width - 28
        height: visible ? implicitHeight + 8 : 0
        visible: form.readOnly
        text: form.readOnlyText
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        font.pixelSize: TextStyle.caption + 1
        color: Colors.secondaryText
    }

    Divider {
        id: divider
        anchors.top: readOnlyLine.bottom
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
                        text: form.text
                        readOnly: form.readOnly
                        onTextChanged: form.text = text
                        textFormat: TextEdit.PlainText
                        wrapMode: TextEdit.Wrap
                        selectByMouse: true
                        font.pointSize: TextScale.points(17 * screen.fontScale)
                        color: Colors.primary
                        padding: 8
                        Accessible.name: "Notiz"
                        // Tab moves on, as in other single-purpose text areas; the view follows the caret.
                        Keys.onTabPressed: (event) => {
                            textArea.nextItemInFocusChain(true).forceActiveFocus(Qt.TabFocusReason)
                            event.accepted = true
                        }
                        Keys.onBacktabPressed: (event) => {
                            textArea.nextItemInFocusChain(false).forceActiveFocus(Qt.BacktabFocusReason)
                            event.accepted = true
                        }
                        onCursorRectangleChanged: if (activeFocus) FocusScroll.reveal(textArea, cursorRectangle)
                        onActiveFocusChanged: if (activeFocus) FocusScroll.reveal(textArea, cursorRectangle)
                        background: Rectangle {
                            radius: 8
                            color: Colors.textBackground
                            border.width: 1
                            border.color: textArea.activeFocus ? Colors.alpha(Colors.blue, 0.5)
                                                               : Colors.alpha(Colors.primary, 0.1)
                        }
                    }
                    // A new record's text that names a moment offers it as the alarm.
                    CapsuleButton {
                        objectName: "quickAdd"
                        visible: form.quickAddText !== ""
                        text: form.quickAddText + " – übernehmen"
                        tint: Colors.purple
                        onClicked: form.applyQuickAdd()
                    }
                }

                EditorSection {
                    width: parent.width
                    symbol: "bell"
                    title: form.readOnly ? "Zeit" : "Erinnerung"
                    fontScale: screen.fontScale
                    // Shown for its time only: it never rings, and nothing here changes it.
                    enabled: !form.readOnly
                    opacity: form.readOnly ? 0.6 : 1

                    ToggleRow {
                        objectName: "alarmSwitch"
                        visible: !form.readOnly
                        width: parent.width
                        title: "Alarm aktivieren"
                        isOn: form.hasAlarm
                        tint: Colors.orange
                        fontScale: screen.fontScale
                        onSwitched: (on) => form.hasAlarm = on
                    }

                    AlarmSettings {
                        objectName: "alarmSettings"
                        visible: form.hasAlarm
                        width: parent.width
                        editor: form
                        controller: screen.controller
                        fontScale: screen.fontScale
                    }
                }
            }
        }
    }
}
