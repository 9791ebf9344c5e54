import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zettelwerk.Ui

// One alarm's popup: stays on top until "OK", without holding up the app or later alarms.
Window {
    id: popup

    required property string heading
    required property string text

    signal dismissed()

    title: heading
    flags: Qt.Dialog | Qt.WindowStaysOnTopHint
    width: 360
    height: Math.min(Math.max(content.implicitHeight + 40, 150), 520)
    minimumWidth: 300
    color: Colors.windowBackground

    onClosing: popup.dismissed()

    ColumnLayout {
        id: content
        anchors.fill: parent
        anchors.margins: 20
        spacing: 12

        RowLayout {
            spacing: 12
            Image {
                source: "qrc:/Zettelwerk/Ui/icons/zettelwerk.svg"
                sourceSize: Qt.size(48, 48)
                Layout.alignment: Qt.AlignTop
            }
            ColumnLayout {
                spacing: 6
                Label {
                    objectName: "heading"
                    text: popup.heading
                    color: Colors.primary
                    font.bold: true
                    font.pixelSize: 15
                }
                ScrollView {
                    Layout.fillWidth: true
                    Layout.preferredWidth: 240
                    Layout.maximumHeight: 380
                    Label {
                        objectName: "message"
                        width: 240
                        text: popup.text
                        color: Colors.primary
                        textFormat: Text.PlainText
                        wrapMode: Text.Wrap
                    }
                }
            }
        }
        Button {
            objectName: "okButton"
            Layout.alignment: Qt.AlignRight
            text: "OK"
            highlighted: true
            focus: true
            onClicked: popup.close()
            Keys.onReturnPressed: popup.close()
        }
    }
}
