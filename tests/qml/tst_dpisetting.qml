import QtQuick
import QtTest
import "../../modules/qml/J2/dpiMath.js" as DpiMath

// The DPI page: knob and value, the stage count, restore and Save.
Item {
    width: 1024
    height: 640

    Loader {
        id: pageLoader
    }

    PageTestCase {
        name: "DpiSetting"
        loader: pageLoader
        pageFile: "DpiSetting.qml"

        // The page's defaults: 200 to 6000 in steps of 50, sensor 3360.
        function store(more) {
            return Object.assign({
                "mouse/dpiCount": "8", "mouse/currentDpiCount": "4", "mouse/minDPI": "200",
                "mouse/maxDPI": "6000", "mouse/dpiBase": "50", "mouse/sensorType": "3360",
                "mouse/dpiValueArray": ["400", "800", "1600", "3200", "4000", "4800", "5600", "6000"]
            }, more || {})
        }

        function test_knob_ends_and_a_loaded_value() {
            start(store())
            compare(page.dpiValues, ["400", "800", "1600", "3200", "4000", "4800", "5600", "6000"])
            var slider = part("dpiSlider1")
            // 800 loads at knob int(158 x 600 / 5800) + 4 and shows as 800.
            compare(slider.value, 20)
            compare(part("dpiLabel1").text, "800")
            slider.valueChangeDelay(3)
            compare(page.dpiValues[1], "200")
            verify(page.isSave)
            slider.valueChangeDelay(161)
            compare(page.dpiValues[1], "6000")
            // While the knob moves the label follows; the flag waits for the release.
            page.isSave = false
            slider.valueChange(82)
            compare(part("dpiLabel1").text, "3100")
            verify(!page.isSave)
        }

        // Two stages chosen on a six-stage mouse: two sliders, and Save
        // sends the count with all eight values.
        function test_two_stages_on_a_six_stage_mouse() {
            start(store({ "mouse/dpiCount": "6" }))
            var list = part("dpiSegment")
            compare(list.count, 6)
            compare(list.textValue, "4")
            pick(list, 1)
            compare(page.currentDpiCount, 2)
            verify(page.isSave)
            verify(part("dpiSlider1").visible)
            verify(!part("dpiSlider2").visible)
            verify(!part("dpiLabel2").visible)
            page.saveData(true)
            compare(fake.calls, ["setDataList(mouse/dpiValueArray, [400, 800, 1600, 3200, 4000, 4800, 5600, 6000])",
                                 "setData(mouse/currentDpiCount, 2)",
                                 "mouseSetDpi(2, 3360, [400, 800, 1600, 3200, 4000, 4800, 5600, 6000])"])
        }

        // Restore reads the factory values and keeps the stage count.
        function test_restore_keeps_the_stage_count() {
            start(store())
            pick(part("dpiSegment"), 2)
            fake.store["mouse/dpiValueArray"] = ["1000", "2000", "3000", "4000", "5000", "6000", "6000", "6000"]
            mouseClick(part("dpiRestore"))
            compare(callsOf("getDataList"), ["getDataList(mouse/dpiValueArray, true)"])
            compare(callsOf("getData").length, 0)
            compare(page.dpiValues[0], "1000")
            compare(page.currentDpiCount, 3)
            compare(part("dpiSegment").textValue, "3")
            verify(page.isSave)
        }

        function test_the_stage_in_use_is_orange() {
            start(store())
            page.currentDPI = 2
            compare(String(part("dpiSlider2").fillColor), "#cf3e00")
            compare(String(part("dpiSlider1").fillColor), "#09347f")
            // A stage count from the profile shows that many; a mouse with
            // more than eight stages leaves the page as it is.
            start(store({ "mouse/currentDpiCount": "7" }))
            verify(part("dpiStage6").visible && !part("dpiStage7").visible)
            start(store({ "mouse/dpiCount": "9", "mouse/currentDpiCount": "9" }))
            compare(part("dpiSegment").count, 8)
        }

        // For each sensor, every value a knob position gives is saved
        // unchanged after loading it, and so are the values the knob cannot
        // show exactly (the installed 3389: 100 would show as 200, 1650 as
        // 1700 if the knob decided).
        function test_loaded_values_are_saved_unchanged_data() {
            return [
                { tag: "page defaults 3360", min: 200, max: 6000, base: 50 },
                { tag: "installed 3389", min: 100, max: 16000, base: 50 },
                { tag: "3050 table", min: 250, max: 4000, base: 250 },
                { tag: "3320 table", min: 250, max: 7000, base: 250 },
                { tag: "3327", min: 100, max: 12000, base: 100 },
                { tag: "4090", min: 400, max: 9000, base: 38 }
            ]
        }
        function test_loaded_values_are_saved_unchanged(data) {
            var limits = { "mouse/minDPI": String(data.min), "mouse/maxDPI": String(data.max),
                           "mouse/dpiBase": String(data.base) }
            var values = []
            for (var x = DpiMath.minKnob; x <= DpiMath.maxKnob; ++x)
                values.push(DpiMath.valueAt(x, data.min, data.max, data.base))
            if (data.min === 100 && data.max === 16000) {
                compare(DpiMath.valueAt(DpiMath.knobFor(100, 100, 16000), 100, 16000, 50), 200)
                compare(DpiMath.valueAt(DpiMath.knobFor(1650, 100, 16000), 100, 16000, 50), 1700)
                values = values.concat([100, 1650])
            }
            while (values.length % 8 !== 0)
                values.push(data.max)
            for (var i = 0; i < values.length; i += 8) {
                var eight = values.slice(i, i + 8).map(String)
                start(store(Object.assign({ "mouse/dpiValueArray": eight }, limits)))
                page.saveData(false)
                compare(fake.store["mouse/dpiValueArray"].map(String), eight)
            }
        }

        // A stored text that is no number shows the lowest value; a number
        // outside the range is the user's and stays as it is.
        function test_unusable_stored_values() {
            start(store({ "mouse/dpiValueArray": ["abc", "", "90000", "50"] }))
            compare(page.dpiValues, ["200", "200", "90000", "50", "200", "200", "200", "200"])
        }

        // Damaged limits in apConfig.bin give way to sensor 3360's own range
        // (100 to 25600 in steps of 100): stages above the old default
        // maximum are saved as stored, and the top of the track is the
        // sensor's top, never a wrapped or absurd value.
        function test_damaged_limits_data() {
            return [
                { tag: "huge maximum", limits: { "mouse/maxDPI": "2147483647" } },
                { tag: "minimum above maximum", limits: { "mouse/minDPI": "5250", "mouse/maxDPI": "400" } },
                { tag: "both missing", limits: { "mouse/minDPI": undefined, "mouse/maxDPI": undefined } },
                { tag: "step of 0", limits: { "mouse/dpiBase": "0" } },
                { tag: "garbage", limits: { "mouse/minDPI": "x", "mouse/dpiBase": "-5" } }
            ]
        }
        function test_damaged_limits(data) {
            var stored = ["6400", "8000", "12000", "16000", "400", "800", "1600", "3200"]
            start(store(Object.assign({ "mouse/dpiValueArray": stored }, data.limits)))
            compare([page.minDPI, page.maxDPI, page.dpiBase], [100, 25600, 100])
            compare(page.dpiValues, stored)
            page.saveData(true)
            compare(fake.store["mouse/dpiValueArray"].map(String), stored)
            part("dpiSlider4").valueChangeDelay(DpiMath.maxKnob)
            compare(page.dpiValues[4], "25600")
        }
    }
}
