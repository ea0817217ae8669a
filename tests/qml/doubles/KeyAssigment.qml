import QtQuick
import "qrc:/modules/qml/common"

// Double of the button-assignment dialog for the main screen's tests.
DialogFrame {
    property var keyAssigmentLang: []
    property bool isFireInput: false
    property bool isComboInput: false
    property var keyMatrix: null
    property var keyTexts: null
    property bool isGun: true
    readonly property QtObject macroList: QtObject {
        function addData(names, isInit) { fake.call("keyAssigment", "macroList.addData", [names, isInit]) }
        function closeMenu() { fake.call("keyAssigment", "macroList.closeMenu", []) }
    }

    signal closed()
    signal macroEditorClick()

    width: 416
    height: 404

    function init() { fake.call("keyAssigment", "init", []) }
    function show(index) {
        fake.call("keyAssigment", "show", [index])
        open()
    }
    function detectKeyboard(isDown, usbCode, inputType) {
        fake.call("keyAssigment", "detectKeyboard", [isDown, usbCode, inputType])
    }

    function close() {
        fake.call("keyAssigment", "close", [])
        visible = false
        closed()
    }
    Component.onCompleted: fake.pages.keyAssigment = this
}
