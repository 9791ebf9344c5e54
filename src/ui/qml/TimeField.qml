import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// Hours and minutes. Every keystroke offers the text to the owner, who takes a valid time at
// once ("14:30", "1430", "9"); what it refuses stays as typed in a red frame. While the field has
// the focus the owner's time does not overwrite the typing.
TextField {
    id: field

    property string time
    property real fontScale: 1.0
    /// Set by the owner's answer to `edited`.
    property bool invalid: false
    signal edited(string typed)

    text: time
    implicitWidth: 58 * fontScale
    horizontalAlignment: TextInput.AlignHCenter
    maximumLength: 5
    selectByMouse: true
    inputMethodHints: Qt.ImhTime
    validator: RegularExpressionValidator { regularExpression: /\d{0,2}:?\d{0,2}/ }
    font.pointSize: TextScale.points(13 * fontScale)
    color: Colors.primary
    padding: 4
    Accessible.name: "Uhrzeit"
    Accessible.description: invalid ? "Keine gültige Uhrzeit" : ""
    background: Rectangle {
        radius: 6
        color: field.invalid ? Colors.alpha(Colors.red, 0.08) : Colors.textBackground
        border.width: field.invalid ? 2 : 1
        border.color: field.invalid ? Colors.red : field.activeFocus ? Colors.blue : Colors.alpha(Colors.primary, 0.15)
    }

    onTextEdited: field.edited(field.text)
    onActiveFocusChanged: {
        if (activeFocus) {
            // A plain value from here on: the owner's answer must not rewrite what is being typed.
            field.text = field.text
            // Reached by Tab, typing replaces the time rather than adding to it.
            field.selectAll()
            FocusScroll.reveal(field)
            return
        }
        // Leaving with a valid time shows it as the owner holds it ("9" becomes "09:00").
        if (!field.invalid)
            field.text = Qt.binding(() => field.time)
    }
}
