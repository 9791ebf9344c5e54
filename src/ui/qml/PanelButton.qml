import QtQuick
import QtQuick.Templates as T
import Zettelwerk.Ui

// The one base of everything the user presses (tabs aside): it takes the focus in screen order,
// answers Space, Enter and a screen reader's press, and draws a ring in the accent colour when the
// keyboard reached it. `text` is what a screen reader says; icon-only buttons set Accessible.name.
// A switch is `checkable`: Qt Quick Controls then call it a check box, and keep that role when a
// screen reader connects, where a role set in QML alone falls back to "button".
T.AbstractButton {
    id: control

    /// The ring follows the button's own corners.
    property real focusRadius: 6

    /// A switch's or a choice's state, kept by its owner: a press toggles `checked` on its way to
    /// `clicked`, and is then bound back to this, also when the press leaves the state as it was.
    property bool isOn: false

    /// What Enter does: the same as Space, a switch changes its state first.
    function activate() {
        if (checkable)
            toggle()
        clicked()
    }

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
    checked: isOn
    onClicked: if (checkable) checked = Qt.binding(() => control.isOn)

    Keys.onReturnPressed: activate()
    Keys.onEnterPressed: activate()
    // A screen reader's "press" reaches a Qt Quick Control only through these.
    Accessible.onPressAction: activate()
    Accessible.onToggleAction: activate()
    // Scrolled into view where the keyboard lands: a field or button out of sight takes no typing.
    // Not on a press: the content would move under the pointer and the release miss the button.
    onVisualFocusChanged: if (visualFocus) FocusScroll.reveal(control)

    FocusRing {
        control: control
        controlRadius: control.focusRadius
    }
}
