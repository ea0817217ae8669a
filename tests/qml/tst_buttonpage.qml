import QtQuick
import QtTest
import KX20 1.0

// The button list, the mouse picture and the button dialog, with the real
// pages over the recording fake: what each choice puts into the table and
// what goes to the mouse when.
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    KeyCodeString {
        id: builtInKeys
    }

    SceneTestCase {
        name: "ButtonPage"
        loader: scene

        // The pages under test are real; the others are doubles.
        readonly property var pages: ["KeyMatrix.qml", "KeyAssigment.qml", "MacroEditor.qml"]

        // The installed factory table of the sixteen slots.
        readonly property var factory: [[0, 0, 240, 0], [0, 0, 241, 0], [0, 0, 242, 0], [0, 0, 244, 0],
            [0, 0, 243, 0], [5, 0, 1, 0], [5, 0, 2, 0], [0, 240, 30, 2], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0],
            [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [255, 0, 1, 0], [255, 0, 2, 0]]
        // Macro files of the fake library: events, then the repeat count.
        property var macros: ({})

        // A started scene whose current profile holds `changes` (slot: codes)
        // over the factory table, and whose factory table holds
        // `factoryChanges`.
        function startButtons(changes, store, factoryChanges) {
            var current = factory.map(e => e.slice())
            var fact = factory.map(e => e.slice())
            for (var slot in changes || {})
                current[slot] = changes[slot]
            for (slot in factoryChanges || {})
                fact[slot] = factoryChanges[slot]
            macros = { "m1": ["1,A", "0,120", "2,A", "3"], "m2": ["1,B", "2,B", "1"] }
            start(store || {}, {
                getLangStrings: section => builtInTexts(section),
                mouseGetKeydefine: (index, isRecovery) => (isRecovery ? fact : current)[index].slice(),
                getNameList: type => type === 0 ? ["m1", "m2"] : ["Standard0", "profile_11"],
                loadMacroIni: name => (macros[name] || []).slice()
            }, pages)
            return part("keyMatrix")
        }

        // The scene's own English texts for the sections these pages read.
        function builtInTexts(section) {
            var known = { keyAssigment: FunctionCodes.texts, keyCode: builtInKeys.keyCodeStr,
                          keyMatrix: ["Key ", "Key Function"] }
            return known[section] || texts(section)
        }

        function codes(slot) {
            var e = part("keyMatrix").modKeys.get(slot)
            return [e.keyCode0, e.keyCode1, e.keyCode2, e.keyCode3]
        }

        function working() {
            var d = part("keyAssigment")
            return [d.keyCode0, d.keyCode1, d.keyCode2, d.keyCode3]
        }

        function openSlot(slot) {
            mouseClick(part("keyRow" + slot))
            verify(part("keyAssigment").visible, "the dialog opens for slot " + slot)
            return part("keyAssigment")
        }

        function closeDialog() {
            mouseClick(findChild(part("keyAssigment"), "closeButton"))
            verify(!part("keyAssigment").visible)
        }

        function keys(list) {
            for (var code of list) {
                root.detectKeyboard(true, code)
                root.detectKeyboard(false, code)
            }
        }

        // The stored table as the bridge gets it, with `changes` over the
        // factory table.
        function table(changes) {
            var rows = factory.map(e => e.slice())
            for (var slot in changes)
                rows[slot] = changes[slot]
            return "mouseSetKeyMatrix([" + [].concat.apply([], rows).join(", ") + "], true, [10, 10, 10])"
        }

        function test_rowsAndMarks_data() {
            return [{ tag: "eight buttons", count: "8", shown: 8 }, { tag: "six buttons", count: "6", shown: 6 },
                    { tag: "more than the picture has", count: "40", shown: 8 }]
        }

        // One row and one mark per physical button; the other slots are
        // still sent as they are stored.
        function test_rowsAndMarks(data) {
            var list = startButtons({ 7: [5, 0, 3, 0], 14: [7, 0, 224, 6] }, { "mouse/keyCount": data.count })
            var count = data.shown
            compare(list.keyCount, count)
            // The key list ends above the boxes below it.
            verify(list.height <= 40 + 24 * 8 + 2 * 7 + 8)
            for (var i = 0; i < 8; ++i) {
                compare(findChild(root, "keyRow" + i) !== null, i < count, "row " + i)
                compare(part("keyMark" + i).visible, i < count, "mark " + i)
            }
            compare(list.modKeys.get(0).keyText, "Left Key")
            compare(list.modKeys.get(7).keyText, "DPI LOOP")
            compare(list.modKeys.get(14).keyText, "Copy")
            list.saveData()
            compareLog([table({ 7: [5, 0, 3, 0], 14: [7, 0, 224, 6] })])
            compare(part("keyRow5").keyText, "DPI+")
            list.setEntry(5, [7, 0, 224, 6], "Copy")
            compare(part("keyRow5").keyText, "Copy", "a row follows its slot")
        }

        function test_combination_data() {
            return [
                { tag: "LCtrl LShift A B C", keys: [0xE0, 0xE1, 4, 5, 6], shown: "LCtrl + LShift + A + B",
                  codes: [2, 3, 4, 5], listed: "LCtrl+LShift+A+B" },
                { tag: "LCtrl twice", keys: [0xE0, 0xE0, 0x1E], shown: "LCtrl + LCtrl + 1",
                  codes: [2, 1, 0x1E, 0], listed: "LCtrl+1" }
            ]
        }

        // Presses are collected (releases ignored) up to two plain keys;
        // nothing reaches the mouse before Save.
        function test_combination(data) {
            var list = startButtons()
            var dialog = openSlot(4)
            mouseClick(part("comboBox"))
            verify(dialog.isComboInput)
            keys(data.keys)
            compare(part("comboBox").textValue, data.shown)
            mouseClick(part("comboConfirm"))
            verify(!dialog.isComboInput)
            compare(working(), data.codes)
            compare(dialog.title, "Key 5 : " + data.shown)
            fake.clear()
            closeDialog()
            compare(codes(4), data.codes)
            verify(list.isSave)
            compareLog([])
            list.updateTexts()
            compare(list.modKeys.get(4).keyText, data.listed)
        }

        // Confirming nothing, or cancelling, leaves the working copy alone.
        function test_combinationCancelled() {
            startButtons()
            var dialog = openSlot(4)
            mouseClick(part("comboBox"))
            mouseClick(part("comboConfirm"))
            compare(part("comboBox").textValue, "Click Input")
            mouseClick(part("comboBox"))
            keys([0xE0, 4])
            mouseClick(part("comboCancel"))
            compare(part("comboBox").textValue, "Click Input")
            compare(working(), [0, 0, 243, 0])
            closeDialog()
            verify(!part("keyMatrix").isSave)
        }

        // The first key event ends the capture; the rate untouched is 10 ms,
        // "Endness" ticked is 0 repetitions; the repetitions follow the input.
        function test_fireCapture() {
            var list = startButtons()
            var dialog = openSlot(3)
            mouseClick(part("fireBox"))
            verify(dialog.isFireInput)
            compare(part("fireBox").textValue, "Click Input")
            root.detectKeyboard(false, 0x2C)
            verify(!dialog.isFireInput)
            compare(part("fireBox").textValue, "Space")
            compare(working(), [1, 0x2C, 10, 0])
            var times = part("timesInput")
            times.txtInput.forceActiveFocus()
            times.textValue = "5"
            times.closeFocus()
            compare(working(), [1, 0x2C, 10, 5])
            verify(!part("endlessBox").isSelect)
            mouseClick(part("endlessBox"))
            compare(working(), [1, 0x2C, 10, 0])
            compare(times.textValue, "0")
            verify(part("endlessBox").isSelect)
            times.txtInput.forceActiveFocus()
            times.textValue = "7"
            times.closeFocus()
            verify(!part("endlessBox").isSelect, "the box follows the repetitions")
            compare(working(), [1, 0x2C, 10, 7])
            mouseClick(part("endlessBox"))
            closeDialog()
            compare(codes(3), [1, 0x2C, 10, 0])
            compare(list.modKeys.get(3).keyText, "Space")
        }

        function test_lastLeftButton_data() {
            return [
                { tag: "only left, row", changes: {}, picture: false, opens: false, selected: 0 },
                { tag: "only left, mark", changes: {}, picture: true, opens: false, selected: -1 },
                { tag: "double click is no left button", changes: { 1: [0, 240, 30, 2] }, picture: true,
                  opens: false, selected: -1 },
                { tag: "another left button", changes: { 1: [0, 0, 240, 0] }, picture: true, opens: true,
                  selected: 0 }
            ]
        }

        // The only slot that clicks left cannot be given another function.
        function test_lastLeftButton(data) {
            startButtons(data.changes)
            mouseClick(part(data.picture ? "keyMark0" : "keyRow0"))
            compare(part("keyAssigment").visible, data.opens)
            compare(part("mainMask").visible, data.opens)
            compare(part("mouse").selectKey, data.selected)
        }

        // Restoring one button compares texts and sends nothing; restoring
        // all sends the factory macros at once and the table with Save.
        function test_restore() {
            var list = startButtons({ 4: [5, 0, 3, 0], 6: [7, 0, 224, 6] }, { "mouseMacroKey/2": "m2" },
                                    { 2: [4, 0, 2, 0] })
            var dialog = openSlot(4)
            compare(dialog.keyString, "DPI LOOP")
            fake.clear()
            mouseClick(findChild(dialog, "restoreButton"))
            compare(working(), [0, 0, 243, 0])
            compare(dialog.keyString, "Back Key")
            compare(codes(4), [0, 0, 243, 0])
            verify(list.isSave)
            compareLog([])
            closeDialog()
            list.isSave = false

            mouseClick(part("restoreAllButton"))
            compare(codes(6), [5, 0, 2, 0])
            compare(codes(2), [4, 0, 2, 0])
            compare(list.modKeys.get(2).keyText, "m2")
            verify(list.isSave)
            compareLog(["loadMacroIni(m2)", "mouseSendMacroData([0, 1, 1, 5, 129, 5, 0, 0], 2)",
                        "setData(mouseMacroKey/2, m2)"])
        }

        function test_macroBinding_data() {
            return [
                { tag: "new binding, run mode 2", changes: {}, pick: 0, mode: 2, codes: [4, 2, 4, 0],
                  sent: "mouseSendMacroData([0, 3, 12, 4, 129, 4, 0, 0], 4)", name: "m1" },
                { tag: "another macro, same run mode", changes: { 4: [4, 0, 4, 0] }, pick: 1, mode: 0,
                  codes: [4, 0, 4, 0], sent: "mouseSendMacroData([0, 1, 1, 5, 129, 5, 0, 0], 4)", name: "m2" }
            ]
        }

        // A macro goes to the mouse with its own repeat count the moment it
        // is bound; the table waits for Save. Another macro with the same
        // run mode is a change too.
        function test_macroBinding(data) {
            var list = startButtons(data.changes, { "mouseMacroKey/4": "m1" })
            var dialog = openSlot(4)
            part("keyScroll").contentY = 300
            pick(part("macroDrop"), data.pick)
            if (data.mode !== 0)
                mouseClick(part("runMode" + data.mode))
            compare(working(), data.codes)
            compare(dialog.keyString, data.name)
            fake.clear()
            closeDialog()
            compare(codes(4), data.codes)
            compareLog(["loadMacroIni(" + data.name + ")", data.sent, "setData(mouseMacroKey/4, " + data.name + ")"])
            fake.clear()
            mouseClick(part("saveButton"))
            verify(fake.calls.indexOf(table({ 4: data.codes })) >= 0, fake.calls.join("\n"))
        }

        // A choice equal to the slot's function sends nothing and raises
        // no flag; fixed choices put the table's row into the slot.
        function test_fixedChoices() {
            var list = startButtons()
            openSlot(5)
            mouseClick(part("dpiRadio22"))
            closeDialog()
            verify(!list.isSave)
            openSlot(5)
            mouseClick(part("dpiRadio56"))
            mouseClick(part("mouseRadio7"))
            verify(!part("dpiRadio56").isSelect, "radio buttons of one section")
            closeDialog()
            compare(codes(5), [0, 240, 30, 2])
            compare(list.modKeys.get(5).keyText, "Double Fire")
            verify(list.isSave)
            var dialog = openSlot(6)
            var grid = part("shortcutGrid")
            part("keyScroll").contentY = 400
            mouseClick(grid, grid.width / 2, 12)
            tryCompare(grid, "isAnimating", false)
            mouseClick(findChild(grid, "dropCell2"))
            compare(working(), [7, 0, 224, 6])
            compare(dialog.keyString, "Copy")
        }

        function test_opensOnTheCurrentFunction_data() {
            return [
                { tag: "mouse function", codes: [0, 0, 242, 0], radio: "mouseRadio3" },
                { tag: "DPI step", codes: [5, 0, 1, 0], radio: "dpiRadio22" },
                { tag: "gun", codes: [8, 0, 2, 0], radio: "gunRadio54" },
                { tag: "media", codes: FunctionCodes.codesOfText(29), grid: "mediaGrid", entry: 2 },
                { tag: "shortcut", codes: FunctionCodes.codesOfText(44), grid: "shortcutGrid", entry: 2 },
                { tag: "fire", codes: [1, 4, 20, 3], fire: ["A", "20MS", "3", false] },
                { tag: "endless fire", codes: [1, 0x2C, 10, 0], fire: ["Space", "10MS", "0", true] },
                { tag: "combination", codes: [2, 3, 4, 5], combo: "LCtrl + LShift + A + B" },
                { tag: "macro", codes: [4, 2, 3, 0], macro: 1, runMode: 2 }
            ]
        }

        // The dialog opens on the button's function, whatever the button
        // opened before it left in the sections (a macro with run mode 1, a
        // captured combination, a middle-key mark).
        function test_opensOnTheCurrentFunction(data) {
            startButtons({ 2: [4, 1, 2, 0], 3: data.codes, 6: [2, 1, 5, 0] },
                         { "mouseMacroKey/2": "m1", "mouseMacroKey/3": "m2" })
            for (var earlier of [2, 6, 1]) {
                openSlot(earlier)
                closeDialog()
            }
            var dialog = openSlot(3)
            compare(working(), data.codes.map(Number))
            for (var radio of ["mouseRadio2", "mouseRadio3", "mouseRadio7", "dpiRadio22", "dpiRadio56",
                               "gunRadio53", "gunRadio54"])
                compare(part(radio).isSelect, radio === data.radio, radio)
            for (var grid of ["mediaGrid", "windowsGrid", "shortcutGrid"])
                compare(part(grid).currentSelect, grid === data.grid ? data.entry : 0, grid)
            var fire = data.fire || ["Click Input", "10ms", "0", true]
            compare(part("fireBox").textValue, fire[0])
            compare(part("rateDrop").textValue, fire[1])
            compare(part("timesInput").textValue, fire[2])
            compare(part("endlessBox").isSelect, fire[3])
            compare(part("comboBox").textValue, data.combo || "Click Input")
            compare(part("macroDrop").currentSelect, data.macro === undefined ? -1 : data.macro)
            for (var mode = 0; mode < 3; ++mode)
                compare(part("runMode" + mode).isSelect, mode === (data.runMode || 0), "run mode " + mode)
            // Closing without a choice changes nothing.
            closeDialog()
            verify(!part("keyMatrix").isSave)
        }

        // A click on an empty cell closes the grid and applies the entry the
        // grid shows, as a click on that entry would.
        function test_emptyGridCellAppliesTheShownEntry() {
            startButtons()
            var dialog = openSlot(6)
            var grid = part("mediaGrid")
            part("keyScroll").contentY = 200
            mouseClick(grid, grid.width / 2, 12)
            tryCompare(grid, "isAnimating", false)
            mouseClick(findChild(grid, "dropCell8"))
            verify(!grid.isDrop)
            compare(working()[0], 3)
            compare(dialog.keyString, dialog.keyAssigmentLang[27 + grid.currentSelect])
        }

        // A deleted macro: the slots bound to it get their factory function
        // and the table goes out at once, then the profiles are cleaned.
        function test_deletedMacro() {
            var list = startButtons({ 4: [4, 2, 4, 0] }, { "mouseMacroKey/4": "m1" })
            compare(list.modKeys.get(4).keyText, "m1")
            part("editorBox")
            var editor = part("macroEditor")
            editor.open()
            mouseClick(part("macroRow0"))
            fake.clear()
            mouseClick(part("deleteMacroButton"))
            compare(codes(4), [0, 0, 243, 0])
            compareLog(["deleteMacroIni(m1)", "getData(mouseMacroKey/4, false)", table({}),
                        "deleteMacroUpdateProfile(m1)", "loadMacroIni(m2)", "updataNameList(0, [m2])"])
        }

        function test_rename_data() {
            return [
                { tag: "to another macro's name", typed: "m2", names: ["m1", "m2"], log: [] },
                { tag: "unchanged", typed: "m1", names: ["m1", "m2"], log: [] },
                { tag: "not a file name", typed: "a/b", names: ["m1", "m2"], log: [] },
                { tag: "new name", typed: "m3", names: ["m3", "m2"], renamed: true,
                  log: ["modifyMacroNameUpdateProfile(m1, m3)", "getData(mouseMacroKey/4, false)",
                        "setData(mouseMacroKey/4, m3)", "updataNameList(0, [m3, m2])"] },
                // A file m3.bin that the list does not show: the bridge
                // refuses, the row and the buttons keep the old name.
                { tag: "file exists, not listed", typed: "m3", names: ["m1", "m2"], renamed: false,
                  log: ["modifyMacroNameUpdateProfile(m1, m3)"] }
            ]
        }

        // Renaming in place: a name already in the list is refused silently;
        // a refusal of the bridge is told on the page.
        function test_rename(data) {
            var list = startButtons({ 4: [4, 2, 4, 0] }, { "mouseMacroKey/4": "m1" })
            fake.answers["modifyMacroNameUpdateProfile"] = data.renamed === true
            var editor = part("macroEditor")
            editor.open()
            var row = part("macroRow0")
            mouseDoubleClickSequence(row)
            var input = findChild(row, "nameInput")
            tryVerify(() => input.activeFocus)
            fake.clear()
            keyClick(Qt.Key_Backspace)
            for (var c of data.typed)
                keyClick(c)
            keyClick(Qt.Key_Return)
            compareLog(data.log)
            compare(editor.names(), data.names)
            compare(list.modKeys.get(4).keyText, data.names[0])
            var line = part("macroRefusal")
            compare(line.visible, data.renamed === false)
            if (data.renamed === false)
                verify(line.text.length > 0)
        }
    }
}
