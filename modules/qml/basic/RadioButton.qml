import QtQuick
import "theme.js" as Theme

// A round mark followed by its caption. A click only ever selects: the page
// clears the other buttons of the group in its `btnClick` handler.
Item {
    id: root

    property string textValue: ""
    property int gapValue: 16
    property bool isSelect: false
    property int index: 0

    signal btnClick(int index)

    width: mark.width + gapValue + caption.width
    height: Math.max(mark.height, caption.height)

    Accessible.role: Accessible.RadioButton
    Accessible.name: textValue
    Accessible.checkable: true
    Accessible.checked: isSelect

    Rectangle {
        id: mark
        width: 10
        height: 10
        radius: 5
        anchors.verticalCenter: parent.verticalCenter
        color: Theme.colorGray3

        Rectangle {
            width: 6
            height: 6
            radius: 3
            anchors.centerIn: parent
            visible: root.isSelect
            color: Theme.colorOrange
        }
    }

    Text {
        id: caption
        x: mark.width + root.gapValue
        anchors.verticalCenter: parent.verticalCenter
        text: root.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    MouseArea {
        anchors.fill: parent
        anchors.margins: -3
        onClicked: {
            root.isSelect = true
            root.btnClick(root.index)
        }
    }
}
