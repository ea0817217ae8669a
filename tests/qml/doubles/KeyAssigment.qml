import QtQuick
import "qrc:/modules/qml/common"

// Double of the button-assignment dialog for the main screen's tests.
DialogFrame {
    property var keyAssigmentLang: []
    property bool isFireInput: false
    property bool isComboInput: false

    signal closed()

    width: 416
    height: 404

    function init() { fake.call("keyAssigment", "init", []) }
    function detectKeyboard(isDown, usbCode, inputType) {
        fake.call("keyAssigment", "detectKeyboard", [isDown, usbCode, inputType])
    }

    Component.onCompleted: fake.pages.keyAssigment = this
}
