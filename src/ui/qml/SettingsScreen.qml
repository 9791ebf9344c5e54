import QtQuick
import QtQuick.Layouts
import QtQuick.Controls
import Zettelwerk.Ui

// Starting at login, text size, panel height, the data screens, the calendar folder the
// appointments (and, when chosen, the notes) are kept in step with, the calendars shown without
// importing, deleting everything, reset.
SecondaryScreen {
    id: screen

    required property PanelController controller

    backLabel: "Zurück"
    onBack: screen.controller.showSettings = false

    SettingsController {
        id: rules
        objectName: "settingsController"
        panel: screen.controller
    }

    contentHeight: settingsColumn.implicitHeight

    // The panel grows to the settings, up to the free height of its screen; beyond that they scroll,
    // and a control reached by Tab is scrolled into view.
    Flickable {
        id: settingsScroll
        objectName: "settingsScroll"
        anchors.fill: parent
        contentWidth: width
        contentHeight: settingsColumn.implicitHeight
        interactive: contentHeight > height
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        ScrollBar.vertical: ThinScrollBar {}

        Column {
            id: settingsColumn
            width: parent.width
            padding: 14
            spacing: 14

            SettingsSection {
                width: parent.width - 28
                symbol: "power"
                title: "Autostart"

                Item {
                    objectName: "launchAtLoginRow"
                    width: parent.width
                    height: launchLabel.implicitHeight + 20
                    Text {
                        textFormat: Text.PlainText
                        id: launchLabel
                        x: 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: "Bei Anmeldung starten"
                        font.pixelSize: 12
                        color: Colors.primary
                    }
                    Icon {
                        objectName: "launchAtLoginMark"
                        anchors.right: parent.right
                        anchors.rightMargin: 10
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: rules.launchAtLogin ? "checkmark.circle.fill" : "circle"
                        size: 14
                        color: rules.launchAtLogin ? Colors.green : Colors.secondaryText
                    }
                    PanelButton {
                        anchors.fill: parent
                        text: "Bei Anmeldung starten"
                        checkable: true
                        isOn: rules.launchAtLogin
                        onClicked: rules.launchAtLogin = !rules.launchAtLogin
                    }
                }
            }

            SettingsSection {
                width: parent.width - 28
                symbol: "textformat.size"
                title: "Schriftgröße"
                value: rules.fontScaleText

                RowLayout {
                    width: parent.width
                    height: 40
                    spacing: 10
                    Text {
                        textFormat: Text.PlainText
                        Layout.leftMargin: 10
                        text: "A"
                        font.pixelSize: 10
                        color: Colors.secondaryText
                    }
                    SettingsSlider {
                        objectName: "fontScaleSlider"
                        Accessible.name: "Textgröße"
                        Layout.fillWidth: true
                        from: rules.minFontScale
                        to: rules.maxFontScale
                        stepSize: rules.fontScaleStep
                        value: rules.fontScale
                        onMoved: rules.fontScale = value
                    }
                    Text {
                        textFormat: Text.PlainText
                        Layout.rightMargin: 10
                        text: "A"
                        font.pixelSize: 18
                        font.weight: Font.Medium
                        color: Colors.secondaryText
                    }
                }
            }

            SettingsSection {
                width: parent.width - 28
                symbol: "arrow.up.and.down"
                title: "Fensterhöhe"
                value: rules.windowHeightText

                RowLayout {
                    width: parent.width
                    height: 40
                    spacing: 10
                    Icon {
                        Layout.leftMargin: 10
                        symbol: "rectangle.compress.vertical"
                        size: 12
                        color: Colors.secondaryText
                    }
                    SettingsSlider {
                        objectName: "windowHeightSlider"
                        Accessible.name: "Fensterhöhe"
                        Layout.fillWidth: true
                        from: rules.minWindowHeight
                        to: rules.maxWindowHeight
                        stepSize: rules.windowHeightStep
                        value: rules.windowHeight
                        onMoved: rules.windowHeight = value
                    }
                    Icon {
                        Layout.rightMargin: 10
                        symbol: "rectangle.expand.vertical"
                        size: 12
                        color: Colors.secondaryText
                    }
                }
            }

            SettingsSection {
                width: parent.width - 28
                symbol: "externaldrive"
                title: "Daten"

                SettingsRow {
                    objectName: "showImport"
                    symbol: "calendar"
                    startColor: Colors.orange
                    endColor: Colors.red
                    title: "Kalender importieren"
                    subtitle: "Apple Kalender / ICS-Datei"
                    onClicked: screen.controller.showImportFromSettings()
                }
                Divider {
                    x: 46
                    width: parent.width - x
                }
                SettingsRow {
                    objectName: "showExport"
                    symbol: "externaldrive"
                    startColor: Colors.blue
                    endColor: Colors.indigo
                    title: "Backup Import / Export"
                    subtitle: "Wiederherstellen, JSON, ICS"
                    onClicked: screen.controller.showExportFromSettings()
                }
                Divider {
                    x: 46
                    width: parent.width - x
                }
                // A switch: on keeps the appointments in step with a calendar folder (vdirsyncer).
                SettingsRow {
                    objectName: "syncRow"
                    symbol: "arrow.triangle.2.circlepath"
                    startColor: rules.syncOn ? Colors.green : Colors.gray
                    endColor: rules.syncOn ? Colors.teal : Colors.gray
                    title: "Kalender-Abgleich"
                    subtitle: rules.syncText
                    subtitleElide: Text.ElideMiddle
                    showChevron: false
                    trailingSpace: chooseFolder.width + 8
                    checkable: true
                    isOn: rules.syncOn
                    onClicked: rules.syncOn = !rules.syncOn

                    CapsuleButton {
                        id: chooseFolder
                        objectName: "chooseSyncFolder"
                        anchors.right: parent.right
                        anchors.rightMargin: 10
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "folder"
                        text: "Ordner …"
                        Accessible.name: "Kalenderordner wählen"
                        onClicked: rules.chooseSyncFolder()
                    }
                }
                // Belongs to the switch above: shown only while appointments are kept in step.
                Divider {
                    visible: rules.syncOn
                    x: 46
                    width: parent.width - x
                }
                SettingsRow {
                    objectName: "syncNotesRow"
                    visible: rules.syncOn
                    symbol: "note.text"
                    startColor: rules.syncNotes ? Colors.green : Colors.gray
                    endColor: rules.syncNotes ? Colors.teal : Colors.gray
                    title: "Notizen auch synchronisieren"
                    subtitle: rules.syncNotesText
                    showChevron: false
                    trailingSpace: notesMark.width + 4
                    checkable: true
                    isOn: rules.syncNotes
                    onClicked: rules.syncNotes = !rules.syncNotes

                    Icon {
                        id: notesMark
                        objectName: "syncNotesMark"
                        anchors.right: parent.right
                        anchors.rightMargin: 10
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: rules.syncNotes ? "checkmark.circle.fill" : "circle"
                        size: 14
                        color: rules.syncNotes ? Colors.green : Colors.secondaryText
                    }
                }
            }

            ShownCalendarsController {
                id: calendarRules
                objectName: "shownCalendarsController"
                panel: screen.controller
            }

            // Calendars shown beside the records without importing them: one switch each.
            SettingsSection {
                objectName: "shownCalendarsSection"
                width: parent.width - 28
                symbol: "calendar"
                title: "Andere Kalender anzeigen"

                // Four and a half rows at most: a long list of an account's calendars scrolls here
                // instead of growing the panel past the screen.
                Flickable {
                    id: calendarList
                    objectName: "shownCalendarsList"
                    width: parent.width
                    height: Math.min(calendarColumn.implicitHeight, 200 * screen.controller.settings.fontScale)
                    contentHeight: calendarColumn.implicitHeight
                    interactive: contentHeight > height
                    boundsBehavior: Flickable.StopAtBounds
                    clip: true
                    ScrollBar.vertical: ThinScrollBar {}

                    Column {
                        id: calendarColumn
                        width: calendarList.width
                        Repeater {
                            model: calendarRules.calendars
                            delegate: Column {
                                id: calendarRow
                                required property int index
                                required property string identifier
                                required property string title
                                required property string color
                                required property bool shown
                                required property string subtitle
                                required property string spoken

                                width: parent.width
                                Divider {
                                    visible: calendarRow.index > 0
                                    x: 46
                                    width: parent.width - x
                                }
                                SettingsRow {
                                    objectName: "shownCalendar-" + calendarRow.index
                                    width: parent.width
                                    symbol: "calendar"
                                    startColor: calendarRow.shown ? calendarRow.color : Colors.gray
                                    endColor: calendarRow.shown ? Colors.cyan : Colors.gray
                                    title: calendarRow.title
                                    subtitle: calendarRow.subtitle
                                    showChevron: false
                                    trailingSpace: shownMark.width + 4
                                    checkable: true
                                    isOn: calendarRow.shown
                                    Accessible.name: calendarRow.spoken
                                    onActiveFocusChanged: if (activeFocus) FocusScroll.reveal(this)
                                    onClicked: calendarRules.setShown(calendarRow.identifier, !calendarRow.shown)

                                    Icon {
                                        id: shownMark
                                        anchors.right: parent.right
                                        anchors.rightMargin: 10
                                        anchors.verticalCenter: parent.verticalCenter
                                        symbol: calendarRow.shown ? "checkmark.circle.fill" : "circle"
                                        size: 14
                                        color: calendarRow.shown ? Colors.cyan : Colors.secondaryText
                                    }
                                }
                            }
                        }
                    }
                }
                Text {
                    objectName: "shownCalendarsStatus"
                    x: 10
                    width: parent.width - 20
                    topPadding: calendarRules.calendars.count > 0 ? 2 : 8
                    bottomPadding: 8
                    text: calendarRules.statusText
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    font.pixelSize: TextStyle.caption
                    color: Colors.secondaryText
                }
            }

            SettingsSection {
                width: parent.width - 28
                symbol: "exclamationmark.triangle"
                title: "Gefahrenzone"
                headingColor: Colors.red

                SettingsRow {
                    objectName: "deleteAll"
                    visible: !rules.showDeleteAllConfirm
                    symbol: "trash"
                    startColor: Colors.red
                    endColor: Colors.red
                    title: "Alle Daten löschen"
                    subtitle: rules.recordCountText
                    showChevron: false
                    onClicked: rules.showDeleteAllConfirm = true
                }
                Column {
                    visible: rules.showDeleteAllConfirm
                    width: parent.width
                    padding: 10
                    spacing: 10
                    Text {
                        textFormat: Text.PlainText
                        objectName: "deleteAllQuestion"
                        width: parent.width - 20
                        wrapMode: Text.Wrap
                        text: rules.deleteAllQuestion
                        font.pixelSize: 12
                        font.weight: Font.Medium
                        color: Colors.red
                    }
                    Row {
                        width: parent.width - 20
                        spacing: 10
                        Rectangle {
                            objectName: "deleteAllCancel"
                            width: (parent.width - parent.spacing) / 2
                            height: cancelText.implicitHeight + 12
                            radius: 6
                            color: Colors.alpha(Colors.primary, 0.06)
                            Text {
                                textFormat: Text.PlainText
                                id: cancelText
                                anchors.centerIn: parent
                                text: "Abbrechen"
                                font.pixelSize: TextStyle.subheadline
                                color: Colors.primary
                            }
                            PanelButton {
                                anchors.fill: parent
                                objectName: "cancelDeleteAll"
                                text: "Abbrechen"
                                onClicked: rules.showDeleteAllConfirm = false
                            }
                        }
                        Rectangle {
                            objectName: "deleteAllConfirm"
                            width: (parent.width - parent.spacing) / 2
                            height: confirmText.implicitHeight + 12
                            radius: 6
                            color: Colors.red
                            Text {
                                textFormat: Text.PlainText
                                id: confirmText
                                anchors.centerIn: parent
                                text: "Ja, alles löschen"
                                font.pixelSize: TextStyle.subheadline
                                font.weight: Font.DemiBold
                                color: Colors.onAccent
                            }
                            PanelButton {
                                anchors.fill: parent
                                objectName: "confirmDeleteAll"
                                text: "Ja, alles löschen"
                                onClicked: rules.deleteAll()
                            }
                        }
                    }
                }
                Text {
                    textFormat: Text.PlainText
                    objectName: "deleteAllError"
                    visible: text !== ""
                    width: parent.width
                    padding: 10
                    topPadding: 0
                    wrapMode: Text.Wrap
                    text: rules.deleteAllError
                    font.pixelSize: TextStyle.caption
                    color: Colors.red
                }
            }

            Item {
                width: parent.width - 28
                height: resetButton.height

                Rectangle {
                    id: resetButton
                    objectName: "resetButton"
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: resetRow.implicitWidth + 20
                    height: resetRow.implicitHeight + 8
                    radius: 5
                    color: Colors.controlBackground
                    border.width: 1
                    border.color: Colors.alpha(Colors.primary, 0.12)
                    Row {
                        id: resetRow
                        anchors.centerIn: parent
                        spacing: 4
                        Icon {
                            anchors.verticalCenter: parent.verticalCenter
                            symbol: "arrow.counterclockwise"
                            size: TextStyle.caption
                            color: Colors.primary
                        }
                        Text {
                            textFormat: Text.PlainText
                            anchors.verticalCenter: parent.verticalCenter
                            text: "Zurücksetzen"
                            font.pixelSize: TextStyle.caption
                            font.weight: Font.Medium
                            color: Colors.primary
                        }
                    }
                    PanelButton {
                        anchors.fill: parent
                        objectName: "resetButton"
                        text: "Zurücksetzen"
                        onClicked: rules.reset()
                    }
                }
            }
        }
    }
    Connections {
        target: screen.Window.window
        function onActiveFocusItemChanged() {
            const focused = screen.Window.window.activeFocusItem
            if (focused && settingsScroll.interactive)
                FocusScroll.reveal(focused)
        }
    }
}
