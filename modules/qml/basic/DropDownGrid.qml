import QtQuick
import "theme.js" as Theme
import "dropMath.js" as DropMath

// A head that unrolls a grid of three columns, each cell as wide as the
// head. Cells with an empty text fill the last row and cannot be chosen: a
// click on one closes the grid on the entry it already had.
// The page reads `currentSelect` on `btnClick()`; cells exist only while the
// grid is open or moving. The page places it above its neighbours (z).
DropBase {
    id: root

    // Where the grid's left edge lies relative to the head, for a head near
    // the right side of a page.
    property int dropX: 0

    width: 107
    dropHeight: DropMath.gridRows(count) * DropMath.rowHeight
    duration: DropMath.gridDuration(count)

    function pick(index) {
        if (!isDrop)
            return
        if (itemText(index) !== "")
            currentSelect = index
        close()
        btnClick()
    }

    Item {
        x: root.dropX
        y: DropMath.rowHeight
        width: root.width * 3
        height: root.dropHeight
        clip: true
        visible: root.contentAlive

        // The wheel over the open grid leaves the page behind still.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.NoButton
            onWheel: function (wheel) { wheel.accepted = true }
        }

        Item {
            y: -root.rowOffset
            width: parent.width
            height: parent.height

            Repeater {
                objectName: "dropCells"
                model: root.contentAlive ? root.mdItems : null

                delegate: Rectangle {
                    required property int index
                    required property string textValue
                    readonly property bool selectable: textValue !== ""

                    objectName: "dropCell" + index
                    x: (index % 3) * root.width
                    y: Math.floor(index / 3) * DropMath.rowHeight
                    width: root.width
                    height: DropMath.rowHeight
                    color: selectable && (index === root.currentSelect || cellArea.containsMouse)
                           ? Theme.colorOrange : root.bgColor

                    Accessible.role: Accessible.Cell
                    Accessible.name: textValue

                    Text {
                        anchors.centerIn: parent
                        width: parent.width - 4
                        horizontalAlignment: Text.AlignHCenter
                        fontSizeMode: Text.HorizontalFit
                        minimumPixelSize: Theme.fontMinSize
                        elide: Text.ElideRight
                        text: parent.textValue
                        color: Theme.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }

                    MouseArea {
                        id: cellArea
                        anchors.fill: parent
                        hoverEnabled: parent.selectable
                        onClicked: root.pick(parent.index)
                    }
                }
            }
        }
    }
}
