import QtQuick
import QtTest

// The main screen's start-up, refresh and timed lock, read from the call log
// of the fake ui_View and hid.
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    SceneTestCase {
        name: "MainStartup"
        loader: scene

        function startupLog(chipCalls, profileEntry) {
            var sections = ["main", "keyMatrix", "keyAssigment", "dpiSetting", "lightControl",
                            "macroEditor", "systemSetting", "gunControl", "profile", "profileLink", "keyCode", "prompt", "other"]
            return [].concat(
                ["setEnabled(false)"],
                ["mouse/isColorful", "mouse/icType", "mouse/is55328", "mouse/is571", "mouse/isGun",
                 "mouse/keyCount", "common/language", "common/url"].map(k => "getGlobalData(" + k + ")"),
                chipCalls,
                sections.map(s => "getLangStrings(" + s + ", English)"),
                ["getData(mouse/reportRate, false)",
                 "getNameList(2)",
                 // Each row's mark shows its links.
                 "profileLinks(0)", "profileLinks(1)",
                 // Row 0 takes the profile section's name of the standard profile.
                 "updataNameList(2, [" + texts("profile")[5] + "0, " + profileEntry + "])",
                 "getGlobalData(mouse/profileNo)",
                 "setCurrentProfile(1)",
                 "macroEditor.init()", "gunControl.init()", "keyAssigment.init()",
                 "keyMatrix.init(false, false)", "dpiSetting.init(false, false)",
                 "lightControl.init(false, false)", "systemSetting.init(false, false)",
                 "mouseGetCurrentDPI()"])
        }

        function test_firstInitUI_data() {
            return [
                // Which on-board profile the mouse is left on is the bridge's
                // to decide, for either family.
                { tag: "553", icType: "553", current: 3, chipCalls: ["mouseUseProfileOne()"] },
                { tag: "560 on another profile", icType: "560", current: 3, chipCalls: ["mouseUseProfileOne()"] },
                { tag: "560 on profile 1", icType: "560", current: 1, chipCalls: ["mouseUseProfileOne()"] }
            ]
        }

        function test_firstInitUI(data) {
            load({ "mouse/icType": data.icType },
                 { mouseReadCurrentProfile: data.current, mouseGetCurrentDPI: 3 })
            verify(!root.visible, "nothing shows before initUI")
            root.initUI()
            compareLog(startupLog(data.chipCalls, "profile_11"))

            compare(root.icType, data.icType)
            compare(root.isGun, true)
            compare(root.language, "English")
            compare(root.url, "https://kx20.example/help")
            compare(root.mainLang, texts("main"))
            compare(page("keyMatrix").keyCount, 8)
            compare(page("dpiSetting").currentDPI, 2)
            compare(part("profileList").textValue, "profile_1")
            compare(part("reportRateList").textValue, "250Hz")

            verify(root.visible)
            verify(part("powerOn").visible)
            verify(!part("mainScreen").visible)
            verify(part("busyIndicator").visible)
            tryCompare(part("mainScreen"), "visible", true, 3000)
            verify(!part("powerOn").visible)
            verify(!part("busyIndicator").visible)
            compare(fake.calls[fake.calls.length - 1], "setEnabled(true)")
            verify(fake.times[fake.times.length - 1] - fake.times[0] >= 950, "the first lock lasts 1000 ms")
        }

        function test_laterInitUIOnlyLocksAndReadsTheStage() {
            start()
            fake.answers.mouseGetCurrentDPI = 5
            root.initUI()
            compareLog(["setEnabled(false)", "mouseGetCurrentDPI()"])
            compare(page("dpiSetting").currentDPI, 4)
            verify(part("busyIndicator").visible)
            tryCompare(part("busyIndicator"), "visible", false, 3000)
            compareLog(["setEnabled(false)", "mouseGetCurrentDPI()", "setEnabled(true)"])
        }

        // The settings file's rule: false for an empty text, 0 or false in
        // any letter case, and for a missing key; true otherwise.
        function test_flagsFollowTheFileRule_data() {
            return [
                { tag: "true", value: "true", flag: true },
                { tag: "TRUE", value: "TRUE", flag: true },
                { tag: "1", value: "1", flag: true },
                { tag: "2", value: "2", flag: true },
                { tag: "yes", value: "yes", flag: true },
                { tag: "false", value: "false", flag: false },
                { tag: "False", value: "False", flag: false },
                { tag: "0", value: "0", flag: false },
                { tag: "empty", value: "", flag: false },
                { tag: "missing", value: undefined, flag: false }
            ]
        }

        function test_flagsFollowTheFileRule(data) {
            start({ "mouse/isGun": data.value, "mouse/isColorful": data.value })
            compare(root.isGun, data.flag)
            compare(root.isColorful, data.flag)
        }

        // A lock that is already running: the same interval runs on from its
        // start, another one starts again from zero.
        function test_protectLock_data() {
            return [
                { tag: "same interval runs on", first: 600, second: 600, restarts: false },
                { tag: "other interval restarts", first: 600, second: 400, restarts: true }
            ]
        }

        function test_protectLock(data) {
            start()
            root.setProtectUI(data.first)
            wait(300) // the second request comes while the first lock runs
            root.setProtectUI(data.second)
            verify(part("busyIndicator").visible)
            tryCompare(part("busyIndicator"), "visible", false, 3000)
            compareLog(["setEnabled(false)", "setEnabled(false)", "setEnabled(true)"])
            var sinceFirst = fake.times[2] - fake.times[0], sinceSecond = fake.times[2] - fake.times[1]
            var ended = "ended " + sinceFirst + " ms after the first request"
            if (data.restarts) {
                verify(sinceSecond >= data.second - 30, ended)
            } else {
                verify(sinceFirst >= data.first - 30, ended)
                verify(sinceSecond < data.second - 100, ended)
            }
        }

        function test_zeroIntervalUnlocksAtOnce() {
            start()
            root.setProtectUI(1000)
            root.setProtectUI(0)
            compareLog(["setEnabled(false)", "setEnabled(false)", "setEnabled(true)"])
            verify(!part("busyIndicator").visible)
        }

        function test_stageFromTheMouse_data() {
            return [
                { tag: "0 is ignored", value: 0, stage: 1 },
                { tag: "first stage", value: 1, stage: 0 },
                { tag: "fourth stage", value: 4, stage: 3 }
            ]
        }

        function test_stageFromTheMouse(data) {
            start() // the mouse reported stage 2
            root.setCurrentDPI(data.value)
            compare(page("dpiSetting").currentDPI, data.stage)
            compareLog([])
        }
    }
}
