import QtQuick
import QtTest

// Start Record in the real macro editor with no macro selected: refused, and
// the main screen says why. (A file of its own: a file's tests share which
// pages are real.)
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    SceneTestCase {
        name: "RecordRefusal"
        loader: scene

        readonly property var prompt: texts("prompt")

        // Start Record with no macro selected records nothing and says why.
        function test_recordWithoutAMacroIsRefused() {
            start({}, { getNameList: type => type === 0 ? ["m1"] : ["Standard0"] }, ["MacroEditor.qml"])
            var editor = part("macroEditor")
            root.openPage(editor)
            compare(editor.currentIndex, -1)
            tryVerify(() => findChild(editor, "recordButton") !== null)
            mouseClick(findChild(editor, "recordButton"))
            verify(!editor.isInputting)
            verify(part("noticeLine").visible)
            compare(part("noticeLine").text, prompt[9])
        }
    }
}
