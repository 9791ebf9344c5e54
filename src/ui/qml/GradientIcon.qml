import QtQuick
import Zettelwerk.Ui

// A symbol filled with a gradient; sized like Icon.
GradientItem {
    property string symbol
    property real size: 12

    text: Icons.glyph(symbol)
    font.family: Icons.fontFamily
    font.pixelSize: Math.round(size * 1.25)
    implicitHeight: font.pixelSize
}
