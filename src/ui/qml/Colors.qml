pragma Singleton
import QtQuick
import Zettelwerk.Ui

// The named colours of the interface, each with its light and its dark value; the appearance
// follows the desktop. Screens use these names only.
// Dark: accents are lighter than their light values so that, as text, they keep 4.5:1 on the
// dark surfaces and on their own 12 % tint; text on a filled accent is dark for the same reason.
QtObject {
    readonly property bool dark: Appearance.dark

    readonly property color blue: dark ? "#5CAEFF" : "#007AFF"
    readonly property color indigo: dark ? "#A5A3FF" : "#5856D6"
    readonly property color orange: dark ? "#FFA733" : "#FF9500"
    readonly property color red: dark ? "#FF7B73" : "#FF3B30"
    readonly property color cyan: dark ? "#64D2FF" : "#32ADE6"
    readonly property color purple: dark ? "#D08CFF" : "#AF52DE"
    readonly property color green: dark ? "#32D74B" : "#34C759"
    readonly property color teal: dark ? "#5ED4E6" : "#30B0C7"
    readonly property color gray: dark ? "#AEAEB2" : "#8E8E93"
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
