import QtQuick
import QtTest
import Zettelwerk.Ui

// What the panel's QML tests share: the panel's size, a shown window (mouse events reach only
// that), the panel content on a fresh fixture, and its items found by name.
TestCase {
    width: 380
    height: 580
    visible: true
    when: windowShown

    property Item panel
    readonly property Component content: Component {
        PanelContent {
            width: 380
            height: 580
        }
    }

    function item(name, within) {
        const found = findChild(within || panel, name)
        verify(found, "no item named " + name)
        return found
    }
}
