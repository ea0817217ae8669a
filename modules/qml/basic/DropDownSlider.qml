import QtQuick
import "theme.js" as Theme
import "dropMath.js" as DropMath

// A head that drops one row holding a slider; the page writes the head text
// from the slider's value (a fire period, for instance). The slider lives
// on while closed, since the page positions it from stored data.
DropBase {
    id: root

    readonly property alias slider: slider

    signal valueChange(int x)
    signal dragSignal(bool isDrag)

    textFromModel: false
    dropHeight: DropMath.rowHeight
    duration: 180

    function setValue(ratio) {
        slider.setRatioValue(ratio)
    }

    Item {
        y: DropMath.rowHeight
        width: root.width
        height: DropMath.rowHeight
        clip: true
        visible: root.contentAlive

        Rectangle {
            // Pulled up out of sight while closed.
            y: root.contentAlive ? -root.rowOffset : -height
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
