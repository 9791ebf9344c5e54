import QtQuick
import QtTest
import Zettelwerk.Ui

// What the panel's QML tests share: a shown window (only that takes the mouse), the panel, its items by name.
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

    // Pressed once shown, scrolled into the window and at rest: a screen may slide in, a list still grow.
    function click(target) {
        tryVerify(() => target.visible, 5000, target.objectName + " is hidden")
        let last = -1
        tryVerify(() => {
            FocusScroll.reveal(target)
            const y = target.mapToItem(null, 0, 0).y
            const settled = y === last && y >= 0 && y + target.height <= height
            last = y
            return settled
        }, 5000, target.objectName + " does not settle in the window")
        mouseClick(target)
    }
}
