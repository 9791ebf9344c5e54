import QtQuick
import Zettelwerk.Ui

// "Really delete?" over a dimmed panel. Tapping the dimmed area cancels.
Item {
    id: overlay

    required property PanelController controller

    readonly property bool shown: controller.deleteQuestion !== ""
    // Kept while the dialog fades out, when the controller has already let go of the record.
    property string question

    // The question takes the keyboard: Tab between its two answers, Escape cancels.
    // Answered, it gives the keyboard back to the screen, whose next Tab starts at the top.
    onShownChanged: {
        if (!shown) {
            if (activeFocus)
                overlay.parent.forceActiveFocus()
            return
        }
        question = controller.deleteQuestion
        cancelButton.forceActiveFocus(Qt.TabFocusReason)
    }
    Component.onCompleted: if (shown) question = controller.deleteQuestion

    visible: opacity > 0
    opacity: shown ? 1 : 0
    Behavior on opacity { NumberAnimation { duration: 150; easing.type: Easing.InOutQuad } }

    Rectangle {
        objectName: "deleteBackdrop"
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.3)
        MouseArea {
            anchors.fill: parent
            onClicked: overlay.controller.cancelDelete()
        }
    }

    Item {
        id: dialog
        objectName: "deleteDialog"
        anchors.centerIn: parent
        width: 280
        height: content.implicitHeight + 40
        scale: overlay.shown ? 1 : 0.9
        Behavior on scale { NumberAnimation { duration: 150; easing.type: Easing.InOutQuad } }

        SoftShadow {
            anchors.fill: parent
            anchors.margins: -blur
        anchors.bottomMargin: -(blur + offsetY)
            cornerRadius: 14
            blur: 20
            offsetY: 5
            color: Qt.rgba(0, 0, 0, 0.2)
        }
        Rectangle {
            anchors.fill: parent
            radius: 14
            color: Colors.material
            border.width: 1
            border.color: Colors.alpha(Colors.primary, 0.08)
        }
        // Clicks inside the dialog stay there and never reach the backdrop.
        MouseArea { anchors.fill: parent }

        Column {
            id: content
            anchors.fill: parent
            anchors.margins: 20
            spacing: 14

            Item {
                anchors.horizontalCenter: parent.horizontalCenter
                width: 36
                height: 36
                GradientItem {
                    anchors.fill: parent
                    radius: width / 2
                    startColor: Colors.red
                    endColor: Colors.orange
                }
                Icon {
                    anchors.centerIn: parent
                    symbol: "trash.circle.fill"
                    size: 18
                    color: Colors.onAccent
                }
            }
            Text {
                textFormat: Text.PlainText
                objectName: "deleteQuestion"
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                text: overlay.question
                font.pixelSize: TextStyle.subheadline
                font.weight: Font.DemiBold
                color: Colors.primary
            }
            Text {
                textFormat: Text.PlainText
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                text: "Diese Aktion kann nicht rückgängig gemacht werden."
                font.pixelSize: TextStyle.caption
                color: Colors.secondaryText
            }
            Row {
                width: parent.width
                spacing: 12

                Rectangle {
                    objectName: "deleteCancel"
                    width: (parent.width - parent.spacing) / 2
                    height: cancelText.implicitHeight + 16
                    radius: 8
                    color: Colors.controlBackground
                    border.width: 1
                    border.color: Colors.alpha(Colors.primary, 0.1)
                    Text {
                        textFormat: Text.PlainText
                        id: cancelText
                        anchors.centerIn: parent
                        text: "Abbrechen"
                        font.pixelSize: TextStyle.subheadline
                        color: Colors.primary
                    }
                    PanelButton {
                        id: cancelButton
                        anchors.fill: parent
                        objectName: "cancelDelete"
                        text: "Abbrechen"
                        onClicked: overlay.controller.cancelDelete()
                    }
                }
                Rectangle {
                    objectName: "deleteConfirm"
                    width: (parent.width - parent.spacing) / 2
                    height: confirmText.implicitHeight + 16
                    radius: 8
                    gradient: Gradient {
                        orientation: Gradient.Horizontal
                        GradientStop { position: 0; color: Colors.red }
                        GradientStop { position: 1; color: Colors.alpha(Colors.red, 0.8) }
                    }
                    Text {
                        textFormat: Text.PlainText
                        id: confirmText
                        anchors.centerIn: parent
                        text: "Löschen"
                        font.pixelSize: TextStyle.subheadline
                        font.weight: Font.DemiBold
                        color: Colors.onAccent
                    }
                    PanelButton {
                        anchors.fill: parent
                        objectName: "confirmDelete"
                        text: "Löschen"
                        onClicked: overlay.controller.confirmDelete()
                    }
                }
            }
        }
    }
}
