import QtQuick
import QtTest
import "../../modules/qml/J2/pointerMath.js" as PointerMath

// The system-setting page: each change stored and applied at once.
Item {
    width: 1024
    height: 640

    Loader {
        id: pageLoader
    }

    PageTestCase {
        name: "SystemSetting"
        loader: pageLoader
        pageFile: "SystemSetting.qml"

        function store(more) {
            return Object.assign({ "mouse/mouseRate": "170", "mouse/doubleRate": "100", "mouse/scrollRate": "3" },
                                 more || {})
        }

        function startOpen(more) {
            start(store(more))
            page.open()
            verify(page.bodyItem)
            return page
        }

        function test_speed_index_data() {
            return [
                { tag: "left end", x: 3, index: 0 }, { tag: "first threshold", x: 4, index: 1 },
                { tag: "200", x: 200, index: 6 }, { tag: "205", x: 205, index: 7 },
                { tag: "right end", x: 337, index: 10 }, { tag: "beyond the last", x: 338, index: 0 }
            ]
        }
        function test_speed_index(data) {
            compare(PointerMath.speedIndex(data.x), data.index)
        }

        // A released slider stores all three values and sends its own.
        function test_a_slider_stores_and_sends_at_once() {
            startOpen()
            compare(part("speedSlider").value, 170)
            part("speedSlider").valueChangeDelay(200)
            compare(fake.calls, ["setData(mouse/mouseRate, 200)", "setData(mouse/doubleRate, 100)",
                                 "setData(mouse/scrollRate, 3)", "mouseSetCursorSpeed(6)"])
            fake.clear()
            part("doubleClickSlider").valueChangeDelay(337)
            compare(callsOf("mouseSetDoubleClickSpeed"), ["mouseSetDoubleClickSpeed(10)"])
            compare(callsOf("mouseSetCursorSpeed").length, 0)
        }

        function test_one_screen_stores_and_sends_1000() {
            startOpen()
            verify(part("linesButton").isSelect)
            mouseClick(part("oneScreenButton"))
            compare(fake.store["mouse/scrollRate"], 1000)
            compare(callsOf("mouseSetVerticalScrollLines"), ["mouseSetVerticalScrollLines(1000)"])
            verify(!part("linesButton").isSelect)
            // A stored 1000 selects the one-screen button at the next load.
            startOpen({ "mouse/scrollRate": "1000" })
            verify(part("oneScreenButton").isSelect)
            verify(!part("linesButton").isSelect)
        }

        function test_an_empty_lines_input_sends_one_line() {
            startOpen()
            var input = part("linesInput")
            compare(input.textValue, "3")
            mouseClick(input)
            verify(input.txtInput.activeFocus)
            input.txtInput.selectAll()
            keyClick(Qt.Key_Delete)
            page.systemSettingFocus()
            compare(input.textValue, "1")
            compare(fake.store["mouse/scrollRate"], 1)
            compare(callsOf("mouseSetVerticalScrollLines"), ["mouseSetVerticalScrollLines(1)"])
        }

        // Restore loads the factory values and sends all three.
        function test_restore_sends_everything() {
            startOpen()
            page.init(true, true)
            compare(fake.calls, ["getData(mouse/mouseRate, true)", "getData(mouse/doubleRate, true)",
                                 "getData(mouse/scrollRate, true)", "setData(mouse/mouseRate, 170)",
                                 "setData(mouse/doubleRate, 100)", "setData(mouse/scrollRate, 3)",
                                 "mouseSetCursorSpeed(5)", "mouseSetDoubleClickSpeed(3)",
                                 "mouseSetVerticalScrollLines(3)"])
        }

        // Where the desktop keeps no such setting the page says so beside
        // that control, and only there.
        function test_a_setting_the_desktop_lacks_is_named() {
            loader.source = ""
            fake.reset()
            fake.store = store()
            fake.answers = { "pointerSettingsAvailable": [true, true, false] }
            loader.setSource("qrc:/modules/qml/J2/SystemSetting.qml")
            page.init(false, false)
            page.open()
            verify(!part("speedNote").visible)
            verify(!part("doubleClickNote").visible)
            verify(part("scrollNote").visible)
            compare(part("scrollNote").text, "This desktop has no such setting")
            compare(callsOf("pointerSettingsAvailable").length, 1)
            page.init(true, false)
            compare(callsOf("pointerSettingsAvailable").length, 1)
        }
    }
}
