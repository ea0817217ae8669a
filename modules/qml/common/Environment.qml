import QtQuick
import "../basic/theme.js" as Theme

// The window's backdrop: background, the stage under the mouse, the frame,
// title bar and the KX20 logo. The pictures are decoded when the main
// screen is first shown, not while the power-on picture is up.
Item {
    width: 1024
    height: 640

    // Gradients and a faint grid: the picture is half size (a quarter of
    // the memory) and stretched; on a 200 % screen its @2x file is used.
    Image {
        width: 1024
        height: 640
        source: visible ? "qrc:/modules/img/background.png" : ""
        Accessible.ignored: true
    }
    Image {
        x: 276
        y: 488
        source: visible ? "qrc:/modules/img/stage.png" : ""
        Accessible.ignored: true
    }
    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.color: Theme.colorGray1
    }
    Image {
        source: visible ? "qrc:/modules/img/titleBar.png" : ""
        Accessible.ignored: true
    }
    Image {
        x: 0
        y: 0
        source: visible ? "qrc:/modules/img/titleLogo.png" : ""
        Accessible.role: Accessible.Graphic
        Accessible.name: "KX20"
    }
}
