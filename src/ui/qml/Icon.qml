import QtQuick
import Zettelwerk.Ui

// One symbol, drawn from the icon font by its ligature. `size` is the text size the symbol
// stands for; the font's glyphs fill less of their box than letters do, hence the factor.
Text {
    textFormat: Text.PlainText
    property string symbol
    property real size: 12

    font.family: Icons.fontFamily
    font.pixelSize: Math.round(size * 1.25)
    text: Icons.glyph(symbol)
    verticalAlignment: Text.AlignVCenter
    horizontalAlignment: Text.AlignHCenter
}
