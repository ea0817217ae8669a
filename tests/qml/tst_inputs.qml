import QtQuick
import QtTest
import "../../modules/qml/basic"

Item {
    width: 400
    height: 300

    CheckBox { id: endless; x: 40; y: 20; textValue: "Endness"; index: 3 }
    RadioButton { id: left; x: 40; y: 60; textValue: "Left"; index: 1 }
    RectInput { id: times; x: 40; y: 100 }

    SignalSpy { id: checkSpy; target: endless; signalName: "btnClick" }
    SignalSpy { id: radioSpy; target: left; signalName: "btnClick" }
    SignalSpy { id: startSpy; target: times; signalName: "inputSignal" }
    SignalSpy { id: endSpy; target: times; signalName: "endInputSignal" }

    TestCase {
        id: test
        name: "Inputs"
        when: windowShown

        // isSelect as the check box's own btnClick handler saw it.
        property var seenByHandler: []

        Connections {
            target: endless
            function onBtnClick(index) { test.seenByHandler.push([index, endless.isSelect]) }
        }

        function init() {
            endless.isSelect = false
            left.isSelect = false
            seenByHandler = []
            var spies = [checkSpy, radioSpy, startSpy, endSpy]
            for (var i = 0; i < spies.length; ++i)
                spies[i].clear()
        }

        function test_click_areas_data() {
            return [
                { tag: "check caption", item: endless, x: 5, hits: true },
                { tag: "check box", item: endless, x: -1, hits: true, fromRight: true },
                { tag: "check margin", item: endless, x: -5, hits: true },
                { tag: "beyond check margin", item: endless, x: -8, hits: false },
                { tag: "radio mark", item: left, x: 5, hits: true },
                { tag: "radio caption", item: left, x: -1, hits: true, fromRight: true },
                { tag: "beyond radio margin", item: left, x: -5, hits: false }
            ]
        }

        function test_click_areas(data) {
            var spy = data.item === endless ? checkSpy : radioSpy
            var x = data.fromRight ? data.item.width + data.x : data.x
            mouseClick(data.item, x, data.item.height / 2)
            compare(spy.count, data.hits ? 1 : 0)
            compare(data.item.isSelect, data.hits)
        }

        function test_check_box_reports_then_toggles() {
            mouseClick(endless, 5, 6)
            mouseClick(endless, 5, 6)
            compare(seenByHandler, [[3, false], [3, true]])
            verify(!endless.isSelect)
        }

        function test_radio_never_unselects_itself() {
            mouseClick(left, 5, 5)
            mouseClick(left, 5, 5)
            verify(left.isSelect)
            compare(radioSpy.count, 2)
            compare(radioSpy.signalArguments[1][0], 1)
        }

        // How the field is left does not matter: an empty text, or one below
        // 1, is shown as "0", a number is written plainly and kept in range,
        // and every end is reported.
        function test_number_input_data() {
            return [
                { tag: "emptied, Enter", keys: "", end: "enter", text: "0" },
                { tag: "emptied, focus taken", keys: "", end: "close", text: "0" },
                { tag: "zero", keys: "0", end: "enter", text: "0" },
                { tag: "leading zeros", keys: "007", end: "enter", text: "7" },
                { tag: "in range", keys: "7", end: "close", text: "7" },
                { tag: "top of range", keys: "255", end: "enter", text: "255" },
                { tag: "above range", keys: "300", end: "enter", text: "255" },
                { tag: "not a number", keys: "a-1", end: "enter", text: "1" }
            ]
        }

        function test_number_input(data) {
            mouseClick(times, times.width / 2, times.height / 2)
            verify(times.txtInput.activeFocus)
            compare(startSpy.count, 1)
            times.txtInput.selectAll()
            keyClick(Qt.Key_Delete)
            for (var i = 0; i < data.keys.length; ++i)
                keyClick(data.keys[i])
            if (data.end === "enter")
                keyClick(Qt.Key_Return)
            else
                times.closeFocus()
            verify(!times.txtInput.activeFocus)
            compare(times.textValue, data.text)
            compare(times.txtInput.selectedText, "")
            compare(endSpy.count, 1)
        }

        // While typing the field never shows a number it cannot hold.
        function test_number_input_caps_while_typing_data() {
            return [
                { tag: "300 in 0-255", max: 255, keys: "300", shown: "255" },
                { tag: "256 in 0-255", max: 255, keys: "256", shown: "255" },
                { tag: "150 in 0-100", max: 100, keys: "150", shown: "100" },
                { tag: "99 in 0-100", max: 100, keys: "99", shown: "99" }
            ]
        }

        function test_number_input_caps_while_typing(data) {
            times.maxValue = data.max
            mouseClick(times, times.width / 2, times.height / 2)
            times.txtInput.selectAll()
            for (var i = 0; i < data.keys.length; ++i)
                keyClick(data.keys[i])
            compare(times.textValue, data.shown)
            verify(times.txtInput.activeFocus)
            times.closeFocus()
            times.maxValue = 255
        }

        // Escape puts back the number the edit began with, ends the edit and
        // reports nothing; the next edit starts from it again.
        function test_number_input_escape() {
            times.textValue = "17"
            mouseClick(times, times.width / 2, times.height / 2)
            verify(findChild(times, "focusFrame").visible)
            times.txtInput.selectAll()
            keyClick("9")
            compare(times.textValue, "9")
            keyClick(Qt.Key_Escape)
            compare(times.textValue, "17")
            verify(!times.txtInput.activeFocus)
            verify(!findChild(times, "focusFrame").visible)
            compare(endSpy.count, 0)
        }

        function test_number_input_starts_at_zero_and_caps_length() {
            var fresh = createTemporaryObject(Qt.createComponent("../../modules/qml/basic/RectInput.qml"),
                                              test.parent, { x: 200, y: 100, maxValue: 99999 })
            compare(fresh.textValue, "0")
            fresh.txtInput.forceActiveFocus()
            fresh.txtInput.selectAll()
            keyClick(Qt.Key_Delete)
            var keys = "12345"
            for (var i = 0; i < keys.length; ++i)
                keyClick(keys[i])
            compare(fresh.textValue, "1234")
            fresh.closeFocus()
        }
    }
}
