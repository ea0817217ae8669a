import QtQuick
import "../basic"
import "../basic/theme.js" as Theme
import "mainTexts.js" as MainTexts

// The reset box: asks before the current profile goes back to the factory
// settings. Dragged inside the window like a dialog page.
Rectangle {
    id: box

    property var mainLang: []

    signal cancelClick()
    signal okClick()

    width: 427
    height: 102
    color: Theme.colorGray0
    visible: false
    Accessible.role: Accessible.AlertMessage
    Accessible.name: mainLang[MainTexts.resetFactory] || ""

    function open() {
        x = Math.round((1024 - width) / 2)
        y = Math.round((640 - height) / 2)
        visible = true
    }

    MouseArea {
        property point pressPoint
        anchors.fill: parent
        onPressed: function (mouse) { pressPoint = Qt.point(mouse.x, mouse.y) }
        onPositionChanged: function (mouse) {
            if (!pressed)
                return
            box.x = Math.max(0, Math.min(1024 - box.width, box.x + mouse.x - pressPoint.x))
            box.y = Math.max(0, Math.min(640 - box.height, box.y + mouse.y - pressPoint.y))
        }
    }

    Rectangle {
        width: box.width
        height: 30
        color: Theme.colorBlack
        Text {
            x: 12
            anchors.verticalCenter: parent.verticalCenter
            text: box.mainLang[MainTexts.reset] || ""
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            font.bold: true
        }
    }

    Text {
        x: 12
        y: 40
        text: box.mainLang[MainTexts.resetFactory] || ""
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 8
        spacing: 12
        TextButton {
            objectName: "resetCancelButton"
            width: 88
            height: 25
            textValue: box.mainLang[MainTexts.cancel] || ""
            onClicked: box.cancelClick()
        }
        TextButton {
            objectName: "resetOkButton"
            width: 88
            height: 25
            textValue: box.mainLang[MainTexts.ok] || ""
            onClicked: box.okClick()
        }
    }
}
