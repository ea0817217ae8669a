import QtQuick
import QtTest

// What the main screen does when a switch or Quit would lose unsaved
// changes, how refused actions say why, and Escape.
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    SceneTestCase {
        name: "Unsaved"
        loader: scene

        readonly property var prompt: texts("prompt")
        readonly property var switchLog: ["setEnabled(false)", "beginMouseChanges()", "setGlobalData(mouse/profileNo, 2)",
            "setCurrentProfile(2)", "keyMatrix.init(false, false)", "getData(mouse/reportRate, false)",
            "dpiSetting.init(false, false)", "lightControl.init(false, false)", "keyMatrix.profileValues()",
            "dpiSetting.profileValues()", "lightControl.profileValues()",
            "mouseSendProfile({buttons: keys, dpiValues: stages, lightValue: light, rateRow: 1})",
            "systemSetting.init(true, false)", "endMouseChanges()", "setEnabled(true)"]
        readonly property var saveLog: ["setEnabled(false)", "beginMouseChanges()", "dpiSetting.saveData(true)",
            "endMouseChanges()", "setEnabled(true)"]
        readonly property var answerButtons: ["unsavedSaveButton", "unsavedDiscardButton", "unsavedStayButton"]

        function startOnProfile0() {
            start({ "mouse/profileNo": "0" }, { getNameList: ["Standard0", "profile_22"] })
        }

        function test_switchAsksFirst_data() {
            return [
                { tag: "save", answer: 0, log: saveLog.concat(switchLog), profileNo: 2, row: 1 },
                { tag: "discard", answer: 1, log: switchLog, profileNo: 2, row: 1 },
                { tag: "stay", answer: 2, log: [], profileNo: 0, row: 0 },
                { tag: "escape stays", answer: -1, log: [], profileNo: 0, row: 0 }
            ]
        }

        // A DPI change waits for Save; picking profile 2 in the title area
        // asks before anything is sent or lost.
        function test_switchAsksFirst(data) {
            startOnProfile0()
            page("dpiSetting").isSave = true
            pick(part("profileList"), 1)
            var box = part("unsavedBox")
            verify(box.visible, "the question is shown")
            verify(part("mainMask").visible)
            compare(box.title, prompt[0])
            compare(box.question, prompt[1])
            compare(part("unsavedStayButton").textValue, prompt[4])
            compareLog([])
            compare(root.profileNo, 0)
            if (data.answer < 0)
                keyClick(Qt.Key_Escape)
            else
                mouseClick(part(answerButtons[data.answer]))
            verify(!box.visible)
            verify(!part("mainMask").visible)
            compareLog(data.log)
            compare(root.profileNo, data.profileNo)
            compare(part("profileList").currentSelect, data.row)
            compare(page("dpiSetting").isSave, data.answer === 2 || data.answer < 0)
        }

        function test_switchWithNothingUnsavedAsksNothing() {
            startOnProfile0()
            pick(part("profileList"), 1)
            verify(!part("unsavedBox").visible)
            compareLog(switchLog)
        }

        function test_quitAsksFirst_data() {
            return [
                { tag: "nothing unsaved", unsaved: false, answer: -1, log: [] },
                { tag: "save", unsaved: true, answer: 0,
                  log: ["setEnabled(false)", "beginMouseChanges()", "lightControl.saveData(true, 0)",
                        "endMouseChanges()", "setEnabled(true)", "ui_Ctl.onQuit()"] },
                { tag: "discard", unsaved: true, answer: 1, log: ["ui_Ctl.onQuit()"] },
                { tag: "stay", unsaved: true, answer: 2, log: [] }
            ]
        }

        // The tray's Quit asks the scene; with unsaved changes the program
        // quits only on the user's answer.
        function test_quitAsksFirst(data) {
            startOnProfile0()
            page("lightControl").isSave = data.unsaved
            compare(root.requestQuit(), !data.unsaved)
            compare(part("unsavedBox").visible, data.unsaved)
            if (data.answer >= 0)
                mouseClick(part(answerButtons[data.answer]))
            compareLog(data.log)
            compare(root.profileNo, 0)
        }

        // Over an open page the question keeps the page's mask.
        function test_quitOverAPageKeepsItsMask() {
            startOnProfile0()
            mouseClick(part("systemSettingButton"))
            keyMatrixUnsaved()
            verify(!root.requestQuit())
            mouseClick(part("unsavedStayButton"))
            verify(part("mainMask").visible)
            verify(page("systemSetting").visible)
        }

        function keyMatrixUnsaved() {
            page("keyMatrix").isSave = true
        }

        function test_refusals_data() {
            return [
                { tag: "only left button", reason: 6,
                  act: function () { page("keyMatrix").oneLeftKey = true; root.openKeyDialog(0, false) } },
                { tag: "import with six profiles", reason: 5, names: ["Standard0", "a1", "b2", "c3", "d4", "e5"],
                  act: function () { part("profile").importProfile() } },
                { tag: "new with six profiles", reason: 10, names: ["Standard0", "a1", "b2", "c3", "d4", "e5"],
                  act: function () { part("profile").newProfile() } },
                { tag: "delete the standard profile", reason: 7,
                  act: function () { part("profile").currentRow = 0; part("profile").deleteProfile() } },
                { tag: "delete the profile in use", reason: 8, active: 1,
                  act: function () { part("profile").currentRow = 1; part("profile").deleteProfile() } }
            ]
        }

        // Each refused action leaves one line saying why, in the language's
        // text, and changes nothing.
        function test_refusals(data) {
            start({ "mouse/profileNo": String(data.active || 0) },
                  { getNameList: data.names || ["Standard0", "profile_11"] })
            var notice = part("noticeLine")
            verify(!notice.visible)
            data.act()
            verify(notice.visible, "a line says why")
            compare(notice.text, prompt[data.reason])
            verify(!page("keyAssigment").visible)
            compare(fake.calls.filter(c => !c.startsWith("getLangStrings")).filter(
                        c => c.indexOf("Profile(") >= 0 || c.indexOf("updataNameList") === 0), [])
            keyClick(Qt.Key_Escape)
            verify(!notice.visible, "Escape dismisses it")
        }

        // A language without the section keeps the English texts.
        function test_promptTextsFallBackToEnglish() {
            start({}, { getLangStrings: [] })
            compare(root.promptLang[2], "Save")
            compare(root.promptLang[9], "Select a macro before recording.")
        }

        function test_escape_data() {
            return [
                { tag: "system setting", opener: "systemSettingButton", page: "systemSetting",
                  log: ["systemSetting.close()"], open: false },
                { tag: "reset box", opener: "resetButton", page: "factorysure", log: [], open: false },
                { tag: "button dialog", key: true, page: "keyAssigment", log: ["keyAssigment.close()"],
                  open: false },
                { tag: "combination capture", key: true, capture: { isComboInput: true },
                  page: "keyAssigment", log: [], open: true },
                { tag: "fire capture", key: true, capture: { isFireInput: true },
                  page: "keyAssigment", log: [], open: true }
            ]
        }

        // Escape closes the topmost page or box; a capture takes it as a key.
        function test_escape(data) {
            startOnProfile0()
            if (data.key)
                root.openKeyDialog(3, false)
            else
                mouseClick(part(data.opener))
            var dialog = part(data.page)
            verify(dialog.visible)
            setAll(page("keyAssigment"), data.capture || {})
            fake.clear()
            keyClick(Qt.Key_Escape)
            compare(dialog.visible, data.open)
            compare(part("mainMask").visible, data.open)
            compareLog(data.log)
        }

        // The macro editor opened from the button dialog lies above it and
        // closes first.
        function test_escapeClosesTheTopmostFirst() {
            startOnProfile0()
            root.openKeyDialog(3, false)
            root.openPage(page("macroEditor"))
            fake.clear()
            keyClick(Qt.Key_Escape)
            compare(closes(), ["macroEditor.close()"])
            verify(page("keyAssigment").visible)
            keyClick(Qt.Key_Escape)
            compare(closes(), ["macroEditor.close()", "keyAssigment.close()"])
        }

        function closes() {
            return fake.calls.filter(c => c.endsWith(".close()"))
        }
    }
}
