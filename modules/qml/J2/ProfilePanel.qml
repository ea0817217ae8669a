import QtQuick
import "../basic"
import "../basic/theme.js" as Theme

// What the profile page shows below its title: the profile list with
// renaming in place and a mark on rows linked to applications, New and
// Import, and the row menu (Delete, Export, Link to apps) that a right click
// opens. The rows and operations belong to the page (`page`).
Item {
    id: panel

    // Untyped: the page builds this panel, so naming its type here would
    // make the two files need each other.
    property var page: null

    width: 415
    height: 247

    function hideMenu() {
        rowMenu.visible = false
        markTip.visible = false
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
            required property string links
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
                width: linkMark.x - x - 8
                anchors.verticalCenter: parent.verticalCenter
                visible: !row.editing
                elide: Text.ElideRight
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

            // The row brings its profile to the front with these
            // applications; the pointer over it lists them.
            Rectangle {
                id: linkMark
                objectName: "profileLinkMark" + row.index
                readonly property string tip: panel.page.linkText("markTip", row.links)
                x: row.links === "" || row.editing ? row.width : row.width - width - 8
                anchors.verticalCenter: parent.verticalCenter
                width: Math.min(markText.implicitWidth + 12, 96)
                height: 17
                radius: 8
                visible: row.links !== "" && !row.editing
                color: row.index === panel.page.currentRow || rowArea.containsMouse ? Theme.colorBlack
                                                                                  : Theme.colorGray1
                Accessible.role: Accessible.StaticText
                Accessible.name: tip

                Text {
                    id: markText
                    anchors.centerIn: parent
                    width: parent.width - 12
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                    text: panel.page.linkText("mark")
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontMinSize
                }

                MouseArea {
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.NoButton
                    onContainsMouseChanged: {
                        if (containsMouse)
                            panel.showTip(linkMark)
                        else
                            markTip.visible = false
                    }
                }
            }
        }
    }

    function showTip(mark) {
        markTipText.text = mark.tip
        var p = mark.mapToItem(panel, mark.width, mark.height + 2)
        markTip.x = Math.max(0, Math.min(p.x - markTip.width, panel.width - markTip.width))
        markTip.y = Math.min(p.y, panel.height - markTip.height)
        markTip.visible = true
    }

    Rectangle {
        id: markTip
        objectName: "profileLinkTip"
        z: 6
        visible: false
        width: Math.min(markTipText.implicitWidth + 16, panel.width - 32)
        height: markTipText.height + 8
        color: Theme.colorGray0
        border.color: Theme.colorOrange
        Accessible.role: Accessible.ToolTip
        Accessible.name: markTipText.text

        PageText {
            id: markTipText
            x: 8
            y: 4
            width: markTip.width - 16
            wrapMode: Text.Wrap
            maximumLineCount: 3
            elide: Text.ElideRight
        }
    }

    // Where links cannot be followed, the first open in a run says so.
    PageText {
        id: focusNote
        objectName: "profileFocusNote"
        x: 176
        y: 190
        width: panel.width - x - 16
        height: panel.height - y - 4
        visible: panel.page.focusNoteShown
        wrapMode: Text.Wrap
        elide: Text.ElideRight
        font.pixelSize: Theme.fontMinSize
        color: Theme.colorGray3
        text: panel.page.linkText("noFocus")
        Accessible.role: Accessible.StaticText
        Accessible.name: text
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

    TextMetrics {
        id: menuMetrics
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        text: panel.page.linkText("menu")
    }

    Rectangle {
        id: rowMenu
        objectName: "profileMenu"
        // As wide as its longest entry needs.
        width: Math.min(Math.max(100, menuMetrics.advanceWidth + 24), 200)
        height: 72
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
                    { name: "profileExportItem", text: 4 },
                    { name: "profileLinkItem", text: -1 }
                ]

                delegate: Rectangle {
                    id: item

                    required property var modelData
                    readonly property string label: modelData.text < 0 ? panel.page.linkText("menu")
                                                                       : panel.page.profileLang[modelData.text] || ""

                    function activate() {
                        panel.hideMenu()
                        if (modelData.text === 3)
                            panel.page.deleteProfile()
                        else if (modelData.text === 4)
                            panel.page.exportProfile()
                        else
                            panel.page.openLinks(panel.page.currentRow)
                    }

                    objectName: modelData.name
                    width: rowMenu.width - 2
                    height: 24
                    color: itemArea.containsMouse ? Theme.colorOrange : "transparent"
                    Accessible.role: Accessible.MenuItem
                    Accessible.name: label
                    Accessible.onPressAction: activate()

                    PageText {
                        anchors.centerIn: parent
                        width: Math.min(implicitWidth, item.width - 8)
                        elide: Text.ElideRight
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
