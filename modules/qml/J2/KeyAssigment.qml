import QtQuick
import "../common"

// The button-assignment dialog: which function a button of the mouse runs.
DialogFrame {
    id: page
    property var keyAssigmentLang: ["Key "]
    // Waiting for a key of the fire function, or for a key combination.
    property bool isFireInput: false
    property bool isComboInput: false

    signal closed()

    width: 416
    height: 404
    title: keyAssigmentLang[0]

    function close() {
        visible = false
        closed()
    }

    onCloseClick: close()
}
