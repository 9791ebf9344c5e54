import QtQuick
import Zettelwerk.Ui

// A section title of the backup screen: symbol and text.
Row {
    property string symbol
    property string title

    spacing: 6
    Icon {
        anchors.verticalCenter: parent.verticalCenter
        symbol: parent.symbol
        size: TextStyle.subheadline
        color: Colors.primary
    }
    Text {
        textFormat: Text.PlainText
        anchors.verticalCenter: parent.verticalCenter
        text: parent.title
        font.pixelSize: TextStyle.subheadline
        font.weight: Font.DemiBold
        color: Colors.primary
    }
}
