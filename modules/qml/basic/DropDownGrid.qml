import QtQuick
import "theme.js" as Theme
import "dropMath.js" as DropMath

// A head that unrolls a grid of three columns, each cell as wide as the
// head. Cells with an empty text fill the last row and cannot be chosen.
// The page reads `currentSelect` on `btnClick()`; cells exist only while the
// grid is open or moving. The page places it above its neighbours (z).
Item {
    id: root

    property bool isDrop: false
    // A ListModel whose rows carry the role `textValue`.
    property var mdItems: null
    property int count: mdItems ? mdItems.count : 0
    property int currentSelect: 0
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    // Where the grid's left edge lies relative to the head, for a head near
    // the right side of a page.
    property int dropX: 0
    readonly property bool isAnimating: unroll.running

    signal btnClick()

    width: 107
    height: DropMath.rowHeight

    Accessible.role: Accessible.ComboBox
    Accessible.name: textValue

    function closeMenu() {
        if (isDrop && !unroll.running)
            priv.close()
    }

    function cellText(i) {
        if (!mdItems || i < 0 || i >= count || i >= mdItems.count)
            return ""
        var t = mdItems.get(i).textValue
        return t === undefined || t === null ? "" : String(t)
    }

    function updateText() {
        textValue = cellText(currentSelect)
    }

    onCurrentSelectChanged: updateText()
    onMdItemsChanged: updateText()
    onCountChanged: updateText()
    Component.onCompleted: updateText()

    Connections {
        target: root.mdItems
        ignoreUnknownSignals: true
        function onDataChanged() { root.updateText() }
        function onModelReset() { root.updateText() }
    }

    QtObject {
        id: priv

        readonly property real gridHeight: DropMath.gridRows(root.count) * DropMath.rowHeight
        // How far the cells are pulled up behind the head; 0 when open.
        property real rowOffset: 0
        property bool cellsAlive: false

        function open() {
            cellsAlive = true
            root.isDrop = true
            unroll.stop()
            unroll.from = gridHeight
            unroll.to = 0
            unroll.start()
        }

        function close() {
            root.isDrop = false
            unroll.stop()
            unroll.from = rowOffset
            unroll.to = gridHeight
            unroll.start()
        }

        function pick(index) {
            if (!root.isDrop || root.cellText(index) === "")
                return
            root.currentSelect = index
            close()
            root.btnClick()
        }
    }

    NumberAnimation {
        id: unroll
        target: priv
        property: "rowOffset"
        duration: DropMath.gridDuration(root.count)
        easing.type: Easing.OutQuad
        onFinished: {
            if (!root.isDrop)
                priv.cellsAlive = false
        }
    }

    DropHead {
        width: root.width
        text: root.textValue
        isDrop: root.isDrop
        color: root.bgColor
        border.color: root.borderColor
        horizontalOffset: root.horizontalOffset
        onClicked: {
            root.btnClick()
            if (unroll.running)
                return
            if (root.isDrop)
                priv.close()
            else
                priv.open()
        }
    }

    Item {
        x: root.dropX
        y: DropMath.rowHeight
        width: root.width * 3
        height: priv.gridHeight
        clip: true
        visible: priv.cellsAlive

        Item {
            y: -priv.rowOffset
            width: parent.width
            height: parent.height

            Repeater {
                objectName: "dropCells"
                model: priv.cellsAlive ? root.mdItems : null

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
                        text: parent.textValue
                        color: Theme.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }

                    MouseArea {
                        id: cellArea
                        anchors.fill: parent
                        hoverEnabled: parent.selectable
                        onClicked: priv.pick(parent.index)
                    }
                }
            }
        }
    }
}
