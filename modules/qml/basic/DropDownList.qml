import QtQuick
import "theme.js" as Theme
import "dropMath.js" as DropMath

// A head showing the current row and, below it, rows that unroll on a click.
// Rows exist only while the list is open or moving, so a screen with many
// closed lists starts quickly. The page must place the list above its
// neighbours (z), since the rows hang below the head's 24 pixels. More than
// ten rows scroll by their bar and by the wheel, also inside a scrolling
// page, which keeps still meanwhile.
DropBase {
    id: root

    // Pages always choose a row; 2 is what shows until they do.
    currentSelect: 2
    dropHeight: DropMath.listHeight(count)
    duration: DropMath.listDuration(count)

    signal valueChange(int index)
    signal dragSignal(bool isDrag)

    // Scrolls the rows by whole rows (negative: up), as the wheel does.
    function scrollRows(rows) {
        priv.barY = DropMath.clampScrollBar(
            DropMath.barForOffset(DropMath.scrollOffset(priv.barY, count) + rows * DropMath.rowHeight, count),
            count)
    }

    onClosedFully: {
        var index = priv.pendingIndex
        priv.pendingIndex = -1
        if (index >= 0)
            root.valueChange(index)
    }

    QtObject {
        id: priv

        // Row picked while closing; reported once the rows are out of sight.
        property int pendingIndex: -1
        property real barY: 0
        property real barPressY: 0
        property real pointerPressY: 0

        function pick(index) {
            if (!root.isDrop)
                return
            root.currentSelect = index
            pendingIndex = index
            root.close()
        }
    }

    Item {
        id: view
        y: DropMath.rowHeight
        width: root.width
        height: DropMath.viewHeight(root.count)
        clip: true
        visible: root.contentAlive

        // The wheel over the rows moves the rows, never the page behind.
        MouseArea {
            objectName: "wheelArea"
            anchors.fill: parent
            acceptedButtons: Qt.NoButton
            onWheel: function (wheel) {
                var notches = wheel.angleDelta.y / 120
                if (notches !== 0 && DropMath.hasScrollBar(root.count))
                    root.scrollRows(notches > 0 ? -Math.ceil(notches) : Math.ceil(-notches))
                wheel.accepted = true
            }
        }

        Item {
            y: -root.rowOffset - DropMath.scrollOffset(priv.barY, root.count)
            width: root.width
            height: DropMath.listHeight(root.count)

            Repeater {
                objectName: "dropRows"
                model: root.contentAlive ? root.mdItems : null

                delegate: Rectangle {
                    required property int index
                    required property string textValue

                    objectName: "dropRow" + index
                    y: index * DropMath.rowHeight
                    width: root.width
                    height: DropMath.rowHeight
                    color: index === root.currentSelect || rowArea.containsMouse
                           ? Theme.colorOrange : root.bgColor

                    Accessible.role: Accessible.ListItem
                    Accessible.name: textValue

                    Text {
                        anchors.centerIn: parent
                        anchors.horizontalCenterOffset: root.horizontalOffset
                        width: Math.max(0, parent.width - 2 * DropMath.scrollBarWidth)
                        horizontalAlignment: Text.AlignHCenter
                        elide: Text.ElideRight
                        text: parent.textValue
                        color: Theme.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }

                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: priv.pick(parent.index)
                    }
                }
            }
        }

        Rectangle {
            id: scrollBar
            objectName: "scrollBar"
            x: root.width - DropMath.scrollBarWidth
            y: DropMath.clampScrollBar(priv.barY, root.count) - root.rowOffset
            width: DropMath.scrollBarWidth
            height: DropMath.scrollBarHeight(root.count)
            visible: DropMath.hasScrollBar(root.count)
            color: Theme.colorWhite
            border.color: Theme.colorGray3

            Accessible.role: Accessible.ScrollBar
            Accessible.name: "Scroll"

            MouseArea {
                anchors.fill: parent
                // A scrolling page around the list must not take the drag.
                preventStealing: true
                // Dragged by hand so that every pixel counts; positions are
                // taken in the view, which does not move with the bar.
                onPressed: function(mouse) {
                    priv.barPressY = DropMath.clampScrollBar(priv.barY, root.count)
                    priv.pointerPressY = mapToItem(view, mouse.x, mouse.y).y
                    root.dragSignal(true)
                }
                onPositionChanged: function(mouse) {
                    var moved = mapToItem(view, mouse.x, mouse.y).y - priv.pointerPressY
                    priv.barY = DropMath.clampScrollBar(priv.barPressY + moved, root.count)
                }
                onReleased: root.dragSignal(false)
                onCanceled: root.dragSignal(false)
            }
        }
    }
}
