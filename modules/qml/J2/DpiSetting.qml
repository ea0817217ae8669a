import QtQuick
import "../basic/theme.js" as Theme

// The DPI page of the right panel: the stages and the one the mouse uses.
Rectangle {
    id: dpiSetting

    property var dpiSettingLang: ["DPI"]
    // The stage the mouse is on, 0-based; -1 until the mouse reports one.
    property int currentDPI: -1
    property bool isSave: false
    // The stage-count list, closed by the main screen's focus rule.
    property Item dpiSegment: null

    width: 232
    height: 256
    color: Theme.colorBlack
    Accessible.role: Accessible.Pane
    Accessible.name: dpiSettingLang[0]

    Text {
        x: 8
        y: 12
        text: dpiSetting.dpiSettingLang[0]
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
    }
}
