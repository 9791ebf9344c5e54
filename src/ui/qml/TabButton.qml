import QtQuick
import QtQuick.Templates as T
import Zettelwerk.Ui

// One of the three tabs; the selected one sits on a faint blue-to-indigo capsule. Built on the
// tab template, so a screen reader hears a tab (a role set in QML alone gives way to "button" when
// it connects); otherwise it behaves as a PanelButton.
T.TabButton {
    id: tab

    property string title
    property string symbol
    property bool isSelected: false
    property real fontScale: 1.0

    text: title
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    padding: 0
    Accessible.name: text
    Accessible.selected: isSelected
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.onPressAction: clicked()
    onVisualFocusChanged: if (visualFocus) FocusScroll.reveal(tab)

    readonly property color tint: isSelected ? Colors.blue : Colors.secondaryText

    implicitWidth: label.implicitWidth + 20
    implicitHeight: label.implicitHeight + 12

    Rectangle {
        anchors.fill: parent
        radius: 8
        visible: tab.isSelected
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: Colors.alpha(Colors.blue, 0.15) }
            GradientStop { position: 1; color: Colors.alpha(Colors.indigo, 0.15) }
        }
    }
    Row {
        id: label
        anchors.centerIn: parent
        spacing: 4
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            symbol: tab.symbol
            size: 11 * tab.fontScale
            color: tab.tint
        }
        Text {
            textFormat: Text.PlainText
            anchors.verticalCenter: parent.verticalCenter
            text: tab.title
            font.pixelSize: 12 * tab.fontScale
            font.weight: Font.Medium
            color: tab.tint
        }
    }
    FocusRing {
        control: tab
        controlRadius: 8
    }
}
