import QtQuick
import "theme.js" as Theme

// A small menu opened at the pointer: one 24-pixel row per text, orange
// under the pointer. The page places it and hides it again.
Rectangle {
    id: root

    property var texts: []

    signal picked(int index)

    width: 80
    height: 24 * texts.length + 2
    color: Theme.colorGray0
    border.color: Theme.colorGray1
    visible: false
    Accessible.role: Accessible.PopupMenu

    Item {
        x: 1
        y: 1

        Repeater {
            model: root.texts

            delegate: Rectangle {
                required property int index
                required property string modelData

                objectName: "menuRow" + index
                y: index * 24
                width: root.width - 2
                height: 24
                color: rowArea.containsMouse ? Theme.colorOrange : Theme.colorGray0
                Accessible.role: Accessible.MenuItem
                Accessible.name: modelData

                Text {
                    x: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: parent.modelData
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: root.picked(parent.index)
                }
            }
        }
    }
}
