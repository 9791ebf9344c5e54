import QtQuick
import Zettelwerk.Ui

// Read-only text the user can select and copy.
TextEdit {
    readOnly: true
    selectByMouse: true
    textFormat: TextEdit.PlainText
    wrapMode: TextEdit.Wrap
    font.pixelSize: TextStyle.subheadline
    color: Colors.primary
    selectionColor: Colors.alpha(Colors.blue, 0.3)
    selectedTextColor: Colors.primary
}
