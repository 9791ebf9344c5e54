import QtQuick

// The coloured strip at a card's leading edge. Its outer corners follow the card's rounding,
// so the strip never sticks out of the card.
Item {
    property color color

    implicitWidth: 4
    clip: true

    Rectangle {
        width: parent.width + 10
        height: parent.height
        radius: 10
        color: parent.color
    }
}
