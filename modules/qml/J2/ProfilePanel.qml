import QtQuick
import "../basic"
import "../basic/theme.js" as Theme

// What the profile page shows below its title: the profile list with
// renaming in place, New and Import, and the row menu (Delete, Export)
// that a right click opens. The rows and operations belong to the page
// (`page`).
Item {
    id: panel

    // Untyped: the page builds this panel, so naming its type here would
    // make the two files need each other.
    property var page: null

    width: 415
    height: 247

    function hideMenu() {
        rowMenu.visible = false
    }

    function openMenu(row, point) {
        panel.page.profileFocus()
        panel.page.currentRow = row
        rowMenu.x = Math.min(point.x, panel.width - rowMenu.width)
        rowMenu.y = Math.min(point.y, panel.height - rowMenu.height)
        rowMenu.visible = true
    }

    // A press anywhere else on the page ends an edit and hides the menu.
    MouseArea {
        anchors.fill: parent
        propagateComposedEvents: true
        onPressed: function (mouse) {
            panel.page.profileFocus()
            mouse.accepted = false
        }
    }

    ListView {
        id: profileList
        objectName: "profileRows"
        x: 16
        y: 8
        width: 384
        height: 180
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        model: panel.page.profileDataModel0
        Accessible.role: Accessible.List
        Accessible.name: panel.page.profileLang[0] || ""

        Rectangle {
            anchors.fill: parent
            z: -1
            color: Theme.colorBlack
        }

        delegate: Rectangle {
            id: row

            required property int index
            required property string textValue
            readonly property bool editing: panel.page.editingRow === index

            objectName: "profileRow" + index
            width: 384
            height: 27
            color: index === panel.page.currentRow || rowArea.containsMouse ? Theme.colorOrange
                                                                            : Theme.colorBlack
            Accessible.role: Accessible.ListItem
            Accessible.name: textValue

            PageText {
                x: 12
                anchors.verticalCenter: parent.verticalCenter
                visible: !row.editing
                text: row.textValue
            }

            MouseArea {
                id: rowArea
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onClicked: function (mouse) {
                    if (mouse.button === Qt.RightButton) {
                        panel.openMenu(row.index, mapToItem(panel, mouse.x, mouse.y))
                        return
                    }
                    panel.page.profileFocus()
                    panel.page.currentRow = row.index
                }
                onDoubleClicked: function (mouse) {
                    if (mouse.button === Qt.LeftButton)
                        panel.page.startEdit(row.index)
                }
            }

            EditText {
                id: nameInput
                objectName: "profileNameInput"
                x: 12
                width: parent.width - 24
                anchors.verticalCenter: parent.verticalCenter
                visible: row.editing
                maximumLength: 16
                selectionColor: Theme.colorGray0
                frameColor: Theme.fontColor
                Accessible.role: Accessible.EditableText
                Accessible.name: text

                onVisibleChanged: {
                    if (!visible)
                        return
                    text = panel.page.editText
                    takeFocus()
                }
                onTextChanged: {
                    if (row.editing)
                        panel.page.editText = text
                }
                onEditEnded: panel.page.finishEdit()
                onEditCancelled: panel.page.cancelEdit()
            }
        }
    }

    Row {
        x: 16
        y: 196
        spacing: 16

        Repeater {
            model: [
                { name: "profileNewButton", text: 1 },
                { name: "profileImportButton", text: 2 }
            ]

            delegate: Rectangle {
                id: button

                required property var modelData
                readonly property string label: panel.page.profileLang[modelData.text] || ""

                function activate() {
                    if (modelData.text === 1)
                        panel.page.newProfile()
                    else
                        panel.page.importProfile()
                }

                objectName: modelData.name
                width: 64
                height: 24
                color: buttonArea.containsMouse ? Theme.colorOrange : Theme.colorGray0
                border.color: Theme.colorGray1
                Accessible.role: Accessible.Button
                Accessible.name: label
                Accessible.onPressAction: activate()

                PageText {
                    anchors.centerIn: parent
                    text: button.label
                }

                MouseArea {
                    id: buttonArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: button.activate()
                }
            }
        }
    }

    Rectangle {
        id: rowMenu
        objectName: "profileMenu"
        width: 100
        height: 48
        z: 5
        visible: false
        color: Theme.colorGray0
        border.color: Theme.colorGray1
        Accessible.role: Accessible.PopupMenu

        Column {
            x: 1
            y: 0
            Repeater {
                model: [
                    { name: "profileDeleteItem", text: 3 },
                    { name: "profileExportItem", text: 4 }
                ]

                delegate: Rectangle {
                    id: item

                    required property var modelData
                    readonly property string label: panel.page.profileLang[modelData.text] || ""

                    function activate() {
                        panel.hideMenu()
                        if (modelData.text === 3)
                            panel.page.deleteProfile()
                        else
                            panel.page.exportProfile()
                    }

                    objectName: modelData.name
                    width: 98
                    height: 24
                    color: itemArea.containsMouse ? Theme.colorOrange : "transparent"
                    Accessible.role: Accessible.MenuItem
                    Accessible.name: label
                    Accessible.onPressAction: activate()

                    PageText {
                        anchors.centerIn: parent
                        text: item.label
                    }

                    MouseArea {
                        id: itemArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: item.activate()
                    }
                }
            }
        }
    }
}
