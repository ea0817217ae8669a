import QtQuick
import "../basic/theme.js" as Theme

// The drawing of the mouse with a numbered mark on each of its buttons;
// clicking a mark opens that button's function.
Item {
    id: mousePicture

    property int keyCount: 8
    // The slot being shown or edited; -1 for none.
    property int selectKey: -1

    signal btnClick()
    // A numbered mark was clicked; the main screen decides whether the
    // button may be edited.
    signal keyClick(int index)

    width: 1024
    height: 640

    // Where the marks of buttons 1 to 8 sit in the window.
    readonly property var markPositions: [Qt.point(370, 132), Qt.point(562, 132), Qt.point(512, 104),
        Qt.point(388, 296), Qt.point(388, 354), Qt.point(515, 285), Qt.point(515, 315), Qt.point(368, 229)]

    Image {
        id: drawing
        x: Math.round((mousePicture.width - width) / 2)
        y: 110
        width: 243
        height: 414
        // Decoded when the main screen first shows, not beside the power-on picture.
        source: visible ? Theme.picture("mouse", "front") : ""
        Accessible.role: Accessible.Graphic
        Accessible.name: "KX20"

        MouseArea {
            anchors.fill: parent
            onClicked: mousePicture.btnClick()
        }
    }

    Repeater {
        model: mousePicture.markPositions.length

        delegate: Rectangle {
            id: mark
            required property int index
            readonly property bool lit: index === mousePicture.selectKey || markArea.containsMouse

            objectName: "keyMark" + index
            visible: index < mousePicture.keyCount
            x: mousePicture.markPositions[index].x
            y: mousePicture.markPositions[index].y
            width: 48
            height: 24
            color: lit ? Theme.colorOrange : Theme.colorGray0
            border.color: lit ? Theme.colorOrange : Theme.colorGray1
            opacity: 0.92
            Accessible.role: Accessible.Button
            Accessible.name: String(index + 1)
            Accessible.onPressAction: mousePicture.keyClick(index)

            Text {
                anchors.centerIn: parent
                text: mark.index + 1
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                font.bold: true
            }
            MouseArea {
                id: markArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: mousePicture.keyClick(mark.index)
            }
        }
    }
}
