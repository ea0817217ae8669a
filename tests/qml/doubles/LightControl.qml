import QtQuick

// Double of the lighting page for the main screen's tests.
Item {
    property var lightControlLang: []
    property bool isSave: false
    property bool isColorful: false
    property bool is55328: false
    property bool is571: false
    property int dpiCount: 4
    readonly property int saveAll: 0
    property Item lightModel: Item {
        property int closeCount: 0
        function closeMenu() { ++closeCount }
    }

    width: 232
    height: 264

    function init(isSendData, isRecovery) { fake.call("lightControl", "init", [isSendData, isRecovery]) }
    function saveData(isSendData, mode) { fake.call("lightControl", "saveData", [isSendData, mode]) }
    function profileValues() {
        fake.call("lightControl", "profileValues", [])
        return { lightValue: "light" }
    }
    function fillEffects() {}
    function lightControlFocus() { fake.call("lightControl", "lightControlFocus", []) }

    Component.onCompleted: fake.pages.lightControl = this
}
