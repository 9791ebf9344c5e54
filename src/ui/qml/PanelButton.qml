import QtQuick
import QtQuick.Templates as T
import Zettelwerk.Ui

// The one base of everything the user presses: it takes the focus in screen order, answers Space,
// Enter and a screen reader's press, and draws a ring in the accent colour when the keyboard
// reached it. `text` is what a screen reader says; icon-only buttons set Accessible.name.
T.AbstractButton {
    id: control

    /// The ring follows the button's own corners.
    property real focusRadius: 6

    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    padding: 0
    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)

    Accessible.role: checkable ? Accessible.CheckBox : Accessible.Button
    Accessible.name: text
    Accessible.checkable: checkable
    Accessible.checked: checked

    Keys.onReturnPressed: control.clicked()
    Keys.onEnterPressed: control.clicked()
    // Scrolled into view where the keyboard lands: a field or button out of sight takes no typing.
    onActiveFocusChanged: if (activeFocus) FocusScroll.reveal(control)

    Rectangle {
        z: 100
        anchors.fill: parent
        // Apart from the button by a gap, so it shows on a button of the accent colour too.
        anchors.margins: -4
        radius: control.focusRadius + 4
        color: "transparent"
        border.width: 2
        border.color: Colors.blue
        visible: control.visualFocus
    }
}
