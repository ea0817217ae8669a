import QtQuick
import "theme.js" as Theme
import "dropMath.js" as DropMath

// The head that the drop-down list, grid and slider share: the current text
// with a drop arrow, a click that opens or closes, and the movement of what
// drops below it. What drops exists only while open or moving
// (`contentAlive`); `rowOffset` is how far it is pulled up behind the head:
// `dropHeight` when closed, 0 when open. Head clicks are ignored while it
// moves.
Item {
    id: root

    // Open or opening; false again as soon as closing starts.
    property bool isDrop: false
    // A ListModel whose rows carry the role `textValue`; the head shows row
    // `currentSelect` unless the page writes `textValue` itself.
    property var mdItems: null
    property int count: mdItems ? mdItems.count : 0
    property int currentSelect: 0
    property bool textFromModel: true
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    property real dropHeight: 0
    property int duration: 180
    readonly property bool isAnimating: unroll.running
    readonly property real rowOffset: priv.rowOffset
    readonly property bool contentAlive: priv.alive

    signal btnClick()
    // The closing movement has ended and nothing shows below the head.
    signal closedFully()

    width: 120
    height: DropMath.rowHeight

    Accessible.role: Accessible.ComboBox
    Accessible.name: textValue

    // Used by the pages to tidy up: only a drop-down at rest is closed, one
    // that is moving finishes what it is doing.
    function closeMenu() {
        if (isDrop && !unroll.running)
            close()
    }

    function open() {
        priv.alive = true
        isDrop = true
        unroll.stop()
        unroll.from = dropHeight
        unroll.to = 0
        unroll.start()
    }

    function close() {
        isDrop = false
        unroll.stop()
        unroll.from = priv.rowOffset
        unroll.to = dropHeight
        unroll.start()
    }

    function itemText(i) {
        if (!mdItems || i < 0 || i >= count || i >= mdItems.count)
            return ""
        var t = mdItems.get(i).textValue
        return t === undefined || t === null ? "" : String(t)
    }

    function updateText() {
        if (textFromModel)
            textValue = itemText(currentSelect)
    }

    onCurrentSelectChanged: updateText()
    onMdItemsChanged: updateText()
    onCountChanged: updateText()
    Component.onCompleted: updateText()

    // The language texts replace the rows after start-up; the head follows.
    Connections {
        target: root.textFromModel ? root.mdItems : null
        ignoreUnknownSignals: true
        function onDataChanged() { root.updateText() }
        function onModelReset() { root.updateText() }
    }

    QtObject {
        id: priv
        property real rowOffset: 0
        property bool alive: false
    }

    NumberAnimation {
        id: unroll
        target: priv
        property: "rowOffset"
        duration: root.duration
        easing.type: Easing.OutQuad
        onFinished: {
            if (root.isDrop)
                return
            priv.alive = false
            root.closedFully()
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
                root.close()
            else
                root.open()
        }
    }
}
