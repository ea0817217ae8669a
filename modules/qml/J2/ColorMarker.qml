import QtQuick
import "../basic/theme.js" as Theme

// A picker on the hue bar: a numbered box ("1" to "12", or "S" for the
// single colour) over a small square of its colour that points at the bar.
Item {
    id: marker

    property string label: ""
    property color colour: "#ff0000"

    signal pressed()
    signal dragged(real dx)
    signal released()

    width: 18
    height: 28
    Accessible.role: Accessible.Slider
    Accessible.name: "Colour picker " + label

    Rectangle {
        id: tip
        x: (marker.width - width) / 2
        y: 14
        width: 10
        height: 10
        rotation: 45
        color: marker.colour
        border.color: Theme.fontColor
    }

    Rectangle {
        width: 17
        height: 17
        color: Theme.colorGray0
        border.color: Theme.fontColor

        Text {
            anchors.centerIn: parent
            text: marker.label
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMinSize
        }
    }

    MouseArea {
        property real pressX: 0
        anchors.fill: parent
        onPressed: function (mouse) {
            pressX = mapToItem(marker.parent, mouse.x, 0).x
            marker.pressed()
        }
        onPositionChanged: function (mouse) {
            if (pressed)
                marker.dragged(mapToItem(marker.parent, mouse.x, 0).x - pressX)
        }
        onReleased: marker.released()
    }
}
