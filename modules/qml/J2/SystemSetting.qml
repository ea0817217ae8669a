import QtQuick
import "../common"

// The system-setting page: pointer speed, double-click time, scroll lines.
DialogFrame {
    id: page
    property var systemSettingLang: ["System Setting"]
    hasRestore: true

    signal closed()

    width: 416
    height: 312
    title: systemSettingLang[0]

    function close() {
        visible = false
        closed()
    }

    onCloseClick: close()
}
