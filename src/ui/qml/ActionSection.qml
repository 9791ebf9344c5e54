import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// What an alarm starts besides telling the user: an application and a shell command.
EditorSection {
    id: section

    required property NoteEditorController editor

    objectName: "actionSection"
    symbol: "gearshape"
    title: "Aktion (optional)"

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
                text: section.editor.appName !== "" ? section.editor.appName : "Keine App"
                textFormat: Text.PlainText
                elide: Text.ElideRight
                maximumLineCount: 1
                font.pointSize: TextScale.points(13 * section.fontScale)
                color: section.editor.appName !== "" ? Colors.primary : Colors.secondaryText
            }
        }
        Row {
            id: appButtons
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            spacing: 4
            IconButton {
                objectName: "appClear"
                Accessible.name: "Anwendung entfernen"
                anchors.verticalCenter: parent.verticalCenter
                visible: section.editor.launchAppPath !== ""
                width: 22
                height: 22
                symbol: "xmark.circle.fill"
                size: 12
                color: Colors.secondaryText
                onClicked: section.editor.launchAppPath = ""
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
                    font.pointSize: TextScale.points(12 * section.fontScale)
                    font.weight: Font.Medium
                    color: Colors.purple
                }
                PanelButton {
                    anchors.fill: parent
                    text: "Anwendung wählen"
                    HoverHandler { cursorShape: Qt.PointingHandCursor }
                    onClicked: section.editor.pickApp()
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
                font.pointSize: TextScale.points(13 * section.fontScale)
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
            text: section.editor.shellScript
            onTextEdited: section.editor.shellScript = text
            placeholderText: "z.B. open -a Safari"
            placeholderTextColor: Colors.alpha(Colors.secondaryText, 0.6)
            selectByMouse: true
            Accessible.name: "Shell Script"
            onActiveFocusChanged: if (activeFocus) FocusScroll.reveal(shellField)
            font.family: "monospace"
            font.pointSize: TextScale.points(12 * section.fontScale)
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
