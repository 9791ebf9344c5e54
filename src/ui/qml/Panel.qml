import QtQuick
import Zettelwerk.Ui

// The panel that the tray icon opens: the whole interface in one fixed-width column.
Window {
    id: panel

    // Without a tray the panel is an ordinary window; with one it is a frameless popup.
    required property bool asPopup
    required property PanelController controller

    width: 380
    height: content.implicitHeight
    title: "Zettelwerk"
    color: Colors.windowBackground
    flags: asPopup ? (Qt.Tool | Qt.FramelessWindowHint | Qt.WindowStaysOnTopHint) : Qt.Window

    onActiveChanged: if (asPopup && !active) panel.hide()
    // Opened, the panel has the keyboard: the next Tab starts at its first control.
    onVisibleChanged: {
        controller.panelVisible = visible
        if (visible)
            content.forceActiveFocus()
    }
    Component.onCompleted: controller.panelVisible = visible

    // Escape goes back one screen (the editor takes it for itself); on the main screen it hides
    // the panel, but only where a tray icon brings it back.
    Shortcut {
        sequence: "Escape"
        enabled: panel.controller.screen !== PanelController.Editor
        onActivated: if (panel.controller.goBack() && panel.asPopup) panel.hide()
    }

    PanelContent {
        id: content
        objectName: "panelContent"
        anchors.fill: parent
        controller: panel.controller
        onQuitConfirmed: Qt.quit()
    }
}
