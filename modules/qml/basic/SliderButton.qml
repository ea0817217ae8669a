import QtQuick
import "theme.js" as Theme
import "sliderMath.js" as SliderMath

// A horizontal slider whose value is the knob's x in pixels, from `min` to
// `max`. Pages turn that position into their own value (DPI, a fire period,
// a pointer speed); a scaled slider (`isScale`) keeps the knob on
// `segment` + 1 steps and reports the step in `segmentValue`.
Item {
    id: root

    property int segment: 10
    property int segmentValue: 0
    property bool isScale: false
    // The DPI page paints the stages the mouse is not using blue.
    property color fillColor: Theme.colorOrange

    readonly property real min: SliderMath.minPosition()
    readonly property real max: SliderMath.maxPosition(width)
    readonly property real value: knob.x

    signal valueChange(int x)
    signal valueChangeDelay(int x)
    signal btnClick()
    signal dragSignal(bool isDrag)

    width: 100
    height: SliderMath.knobSize

    Accessible.role: Accessible.Slider
    Accessible.name: "Slider"

    function setRatioValue(r) {
        glide.stop()
        knob.x = SliderMath.ratioPosition(r, min, max)
        valueChange(Math.floor(knob.x))
    }

    function setIndexValue(i, isSendSignal) {
        glide.stop()
        knob.x = SliderMath.indexPosition(i, min, max, segment)
        segmentValue = i
        if (isSendSignal)
            valueChange(Math.floor(knob.x))
    }

    // Loading a stored position: shown as it is, even off the track, so the
    // page can store it back unchanged.
    function setValue(x) {
        glide.stop()
        knob.x = x
    }

    Rectangle {
        id: track
        width: parent.width
        height: 6
        radius: 3
        anchors.verticalCenter: parent.verticalCenter
        color: Theme.colorGray1

        Rectangle {
            height: parent.height
            radius: parent.radius
            width: Math.max(0, Math.min(track.width, knob.x + knob.width / 2))
            color: root.fillColor
        }
    }

    MouseArea {
        id: trackArea
        anchors.fill: track
        anchors.margins: -3
        onClicked: function(mouse) {
            root.btnClick()
            var target = SliderMath.clickPosition(mapToItem(root, mouse.x, 0).x, root.min, root.max)
            if (root.isScale) {
                var step = SliderMath.clickStep(target, root.min, root.max, root.segment)
                root.segmentValue = step
                target = SliderMath.indexPosition(step, root.min, root.max, root.segment)
            }
            glide.to = target
            glide.restart()
        }
    }

    NumberAnimation {
        id: glide
        target: knob
        property: "x"
        duration: 120
        easing.type: Easing.OutQuad
        onFinished: {
            root.valueChange(Math.floor(knob.x))
            root.valueChangeDelay(Math.floor(knob.x))
        }
    }

    Image {
        id: knob
        x: root.min
        width: SliderMath.knobSize
        height: SliderMath.knobSize
        anchors.verticalCenter: parent.verticalCenter
        source: Theme.picture("index", "knob")

        MouseArea {
            id: knobArea
            // Where on the knob it was grabbed, so it does not jump under
            // the pointer. Dragging is done by hand rather than with
            // drag.target so that the first pixel of movement counts.
            property real grabX: 0

            anchors.fill: parent
            onPressed: function(mouse) {
                glide.stop()
                grabX = mouse.x
                root.btnClick()
                root.dragSignal(true)
            }
            onPositionChanged: function(mouse) {
                var x = SliderMath.clamp(mapToItem(root, mouse.x, 0).x - grabX, root.min, root.max)
                if (x === knob.x)
                    return
                knob.x = x
                if (!root.isScale)
                    root.valueChange(Math.floor(knob.x))
            }
            onReleased: {
                if (root.isScale) {
                    var step = SliderMath.releaseStep(knob.x, root.min, root.max, root.segment)
                    root.segmentValue = step
                    knob.x = SliderMath.indexPosition(step, root.min, root.max, root.segment)
                }
                root.valueChangeDelay(Math.floor(knob.x))
                root.dragSignal(false)
            }
            onCanceled: root.dragSignal(false)
        }
    }
}
