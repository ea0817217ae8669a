import QtQuick

// Double of the button list for the main screen's tests.
Item {
    property var keyMatrixLang: []
    property int keyCount: 8
    property bool isSave: false

    width: 232
    height: 40 + 24 * keyCount + 2 * (keyCount - 1) + 8

    function init(isSendData, isRecovery) { fake.call("keyMatrix", "init", [isSendData, isRecovery]) }
    function saveData() { fake.call("keyMatrix", "saveData", []) }

    Component.onCompleted: fake.pages.keyMatrix = this
}
