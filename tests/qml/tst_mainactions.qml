import QtQuick
import QtTest
import "../../modules/qml/basic/theme.js" as Theme

// What the main screen's buttons, lists and entry points ask of the native
// side and of the pages, read from the call log.
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    SignalSpy {
        id: mouseSpy
        signalName: "msg_MS"
    }

    SceneTestCase {
        name: "MainActions"
        loader: scene

        // The pages show the current profile after a reset or a change of
        // profile; what they hold goes to the mouse in one bridge call.
        function reloadLog(rateRow) {
            return ["keyMatrix.init(false, false)", "getData(mouse/reportRate, false)",
                    "dpiSetting.init(false, false)", "lightControl.init(false, false)",
                    "keyMatrix.profileValues()", "dpiSetting.profileValues()", "lightControl.profileValues()",
                    "mouseSendProfile({buttons: keys, dpiValues: stages, lightValue: light, rateRow: " + rateRow + "})",
                    "systemSetting.init(true, false)"]
        }
        // The pages whose changes wait for Save.
        readonly property var savingPages: ["keyMatrix", "dpiSetting", "lightControl"]

        function test_save_data() {
            return [
                { tag: "nothing unsaved", unsaved: [], log: ["endMouseChanges()", "setEnabled(true)"] },
                { tag: "lighting only", unsaved: ["lightControl"],
                  log: ["setEnabled(false)", "beginMouseChanges()", "lightControl.saveData(true, 0)", "endMouseChanges()", "setEnabled(true)"] },
                { tag: "all three", unsaved: ["keyMatrix", "dpiSetting", "lightControl"],
                  log: ["setEnabled(false)", "beginMouseChanges()", "keyMatrix.saveData()", "dpiSetting.saveData(true)",
                        "lightControl.saveData(true, 0)", "endMouseChanges()", "setEnabled(true)"] }
            ]
        }

        function test_save(data) {
            start()
            data.unsaved.forEach(name => page(name).isSave = true)
            compare(String(part("saveButton").baseColor),
                    String(data.unsaved.length ? Theme.colorRed : Theme.colorBlue))
            mouseClick(part("saveButton"))
            compareLog(data.log)
            savingPages.forEach(name => verify(!page(name).isSave, name))
            verify(!part("busyIndicator").visible)
        }

        // A Save the mouse did not take: the pages it carried stay unsaved,
        // Save stays red and one line says so, until a Save reaches it.
        function test_failedSave() {
            start({}, { endMouseChanges: false })
            page("dpiSetting").isSave = true
            mouseClick(part("saveButton"))
            verify(page("dpiSetting").isSave)
            verify(!page("keyMatrix").isSave)
            verify(part("mouseMissedLine").visible)
            compare(String(part("saveButton").baseColor), String(Theme.colorRed))
            fake.answers.endMouseChanges = true
            mouseClick(part("saveButton"))
            verify(!page("dpiSetting").isSave)
            verify(!part("mouseMissedLine").visible)
        }

        function test_reset_data() {
            var tail = ["mouseSetCurrentDPI(2)", "gunControl.resetData()", "endMouseChanges()", "setEnabled(true)"]
            return [
                { tag: "gun mouse", store: {}, confirm: true,
                  log: ["setEnabled(false)", "beginMouseChanges()", "resetProfile(1)"].concat(reloadLog(1), tail) },
                { tag: "no gun", store: { "mouse/isGun": "false" }, confirm: true,
                  log: ["setEnabled(false)", "beginMouseChanges()", "resetProfile(1)"].concat(reloadLog(1), tail) },
                { tag: "unknown stored rate", store: { "mouse/reportRate": "7" }, confirm: true,
                  log: ["setEnabled(false)", "beginMouseChanges()", "resetProfile(1)"].concat(reloadLog(7), tail) },
                { tag: "cancelled", store: {}, confirm: false, log: [] }
            ]
        }

        function test_reset(data) {
            start(data.store)
            savingPages.forEach(name => page(name).isSave = true)
            page("dpiSetting").currentDPI = 5
            mouseClick(part("resetButton"))
            verify(part("factorysure").visible)
            verify(part("mainMask").visible)
            compareLog([])
            mouseClick(part(data.confirm ? "resetOkButton" : "resetCancelButton"))
            compareLog(data.log)
            verify(!part("factorysure").visible)
            verify(!part("mainMask").visible)
            verify(!part("busyIndicator").visible)
            compare(page("dpiSetting").currentDPI, data.confirm ? 1 : 5)
            savingPages.forEach(name => compare(page(name).isSave, !data.confirm, name))
        }

        // Rows Standard (profile 0) and profile_2 (profile 2): each row
        // switches to its own profile number, not to its position.
        function test_pickProfile_data() {
            var head = ["setEnabled(false)", "beginMouseChanges()", "setGlobalData(mouse/profileNo, 2)", "setCurrentProfile(2)"]
            return [
                { tag: "another profile", gun: "true", row: 1, profileNo: 2,
                  log: head.concat(reloadLog(1), ["endMouseChanges()", "setEnabled(true)"]) },
                { tag: "another profile, no gun", gun: "false", row: 1, profileNo: 2,
                  log: head.concat(reloadLog(1), ["endMouseChanges()", "setEnabled(true)"]) },
                { tag: "the current profile", gun: "true", row: 0, profileNo: 0, log: [] }
            ]
        }

        function test_pickProfile(data) {
            start({ "mouse/profileNo": "0", "mouse/isGun": data.gun },
                  { getNameList: ["Standard0", "profile_22"] })
            pick(part("profileList"), data.row)
            compareLog(data.log)
            compare(root.profileNo, data.profileNo)
            compare(part("profile").profileNo, data.profileNo)
            compare(fake.store["mouse/profileNo"], data.row === 0 ? "0" : 2)
        }

        function test_reportRate_data() {
            return [
                { tag: "125Hz", row: 0, code: 8 },
                { tag: "250Hz", row: 1, code: 4 },
                { tag: "500Hz", row: 2, code: 2 },
                { tag: "1000Hz", row: 3, code: 1 }
            ]
        }

        // Stored and sent the moment a row is chosen, without Save; a stored
        // value outside the rows shows no text.
        function test_reportRate(data) {
            start({ "mouse/reportRate": "7" })
            var list = part("reportRateList")
            compare(list.textValue, "")
            pick(list, data.row)
            compareLog(["setData(mouse/reportRate, " + data.row + ")", "mouseSetReportRate(" + data.code + ")"])
            compare(list.textValue, data.tag)
        }

        function test_capturedKeys_data() {
            return [
                { tag: "recording a macro", macro: { isInputting: true, currentIndex: 0 }, dialog: {},
                  log: ["macroEditor.detectKeyboard(true, 4)"] },
                { tag: "inserting into a macro", macro: { isInsertting: true, currentIndex: 2 },
                  dialog: {}, log: ["macroEditor.detectInput(true, 4)"] },
                { tag: "recording, no macro selected", macro: { isInputting: true, currentIndex: -1 },
                  dialog: {}, log: [] },
                { tag: "fire key", macro: {}, dialog: { isFireInput: true },
                  log: ["keyAssigment.detectKeyboard(true, 4, 0)"] },
                { tag: "key combination", macro: {}, dialog: { isComboInput: true },
                  log: ["keyAssigment.detectKeyboard(true, 4, 1)"] },
                { tag: "nobody waiting", macro: {}, dialog: {}, log: [] }
            ]
        }

        function test_capturedKeys(data) {
            start()
            setAll(page("macroEditor"), data.macro)
            setAll(page("keyAssigment"), data.dialog)
            root.detectKeyboard(true, 4)
            compareLog(data.log)
        }

        function test_capturedButtonsAreOnlyPassedOn() {
            start()
            mouseSpy.target = root
            mouseSpy.clear()
            root.detectMouse(true, 0xF0, 10, 20)
            compare(mouseSpy.count, 1)
            compare(Array.from(mouseSpy.signalArguments[0]), [true, 0xF0, 10, 20])
            compareLog([])
        }

        function test_mainFocusClosesMenus() {
            start()
            var rateList = part("reportRateList")
            mouseClick(rateList, rateList.width / 2, 12)
            tryCompare(rateList, "isAnimating", false)
            verify(rateList.isDrop)
            mouseClick(part("helpButton"))
            verify(part("askMenu").visible)
            var segment = page("dpiSetting").dpiSegment, effects = page("lightControl").lightModel
            var segmentClosed = segment.closeCount, effectsClosed = effects.closeCount
            root.mainFocus()
            verify(!rateList.isDrop)
            verify(!part("askMenu").visible)
            compare(segment.closeCount, segmentClosed + 1)
            compare(effects.closeCount, effectsClosed + 1)
            // Opening the help menu only asked which languages are installed.
            compareLog(["installedLanguages()"])
        }

        function test_editorBox_data() {
            return [
                { tag: "gun mouse", gun: "true", height: 100 },
                { tag: "no gun", gun: "false", height: 76 }
            ]
        }

        function test_editorBox(data) {
            start({ "mouse/isGun": data.gun })
            compare(part("editorBox").height, data.height)
            compare(part("gunEditorEntry").visible, data.gun === "true")
            compare(part("gunEditorEntry").textValue, texts("main")[2])
        }

        // The system-setting page opens centred at (304, 164), the reset box
        // at (299, 269); neither leaves the window.
        function test_dialogStaysInside_data() {
            return [
                { tag: "page moved up left", box: false, by: "moveBy", dx: -400, dy: -300, x: 0, y: 0 },
                { tag: "page moved down right", box: false, by: "moveBy", dx: 800, dy: 500, x: 608, y: 328 },
                { tag: "page dragged up left", box: false, by: "drag", dx: -310, dy: -210, x: 0, y: 0 },
                { tag: "page dragged down right", box: false, by: "drag", dx: 700, dy: 420, x: 608, y: 328 },
                { tag: "page dragged inside", box: false, by: "drag", dx: 20, dy: 10, x: 324, y: 174 },
                { tag: "reset box dragged up left", box: true, by: "drag", dx: -300, dy: -280, x: 0, y: 0 },
                { tag: "reset box dragged down right", box: true, by: "drag", dx: 300, dy: 290, x: 597, y: 538 }
            ]
        }

        function test_dialogStaysInside(data) {
            start()
            mouseClick(part(data.box ? "resetButton" : "systemSettingButton"))
            var dialog = data.box ? part("factorysure") : page("systemSetting")
            verify(dialog.visible)
            if (data.by === "moveBy") {
                dialog.moveBy(data.dx, data.dy)
            } else {
                mousePress(dialog, 10, 50)
                mouseMove(dialog, 10 + data.dx, 50 + data.dy)
                mouseRelease(dialog, 10 + data.dx - dialog.x, 50 + data.dy - dialog.y)
            }
            compare(dialog.x, data.x)
            compare(dialog.y, data.y)
            compareLog([])
        }

        function test_openDialogs_data() {
            var light = "lightControl.lightControlFocus()"
            return [
                { tag: "macro editor", opener: "macroEditorEntry", page: "macroEditor",
                  focus: ["macroEditor.macroEditorFocus()", light] },
                { tag: "gun page", opener: "gunEditorEntry", page: "gunControl",
                  focus: ["gunControl.gunControlFocus()", light] },
                { tag: "system setting", opener: "systemSettingButton", page: "systemSetting",
                  focus: [light, "systemSetting.systemSettingFocus()"] },
                { tag: "profiles", opener: "configButton", page: "profile", focus: [light],
                  // The first open asks whether links can be followed here.
                  opened: ["followsFocus()"] }
            ]
        }

        // Each page opens centred over the mask; a press on the mask beside
        // it makes the open page and the lighting page drop their focus.
        function test_openDialogs(data) {
            start()
            mouseClick(part(data.opener))
            var dialog = part(data.page)
            verify(dialog.visible)
            verify(part("mainMask").visible)
            compare(dialog.x, Math.round((1024 - dialog.width) / 2))
            compare(dialog.y, Math.round((640 - dialog.height) / 2))
            compareLog(data.opened || [])
            fake.clear()
            mouseClick(part("mainMask"), 5, 5)
            compareLog(data.focus)
        }

        function test_titleArea_data() {
            return [
                { tag: "minimise", button: "minimiseButton", log: ["ui_Ctl.onMinimize()"] },
                { tag: "close", button: "closeButton", log: ["ui_Ctl.onClose()"] }
            ]
        }

        function test_titleArea(data) {
            start()
            mouseClick(part(data.button))
            compareLog(data.log)
        }

        function test_draggingTheBackgroundMovesTheWindow() {
            start()
            mousePress(root, 400, 600)
            mouseMove(root, 430, 580)
            mouseRelease(root, 430, 580)
            compareLog(["ui_Ctl.onXChanged(30)", "ui_Ctl.onYChanged(-20)"])
        }

        // The help menu lists the installed languages; picking one keeps it
        // and loads its texts into the open window, a refused one changes
        // nothing.
        function test_help_menu_switches_language_data() {
            return [{ tag: "kept", kept: true, language: "French" },
                    { tag: "refused", kept: false, language: "English" }]
        }
        function test_help_menu_switches_language(data) {
            start({}, { chooseLanguage: data.kept })
            mouseClick(part("helpButton"))
            verify(part("askMenu").visible)
            compare(part("language_English").Accessible.name, "\u2713 English")
            compare(part("language_French").Accessible.name, "    Français")
            mouseClick(part("language_French"))
            verify(!part("askMenu").visible)
            compare(root.language, data.language)
            var sections = fake.calls.filter(c => c.indexOf("getLangStrings(") === 0)
            compare(sections.length, data.kept ? 13 : 0)
            if (data.kept)
                compare(sections[0], "getLangStrings(main, French)")
            compare(fake.calls.filter(c => c.indexOf("chooseLanguage(") === 0), ["chooseLanguage(French)"])
        }
    }
}
