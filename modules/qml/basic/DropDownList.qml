import QtQuick
import "theme.js" as Theme
import "dropMath.js" as DropMath

// A head showing the current row and, below it, rows that unroll on a click.
// Rows exist only while the list is open or moving, so a screen with many
// closed lists starts quickly. The page must place the list above its
// neighbours (z), since the rows hang below the head's 24 pixels.
Item {
    id: root

    // Open or opening; false again as soon as closing starts.
    property bool isDrop: false
    // A ListModel whose rows carry the role `textValue`.
    property var mdItems: null
    property int count: mdItems ? mdItems.count : 0
    // Pages always choose a row; 2 is what shows until they do.
    property int currentSelect: 2
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    readonly property bool isAnimating: unroll.running

    signal btnClick()
    signal valueChange(int index)
    signal dragSignal(bool isDrag)

    width: 120
    height: DropMath.rowHeight

    Accessible.role: Accessible.ComboBox
    Accessible.name: textValue

    // Used by the pages to tidy up: only a list at rest is closed, one that
    // is moving finishes what it is doing.
    function closeMenu() {
        if (isDrop && !unroll.running)
            priv.close(-1)
    }

    function rowText(i) {
        if (!mdItems || i < 0 || i >= count || i >= mdItems.count)
            return ""
        var t = mdItems.get(i).textValue
        return t === undefined || t === null ? "" : String(t)
    }

    function updateText() {
        textValue = rowText(currentSelect)
    }

    onCurrentSelectChanged: updateText()
    onMdItemsChanged: updateText()
    onCountChanged: updateText()
    Component.onCompleted: updateText()

    // The language texts replace the rows after start-up; the head follows.
    Connections {
        target: root.mdItems
        ignoreUnknownSignals: true
        function onDataChanged() { root.updateText() }
        function onModelReset() { root.updateText() }
    }

    QtObject {
        id: priv

        // How far the rows are pulled up behind the head: the whole list
        // when closed, 0 when open.
        property real rowOffset: 0
        property bool rowsAlive: false
        // Row picked while closing; reported once the rows are out of sight.
        property int pendingIndex: -1
        property real barY: 0
        property real barPressY: 0
        property real pointerPressY: 0

        function open() {
            rowsAlive = true
            root.isDrop = true
            unroll.stop()
            unroll.from = DropMath.listHeight(root.count)
            unroll.to = 0
            unroll.start()
        }

        function close(index) {
            pendingIndex = index
            root.isDrop = false
            unroll.stop()
            unroll.from = rowOffset
            unroll.to = DropMath.listHeight(root.count)
            unroll.start()
        }

        function pick(index) {
            if (!root.isDrop)
                return
            root.currentSelect = index
            close(index)
        }
    }

    NumberAnimation {
        id: unroll
        target: priv
        property: "rowOffset"
        duration: DropMath.listDuration(root.count)
        easing.type: Easing.OutQuad
        onFinished: {
            if (root.isDrop)
                return
            priv.rowsAlive = false
            var index = priv.pendingIndex
            priv.pendingIndex = -1
            if (index >= 0)
                root.valueChange(index)
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
                priv.close(-1)
            else
                priv.open()
        }
    }

    Item {
        id: view
        y: DropMath.rowHeight
        width: root.width
        height: DropMath.viewHeight(root.count)
        clip: true
        visible: priv.rowsAlive

        Item {
            y: -priv.rowOffset - DropMath.scrollOffset(priv.barY, root.count)
            width: root.width
            height: DropMath.listHeight(root.count)

            Repeater {
                objectName: "dropRows"
                model: priv.rowsAlive ? root.mdItems : null

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
                        width: Math.min(implicitWidth, Math.max(0, parent.width - 16))
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
            y: DropMath.clampScrollBar(priv.barY, root.count) - priv.rowOffset
            width: DropMath.scrollBarWidth
            height: DropMath.scrollBarHeight(root.count)
            visible: DropMath.hasScrollBar(root.count)
            color: Theme.colorWhite
            border.color: Theme.colorGray3

            Accessible.role: Accessible.ScrollBar
            Accessible.name: "Scroll"

            MouseArea {
                anchors.fill: parent
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
