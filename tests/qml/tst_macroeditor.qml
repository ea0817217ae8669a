import QtQuick
import QtTest
import KX20 1.0

// The macro editor with the real pages over the recording fake: the macro
// list, recording, the event menu and what is saved and sent after each edit.
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
        name: "MacroEditor"
        loader: scene

        // The pages under test are real; the others are doubles.
        readonly property var pages: ["KeyMatrix.qml", "KeyAssigment.qml", "MacroEditor.qml"]

        // The fake macro library: events, then the repeat count, by name.
        property var library: ({})

        function startEditor(names, store) {
            library = { "m1": ["1,A", "0,120", "2,A", "3"], "m2": ["1,B", "2,B", "1"] }
            start(store || {}, {
                getLangStrings: section => section === "keyCode" ? builtInKeys.keyCodeStr : texts(section),
                getNameList: type => type === 0 ? names : [],
                loadMacroIni: name => (library[name] || []).slice(),
                saveMacroIni: function (name, macros, repeat) {
                    library[name] = macros.concat([String(repeat)])
                    return true
                },
                createMacroIni: function (name) {
                    library[name] = library[name] || ["1"]
                    return true
                }
            }, pages)
            var editor = part("macroEditor")
            editor.open()
            return editor
        }

        // A row of a list view, once the view has made it.
        function row(name) {
            tryVerify(() => findChild(root, name) !== null, 5000, name)
            return findChild(root, name)
        }

        function rows(editor) {
            var list = []
            for (var i = 0; i < editor.eventModel.count; ++i)
                list.push(editor.eventModel.get(i).type + "," + editor.eventModel.get(i).info)
            return list
        }

        function keys(list) {
            for (var code of list) {
                root.detectKeyboard(true, code)
                root.detectKeyboard(false, code)
            }
        }

        // "Macro_" and the smallest free number; the filler after a single
        // stored name is no macro.
        function test_newMacroNames() {
            var editor = startEditor(["Macro_1", "loadersentry"])
            compare(editor.names(), ["Macro_1"])
            mouseClick(part("newMacroButton"))
            compare(editor.names(), ["Macro_1", "Macro_0"])
            compare(editor.currentIndex, 1)
            compareLog(["createMacroIni(Macro_0, 0)", "loadMacroIni(Macro_0)", "updataNameList(0, [Macro_1, Macro_0])"])
            mouseClick(part("newMacroButton"))
            compare(editor.names(), ["Macro_1", "Macro_0", "Macro_2"])
            mouseClick(row("macroRow1"))
            mouseClick(part("deleteMacroButton"))
            compare(editor.names(), ["Macro_1", "Macro_2"])
            compare(editor.currentIndex, 1)
            mouseClick(part("newMacroButton"))
            compare(editor.names(), ["Macro_1", "Macro_2", "Macro_0"])
            // The button dialog's macro list follows.
            compare(part("keyAssigment").macroNames.count, 3)
        }

        // A and its release about 120 ms apart with delays recorded; the
        // macro is saved when recording stops and sent to the buttons that
        // run it.
        function test_recordWithDelays() {
            var editor = startEditor(["m1", "m2"], { "mouseMacroKey/4": "m1" })
            part("keyMatrix").modKeys.set(4, { keyCode0: 4, keyCode1: 0, keyCode2: 4, keyCode3: 0, keyText: "m1" })
            mouseClick(row("macroRow0"))
            compare(rows(editor), ["1,A", "0,120", "2,A"])
            compare(part("countRecordInput").textValue, "3")
            mouseClick(part("delayRecordBox"))
            verify(editor.delayRecord)
            mouseClick(part("recordButton"))
            verify(editor.isInputting)
            compare(editor.eventModel.count, 0)
            fake.clear()
            root.detectKeyboard(true, 4)
            editor.macroRecordCount = 12
            root.detectKeyboard(false, 4)
            compare(rows(editor), ["1,A", "0,120", "2,A"])
            compareLog([])
            mouseClick(part("recordButton"))
            verify(!editor.isInputting)
            compareLog(["saveMacroIni(m1, [1,A, 0,120, 2,A], 3)", "getData(mouseMacroKey/4, false)",
                        "loadMacroIni(m1)", "mouseSendMacroData([0, 3, 12, 4, 129, 4, 0, 0], 4)"])
        }

        // A full recording keeps whole press-and-release pairs: 80 typed
        // events keep 30 pairs (124 bytes), the last a release, so no key is
        // left held on the mouse.
        function test_recordKeepsWholePairs() {
            var editor = startEditor(["m1"])
            mouseClick(row("macroRow0"))
            mouseClick(part("recordButton"))
            for (var i = 0; i < 40; ++i)
                keys([4 + (i % 26)])
            compare(editor.eventModel.count, 60)
            compare(MacroEncoder.rowsLength(editor.eventRows()), 124)
            compare(rows(editor)[59], "2,D")
            // Keys reach the editor only with a macro selected.
            editor.currentIndex = -1
            fake.clear()
            keys([4])
            compareLog([])
        }

        // Near the limit a press is taken only with room for its release and
        // for those of the keys still held; a release comes only after its
        // press; keys held when recording stops are released at the end.
        function test_recordPairsNearTheLimit() {
            var editor = startEditor(["m1"])
            mouseClick(row("macroRow0"))
            mouseClick(part("recordButton"))
            for (var i = 0; i < 28; ++i)
                keys([4])
            // 56 events, 116 bytes: Shift and A both fit with their releases.
            root.detectKeyboard(true, 0xE1)
            root.detectKeyboard(true, 0x05)
            // No room for C and its release besides those two.
            root.detectKeyboard(true, 0x06)
            root.detectKeyboard(false, 0x06)
            root.detectKeyboard(false, 0x05)
            root.detectKeyboard(false, 0x07)
            compare(rows(editor).slice(56), ["1,LShift", "1,B", "2,B"])
            mouseClick(part("recordButton"))
            compare(rows(editor).slice(56), ["1,LShift", "1,B", "2,B", "2,LShift"])
            compare(library["m1"].slice(-2), ["2,LShift", "3"])
        }

        // The Delay box shows the flag it sets: ticked after one click from
        // a fresh start, and delays are then recorded.
        function test_delayBoxShowsItsState() {
            var editor = startEditor(["m1"])
            mouseClick(part("newMacroButton"))
            var box = part("delayRecordBox")
            verify(!box.isSelect)
            mouseClick(box)
            verify(editor.delayRecord)
            verify(box.isSelect)
            mouseClick(part("recordButton"))
            keys([4])
            var recorded = rows(editor)
            compare(recorded.length, 3)
            compare([recorded[0], recorded[1].slice(0, 2), recorded[2]], ["1,A", "0,", "2,A"])
            mouseClick(part("recordButton"))
            mouseClick(box)
            verify(!editor.delayRecord)
            verify(!box.isSelect)
        }

        function test_eventMenu_data() {
            return [
                { tag: "left click after row 3", row: 2, entry: 3,
                  rows: ["1,A", "0,120", "2,A", "3,MS-L", "4,MS-L", "1,B"] },
                { tag: "right click after the last row", row: 3, entry: 5,
                  rows: ["1,A", "0,120", "2,A", "1,B", "3,MS-R", "4,MS-R"] },
                { tag: "middle click after row 1", row: 0, entry: 4,
                  rows: ["1,A", "3,MS-M", "4,MS-M", "0,120", "2,A", "1,B"] },
                { tag: "delay before row 2", row: 1, entry: 1,
                  rows: ["1,A", "0,50", "0,120", "2,A", "1,B"] },
                { tag: "delete row 2", row: 1, entry: 0, rows: ["1,A", "2,A", "1,B"] }
            ]
        }

        // The event menu opens on the row right-clicked; every edit is saved.
        function test_eventMenu(data) {
            var editor = startEditor(["m1"])
            library["m1"] = ["1,A", "0,120", "2,A", "1,B", "1"]
            mouseClick(row("macroRow0"))
            mouseClick(row("eventRow" + data.row), 20, 10, Qt.RightButton)
            verify(part("eventMenu").visible)
            fake.clear()
            mouseClick(findChild(part("eventMenu"), "menuRow" + data.entry))
            verify(!part("eventMenu").visible)
            compare(rows(editor), data.rows)
            compare(fake.calls[0], "saveMacroIni(m1, [" + data.rows.join(", ") + "], 1)")
        }

        // The insert-key box takes the last key pressed or released and puts
        // its press and release before the selected row.
        function test_insertKey() {
            var editor = startEditor(["m1"])
            mouseClick(row("macroRow0"))
            mouseClick(row("eventRow1"), 20, 10, Qt.RightButton)
            mouseClick(findChild(part("eventMenu"), "menuRow2"))
            verify(editor.isInsertting)
            verify(part("insertKeyBox").visible)
            root.detectKeyboard(true, 0xE1)
            root.detectKeyboard(false, 0x1E)
            compare(editor.insertKeyText, "1")
            mouseClick(part("insertKeyOk"))
            verify(!editor.isInsertting)
            compare(rows(editor), ["1,A", "1,1", "2,1", "0,120", "2,A"])
        }

        // A delay is edited in place and saved at once.
        function test_delayEdit() {
            var editor = startEditor(["m1"])
            mouseClick(row("macroRow0"))
            mouseDoubleClickSequence(row("eventRow1"), 100, 10)
            var input = findChild(row("eventRow1"), "delayInput")
            tryVerify(() => input.activeFocus)
            keyClick(Qt.Key_Backspace)
            for (var c of "2000")
                keyClick(c)
            keyClick(Qt.Key_Return)
            compare(rows(editor), ["1,A", "0,2000", "2,A"])
            compare(library["m1"], ["1,A", "0,2000", "2,A", "3"])
        }

        // The macro menu: export the macro right-clicked; an import that gives
        // no file leaves an empty macro of a new name before that row.
        function test_importAndExport() {
            var editor = startEditor(["m1", "m2"])
            mouseClick(row("macroRow1"), 20, 10, Qt.RightButton)
            verify(part("macroMenu").visible)
            fake.clear()
            mouseClick(findChild(part("macroMenu"), "menuRow2"))
            compareLog(["saveMacroFile(m2)"])
            mouseClick(row("macroRow1"), 20, 10, Qt.RightButton)
            fake.clear()
            mouseClick(findChild(part("macroMenu"), "menuRow1"))
            compare(editor.names(), ["m1", "Macro_0", "m2"])
            compare(editor.currentIndex, 1)
            compareLog(["loadMacroFile(Macro_0)", "createMacroIni(Macro_0, 0)", "loadMacroIni(Macro_0)",
                        "updataNameList(0, [m1, Macro_0, m2])"])
        }
    }
}
