import QtQuick
import "../basic/theme.js" as Theme

// The drawing of the mouse with a mark on each of its buttons.
Item {
    id: mouse

    property int keyCount: 8
    // The slot being shown or edited; -1 for none.
    property int selectKey: -1

    signal btnClick()

    width: 1024
    height: 640

    Image {
        id: drawing
        x: Math.round((mouse.width - width) / 2)
        y: 110
        width: 243
        height: 414
        source: Theme.picture("mouse", "front")
        Accessible.role: Accessible.Graphic
        Accessible.name: "KX20"

        MouseArea {
            anchors.fill: parent
            onClicked: mouse.btnClick()
        }
    }
}
