import QtQuick
import "../basic/theme.js" as Theme

// "LOADING ......" while the scene is locked; it pulses only while shown, so
// an idle window costs no processor time.
Text {
    id: busy
    visible: false
    text: "LOADING ......"
    color: Theme.fontColor
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
    Accessible.role: Accessible.StaticText
    Accessible.name: text

    SequentialAnimation on opacity {
        running: busy.visible
        loops: Animation.Infinite
        NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
        NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        onRunningChanged: if (!running) busy.opacity = 1.0
    }
}
