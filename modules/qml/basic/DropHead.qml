import QtQuick
import "theme.js" as Theme

// The closed face shared by the drop-down list, grid and slider: a 24-pixel
// box with the current text and a drop arrow that points up while open.
Rectangle {
    id: head

    property string text: ""
    property bool isDrop: false
    property int horizontalOffset: 0

    signal clicked()

    height: 24
    color: Theme.colorGray0
    border.color: Theme.colorGray1

    // Kept clear of the arrow: a long text shrinks, then elides.
    Text {
        objectName: "headText"
        anchors.centerIn: parent
        anchors.horizontalCenterOffset: head.horizontalOffset
        width: Math.max(0, head.width - 40 - 2 * Math.abs(head.horizontalOffset))
        horizontalAlignment: Text.AlignHCenter
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Theme.fontMinSize
        elide: Text.ElideRight
        text: head.text
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Image {
        width: 12
        height: 12
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        source: Theme.picture("index", head.isDrop ? "dropBtnU" : "dropBtn")
    }

    MouseArea {
        anchors.fill: parent
        onClicked: head.clicked()
    }
}
