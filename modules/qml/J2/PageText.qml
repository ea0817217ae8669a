import QtQuick
import "../basic/theme.js" as Theme

// A caption or label of a dialog page in the scene's font; captions are
// bold.
Text {
    color: Theme.fontColor
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
}
