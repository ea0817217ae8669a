import QtQuick
import QtTest
import "../../modules/qml/basic"

Item {
    width: 300
    height: 200

    // A fire-rate box: the slider is 104 wide, its knob runs from 3 to 89.
    DropDownSlider {
        id: rate
        x: 10
        y: 10
        textValue: "10ms"
        onValueChange: function(x) { textValue = (x + 1) + "MS" }
    }

    SignalSpy { id: clickSpy; target: rate; signalName: "btnClick" }
    SignalSpy { id: valueSpy; target: rate; signalName: "valueChange" }
    SignalSpy { id: dragSpy; target: rate; signalName: "dragSignal" }

    TestCase {
        name: "DropDownSlider"
        when: windowShown

        function init() {
            clickSpy.clear()
            valueSpy.clear()
            dragSpy.clear()
        }

        function test_set_value_while_closed_data() {
            return [
                { tag: "shortest period", period: 5 },
                { tag: "rounding-prone period", period: 28 },
                { tag: "longest period", period: 90 }
            ]
        }

        function test_set_value_while_closed(data) {
            rate.setValue((data.period - 5) / 86)
            verify(!rate.isDrop)
            compare(rate.slider.value, data.period - 1)
            compare(valueSpy.count, 1)
            compare(rate.textValue, data.period + "MS")
        }

        function test_opens_and_passes_on_knob_drags() {
            rate.setValue(0)
            valueSpy.clear()
            mouseClick(rate, 20, 12)
            verify(rate.isDrop && rate.isAnimating)
            mouseClick(rate, 20, 12)
            verify(rate.isDrop, "head ignored while unrolling")
            compare(clickSpy.count, 2)
            tryCompare(rate, "isAnimating", false)

            var slider = rate.slider
            mousePress(slider, slider.value + 6, 6)
            mouseMove(slider, 30, 6)
            mouseMove(slider, 300, 6)
            mouseRelease(slider, 300, 6)
            compare(valueSpy.count, 2)
            compare(valueSpy.signalArguments[1][0], 89)
            compare(rate.textValue, "90MS")
            compare(dragSpy.count, 2)
            compare([dragSpy.signalArguments[0][0], dragSpy.signalArguments[1][0]], [true, false])
            compare(clickSpy.count, 2, "knob presses are not head clicks")

            rate.closeMenu()
            verify(!rate.isDrop)
            tryCompare(rate, "isAnimating", false)
        }
    }
}
