import QtQuick

// The modal mask under every dialog page. A press on it outside the page
// asks the pages to drop their inner focus; dragging it moves the window.
Rectangle {
    id: mask
    width: 1024
    height: 640
    color: "#90000000"
    visible: false

    signal pressedOutside()
    signal dragged(int dx, int dy)
    signal dragStarted()

    MouseArea {
        property point pressPoint
        anchors.fill: parent
        onPressed: function (mouse) {
            pressPoint = Qt.point(mouse.x, mouse.y)
            mask.pressedOutside()
            mask.dragStarted()
        }
        onPositionChanged: function (mouse) {
            if (pressed)
                mask.dragged(mouse.x - pressPoint.x, mouse.y - pressPoint.y)
        }
    }
}
