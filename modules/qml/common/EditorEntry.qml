import QtQuick
import "../basic/theme.js" as Theme

// One entry of the editor box; orange under the pointer.
Rectangle {
    id: entry

    property string textValue: ""

    signal clicked()

    width: 216
    height: 24
    color: area.containsMouse ? Theme.colorOrange : "transparent"
    Accessible.role: Accessible.Button
    Accessible.name: textValue
    Accessible.onPressAction: entry.clicked()

    Text {
        x: 8
        width: entry.width - 16
        elide: Text.ElideRight
        anchors.verticalCenter: parent.verticalCenter
        text: entry.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: entry.clicked()
    }
}
