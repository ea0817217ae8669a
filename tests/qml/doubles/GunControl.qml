import QtQuick
import "qrc:/modules/qml/common"

// Double of the gun page for the main screen's tests.
DialogFrame {
    property var gunControlLang: []

    signal closed()
    signal sendKeyMatrix()

    centreEachOpen: false
    width: 640
    height: 448

    function init() { fake.call("gunControl", "init", []) }
    function resetData() { fake.call("gunControl", "resetData", []) }
    function gunControlFocus() { fake.call("gunControl", "gunControlFocus", []) }

    function close() {
        fake.call("gunControl", "close", [])
        visible = false
        closed()
    }
    Component.onCompleted: fake.pages.gunControl = this
}
