import QtQuick

// Double of the DPI page for the main screen's tests.
Item {
    property var dpiSettingLang: []
    property int currentDPI: -1
    property bool isSave: false
    property int dpiCount: 4
    property Item dpiSegment: Item {
        property int closeCount: 0
        function closeMenu() { ++closeCount }
    }

    signal focusMain()

    width: 232
    height: 256

    function init(isSendData, isRecovery) { fake.call("dpiSetting", "init", [isSendData, isRecovery]) }
    function saveData(isSendData) { fake.call("dpiSetting", "saveData", [isSendData]) }
    function profileValues() {
        fake.call("dpiSetting", "profileValues", [])
        return { dpiValues: "stages" }
    }

    Component.onCompleted: fake.pages.dpiSetting = this
}
