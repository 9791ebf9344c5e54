pragma Singleton
import QtQuick
import Zettelwerk.Ui

// The named colours of the interface, each with its light and its dark value; the appearance
// follows the desktop. Screens use these names only.
// Accents are text as often as fills, so each keeps 4.5:1 as text on every surface and on its own
// 12 % tint: light ones are deeper than the usual system tints, dark ones lighter, and text on a
// filled accent is white in light and dark in dark.
QtObject {
    readonly property bool dark: Appearance.dark

    readonly property color blue: dark ? "#5CAEFF" : "#0065D4"
    readonly property color indigo: dark ? "#A5A3FF" : "#5856D6"
    readonly property color orange: dark ? "#FFA733" : "#A85200"
    readonly property color red: dark ? "#FF7B73" : "#C42D25"
    readonly property color cyan: dark ? "#64D2FF" : "#207094"
    readonly property color purple: dark ? "#D08CFF" : "#9445BC"
    readonly property color green: dark ? "#32D74B" : "#207936"
    readonly property color teal: dark ? "#5ED4E6" : "#1F7382"
    readonly property color gray: dark ? "#AEAEB2" : "#69696D"
    readonly property color primary: dark ? "#F2F2F7" : "#1D1D1F"
    // Light: 58 % black keeps 5:1 on the grey window background, where half black stays under 4.5:1.
    readonly property color secondaryText: dark ? "#99FFFFFF" : "#94000000"
    // Text and symbols on a filled accent (buttons, tiles, today's day).
    readonly property color onAccent: dark ? "#1C1C1E" : "#FFFFFF"
    readonly property color controlBackground: dark ? "#2C2C2E" : "#FFFFFF"
    readonly property color textBackground: dark ? "#232325" : "#FFFFFF"
    readonly property color windowBackground: dark ? "#1C1C1E" : "#ECECEC"
    readonly property color separator: dark ? "#26FFFFFF" : "#1A000000"
    // Stands in for the dialog's blurred translucent material: without the blur, any
    // translucency lets the panel's text show through, so it is opaque.
    readonly property color material: dark ? "#333336" : "#F6F6F6"

    // Cards and badges carry their colour as a name from the C++ side.
    function named(name: string): color {
        switch (name) {
        case "blue": return blue
        case "indigo": return indigo
        case "orange": return orange
        case "red": return red
        case "cyan": return cyan
        case "purple": return purple
        case "green": return green
        case "teal": return teal
        case "gray": return gray
        case "primary": return primary
        case "secondary": return secondaryText
        default: return "transparent"
        }
    }

    function alpha(base: color, opacity: real): color {
        return Qt.rgba(base.r, base.g, base.b, base.a * opacity)
    }
}
