import QtQuick
import "../basic/theme.js" as Theme

// The lighting page of the right panel.
Rectangle {
    id: lightControl

    property var lightControlLang: ["Light"]
    property bool isSave: false
    // The effect list, closed by the main screen's focus rule.
    property Item lightModel: null

    width: 232
    height: 264
    color: Theme.colorBlack
    Accessible.role: Accessible.Pane
    Accessible.name: lightControlLang[0]

    Text {
        x: 8
        y: 12
        text: lightControl.lightControlLang[0]
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
    }
}
