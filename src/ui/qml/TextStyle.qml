pragma Singleton
import QtQuick

// Pixel sizes of the text styles the screens name.
QtObject {
    readonly property real title3: 15
    readonly property real subheadline: 11
    readonly property real caption: 10
    readonly property real caption2: 10
}
