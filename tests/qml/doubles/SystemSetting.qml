import QtQuick
import "qrc:/modules/qml/common"

// Double of the system-setting page for the main screen's tests.
DialogFrame {
    property var systemSettingLang: []

    signal closed()
    signal focusMain()

    width: 416
    height: 312

    function init(isSendData, isRecovery) { fake.call("systemSetting", "init", [isSendData, isRecovery]) }
    function systemSettingFocus() { fake.call("systemSetting", "systemSettingFocus", []) }

    function close() {
        fake.call("systemSetting", "close", [])
        visible = false
        closed()
    }
    Component.onCompleted: fake.pages.systemSetting = this
}
