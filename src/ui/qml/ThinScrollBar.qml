import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// An overlay scroll indicator that shows only while there is something to scroll.
ScrollBar {
    policy: size < 1.0 ? ScrollBar.AsNeeded : ScrollBar.AlwaysOff
    width: 8
    padding: 2
    contentItem: Rectangle {
        implicitWidth: 4
        radius: 2
        color: Colors.alpha(Colors.primary, 0.3)
        opacity: parent.active ? 1 : 0
        Behavior on opacity { NumberAnimation { duration: 300 } }
    }
    background: Item {}
    Accessible.name: "Bildlauf"
}
