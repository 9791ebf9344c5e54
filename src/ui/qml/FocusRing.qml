import QtQuick
import QtQuick.Templates as T
import Zettelwerk.Ui

// The ring a control shows when the keyboard reached it, in the accent colour and apart from the
// control by a gap, so it shows on a button of the accent colour too.
Rectangle {
    required property T.AbstractButton control
    /// The control's own corners; the ring follows them.
    property real controlRadius: 6

    z: 100
    anchors.fill: parent
    anchors.margins: -4
    radius: controlRadius + 4
    color: "transparent"
    border.width: 2
    border.color: Colors.blue
    visible: control.visualFocus
}
