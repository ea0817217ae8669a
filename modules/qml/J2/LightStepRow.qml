import QtQuick
import "../basic"
import "../basic/theme.js" as Theme

// A five-step row of the lighting page (speed or brightness): caption,
// scaled slider over its tick marks, and a box with the step as a percentage.
Item {
    id: row

    property string caption: ""
    // 0 to 4; the page sets it, the slider reports the user's choice.
    property int step: 0

    signal stepChosen(int step)

    width: 232
    height: 40

    onStepChanged: slider.setIndexValue(step, false)
    Component.onCompleted: slider.setIndexValue(step, false)

    Text {
        x: 8
        width: slider.x - x - 4
        elide: Text.ElideRight
        anchors.verticalCenter: parent.verticalCenter
        text: row.caption
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Image {
        x: slider.x
        y: slider.y + slider.height + 2
        width: 96
        height: 6
        source: Theme.picture("lightControl", "scale")
    }

    SliderButton {
        id: slider
        objectName: row.objectName + "Slider"
        x: 76
        y: (row.height - height) / 2 - 3
        width: 96
        isScale: true
        segment: 4
        Accessible.name: row.caption
        onValueChangeDelay: row.stepChosen(segmentValue)
    }

    Rectangle {
        x: 176
        anchors.verticalCenter: parent.verticalCenter
        width: 48
        height: 16
        color: Theme.colorGray0
        border.color: Theme.colorGray1

        Text {
            anchors.centerIn: parent
            text: (Math.max(0, Math.min(4, row.step)) * 25) + "%"
            color: Theme.colorGray2
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMinSize
            Accessible.role: Accessible.StaticText
            Accessible.name: row.caption + " " + text
        }
    }
}
