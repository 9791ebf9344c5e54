import QtQuick
import Zettelwerk.Ui

Rectangle {
    implicitHeight: 1
    implicitWidth: 1
    color: Colors.separator
}
