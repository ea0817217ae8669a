import QtQuick

// Double of the button list for the main screen's tests.
Item {
    property var keyMatrixLang: []
    property int keyCount: 8
    property bool isSave: false
    property int selectKey: -1
    property var keyAssigmentLang: []
    property var keyTexts: null
    property var macroEditor: null
    property var gunPage: null

    signal enterBtn(int index)
    signal leaveBtn(int index)
    signal clickBtn(int index)
    signal mouseMissed()

    width: 232
    height: 40 + 24 * keyCount + 2 * (keyCount - 1) + 8

    function init(isSendData, isRecovery) { fake.call("keyMatrix", "init", [isSendData, isRecovery]) }
    function saveData() { fake.call("keyMatrix", "saveData", []) }
    function profileValues() {
        fake.call("keyMatrix", "profileValues", [])
        return { buttons: "keys" }
    }
    property bool oneLeftKey: false
    function checkOneLeftKey() { return oneLeftKey }
    function macroDeleted(name) { fake.call("keyMatrix", "macroDeleted", [name]) }
    function macroRenamed(oldName, newName) { fake.call("keyMatrix", "macroRenamed", [oldName, newName]) }
    function macroEdited(name) { fake.call("keyMatrix", "macroEdited", [name]) }
    function updateTexts() {}

    Component.onCompleted: fake.pages.keyMatrix = this
}
