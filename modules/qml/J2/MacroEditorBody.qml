import QtQuick
import KX20 1.0
import "../basic"
import "../basic/theme.js" as Theme
import "../common/values.js" as Values

// What the macro editor shows: the macro list, the event list, recording,
// the menus and the insert-key box. Loaded on the editor's first open; the
// state is the page's.
Item {
    id: content

    // The page whose state this shows.
    property var page: null

    // Where the body starts in the page, below the title strip.
    readonly property int bodyTop: page.titleHeight + 1
    readonly property alias countRecordInput: countRecordInput
    readonly property alias eventList: eventList
    readonly property alias macroList: macroList

    Connections {
        target: page
        function onRepeatTextChanged() { countRecordInput.textValue = page.repeatText }
    }

    // ---- Macro names ----
    Text {
        x: 16
        y: 10
        text: Values.toText(page.macroEditorLang[1])
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
    }
    Rectangle {
        x: 16
        y: 34
        width: 168
        height: 328
        color: Theme.colorBlack

        ListView {
            id: macroList
            objectName: "macroList"
            anchors.fill: parent
            clip: true
            model: page.macroNumberModel
            boundsBehavior: Flickable.StopAtBounds

            delegate: Rectangle {
                id: macroRow
                required property int index
                required property string textValue

                objectName: "macroRow" + index
                width: ListView.view.width
                height: 27
                color: index === page.currentIndex || macroArea.containsMouse ? Theme.colorOrange
                                                                              : Theme.colorBlack
                Accessible.role: Accessible.ListItem
                Accessible.name: textValue

                Text {
                    x: 8
                    anchors.verticalCenter: parent.verticalCenter
                    visible: page.editingName !== macroRow.index
                    text: macroRow.textValue
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: macroArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: function (mouse) {
                        if (page.editingName === macroRow.index)
                            return
                        page.selectMacro(macroRow.index)
                        if (mouse.button === Qt.RightButton)
                            page.showMenu(1, macroArea, mouse.x, mouse.y)
                    }
                    onDoubleClicked: function (mouse) {
                        if (mouse.button === Qt.LeftButton)
                            page.startRename(macroRow.index)
                    }
                }
                EditText {
                    id: nameInput
                    objectName: "nameInput"
                    x: 8
                    width: parent.width - 16
                    anchors.verticalCenter: parent.verticalCenter
                    visible: page.editingName === macroRow.index
                    maximumLength: 64
                    selectionColor: Theme.colorGray1
                    frameColor: Theme.fontColor
                    nextInput: countRecordInput
                    previousInput: countRecordInput
                    onVisibleChanged: {
                        if (!visible)
                            return
                        text = page.nameEdit
                        takeFocus()
                    }
                    onTextEdited: page.nameEdit = text
                    onEditEnded: page.finishRename()
                    onEditCancelled: page.cancelRename()
                }
            }
        }
    }
    // Why a rename was refused, over the foot of the macro list.
    Rectangle {
        x: 16
        y: 34 + 328 - height
        width: 168
        height: refusalText.implicitHeight + 8
        visible: page.refusal !== ""
        color: Theme.colorBlack
        border.color: Theme.colorOrange

        Text {
            id: refusalText
            objectName: "macroRefusal"
            x: 6
            y: 4
            width: parent.width - 12
            wrapMode: Text.Wrap
            maximumLineCount: 4
            elide: Text.ElideRight
            text: page.refusal
            color: Theme.colorOrange
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            Accessible.role: Accessible.AlertMessage
            Accessible.name: text
        }
    }
    TextButton {
        objectName: "newMacroButton"
        x: 16
        y: 372
        width: 64
        textValue: Values.toText(page.macroEditorLang[2])
        onClicked: page.newMacro()
    }
    TextButton {
        objectName: "deleteMacroButton"
        x: 120
        y: 372
        width: 64
        textValue: Values.toText(page.macroEditorLang[3])
        onClicked: page.removeMacro()
    }

    // ---- Events ----
    Text {
        x: 200
        y: 10
        text: Values.toText(page.macroEditorLang[4])
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
    }
    Rectangle {
        x: 200
        y: 34
        width: 424
        height: 328
        color: Theme.colorBlack

        // The empty part of the list opens the event menu too, so a
        // macro can be built from nothing.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onPressed: function (mouse) {
                page.macroEditorFocus()
                page.eventIndex = -1
                if (mouse.button === Qt.RightButton && page.currentIndex >= 0)
                    page.showMenu(2, parent, mouse.x, mouse.y)
            }
        }

        ListView {
            id: eventList
            objectName: "eventList"
            anchors.fill: parent
            clip: true
            model: page.eventModel
            boundsBehavior: Flickable.StopAtBounds
            // The rows only: presses on the empty part fall through.
            interactive: contentHeight > height

            delegate: Rectangle {
                id: eventRow
                required property int index
                required property int type
                required property string info
                readonly property var pictures: ["macroKeyDelay", "macroKeyPress", "macroKeyRelease",
                    "macroMousePress", "macroMouseRelease"]

                objectName: "eventRow" + index
                width: ListView.view.width
                height: 27
                color: index === page.eventIndex ? Theme.colorOrange : Theme.colorBlack
                Accessible.role: Accessible.ListItem
                Accessible.name: (index + 1) + " " + (type === 0 ? info + " ms" : info)

                Text {
                    x: 8
                    width: 32
                    anchors.verticalCenter: parent.verticalCenter
                    text: eventRow.index + 1
                    color: Theme.colorGray2
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                Image {
                    x: 48
                    width: 20
                    height: 20
                    anchors.verticalCenter: parent.verticalCenter
                    source: Theme.picture("macros", eventRow.pictures[eventRow.type] || "macroKeyDelay")
                }
                Text {
                    x: 80
                    anchors.verticalCenter: parent.verticalCenter
                    visible: page.editingDelay !== eventRow.index
                    text: eventRow.type === 0 ? eventRow.info + " ms" : eventRow.info
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: eventArea
                    anchors.fill: parent
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: function (mouse) {
                        if (page.editingDelay === eventRow.index)
                            return
                        page.macroEditorFocus()
                        page.eventIndex = eventRow.index
                        if (mouse.button === Qt.RightButton)
                            page.showMenu(2, eventArea, mouse.x, mouse.y)
                    }
                    onDoubleClicked: function (mouse) {
                        if (mouse.button === Qt.LeftButton)
                            page.startDelayEdit(eventRow.index)
                    }
                }
                EditText {
                    objectName: "delayInput"
                    x: 80
                    width: 120
                    anchors.verticalCenter: parent.verticalCenter
                    visible: page.editingDelay === eventRow.index
                    maximumLength: 5
                    selectionColor: Theme.colorGray1
                    frameColor: Theme.fontColor
                    nextInput: countRecordInput
                    previousInput: countRecordInput
                    validator: IntValidator {
                        bottom: 0
                        top: 65535
                    }
                    onVisibleChanged: {
                        if (!visible)
                            return
                        text = page.delayEdit
                        takeFocus()
                    }
                    onTextEdited: page.delayEdit = text
                    onEditEnded: page.finishDelayEdit()
                    onEditCancelled: page.cancelDelayEdit()
                }
            }
        }
    }

    TextButton {
        objectName: "recordButton"
        x: 200
        y: 372
        width: 120
        baseColor: page.isInputting ? Theme.colorOrange : Theme.colorBlue
        textValue: Values.toText(page.macroEditorLang[page.isInputting ? 5 : 8])
        onClicked: page.toggleRecord()
    }
    Text {
        x: 340
        y: 376
        text: Values.toText(page.macroEditorLang[6])
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Rectangle {
        x: 384
        y: 372
        width: 52
        height: 24
        color: Theme.colorBlack
        border.color: Theme.colorGray1

        RectInput {
            id: countRecordInput
            objectName: "countRecordInput"
            anchors.centerIn: parent
            minValue: 1
            maxValue: 65535
            maxLength: 4
            // Typing while recording would record the keys too.
            enabled: !page.isInputting
            nextInput: countRecordInput
            previousInput: countRecordInput
            Component.onCompleted: textValue = page.repeatText
            onEndInputSignal: page.setRepeat(textValue)
        }
    }
    CheckBox {
        objectName: "delayRecordBox"
        x: 460
        y: 378
        textValue: Values.toText(page.macroEditorLang[9])
        // The page's flag is the one state; the box only shows it.
        selfToggle: false
        isSelect: page.delayRecord
        onBtnClick: page.delayRecord = !page.delayRecord
    }

    // ---- Menus and the insert-key box, above the rest ----

    PopupMenu {
        objectName: "macroMenu"
        x: page.menuPoint.x
        y: page.menuPoint.y - content.bodyTop
        z: 10
        width: 80
        visible: page.openMenu === 1
        texts: [10, 11, 12].map(function (i) { return Values.toText(page.macroEditorLang[i]) })
        onPicked: function (index) {
            page.openMenu = 0
            if (index === 0)
                page.removeMacro()
            else if (index === 1)
                page.importMacro()
            else
                page.exportMacro()
        }
    }

    PopupMenu {
        objectName: "eventMenu"
        x: page.menuPoint.x
        y: page.menuPoint.y - content.bodyTop
        z: 10
        width: 150
        visible: page.openMenu === 2
        texts: [10, 13, 14, 15, 16, 17].map(function (i) { return Values.toText(page.macroEditorLang[i]) })
        onPicked: function (index) {
            page.openMenu = 0
            switch (index) {
            case 0: page.deleteEvent(); break
            case 1: page.insertDelay(); break
            case 2: page.openInsertKey(); break
            case 3: page.insertClick(0xF0); break
            case 4: page.insertClick(0xF2); break
            case 5: page.insertClick(0xF1); break
            }
        }
    }

    // The inner mask over the page while a key is chosen for insertion.
    // Over the whole page, its title strip too.
    Rectangle {
        objectName: "insertKeyMask"
        y: -content.bodyTop
        width: page.width
        height: page.height
        z: 20
        visible: page.isInsertting
        color: "#90000000"

        MouseArea {
            anchors.fill: parent
        }

        Rectangle {
            objectName: "insertKeyBox"
            x: Math.round((1024 - width) / 2) - page.x
            y: Math.round((640 - height) / 2) - page.y
            width: 240
            height: 80
            color: Theme.colorGray0
            Accessible.role: Accessible.Dialog
            Accessible.name: Values.toText(page.macroEditorLang[14])

            Rectangle {
                width: parent.width
                height: 30
                color: Theme.colorBlack

                Text {
                    x: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: Values.toText(page.macroEditorLang[14])
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    font.bold: true
                }
            }
            Rectangle {
                x: 16
                y: 42
                width: 120
                height: 25
                color: Theme.colorBlack

                Text {
                    anchors.centerIn: parent
                    text: page.insertKeyText
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    font.bold: true
                }
            }
            TextButton {
                objectName: "insertKeyOk"
                x: 160
                y: 42
                width: 64
                height: 25
                textValue: Values.toText(page.macroEditorLang[7])
                onClicked: page.confirmInsertKey()
            }
        }
    }
}

