import QtQuick
import "theme.js" as Theme

// A box that waits for keys: blue, orange under the pointer and while it
// captures. A click asks the page to start capturing; the page fills the text.
Rectangle {
    id: root

    property string textValue: ""
    property bool capturing: false
    readonly property alias hovered: area.containsMouse

    signal clicked()

    width: 96
    height: 24
    color: capturing || area.containsMouse ? Theme.colorOrange : Theme.colorBlue
    Accessible.role: Accessible.Button
    Accessible.name: textValue
    Accessible.onPressAction: root.clicked()

    Text {
        anchors.centerIn: parent
        width: parent.width - 8
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideMiddle
        text: root.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.clicked()
    }
}
