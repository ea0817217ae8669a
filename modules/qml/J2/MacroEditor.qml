import QtQuick
import "../common"

// The macro editor: the macro library, its events, recording.
DialogFrame {
    id: page
    property var macroEditorLang: ["Macro Editor"]
    // Recording keys, or waiting for a key to insert, into the selected macro.
    property bool isInputting: false
    property bool isInsertting: false
    property int currentIndex: -1

    signal closed()

    width: 640
    height: 448
    title: macroEditorLang[0]

    function close() {
        visible = false
        closed()
    }

    onCloseClick: close()
}
