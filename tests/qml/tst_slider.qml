import QtQuick
import QtTest
import "../../modules/qml/basic"

Item {
    width: 300
    height: 200

    // min 3, max 85
    SliderButton { id: plain; x: 20; y: 20; width: 100 }
    // min 3, max 81, steps at 3, 22.5, 42, 61.5, 81
    SliderButton { id: scaled; x: 20; y: 80; width: 96; segment: 4; isScale: true }

    SignalSpy { id: changeSpy; signalName: "valueChange" }
    SignalSpy { id: delaySpy; signalName: "valueChangeDelay" }
    SignalSpy { id: clickSpy; signalName: "btnClick" }
    SignalSpy { id: dragSpy; signalName: "dragSignal" }

    TestCase {
        name: "SliderButton"
        when: windowShown

        function watch(slider) {
            var spies = [changeSpy, delaySpy, clickSpy, dragSpy]
            for (var i = 0; i < spies.length; ++i) {
                spies[i].target = slider
                spies[i].clear()
            }
        }

        // First arguments of every emission, in order.
        function firsts(spy) {
            var out = []
            for (var i = 0; i < spy.count; ++i)
                out.push(spy.signalArguments[i][0])
            return out
        }

        function test_click_on_track_data() {
            return [
                { tag: "left margin", slider: plain, from: 85, pointer: -2, knob: 3 },
                { tag: "left end", slider: plain, from: 85, pointer: 9, knob: 3 },
                { tag: "middle", slider: plain, from: 85, pointer: 50, knob: 44 },
                { tag: "right end", slider: plain, from: 3, pointer: 95, knob: 85 },
                { tag: "right margin", slider: plain, from: 3, pointer: 102, knob: 85 },
                { tag: "scaled first step", slider: scaled, from: 81, pointer: 9, knob: 3, step: 0 },
                { tag: "scaled just past a step", slider: scaled, from: 81, pointer: 10, knob: 22.5, step: 1 },
                { tag: "scaled on a step", slider: scaled, from: 81, pointer: 28, knob: 22.5, step: 1 },
                { tag: "scaled past the middle", slider: scaled, from: 3, pointer: 49, knob: 61.5, step: 3 },
                { tag: "scaled beyond the end", slider: scaled, from: 3, pointer: 98, knob: 81, step: 4 }
            ]
        }

        // The knob glides to the clamped (and snapped) place; both value
        // signals come once it has arrived.
        function test_click_on_track(data) {
            var s = data.slider
            s.setValue(data.from)
            watch(s)
            mouseClick(s, data.pointer, s.height / 2)
            compare(clickSpy.count, 1)
            compare(changeSpy.count, 0, "no value before the glide ends")
            delaySpy.wait(1000)
            compare(s.value, data.knob)
            compare(changeSpy.count, 1)
            compare(changeSpy.signalArguments[0][0], Math.floor(data.knob))
            compare(delaySpy.signalArguments[0][0], Math.floor(data.knob))
            if (data.step !== undefined)
                compare(s.segmentValue, data.step)
        }

        function test_release_snaps_scaled_knob_data() {
            return [
                { tag: "on the first step", drop: 3, step: 0 },
                { tag: "one pixel past it", drop: 4, step: 0 },
                { tag: "two pixels past it", drop: 5, step: 1 },
                { tag: "within a pixel of a half-pixel step", drop: 23, step: 1 },
                { tag: "beyond that pixel", drop: 24, step: 2 },
                { tag: "just past the fourth step", drop: 62, step: 3 },
                { tag: "dragged beyond the end", drop: 120, step: 4 }
            ]
        }

        function test_release_snaps_scaled_knob(data) {
            scaled.setIndexValue(0, false)
            watch(scaled)
            mousePress(scaled, 9, 6)
            mouseMove(scaled, data.drop + 6, 6)
            compare(scaled.value, Math.min(data.drop, 81), "knob follows the pointer")
            mouseRelease(scaled, data.drop + 6, 6)
            var at = 3 + data.step * 19.5
            compare(scaled.segmentValue, data.step)
            compare(scaled.value, at)
            compare(changeSpy.count, 0, "a scaled knob reports only when let go")
            compare(delaySpy.count, 1)
            compare(delaySpy.signalArguments[0][0], Math.floor(at))
        }

        function test_drag_reports_every_move_clamped() {
            plain.setValue(44)
            watch(plain)
            mousePress(plain, 50, 6)
            compare(clickSpy.count, 1)
            compare(firsts(dragSpy), [true])
            var pointers = [51, 60, -40, 200]
            var knobs = [45, 54, 3, 85]
            for (var i = 0; i < pointers.length; ++i) {
                mouseMove(plain, pointers[i], 6)
                compare(plain.value, knobs[i])
            }
            mouseRelease(plain, 200, 6)
            compare(firsts(changeSpy), knobs)
            compare(firsts(delaySpy), [85])
            compare(firsts(dragSpy), [true, false])
        }

        function test_set_operations_data() {
            return [
                { tag: "ratio 0", op: "ratio", arg: 0, knob: 4, signals: 1 },
                { tag: "ratio 0.5", op: "ratio", arg: 0.5, knob: 45, signals: 1 },
                { tag: "ratio 1 stays on the track", op: "ratio", arg: 1, knob: 85, signals: 1 },
                { tag: "index 5 silent", op: "index", arg: 5, send: false, knob: 44, step: 5, signals: 0 },
                { tag: "index 10 reported", op: "index", arg: 10, send: true, knob: 85, step: 10, signals: 1 },
                { tag: "stored position off the track", op: "value", arg: 337, knob: 337, signals: 0 }
            ]
        }

        function test_set_operations(data) {
            plain.setValue(20)
            watch(plain)
            if (data.op === "ratio")
                plain.setRatioValue(data.arg)
            else if (data.op === "index")
                plain.setIndexValue(data.arg, data.send)
            else
                plain.setValue(data.arg)
            compare(plain.value, data.knob)
            compare(changeSpy.count, data.signals)
            if (data.signals)
                compare(changeSpy.signalArguments[0][0], data.knob)
            if (data.step !== undefined)
                compare(plain.segmentValue, data.step)
        }
    }
}
