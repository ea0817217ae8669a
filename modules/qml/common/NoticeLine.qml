import QtQuick
import "../basic/theme.js" as Theme

// One short line that says why an action was refused, shown for a few
// seconds above everything, below the busy text's place. A new notice
// replaces the one showing.
Rectangle {
    id: notice

    property alias text: label.text
    property int showMs: 4000

    function show(message) {
        label.text = message
        visible = message !== ""
        hideTimer.restart()
    }

    function hide() {
        hideTimer.stop()
        visible = false
    }

    visible: false
    width: Math.min(label.implicitWidth + 32, 600)
    height: 28
    radius: 3
    color: Theme.colorGray0
    border.color: Theme.colorOrange
    Accessible.role: Accessible.AlertMessage
    Accessible.name: label.text

    Text {
        id: label
        objectName: "noticeText"
        anchors.centerIn: parent
        width: parent.width - 16
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    // A click dismisses it.
    MouseArea {
        anchors.fill: parent
        onClicked: notice.hide()
    }

    Timer {
        id: hideTimer
        interval: notice.showMs
        onTriggered: notice.visible = false
    }
}
