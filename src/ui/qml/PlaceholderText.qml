import QtQuick
import Zettelwerk.Ui

// The body of a screen that is still to come.
Text {
    textFormat: Text.PlainText
    width: parent ? parent.width : implicitWidth
    padding: 14
    wrapMode: Text.Wrap
    font.pixelSize: TextStyle.subheadline
    color: Colors.secondaryText
}
