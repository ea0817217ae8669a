import QtQuick
import "../basic"

// The title area: the profile list, help, minimise and close.
Item {
    id: menu

    property var profileModel: null
    property alias profileList: profileList

    signal helpClick()
    signal profileHeadClick()
    signal profilePicked(int row)

    x: 920
    y: 16
    width: 80
    height: 16
    z: profileList.isDrop || profileList.isAnimating ? 10 : 0

    DropDownList {
        id: profileList
        objectName: "profileList"
        x: -16 - width
        y: -4
        width: 144
        mdItems: menu.profileModel
        currentSelect: 0
        onBtnClick: menu.profileHeadClick()
        onValueChange: function (index) { menu.profilePicked(index) }
    }

    Row {
        spacing: 16
        PictureButton {
            objectName: "helpButton"
            name: "ask"
            hasPressed: true
            Accessible.name: "Help"
            onClicked: menu.helpClick()
        }
        PictureButton {
            objectName: "minimiseButton"
            name: "min"
            hasPressed: true
            Accessible.name: "Minimise"
            onClicked: ui_Ctl.onMinimize()
        }
        PictureButton {
            objectName: "closeButton"
            name: "close"
            hasPressed: true
            Accessible.name: "Close"
            onClicked: ui_Ctl.onClose()
        }
    }
}
