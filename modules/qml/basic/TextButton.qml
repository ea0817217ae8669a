import QtQuick
import "theme.js" as Theme

// A button-like rectangle with a centred caption. A page that holds unsaved
// changes sets `baseColor` to red so Save stands out.
Rectangle {
    id: root

    property string textValue: ""
    property color baseColor: Theme.colorBlue
    readonly property alias hovered: area.containsMouse

    signal clicked()

    // The pointer may have moved while the scene took no input: the hover
    // colour follows where it is now.
    function refreshHover() {
        area.visible = false
        area.visible = true
    }

    width: 100
    height: 24
    color: area.containsMouse ? Theme.colorOrange : baseColor

    Accessible.role: Accessible.Button
    Accessible.name: textValue
    Accessible.onPressAction: root.clicked()

    // A caption longer than the button shrinks, then elides.
    Text {
        anchors.centerIn: parent
        width: Math.max(0, root.width - 8)
        horizontalAlignment: Text.AlignHCenter
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Theme.fontMinSize
        elide: Text.ElideRight
        text: root.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.clicked()
    }
}
