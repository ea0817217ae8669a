import QtQuick
import "theme.js" as Theme

// A box that waits for keys: blue, orange under the pointer and while it
// captures. A click asks the page to start capturing; the page fills the text.
Rectangle {
    id: root

    property string textValue: ""
    property bool capturing: false
    // Room kept at the right for pictures the page puts into the box.
    property int rightInset: 0
    readonly property alias hovered: area.containsMouse

    signal clicked()

    width: 96
    height: 24
    color: capturing || area.containsMouse ? Theme.colorOrange : Theme.colorBlue
    Accessible.role: Accessible.Button
    Accessible.name: textValue
    Accessible.onPressAction: root.clicked()

    // A long combination shrinks, then elides in the middle.
    Text {
        objectName: "captureText"
        x: 4
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width - 8 - root.rightInset
        horizontalAlignment: Text.AlignHCenter
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Theme.fontMinSize
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
