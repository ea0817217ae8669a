import QtQuick
import "theme.js" as Theme
import "dropMath.js" as DropMath

// A head that drops one row holding a slider; the page writes the head text
// from the slider's value (a fire period, for instance). The slider lives
// on while closed, since the page positions it from stored data.
Item {
    id: root

    property bool isDrop: false
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    readonly property bool isAnimating: unroll.running
    readonly property alias slider: slider

    signal btnClick()
    signal valueChange(int x)
    signal dragSignal(bool isDrag)

    width: 120
    height: DropMath.rowHeight

    Accessible.role: Accessible.ComboBox
    Accessible.name: textValue

    function setValue(ratio) {
        slider.setRatioValue(ratio)
    }

    function closeMenu() {
        if (isDrop && !unroll.running)
            priv.close()
    }

    QtObject {
        id: priv

        // How far the row is pulled up behind the head; 0 when open.
        property real rowOffset: DropMath.rowHeight
        property bool rowAlive: false

        function open() {
            rowAlive = true
            root.isDrop = true
            unroll.stop()
            unroll.from = DropMath.rowHeight
            unroll.to = 0
            unroll.start()
        }

        function close() {
            root.isDrop = false
            unroll.stop()
            unroll.from = rowOffset
            unroll.to = DropMath.rowHeight
            unroll.start()
        }
    }

    NumberAnimation {
        id: unroll
        target: priv
        property: "rowOffset"
        duration: 180
        easing.type: Easing.OutQuad
        onFinished: {
            if (!root.isDrop)
                priv.rowAlive = false
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
        y: DropMath.rowHeight
        width: root.width
        height: DropMath.rowHeight
        clip: true
        visible: priv.rowAlive

        Rectangle {
            y: -priv.rowOffset
            width: parent.width
            height: parent.height
            color: root.bgColor

            SliderButton {
                id: slider
                x: 8
                width: root.width - 16
                anchors.verticalCenter: parent.verticalCenter
                Accessible.name: root.textValue
                onValueChange: function(x) { root.valueChange(x) }
                onDragSignal: function(isDrag) { root.dragSignal(isDrag) }
            }
        }
    }
}
