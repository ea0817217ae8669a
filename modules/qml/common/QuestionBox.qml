import QtQuick
import "../basic"
import "../basic/theme.js" as Theme

// A small box that asks one question over the mask: a title strip, the
// question, and its answers as buttons at the lower right, left to right.
// Dragged inside the window like a dialog page.
Rectangle {
    id: box

    property string title: ""
    property string question: ""
    // One entry per answer: { name: objectName, text: caption }.
    property var answers: []

    signal answered(int index)

    width: 427
    height: 102
    color: Theme.colorGray0
    visible: false
    Accessible.role: Accessible.AlertMessage
    Accessible.name: question

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
            width: box.width - 24
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            text: box.title
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            font.bold: true
        }
    }

    Text {
        x: 12
        y: 40
        width: box.width - 24
        wrapMode: Text.Wrap
        maximumLineCount: 1
        elide: Text.ElideRight
        text: box.question
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    // Placed by hand rather than by a Row, so that each answer is where it
    // belongs from the moment the box opens.
    Repeater {
        model: box.answers
        delegate: TextButton {
            required property var modelData
            required property int index
            objectName: modelData.name
            x: box.width - 8 - (box.answers.length - index) * (width + 12) + 12
            y: box.height - 8 - height
            width: 88
            height: 25
            textValue: modelData.text
            onClicked: box.answered(index)
        }
    }
}
