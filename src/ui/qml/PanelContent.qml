import QtQuick
import Zettelwerk.Ui

// Everything inside the panel window: one screen at a time, chosen by the controller.
Item {
    id: content

    required property PanelController controller
    // Live: the settings screen changes them while the panel is open.
    property real fontScale: controller.settings.fontScale
    property real windowHeight: controller.settings.windowHeight
    signal quitConfirmed()

    readonly property int screen: controller.screen
    readonly property bool naturalHeight: screen === PanelController.Settings || screen === PanelController.About

    implicitWidth: 380
    implicitHeight: naturalHeight && secondary.item
                    ? Math.min(secondary.item.implicitHeight, controller.naturalHeightLimit) : windowHeight
    clip: true

    // Hidden under another screen, so that nothing of it shows below a shorter one or takes input.
    MainScreen {
        objectName: "mainScreen"
        visible: !secondary.active && !editor.covers
        width: parent.width
        height: content.windowHeight
        controller: content.controller
        fontScale: content.fontScale
        onQuitConfirmed: content.quitConfirmed()
    }

    // The editor slides in from the trailing edge over the main screen. The slide runs on a
    // 0…1 offset, so a change of width never animates.
    Loader {
        id: editor
        readonly property bool open: content.controller.editingNoteId !== ""
        property real offset: open ? 0 : 1
        Behavior on offset { NumberAnimation { duration: 200; easing.type: Easing.InOutQuad } }

        // Fully in place: the main screen below can go.
        readonly property bool covers: offset === 0 && status === Loader.Ready

        width: parent.width
        height: content.windowHeight
        x: offset * width
        visible: offset < 1 && !secondary.active
        active: open || visible
        sourceComponent: EditorScreen {
            controller: content.controller
            fontScale: content.fontScale
        }
    }

    Rectangle {
        anchors.fill: secondary
        visible: secondary.active
        color: Colors.windowBackground
    }
    Loader {
        id: secondary
        width: parent.width
        // Settings and about are as high as the panel grew for them (see implicitHeight above).
        height: content.naturalHeight ? content.height : content.windowHeight
        active: content.screen !== PanelController.Main && content.screen !== PanelController.Editor
        onLoaded: fadeIn.restart()
        NumberAnimation {
            id: fadeIn
            target: secondary.item
            property: "opacity"
            from: 0
            to: 1
            duration: 200
            easing.type: Easing.InOutQuad
        }
        sourceComponent: {
            switch (content.screen) {
            case PanelController.Export: return exportScreen
            case PanelController.CalendarImport: return importScreen
            case PanelController.Settings: return settingsScreen
            case PanelController.Help: return helpScreen
            case PanelController.About: return aboutScreen
            default: return null
            }
        }
    }

    Component { id: exportScreen; ExportScreen { controller: content.controller } }
    Component { id: importScreen; CalendarImportScreen { controller: content.controller } }
    Component { id: settingsScreen; SettingsScreen { controller: content.controller } }
    Component { id: helpScreen; HelpScreen { controller: content.controller } }
    Component { id: aboutScreen; AboutScreen { controller: content.controller } }
}
