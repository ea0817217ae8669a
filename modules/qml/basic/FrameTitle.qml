import QtQuick
import "theme.js" as Theme

// The title strip of a dialog page: bold title at the left, close (and,
// with `hasRestore`, restore) at the right, an orange line below.
// The strip has no MouseArea of its own: presses on its empty part fall
// through to the page, whose frame drags the whole dialog from any empty
// spot and keeps it inside the window.
Item {
    id: root

    property string textValue: ""
    property bool hasRestore: false

    signal closeClick()
    signal restoreClick()

    width: 416
    height: 41

    Accessible.role: Accessible.TitleBar
    Accessible.name: textValue

    Rectangle {
        id: bar
        width: parent.width
        height: 40
        color: Theme.colorBlack

        // Ends before the restore or close picture: a long title elides.
        Text {
            objectName: "titleText"
            x: 16
            width: (root.hasRestore ? restoreButton.x : closeButton.x) - x - 12
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            text: root.textValue
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
            font.bold: true
        }

        PictureButton {
            id: closeButton
            objectName: "closeButton"
            anchors.right: parent.right
            anchors.rightMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            name: "close"
            hasPressed: true
            margin: 3
            Accessible.name: "Close"
            onClicked: root.closeClick()
        }

        PictureButton {
            id: restoreButton
            objectName: "restoreButton"
            anchors.right: closeButton.left
            anchors.rightMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            visible: root.hasRestore
            name: "back"
            margin: 3
            Accessible.name: "Restore"
            onClicked: root.restoreClick()
        }
    }

    Rectangle {
        y: bar.height
        width: parent.width
        height: 1
        color: Theme.colorOrange
    }
}
