import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// Hours and minutes as "HH:mm". The owner takes the typed time or refuses it; either way the
// field then shows the time the owner holds.
TextField {
    id: field

    property string time
    property real fontScale: 1.0
    signal submitted(string typed)

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
    background: Rectangle {
        radius: 6
        color: Colors.textBackground
        border.width: 1
        border.color: field.activeFocus ? Colors.blue : Colors.alpha(Colors.primary, 0.15)
    }

    onEditingFinished: {
        field.submitted(field.text)
        field.text = Qt.binding(() => field.time)
    }
}
