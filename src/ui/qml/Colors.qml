pragma Singleton
import QtQuick

// The named colours of the interface (light appearance). Screens use these names only.
QtObject {
    readonly property color blue: "#007AFF"
    readonly property color indigo: "#5856D6"
    readonly property color orange: "#FF9500"
    readonly property color red: "#FF3B30"
    readonly property color cyan: "#32ADE6"
    readonly property color purple: "#AF52DE"
    readonly property color green: "#34C759"
    readonly property color teal: "#30B0C7"
    readonly property color gray: "#8E8E93"
    readonly property color primary: "#1D1D1F"
    readonly property color secondaryText: "#80000000"
    readonly property color controlBackground: "#FFFFFF"
    readonly property color textBackground: "#FFFFFF"
    readonly property color windowBackground: "#ECECEC"
    readonly property color separator: "#1A000000"
    // Stands in for the dialog's blurred translucent material: without the blur, any
    // translucency lets the panel's text show through, so it is opaque.
    readonly property color material: "#F6F6F6"

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
