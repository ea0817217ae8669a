import QtQuick
import "../common"

// The gun page: recoil records and the three gun slots of the mouse.
DialogFrame {
    id: page
    property var gunControlLang: ["Gun Editor"]
    // Reopens where the user last dragged it.
    centreEachOpen: false

    signal closed()

    width: 640
    height: 448
    title: gunControlLang[0]

    function close() {
        visible = false
        closed()
    }

    onCloseClick: close()
}
