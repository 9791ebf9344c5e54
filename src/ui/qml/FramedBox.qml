import QtQuick
import Zettelwerk.Ui

// Rows in a white rounded frame, separated by dividers that the rows draw themselves.
Item {
    default property alias rows: column.data

    implicitHeight: column.implicitHeight
    CardFrame { anchors.fill: parent }
    Column {
        id: column
        width: parent.width
    }
}
