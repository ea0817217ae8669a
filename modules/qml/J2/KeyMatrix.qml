import QtQuick
import "../basic/theme.js" as Theme

// The button list of the left panel: one row per button of the mouse.
Rectangle {
    id: keyMatrix

    property var keyMatrixLang: ["Key ", "Key Function"]
    property int keyCount: 8
    // Changes wait for Save.
    property bool isSave: false

    width: 232
    height: 40 + 24 * keyCount + 2 * (keyCount - 1) + 8
    color: Theme.colorBlack
    Accessible.role: Accessible.List
    Accessible.name: keyMatrixLang[1]

    Text {
        x: 8
        y: 12
        text: keyMatrix.keyMatrixLang[1]
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
    }
}
