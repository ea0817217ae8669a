import QtQuick
import "../basic"
import "../basic/theme.js" as Theme

// A dialog page over the mask: a title strip with its close (and optional
// restore) picture, a body created the first time the page opens, and
// dragging by any empty part, kept inside the 1024 x 640 window.
Rectangle {
    id: frame

    property string title: ""
    property bool hasRestore: false
    // Pages reopen centred unless they keep the place the user dragged them
    // to (the gun page centres only the first time).
    property bool centreEachOpen: true
    // The page's visuals; built on first open so start-up stays quick.
    property Component body: null
    // Or a file of its own, which start-up then does not even load; it is
    // given the page as its `page`.
    property url bodyUrl: ""

    readonly property alias bodyItem: bodyLoader.item
    property bool everOpened: false
    readonly property int titleHeight: 40

    signal closeClick()
    signal restoreClick()

    color: Theme.colorGray0
    visible: false
    Accessible.role: Accessible.Dialog
    Accessible.name: title

    function open() {
        if (centreEachOpen || !everOpened)
            centre()
        if (!everOpened) {
            // The body is built now; how long that takes is what a person
            // waits on a page's first open.
            var started = Date.now()
            everOpened = true
            if (bodyUrl.toString() !== "")
                bodyLoader.setSource(bodyUrl, { page: frame })
            console.debug("First open of " + objectName + ": " + (Date.now() - started) + " ms")
        }
        visible = true
    }

    function centre() {
        x = Math.round((1024 - width) / 2)
        y = Math.round((640 - height) / 2)
    }

    // Moves by an offset and stops at the window's edges.
    function moveBy(dx, dy) {
        x = Math.max(0, Math.min(1024 - width, x + dx))
        y = Math.max(0, Math.min(640 - height, y + dy))
    }

    MouseArea {
        property point pressPoint
        anchors.fill: parent
        onPressed: function (mouse) { pressPoint = Qt.point(mouse.x, mouse.y) }
        onPositionChanged: function (mouse) {
            if (pressed)
                frame.moveBy(mouse.x - pressPoint.x, mouse.y - pressPoint.y)
        }
    }

    FrameTitle {
        id: titleStrip
        width: frame.width
        textValue: frame.title
        hasRestore: frame.hasRestore
        onCloseClick: frame.closeClick()
        onRestoreClick: frame.restoreClick()
    }

    Loader {
        id: bodyLoader
        y: frame.titleHeight + 1
        width: frame.width
        height: frame.height - y
        active: frame.everOpened && (frame.body !== null || frame.bodyUrl.toString() !== "")
        sourceComponent: frame.body
    }
}
