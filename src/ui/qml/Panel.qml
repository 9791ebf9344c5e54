import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The panel that the tray icon opens: the whole interface in one fixed-width column.
Window {
    id: panel

    // Without a tray the panel is an ordinary window; with one it is a frameless popup.
    required property bool asPopup

    width: 380
    height: 580
    title: "Zettelwerk"
    color: palette.window
    flags: asPopup ? (Qt.Tool | Qt.FramelessWindowHint | Qt.WindowStaysOnTopHint) : Qt.Window

    onActiveChanged: if (asPopup && !active) panel.hide()

    Shortcut {
        sequence: "Escape"
        onActivated: panel.hide()
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 14
            Layout.rightMargin: 14
            Layout.topMargin: 10
            Layout.bottomMargin: 10

            Label {
                text: "Zettelwerk"
                font.pixelSize: 20
                font.bold: true
                color: "#0a64d6"
            }
            Item { Layout.fillWidth: true }
        }

        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: palette.mid
        }

        QuitBar {
            Layout.fillWidth: true
            onQuitConfirmed: Qt.quit()
        }
    }
}
