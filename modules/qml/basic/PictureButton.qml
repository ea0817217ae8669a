import QtQuick
import "theme.js" as Theme

// A button drawn only by its picture: `name` at rest, name + "H" under the
// pointer and, when the pictures include one, name + "P" while pressed.
// `margin` widens the sensitive area around small pictures.
// The page sets `Accessible.name` to what the picture means ("Close", ...).
Item {
    id: root

    property string group: "index"
    property string name: ""
    property bool hasPressed: false
    property int margin: 0
    readonly property alias hovered: area.containsMouse
    readonly property alias pressed: area.pressed

    signal clicked()

    width: 16
    height: 16

    Accessible.role: Accessible.Button
    Accessible.name: name
    Accessible.onPressAction: root.clicked()

    Image {
        objectName: "picture"
        anchors.fill: parent
        source: Theme.picture(root.group,
                              root.hasPressed && area.pressed ? root.name + "P"
                              : area.containsMouse ? root.name + "H" : root.name)
    }

    MouseArea {
        id: area
        anchors.fill: parent
        anchors.margins: -root.margin
        hoverEnabled: true
        onClicked: root.clicked()
    }
}
