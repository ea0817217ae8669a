import QtQuick
import "theme.js" as Theme

// A section of a long dialog: its caption in bold and a black rule below.
Item {
    id: root

    property string textValue: ""

    width: 384
    height: 24
    Accessible.role: Accessible.Heading
    Accessible.name: textValue

    Text {
        text: root.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
    }
    Rectangle {
        y: 20
        width: parent.width
        height: 1
        color: Theme.colorBlack
    }
}
