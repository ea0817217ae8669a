import QtQuick
import QtTest
import "../../modules/qml/J2/hueMath.js" as HueMath

// The lighting page: the effects and rows per variant, the colour blocks,
// the hue bar and Save.
Item {
    width: 1024
    height: 640

    Loader {
        id: pageLoader
    }

    PageTestCase {
        name: "LightControl"
        loader: pageLoader
        pageFile: "LightControl.qml"

        readonly property var colours: [255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 255, 0, 255, 255, 255, 127, 0,
            96, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 255]

        function store(more) {
            return Object.assign({ "mouse/lightValue": ["0", "2", "4"], "mouse/colorValue": colours.map(String),
                                   "mouse/fixColor": ["0", "0", "255"] }, more || {})
        }

        function shownBlocks() {
            var shown = []
            for (var i = 0; i < 12; ++i) {
                if (part("colourBlock" + i).visible)
                    shown.push(i + 1)
            }
            return shown
        }

        function test_a_single_colour_mouse_with_four_stages() {
            start(store(), { isColorful: false, dpiCount: 4 })
            var list = part("lightModel")
            compare(list.count, 4)
            compare(list.textValue, "Static")
            compare(shownBlocks(), [1, 2, 3, 4])
            compare(page.dpiCount, 4)
        }

        function test_effects_and_blocks_per_variant_data() {
            return [
                { tag: "full colour", flags: { isColorful: true }, rows: 11, blocks: range(1, 8) },
                { tag: "55328 static", flags: { is55328: true, dpiCount: 8 }, rows: 5, blocks: [1] },
                { tag: "55328 row 4", flags: { is55328: true, dpiCount: 8 }, effect: 4, rows: 5,
                  blocks: range(1, 7) },
                { tag: "571 colour row", flags: { isColorful: true, is571: true }, effect: 2, rows: 27,
                  blocks: range(1, 12) },
                { tag: "571 single colour", flags: { isColorful: true, is571: true }, effect: 20, rows: 27,
                  blocks: [] }
            ]
        }
        function test_effects_and_blocks_per_variant(data) {
            start(store({ "mouse/lightValue": [String(data.effect || 0), "2", "4"] }), data.flags)
            compare(part("lightModel").count, data.rows)
            compare(shownBlocks(), data.blocks)
            compare(part("colourMarker").label, data.blocks.length ? "1" : "S")
        }

        // Neon shades the colours and hides the brightness row; OFF hides
        // both rows and sets the brightness to its first step.
        function test_neon_and_off() {
            start(store(), { isColorful: true })
            compare(page.height, 224)
            pick(part("lightModel"), 2)
            compare(page.height, 224)
            verify(part("speedRow").visible)
            verify(!part("brightnessRow").visible)
            verify(part("colourShade").visible)
            compare(page.speedStep, 0)
            verify(page.isSave)
            pick(part("lightModel"), 3)
            compare(page.height, 176)
            compare(page.brightnessStep, 0)
            pick(part("lightModel"), 5)
            compare(page.height, 264)
        }

        // The marker dragged to p = 45 picks (128, 255, 0) into the block.
        function test_dragging_a_marker() {
            start(store(), { isColorful: true })
            mouseClick(part("colourBlock1"))
            var marker = part("colourMarker")
            var bar = part("colorBar")
            compare(marker.x - bar.x, 52)
            // Dragged by its box, in the bar's coordinates: the marker moves.
            mouseDrag(bar, 52 + 9, marker.y - bar.y + 8, 45 - 8 - 52, 0)
            compare(marker.x - bar.x, 45 - 8)
            compare(page.blockColours[1], "#80ff00")
            compare([part("redInput").textValue, part("greenInput").textValue, part("blueInput").textValue],
                    ["128", "255", "0"])
            verify(page.isSave)
        }

        // Picked at every position and placed again, a colour lands within
        // 3 pixels (30- against 30.5-pixel segments), red at the right end
        // on the left end.
        function test_pick_and_place_round_trip() {
            for (var p = 0; p <= 182; ++p) {
                var c = HueMath.pick(p)
                var d = Math.abs(Math.floor(HueMath.place(c[0], c[1], c[2])) - p)
                verify(Math.min(d, HueMath.usableLength - d) <= 3, "p " + p + ": " + c)
            }
            compare(HueMath.pick(45), [128, 255, 0])
            compare(HueMath.pick(183), [255, 255, 255])
            compare(HueMath.place(255, 255, 255), 183)
        }

        // A typed grey is kept exactly; its marker goes to the bar's left end.
        function test_grey_typed() {
            start(store(), { isColorful: true })
            mouseClick(part("colourBlock2"))
            part("redInput").textValue = "128"
            part("greenInput").textValue = "128"
            part("blueInput").textValue = "128"
            part("blueInput").endInputSignal()
            compare(page.blockColours[2], "#808080")
            compare(part("colourMarker").x - part("colorBar").x, -8)
            verify(page.isSave)
        }

        // The page stores and sends the colour row as the bridge's rule gives
        // it for the chosen effect (block 8 of a 55328 mouse is black unless
        // row 4 is chosen; the rule itself is tested with the bridge).
        function test_colours_follow_the_bridge_rule() {
            start(store(), { is55328: true, dpiCount: 8 })
            var ruled = colours.slice()
            ruled[21] = ruled[22] = ruled[23] = 0
            fake.answers.lightingColours = function (effect, given) { return ruled }
            page.saveData(true, 0)
            compare(callsOf("lightingColours"), ["lightingColours(0, [" + colours.join(", ") + "])"])
            compare(fake.store["mouse/colorValue"], ruled)
            compare(callsOf("mouseSendLighting"),
                    ["mouseSendLighting([0, 2, 4], [" + ruled.join(", ") + "], [0, 0, 255], 0)"])
        }

        // Save sends the page's choice in one call, whatever the variant:
        // which commands that makes is the bridge's to decide. Without
        // sending, only the files change.
        function test_save_per_variant_data() {
            return [
                { tag: "full colour", flags: { isColorful: true } },
                { tag: "single colour", flags: {} },
                { tag: "571", flags: { isColorful: true, is571: true } }
            ]
        }
        function test_save_per_variant(data) {
            start(store(), data.flags)
            page.saveData(false, 0)
            compare(callsOf("mouseSendLighting"), [])
            page.saveData(true, 0)
            compare(fake.calls.filter(function (c) { return c.indexOf("mouseS") === 0 }),
                    ["mouseSendLighting([0, 2, 4], [" + colours.join(", ") + "], [0, 0, 255], 0)"])
            compare(fake.store["mouse/lightValue"], [0, 2, 4])
            compare(fake.store["mouse/fixColor"], [0, 0, 255])
        }

        // Restore loads the factory values without refilling the list.
        function test_restore() {
            start(store(), { isColorful: true })
            mouseClick(part("lightRestore"))
            compare(callsOf("getDataList"), ["getDataList(mouse/lightValue, true)",
                                             "getDataList(mouse/colorValue, true)",
                                             "getDataList(mouse/fixColor, true)"])
            compare(part("lightModel").count, 11)
            verify(page.isSave)
        }
    }
}
