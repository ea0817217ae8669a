import QtQuick
import "theme.js" as Theme

// A caption followed by a small box that shows a check mark when selected.
// `btnClick(index)` comes before the toggle, so a page reading `isSelect`
// in its handler still sees the state the user clicked on. A page that
// keeps the state itself binds `isSelect` to it and clears `selfToggle`:
// the box then never changes on its own.
Item {
    id: root

    property string textValue: ""
    property int gapValue: 8
    property bool isSelect: false
    property int index: 0
    property bool selfToggle: true

    signal btnClick(int index)

    width: caption.width + gapValue + box.width
    height: Math.max(box.height, caption.height)

    Accessible.role: Accessible.CheckBox
    Accessible.name: textValue
    Accessible.checkable: true
    Accessible.checked: isSelect

    Text {
        id: caption
        anchors.verticalCenter: parent.verticalCenter
        text: root.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Rectangle {
        id: box
        x: caption.width + root.gapValue
        width: 12
        height: 12
        radius: 2
        anchors.verticalCenter: parent.verticalCenter
        color: "transparent"
        border.color: Theme.colorGray2

        Image {
            anchors.fill: parent
            visible: root.isSelect
            source: Theme.picture("index", "check")
        }
    }

    MouseArea {
        anchors.fill: parent
        anchors.margins: -6
        onClicked: {
            root.btnClick(root.index)
            if (root.selfToggle)
                root.isSelect = !root.isSelect
        }
    }
}
