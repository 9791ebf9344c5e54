import QtQuick
import QtQuick.Controls
import Zettelwerk.Ui

// A drop-down list in the editor's look; shows `shownText` as typed, never as markup.
ComboBox {
    id: box

    property string shownText: displayText
    property real fontScale: 1.0

    implicitHeight: 26
    // The list that drops down is the style's own and draws with the palette: without these it
    // stays in the system's light colours on a dark panel.
    palette.window: Colors.controlBackground
    palette.base: Colors.textBackground
    palette.button: Colors.controlBackground
    palette.text: Colors.primary
    palette.windowText: Colors.primary
    palette.buttonText: Colors.primary
    palette.highlight: Colors.blue
    palette.highlightedText: Colors.onAccent
    font.pointSize: TextScale.points(13 * fontScale)

    contentItem: Text {
        leftPadding: 8
        rightPadding: box.indicator.width + 4
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        textFormat: Text.PlainText
        text: box.shownText
        font: box.font
        color: Colors.primary
    }
    indicator: Icon {
        x: box.width - width - 6
        y: (box.height - height) / 2
        symbol: "chevron.down"
        size: 11
        color: Colors.secondaryText
    }
    background: Rectangle {
        radius: 6
        color: Colors.textBackground
        border.width: box.visualFocus ? 2 : 1
        border.color: box.activeFocus || box.popup.visible ? Colors.blue : Colors.alpha(Colors.primary, 0.15)
    }
}
