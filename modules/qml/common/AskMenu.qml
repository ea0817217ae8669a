import QtQuick
import "../basic/theme.js" as Theme

// The help menu: the maker's web address, which opens in the browser, and
// the version.
Rectangle {
    id: askMenu

    property string url: ""

    x: 1024 - 300
    y: 30
    width: 200
    height: 2 * 24 + 2
    color: Theme.colorGray0
    border.color: Theme.colorGray1
    visible: false
    z: 20
    Accessible.role: Accessible.PopupMenu
    Accessible.name: "Help"

    function closeMenu() {
        visible = false
    }

    Column {
        x: 1
        y: 1
        Repeater {
            model: [askMenu.url, "verison:1.0"]
            delegate: Rectangle {
                required property int index
                required property string modelData
                width: askMenu.width - 2
                height: 24
                color: area.containsMouse ? Theme.colorOrange : "transparent"
                Accessible.role: Accessible.MenuItem
                Accessible.name: modelData

                Text {
                    x: 8
                    width: parent.width - 16
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData
                    elide: Text.ElideRight
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        if (index === 0 && askMenu.url !== "")
                            Qt.openUrlExternally(askMenu.url)
                        askMenu.closeMenu()
                    }
                }
            }
        }
    }
}
