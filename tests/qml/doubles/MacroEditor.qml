import QtQuick
import "qrc:/modules/qml/common"

// Double of the macro editor for the main screen's tests.
DialogFrame {
    property var macroEditorLang: []
    property bool isInputting: false
    property bool isInsertting: false
    property int currentIndex: -1
    property var keyTexts: null

    signal closed()
    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)
    signal namesUpdated(var names)
    signal refused(string reason)

    width: 640
    height: 448

    function init() { fake.call("macroEditor", "init", []) }
    function detectKeyboard(isDown, usbCode) { fake.call("macroEditor", "detectKeyboard", [isDown, usbCode]) }
    function detectInput(isDown, usbCode) { fake.call("macroEditor", "detectInput", [isDown, usbCode]) }
    function macroEditorFocus() { fake.call("macroEditor", "macroEditorFocus", []) }

    function close() {
        fake.call("macroEditor", "close", [])
        visible = false
        closed()
    }
    Component.onCompleted: fake.pages.macroEditor = this
}
