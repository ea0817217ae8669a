import QtQuick
import "../basic/theme.js" as Theme

// The two ends of a pointer-setting slider: "Slow" under its left end,
// "Fast" under its right end (texts 3 and 4 of the system-setting page).
Item {
    id: root

    property var texts: []

    x: 32
    width: 352
    height: 14

    Text {
        text: root.texts[3] || ""
        color: Theme.colorGray2
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
    }

    Text {
        anchors.right: parent.right
        text: root.texts[4] || ""
        color: Theme.colorGray2
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
    }
}
