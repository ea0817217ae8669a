import QtQuick

// The window's backdrop: background, title bar and the KX20 logo.
Item {
    width: 1024
    height: 640

    Image {
        source: "qrc:/modules/img/background.png"
        Accessible.ignored: true
    }
    Image {
        source: "qrc:/modules/img/titleBar.png"
        Accessible.ignored: true
    }
    Image {
        x: 0
        y: 0
        source: "qrc:/modules/img/titleLogo.png"
        Accessible.role: Accessible.Graphic
        Accessible.name: "KX20"
    }
}
