import QtQuick
import "../basic"
import "../basic/theme.js" as Theme

// The box that links one profile to applications: the applications with
// open windows now, to pick with a click or Up, Down and Enter; a typed
// name, linked with Enter or Link; and the profile's links, each with
// Remove (or Delete). Tab goes round the three, Escape closes the box. It
// sits over the profile page (`page`), which owns the links, and stays
// inside the window.
Rectangle {
    id: box

    property var page: null
    // The profile the box links, by number, and its name for the title.
    property int profileNo: -1
    property string profileName: ""
    // What the last action did, or why it did nothing.
    property string status: ""
    property bool statusIsRefusal: false

    width: 392
    height: 360
    color: Theme.colorGray0
    border.color: Theme.colorGray1
    visible: false
    Accessible.role: Accessible.Dialog
    Accessible.name: titleStrip.textValue

    function open(number, name) {
        profileNo = number
        profileName = name
        status = ""
        nameInput.text = ""
        refresh()
        place()
        visible = true
        nameInput.takeFocus()
    }

    function close() {
        if (!visible)
            return
        visible = false
        nameInput.focus = false
        page.forceActiveFocus()
    }

    // Centred over the page, inside the 1024 x 640 window.
    function place() {
        var left = page.x + Math.round((page.width - width) / 2)
        var top = page.y + Math.round((page.height - height) / 2)
        x = Math.max(0, Math.min(1024 - width, left)) - page.x
        y = Math.max(0, Math.min(640 - height, top)) - page.y
    }

    function refresh() {
        var open = ui_View.openApplications()
        windows.clear()
        for (var i = 0; open && i < open.length; ++i)
            windows.append({ name: String(open[i].name), windowClass: String(open[i].windowClass || ""),
                             executable: String(open[i].executable || ""), linkedTo: "" })
        // The rows are there at once, for the pointer and the keyboard.
        windowList.forceLayout()
        showLinks()
    }

    function showLinks() {
        links.clear()
        for (var name of page.linksOf(profileNo))
            links.append({ name: String(name) })
        linkList.forceLayout()
        markWindows()
    }

    // Each open application shows the profile it is linked to now, so a
    // pick that would move a link from another profile is seen before it
    // is made.
    function markWindows() {
        for (var i = 0; i < windows.count; ++i) {
            var row = windows.get(i)
            windows.setProperty(i, "linkedTo", page.linkedProfileName([row.windowClass, row.name, row.executable]))
        }
    }

    function say(text, isRefusal) {
        status = text
        statusIsRefusal = isRefusal
    }

    function link(name) {
        var text = String(name).trim()
        if (text === "")
            return false
        var result = page.linkApplication(text, profileNo)
        say(result.text, !result.ok)
        showLinks()
        return result.ok
    }

    function linkTyped() {
        if (link(nameInput.text))
            nameInput.text = ""
        nameInput.takeFocus()
    }

    function unlink(name) {
        var refusal = page.unlinkApplication(name)
        say(refusal, refusal !== "")
        showLinks()
    }

    ListModel {
        id: windows
    }

    ListModel {
        id: links
    }

    // Dragged by any empty part, like the pages.
    MouseArea {
        property point pressPoint
        anchors.fill: parent
        onPressed: function (mouse) {
            pressPoint = Qt.point(mouse.x, mouse.y)
            box.forceActiveFocus()
        }
        onPositionChanged: function (mouse) {
            if (!pressed)
                return
            var ax = box.page.x + box.x + mouse.x - pressPoint.x
            var ay = box.page.y + box.y + mouse.y - pressPoint.y
            box.x = Math.max(0, Math.min(1024 - box.width, ax)) - box.page.x
            box.y = Math.max(0, Math.min(640 - box.height, ay)) - box.page.y
        }
    }

    Keys.onEscapePressed: box.close()

    FrameTitle {
        id: titleStrip
        width: box.width
        textValue: box.page ? box.page.linkText("title", box.profileName) : ""
        onCloseClick: box.close()
    }

    PageText {
        x: 16
        y: 50
        width: box.width - 32
        elide: Text.ElideRight
        font.bold: true
        text: box.page ? box.page.linkText("openWindows") : ""
    }

    // A list that takes the keyboard: Up and Down move, Enter acts, Tab and
    // Shift+Tab go on, Escape closes the box.
    component KeyList: ListView {
        id: list

        // Untyped: each is a list or the name's input, both with takeFocus().
        property var nextInput: null
        property var previousInput: null
        property string emptyText: ""

        signal activated(int index)
        signal escaped()

        function takeFocus() {
            forceActiveFocus()
            if (currentIndex < 0 && count > 0)
                currentIndex = 0
        }

        clip: true
        boundsBehavior: Flickable.StopAtBounds
        currentIndex: -1
        keyNavigationEnabled: true
        Accessible.role: Accessible.List

        Keys.onReturnPressed: activated(currentIndex)
        Keys.onEnterPressed: activated(currentIndex)
        Keys.onTabPressed: if (nextInput) nextInput.takeFocus()
        Keys.onBacktabPressed: if (previousInput) previousInput.takeFocus()
        Keys.onEscapePressed: escaped()

        Rectangle {
            anchors.fill: parent
            z: -1
            color: Theme.colorBlack
            border.color: list.activeFocus ? Theme.colorOrange : Theme.colorBlack
        }

        PageText {
            x: 12
            y: 6
            width: list.width - 24
            visible: list.count === 0
            wrapMode: Text.Wrap
            color: Theme.colorGray2
            text: list.emptyText
        }
    }

    KeyList {
        id: windowList
        objectName: "linkWindowList"
        x: 16
        y: 72
        width: box.width - 32
        height: 96
        model: windows
        nextInput: linkList
        previousInput: nameInput
        emptyText: box.page ? box.page.linkText("noWindows") : ""
        Accessible.name: box.page ? box.page.linkText("openWindows") : ""
        onEscaped: box.close()
        onActivated: function (index) {
            if (index >= 0 && index < windows.count)
                box.link(windows.get(index).name)
        }

        delegate: Rectangle {
            id: windowRow

            required property int index
            required property string name
            required property string windowClass
            required property string executable
            required property string linkedTo
            readonly property string detail: executable !== "" && executable.toLowerCase() !== name.toLowerCase()
                                             ? executable : (windowClass !== name ? windowClass : "")

            objectName: "linkWindow" + index
            width: windowList.width
            height: 24
            color: (windowList.activeFocus && ListView.isCurrentItem) || windowArea.containsMouse
                   ? Theme.colorOrange : "transparent"
            Accessible.role: Accessible.ListItem
            Accessible.name: (detail === "" ? name : name + " (" + detail + ")")
                             + (linkedMark.text === "" ? "" : ", " + linkedMark.text)
            Accessible.onPressAction: box.link(name)

            PageText {
                id: windowName
                x: 12
                width: Math.min(implicitWidth, parent.width * (windowRow.linkedTo === "" ? 0.6 : 0.45))
                anchors.verticalCenter: parent.verticalCenter
                elide: Text.ElideRight
                text: windowRow.name
            }
            PageText {
                x: windowName.x + windowName.width + 12
                width: linkedMark.x - x - 12
                anchors.verticalCenter: parent.verticalCenter
                elide: Text.ElideRight
                color: Theme.colorGray3
                text: windowRow.detail
            }
            PageText {
                id: linkedMark
                objectName: "linkWindowLinked" + windowRow.index
                width: Math.min(implicitWidth, parent.width * 0.4)
                x: parent.width - width - 12
                anchors.verticalCenter: parent.verticalCenter
                horizontalAlignment: Text.AlignRight
                elide: Text.ElideRight
                color: Theme.colorGray3
                text: windowRow.linkedTo === "" || !box.page ? "" : box.page.linkText("markTip", windowRow.linkedTo)
            }
            MouseArea {
                id: windowArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: {
                    windowList.currentIndex = windowRow.index
                    box.link(windowRow.name)
                }
            }
        }
    }

    PageText {
        x: 16
        y: 178
        width: box.width - 32
        elide: Text.ElideRight
        text: box.page ? box.page.linkText("typeName") : ""
    }

    Rectangle {
        x: 16
        y: 198
        width: box.width - 32 - 88 - 8
        height: 24
        color: Theme.colorBlack
        border.color: Theme.colorGray1

        // Its focus frame lies on the field's own edge.
        EditText {
            id: nameInput
            objectName: "linkNameInput"
            anchors.fill: parent
            leftPadding: 6
            rightPadding: 6
            verticalAlignment: TextInput.AlignVCenter
            maximumLength: 64
            nextInput: windowList
            previousInput: linkList
            Accessible.role: Accessible.EditableText
            Accessible.name: box.page ? box.page.linkText("typeName") : ""
            onEntered: box.linkTyped()
            onEditCancelled: box.close()
        }
    }

    TextButton {
        objectName: "linkAddButton"
        x: box.width - 16 - width
        y: 198
        width: 88
        height: 24
        textValue: box.page ? box.page.linkText("link") : ""
        onClicked: box.linkTyped()
    }

    PageText {
        x: 16
        y: 232
        width: box.width - 32
        elide: Text.ElideRight
        font.bold: true
        text: box.page ? box.page.linkText("linked") : ""
    }

    KeyList {
        id: linkList
        objectName: "linkList"
        x: 16
        y: 254
        width: box.width - 32
        height: 72
        model: links
        nextInput: nameInput
        previousInput: windowList
        emptyText: box.page ? box.page.linkText("noLinks") : ""
        Accessible.name: box.page ? box.page.linkText("linked") : ""
        onEscaped: box.close()
        onActivated: function (index) {
            if (index >= 0 && index < links.count)
                box.unlink(links.get(index).name)
        }
        Keys.onDeletePressed: activated(currentIndex)

        delegate: Rectangle {
            id: linkRow

            required property int index
            required property string name

            objectName: "linkRow" + index
            width: linkList.width
            height: 24
            color: linkList.activeFocus && ListView.isCurrentItem ? Theme.colorGray1 : "transparent"
            Accessible.role: Accessible.ListItem
            Accessible.name: name

            PageText {
                x: 12
                width: removeButton.x - x - 8
                anchors.verticalCenter: parent.verticalCenter
                elide: Text.ElideRight
                text: linkRow.name
            }
            TextButton {
                id: removeButton
                objectName: "linkRemove" + linkRow.index
                x: parent.width - width - 4
                y: 2
                width: 80
                height: 20
                baseColor: Theme.colorGray1
                textValue: box.page ? box.page.linkText("remove") : ""
                Accessible.name: textValue + " " + linkRow.name
                onClicked: box.unlink(linkRow.name)
            }
        }
    }

    Text {
        objectName: "linkStatus"
        x: 16
        y: 330
        width: box.width - 32
        height: box.height - y - 4
        visible: box.status !== ""
        wrapMode: Text.Wrap
        maximumLineCount: 2
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        text: box.status
        color: box.statusIsRefusal ? Theme.colorOrange : Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
        Accessible.role: Accessible.AlertMessage
        Accessible.name: text
    }
}
