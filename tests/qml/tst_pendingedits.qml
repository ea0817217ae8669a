import QtQuick
import QtTest
import KX20 1.0

// An edit left open (typed, no Enter) ends on the item it was opened on
// before the next step: it never lands in another macro, colour or record,
// and it is never lost on the way out of a page.
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
        name: "PendingEdits"
        loader: scene

        readonly property var pages: ["KeyMatrix.qml", "KeyAssigment.qml", "MacroEditor.qml", "GunControl.qml",
            "LightControl.qml", "SystemSetting.qml"]
        property var library: ({})

        function startScene() {
            library = { "m1": ["1,A", "0,120", "2,A", "1"], "m2": ["1,B", "2,B", "1"] }
            start({ "mouseMacroKey/4": "m2", "mouse/selectGun": ["0", "1", "2"],
                    "mouse/lightValue": ["0", "2", "4"], "mouse/fixColor": ["0", "0", "255"] }, {
                getLangStrings: section => section === "keyCode" ? builtInKeys.keyCodeStr : texts(section),
                getNameList: type => type === 0 ? ["m1", "m2"] : ["Standard0", "profile_11"],
                loadMacroIni: name => (library[name] || []).slice(),
                saveMacroIni: function (name, macros, repeat) {
                    library[name] = macros.concat([String(repeat)])
                    return true
                },
                createMacroIni: function (name) {
                    library[name] = library[name] || ["1"]
                    return true
                },
                // The bridge renames the file first and answers whether it could.
                modifyMacroNameUpdateProfile: function (oldName, newName) {
                    library[newName] = library[oldName]
                    delete library[oldName]
                    return true
                },
                getGunData: i => ["G" + i, "L-Click", "10", "0", "10", "0"]
            }, pages)
            // Button 5 runs m2.
            part("keyMatrix").modKeys.set(4, { keyCode0: 4, keyCode1: 0, keyCode2: 4, keyCode3: 0, keyText: "m2" })
        }

        function openEditor() {
            startScene()
            var editor = part("macroEditor")
            mouseClick(part("macroEditorEntry"))
            verify(editor.visible)
            mouseClick(row("macroRow0"))
            return editor
        }

        function row(name) {
            tryVerify(() => findChild(root, name) !== null, 5000, name)
            return findChild(root, name)
        }

        function typeText(text) {
            for (var c of text)
                keyClick(c)
        }

        // Times of m1 typed without Enter, then another step.
        function test_times_stays_with_its_macro_data() {
            return [
                { tag: "another macro", step: "select" },
                { tag: "New", step: "new" },
                { tag: "Delete", step: "delete" },
                { tag: "Import", step: "import" },
                { tag: "Start Record", step: "record" },
                { tag: "closing the page", step: "close" }
            ]
        }

        function test_times_stays_with_its_macro(data) {
            var editor = openEditor()
            var times = part("countRecordInput")
            mouseDoubleClickSequence(times)
            times.txtInput.selectAll()
            typeText("3")
            fake.clear()
            if (data.step === "select") {
                mouseClick(row("macroRow1"))
            } else if (data.step === "new") {
                mouseClick(part("newMacroButton"))
            } else if (data.step === "delete") {
                mouseClick(part("deleteMacroButton"))
            } else if (data.step === "import") {
                mouseClick(row("macroRow1"), 20, 10, Qt.RightButton)
                mouseClick(findChild(part("macroMenu"), "menuRow1"))
            } else if (data.step === "record") {
                mouseClick(part("recordButton"))
            } else {
                mouseClick(findChild(editor, "closeButton"))
                verify(!editor.visible)
            }
            verify(!times.txtInput.activeFocus)
            compare(fake.calls[0], "saveMacroIni(m1, [1,A, 0,120, 2,A], 3)")
            // m2 is untouched, and nothing reaches the mouse for its button.
            compare(library["m2"], ["1,B", "2,B", "1"])
            verify(fake.calls.every(c => c.indexOf("mouseSendMacroData") < 0), fake.calls.join("\n"))
        }

        // A delay typed without Enter belongs to m1's delay row, not to m2's
        // row of the same number.
        function test_delay_stays_with_its_macro() {
            var editor = openEditor()
            mouseDoubleClickSequence(row("eventRow1"), 100, 10)
            tryVerify(() => findChild(row("eventRow1"), "delayInput").activeFocus)
            typeText("500")
            mouseClick(row("macroRow1"))
            compare(library["m1"], ["1,A", "0,500", "2,A", "1"])
            compare(library["m2"], ["1,B", "2,B", "1"])
            compare(editor.currentIndex, 1)
        }

        // A rename typed without Enter is finished on its own row; Escape
        // drops it.
        function test_rename_ends_on_its_row() {
            var editor = openEditor()
            mouseDoubleClickSequence(row("macroRow0"), 20, 10)
            tryVerify(() => findChild(row("macroRow0"), "nameInput").activeFocus)
            typeText("fire")
            mouseClick(part("newMacroButton"))
            compare(editor.names(), ["fire", "m2", "Macro_0"])
            mouseDoubleClickSequence(row("macroRow1"), 20, 10)
            tryVerify(() => findChild(row("macroRow1"), "nameInput").activeFocus)
            typeText("jump")
            fake.clear()
            keyClick(Qt.Key_Escape)
            compare(editor.names(), ["fire", "m2", "Macro_0"])
            compare(editor.editingName, -1)
            compareLog([])
        }

        // Escape puts back the count the edit began with and saves nothing;
        // Tab keeps what was typed.
        function test_escape_and_tab_in_times() {
            openEditor()
            var times = part("countRecordInput")
            mouseDoubleClickSequence(times)
            times.txtInput.selectAll()
            typeText("42")
            fake.clear()
            keyClick(Qt.Key_Escape)
            compare(times.textValue, "1")
            verify(!times.txtInput.activeFocus)
            compareLog([])
            // Past the time a text field counts a third click of a double
            // click.
            wait(Qt.styleHints.mouseDoubleClickInterval + 100)
            mouseClick(times)
            times.txtInput.selectAll()
            typeText("42")
            keyClick(Qt.Key_Tab)
            compare(library["m1"], ["1,A", "0,120", "2,A", "42"])
            // The only input of the editor takes the keyboard again.
            verify(times.txtInput.activeFocus)
            compare(times.txtInput.selectedText, "42")
        }

        // While recording no text edit opens: the keys typed would be
        // recorded too.
        function test_no_edit_while_recording() {
            var editor = openEditor()
            mouseClick(part("recordButton"))
            mouseDoubleClickSequence(row("macroRow1"), 20, 10)
            compare(editor.editingName, -1)
            verify(!part("countRecordInput").enabled)
            mouseClick(part("recordButton"))
            verify(part("countRecordInput").enabled)
        }

        // Y typed without Enter on the gun page is part of what closing sends.
        function test_gun_y_is_sent_on_close() {
            startScene()
            var gun = part("gunControl")
            mouseClick(part("gunEditorEntry"))
            var y = findChild(gun.bodyItem, "gunYInput")
            mouseClick(y)
            y.txtInput.selectAll()
            typeText("40")
            gun.isSave = true
            fake.clear()
            mouseClick(findChild(gun, "closeButton"))
            compare(fake.calls[0], "mouseSaveGundata(0, [M416, L-Click, 10, 0, 40, 0])")
            verify(fake.calls.indexOf("mouseSendGundata(1, [0, 0, 40])") > 0, fake.calls.join("\n"))
            verify(!gun.isSave)
        }

        // R typed without Enter belongs to the block it was typed for.
        function test_colour_stays_with_its_block() {
            startScene()
            var light = part("lightControl")
            light.selectBlock(0)
            var before = light.blockColours[1]
            var red = part("redInput")
            mouseClick(red)
            red.txtInput.selectAll()
            typeText("12")
            mouseClick(part("colourBlock1"))
            compare(light.selectColorBlock, 1)
            compare(light.blockColours[0].toString().slice(0, 3), "#0c")
            compare(light.blockColours[1], before)
            compare(red.textValue, String(parseInt(before.slice(1, 3), 16)))
            verify(light.isSave)
        }

        // Tab walks R, G, B and round, each keeping what was typed.
        function test_tab_walks_the_colour_inputs() {
            startScene()
            var light = part("lightControl")
            light.selectBlock(0)
            var inputs = [part("redInput"), part("greenInput"), part("blueInput")]
            mouseClick(inputs[0])
            inputs[0].txtInput.selectAll()
            for (var i = 0; i < 3; ++i) {
                verify(inputs[i].txtInput.activeFocus, "input " + i)
                typeText(String(10 + i))
                keyClick(Qt.Key_Tab)
            }
            verify(inputs[0].txtInput.activeFocus)
            compare(light.blockColours[0].toString(), "#0a0b0c")
            keyClick(Qt.Key_Backtab)
            verify(inputs[2].txtInput.activeFocus)
            // The focused input shows where the keyboard is.
            verify(findChild(inputs[2], "focusFrame").visible)
            verify(!findChild(inputs[0], "focusFrame").visible)
        }

        // Switching profile finishes the open edit first.
        function test_profile_switch_finishes_the_edit() {
            startScene()
            var light = part("lightControl")
            light.selectBlock(0)
            var red = part("redInput")
            mouseClick(red)
            red.txtInput.selectAll()
            typeText("12")
            root.changeProfile(1)
            verify(!red.txtInput.activeFocus)
            // The typed colour was taken before the new profile was shown;
            // the new profile's own colour shows and stays.
            verify(light.isSave)
            compare(red.textValue, String(parseInt(light.blockColours[0].slice(1, 3), 16)))
            mouseClick(part("colourBlock0"))
            compare(red.textValue, String(parseInt(light.blockColours[0].slice(1, 3), 16)))
        }
    }
}
