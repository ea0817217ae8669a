import QtQuick
import QtTest

// The real gun page among the other pages' doubles: what it stores, what it
// sends when it closes, and what its target, rate slider and inputs show.
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    SceneTestCase {
        name: "GunPage"
        loader: scene

        // The gun file: name, fire key, period, X, Y, shots.
        readonly property var gunFile: [
            ["M416", "L-Click", "10", "0", "10", "0"],
            ["AKM", "L-Click", "20", "0", "12", "3"],
            ["M16A4", "L-Click", "30", "0", "14", "0"],
            ["SCAR-L", "L-Click", "40", "0", "16", "5"],
            ["UNP9", "L-Click", "50", "0", "18", "0"],
            ["Thomson", "L-Click", "60", "0", "20", "0"]
        ]

        function startGun(selectGun) {
            start({ "mouse/selectGun": selectGun || ["0", "3", "2"] },
                  { getGunData: i => gunFile[i] }, ["GunControl.qml"])
            return part("gunControl")
        }

        function openGun() {
            var gun = startGun()
            mouseClick(part("gunEditorEntry"))
            verify(gun.visible)
            verify(gun.bodyItem, "the page is built on its first open")
            fake.clear()
            return gun
        }

        function control(gun, name) {
            var found = findChild(gun.bodyItem, name)
            verify(found, "the gun page has " + name)
            return found
        }

        function typeInto(input, text) {
            input.txtInput.forceActiveFocus()
            input.txtInput.selectAll()
            for (var c of text)
                keyClick(c)
            keyClick(Qt.Key_Return)
        }

        function savedLog(index, field, value) {
            var values = gunFile[index].slice()
            values[["gunName", "gunKey", "gunPeriod", "gunX", "gunY", "gunTimes"].indexOf(field)] = value
            return ["mouseSaveGundata(" + index + ", [" + values.join(", ") + "])"]
        }

        // Stored choices that are missing or name no record fall back to
        // records 0, 1 and 2.
        function test_init_data() {
            return [
                { tag: "stored slots", stored: ["0", "3", "2"], slots: [0, 3, 2] },
                { tag: "damaged slots", stored: ["9", "x", "-1"], slots: [0, 1, 2] }
            ]
        }

        function test_init(data) {
            var gun = startGun(data.stored)
            compare([gun.selectGun1, gun.selectGun2, gun.selectGun3], data.slots)
            compare(gun.slotModel.get(1).textValue, texts("gunControl")[1] + "2")
            compare(gun.gunNumberModel.get(3).gunTimes, "5")
            compare(gun.gunNumberModel.get(3).gunName, "SCAR-L")
            compare(gun.currentSlot, 0)
            compare(gun.currentGun, 0)
        }

        function test_showRecord_data() {
            return [
                { tag: "M416", record: 0, rate: "10MS", y: "10", dot: 94 * 10 / 64 + 89, shots: "0", endless: true },
                { tag: "SCAR-L", record: 3, rate: "40MS", y: "16", dot: 94 * 16 / 64 + 89, shots: "5", endless: false }
            ]
        }

        function test_showRecord(data) {
            var gun = openGun()
            gun.showRecord(data.record)
            compare(control(gun, "gunRateSlider").textValue, data.rate)
            compare(control(gun, "gunYInput").textValue, data.y)
            compare(control(gun, "aimDot").y, data.dot)
            compare(control(gun, "gunTimesInput").textValue, data.shots)
            compare(control(gun, "gunEndless").isSelect, data.endless)
            compare(control(gun, "gunXInput").enabled, false)
            compareLog([])
        }

        function test_rate_data() {
            return [
                // The knob of "10MS" stands at 9; one pixel left reads "9MS".
                { tag: "knob dragged", by: "drag", x: 14, rate: "9MS", period: "9" },
                { tag: "track clicked", by: "click", x: 56, rate: "51MS", period: "51" }
            ]
        }

        function test_rate(data) {
            var gun = openGun()
            var rate = control(gun, "gunRateSlider")
            mouseClick(rate, rate.width / 2, 12)
            tryCompare(rate, "isAnimating", false)
            var slider = rate.slider
            if (data.by === "drag") {
                mousePress(slider, 15, 6)
                mouseMove(slider, data.x, 6)
                mouseRelease(slider, data.x, 6)
            } else {
                mouseClick(slider, data.x, 3)
            }
            tryCompare(rate, "textValue", data.rate)
            tryCompare(fake, "calls", savedLog(0, "gunPeriod", data.period))
            compare(gun.gunNumberModel.get(0).gunPeriod, data.period)
            verify(gun.isSave)
        }

        function test_recoil_data() {
            return [
                { tag: "dot dragged to the bottom", drag: 400, y: "64", dot: 183 },
                { tag: "dot dragged to the top", drag: -400, y: "0", dot: 89 },
                { tag: "32 typed", type: "32", y: "32", dot: 136 }
            ]
        }

        function test_recoil(data) {
            var gun = openGun()
            var dot = control(gun, "aimDot"), input = control(gun, "gunYInput")
            if (data.type) {
                typeInto(input, data.type)
            } else {
                mousePress(dot, 4, 4)
                mouseMove(dot, 4, 4 + data.drag / 2)
                mouseMove(dot, 4, 4 + data.drag)
                mouseRelease(dot, 4, 4 + data.drag)
            }
            compare(input.textValue, data.y)
            compare(dot.y, data.dot)
            compareLog(savedLog(0, "gunY", data.y))
            compare(gun.gunNumberModel.get(0).gunY, data.y)
        }

        function test_shots_data() {
            return [
                { tag: "five shots", record: 0, type: "5", tick: false, shots: "5", endless: false },
                { tag: "endless ticked", record: 3, type: "", tick: true, shots: "0", endless: true },
                { tag: "nothing changed", record: 3, type: "5", tick: false, shots: "5", endless: false }
            ]
        }

        function test_shots(data) {
            var gun = openGun()
            gun.showRecord(data.record)
            var times = control(gun, "gunTimesInput"), endless = control(gun, "gunEndless")
            if (data.type)
                typeInto(times, data.type)
            if (data.tick)
                mouseClick(endless)
            compare(times.textValue, data.shots)
            compare(endless.isSelect, data.endless)
            compareLog(gunFile[data.record][5] === data.shots ? [] : savedLog(data.record, "gunTimes", data.shots))
            compare(gun.isSave, gunFile[data.record][5] !== data.shots)
        }

        function test_close_data() {
            var slots = ["mouseSendGundata(1, [0, 0, 10])", "mouseSendGundata(2, [3, 0, 12])",
                         "mouseSendGundata(3, [0, 0, 14])", "keyMatrix.saveData()"]
            return [
                { tag: "nothing changed", assign: false, log: [] },
                { tag: "AKM given to slot 2", assign: true,
                  log: ["setGlobalData(mouse/selectGun, [0, 1, 2])"].concat(slots) }
            ]
        }

        // Closing sends the three slots and the button table only after a
        // change, and only once.
        function test_close(data) {
            var gun = openGun()
            if (data.assign) {
                pick(control(gun, "gunSlotList"), 1)
                compare(gun.currentGun, 3, "slot 2 shows its record")
                mouseClick(control(gun, "gunRow1"))
            }
            mouseClick(findChild(gun, "closeButton"))
            verify(!gun.visible)
            verify(!part("mainMask").visible)
            compareLog(data.log)
            verify(!gun.isSave)
            fake.clear()
            mouseClick(part("gunEditorEntry"))
            mouseClick(findChild(gun, "closeButton"))
            compareLog([])
        }

        // The page reopens where the user left it: its place, its slot and
        // its record.
        function test_reopensWhereLeft() {
            var gun = openGun()
            gun.moveBy(-100, -50)
            pick(control(gun, "gunSlotList"), 2)
            mouseClick(findChild(gun, "closeButton"))
            mouseClick(part("gunEditorEntry"))
            compare(gun.x, Math.round((1024 - 640) / 2) - 100)
            compare(gun.y, Math.round((640 - 448) / 2) - 50)
            compare(gun.currentSlot, 2)
            compare(control(gun, "gunSlotList").currentSelect, 2)
            compare(control(gun, "gunYInput").textValue, "14")
        }

        function test_resetData() {
            var gun = openGun()
            pick(control(gun, "gunSlotList"), 1)
            root.factoryReset()
            var log = fake.calls.filter(c => c.indexOf("Gun") >= 0 || c.indexOf("selectGun") >= 0)
            compare(log.join("\n"), [
                "setGlobalData(mouse/selectGun, [0, 1, 2])",
                "mouseSaveGundata(0, [M416, L-Click, 9, 0, 5, 0])",
                "mouseSaveGundata(1, [AKM, L-Click, 9, 0, 7, 3])",
                "mouseSaveGundata(2, [M16A4, L-Click, 9, 0, 8, 0])",
                "mouseSendGundata(1, [0, 0, 5])",
                "mouseSendGundata(2, [3, 0, 7])",
                "mouseSendGundata(3, [0, 0, 8])"
            ].join("\n"))
            compare([gun.selectGun1, gun.selectGun2, gun.selectGun3], [0, 1, 2])
            compare(gun.currentSlot, 0)
            compare(gun.currentGun, 0)
            compare(control(gun, "gunSlotList").currentSelect, 0)
            compare(control(gun, "gunYInput").textValue, "5")
            compare(control(gun, "gunRateSlider").textValue, "9MS")
        }
    }
}
