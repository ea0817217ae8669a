import QtQuick

// Stands in for the scene: records every call the native side makes.
Item {
    width: 1024
    height: 640
    property string log: ""
    property bool unsaved: false

    function initUI() { log += "initUI;" }
    function run() { log += "run;" }
    function detectKeyboard(isDown, usbCode) { log += "kb:" + isDown + ":" + usbCode + ";" }
    function detectMouse(isDown, buttonCode, x, y) { log += "ms:" + isDown + ":" + buttonCode + ":" + x + ":" + y + ";" }
    function setProtectUI(interval) { log += "protect:" + interval + ";" }
    function setCurrentDPI(dpiValue) { log += "dpi:" + dpiValue + ";" }
    function takeOutsideChanges() { log += "outside;" }
    function requestQuit() {
        log += "requestQuit;"
        return !unsaved
    }
}
