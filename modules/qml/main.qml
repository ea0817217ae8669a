import QtQuick

// The scene's root. The full main screen and its pages come later; for now
// the window shows a plain panel and the busy text, and the native side's six
// calls are in place.
Item {
    id: mainIten
    width: 1024
    height: 640
    visible: false

    property bool isPownOn: false

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int buttonCode, int x, int y)

    function initUI() {
        setProtectUI(1000)
        visible = true
        if (!isPownOn) {
            isPownOn = true
            console.info("Scene ready")
        }
    }

    function run() {
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, buttonCode, x, y) {
        msg_MS(isDown, buttonCode, x, y)
    }

    function setProtectUI(interval) {
        busyIndicator.visible = true
        ui_View.setEnabled(false)
        protectTimer.interval = Math.max(0, interval)
        protectTimer.restart()
    }

    function setCurrentDPI(dpiValue) {
        if (dpiValue !== 0)
            currentStage = dpiValue - 1
    }

    property int currentStage: 0

    Timer {
        id: protectTimer
        repeat: false
        onTriggered: {
            busyIndicator.visible = false
            ui_View.setEnabled(true)
        }
    }

    Rectangle {
        anchors.fill: parent
        color: "#1a1a1a"
        border.color: "#3c3c3c"
    }

    Text {
        id: busyIndicator
        anchors.centerIn: parent
        z: 10
        visible: false
        text: "LOADING ......"
        color: "#ffffff"
        font.pixelSize: 16
    }
}
