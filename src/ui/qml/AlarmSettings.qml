import QtQuick
import Zettelwerk.Ui

// An appointment's alarm: day, time, repeat, range, how it is raised, and a test.
Column {
    id: settings

    required property NoteEditorController editor
    required property PanelController controller
    property real fontScale: 1.0

    spacing: 12

    DatePicker {
        objectName: "alarmDayPicker"
        width: parent.width
        date: settings.editor.alarmDate
        now: settings.controller.now
        fontScale: settings.fontScale
        onPicked: (day) => settings.editor.setAlarmDay(day)
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
            time: settings.editor.alarmTimeText
            fontScale: settings.fontScale
            onEdited: (typed) => invalid = !settings.editor.setAlarmTime(typed)
        }
        Text {
            objectName: "selectedDateText"
            anchors.verticalCenter: parent.verticalCenter
            text: settings.editor.selectedDateText
            font.pointSize: TextScale.points(12 * settings.fontScale)
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
            Accessible.name: "Wiederholung"
            anchors.verticalCenter: parent.verticalCenter
            width: 150
            model: settings.editor.repeatNames
            currentIndex: settings.editor.repeatIndex
            fontScale: settings.fontScale
            onActivated: (index) => settings.editor.repeatIndex = index
        }
    }

    ToggleRow {
        objectName: "rangeSwitch"
        width: parent.width
        symbol: "calendar.badge.clock"
        title: "Zeitraum (Von–Bis)"
        isOn: settings.editor.hasEndDate
        tint: Colors.indigo
        fontScale: settings.fontScale
        onSwitched: (on) => settings.editor.hasEndDate = on
    }

    // Start and end side by side; with large text the end moves to a line of its own.
    Flow {
        objectName: "rangeRow"
        visible: settings.editor.hasEndDate
        width: parent.width
        spacing: 5
        Row {
            height: endPicker.height
            spacing: 5
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "Von"
                font.pointSize: TextScale.points(12 * settings.fontScale)
                color: Colors.secondaryText
            }
            Text {
                objectName: "rangeStart"
                anchors.verticalCenter: parent.verticalCenter
                text: settings.editor.startText
                font.pointSize: TextScale.points(12 * settings.fontScale)
                font.weight: Font.Medium
                color: Colors.primary
            }
            Icon {
                anchors.verticalCenter: parent.verticalCenter
                symbol: "arrow.right"
                size: 11
                color: Colors.secondaryText
            }
        }
        Row {
            spacing: 5
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "Bis"
                font.pointSize: TextScale.points(12 * settings.fontScale)
                color: Colors.secondaryText
            }
            EndDatePicker {
                id: endPicker
                anchors.verticalCenter: parent.verticalCenter
                editor: settings.editor
                now: settings.controller.now
                fontScale: settings.fontScale
            }
        }
    }

    Row {
        id: alarmTypes
        width: parent.width
        spacing: 10
        AlarmTypeButton {
            objectName: "popupButton"
            width: (alarmTypes.width - alarmTypes.spacing) / 2
            symbol: "bell.badge.fill"
            title: "Popup"
            isSelected: settings.editor.usePopup
            color: Colors.orange
            fontScale: settings.fontScale
            onClicked: settings.editor.usePopup = !settings.editor.usePopup
        }
        AlarmTypeButton {
            objectName: "soundButton"
            width: (alarmTypes.width - alarmTypes.spacing) / 2
            symbol: "speaker.wave.2.fill"
            title: "Sound"
            isSelected: settings.editor.useSound
            color: Colors.cyan
            fontScale: settings.fontScale
            onClicked: settings.editor.useSound = !settings.editor.useSound
        }
    }

    Item {
        objectName: "soundRow"
        visible: settings.editor.useSound
        width: parent.width
        height: soundPicker.height
        Text {
            id: soundLabel
            anchors.verticalCenter: parent.verticalCenter
            text: "Sound"
            font.pointSize: TextScale.points(13 * settings.fontScale)
            color: Colors.primary
        }
        PickerBox {
            id: soundPicker
            objectName: "soundPicker"
            Accessible.name: "Ton"
            anchors.left: soundLabel.right
            anchors.leftMargin: 8
            anchors.right: playButton.left
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            model: settings.editor.soundNames
            currentIndex: settings.editor.soundIndex
            shownText: settings.editor.soundName
            fontScale: settings.fontScale
            onActivated: (index) => settings.editor.soundIndex = index
        }
        IconButton {
            id: playButton
            objectName: "previewSound"
            Accessible.name: "Ton abspielen"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            symbol: "play.circle.fill"
            size: 17
            color: Colors.cyan
            onClicked: settings.editor.previewSound()
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
                size: 13 * settings.fontScale
                color: Colors.orange
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "Alarm testen"
                font.pointSize: TextScale.points(13 * settings.fontScale)
                font.weight: Font.Medium
                color: Colors.orange
            }
        }
        PanelButton {
            anchors.fill: parent
            text: "Alarm testen"
            HoverHandler { cursorShape: Qt.PointingHandCursor }
            onClicked: settings.editor.testAlarm()
        }
    }


    ActionSection {
        width: parent.width
        editor: settings.editor
        fontScale: settings.fontScale
    }
}
