import QtQuick
import QtQuick.Controls

// A scrolling column of cards, 8 apart; cards are inset by their delegates so shadows show.
ListView {
    spacing: 8
    clip: true
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ThinScrollBar {}
}
