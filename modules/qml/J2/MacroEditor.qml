import QtQuick
import KX20 1.0
import "../basic"
import "../common"
import "../basic/theme.js" as Theme
import "../common/values.js" as Values

// The macro editor: the library of named macros, the events of the one
// selected, recording from the keyboard, and the edits of single events.
// Every edit is saved at once, and buttons that run the macro get it anew.
DialogFrame {
    id: page

    property var macroEditorLang: ["Macro Editor", "Macro Name", "New", "Delete", "Action", "Stop Record",
        "Times", "OK", "Start Record", "Delay", "Delete", "Import", "Export", "Insert Delay", "Insert Key",
        "Insert Left Key", "Insert Middle Key", "Insert Right Key", "", ""]
    property var keyTexts: null
    // Recording keys, or waiting for a key to insert, into the selected macro.
    property bool isInputting: false
    property bool isInsertting: false
    property int currentIndex: -1
    // The selected event row; -1 for none.
    property int eventIndex: -1
    // Ticks of 10 ms since the last recorded event.
    property int macroRecordCount: 0
    property string repeatText: "1"
    property bool delayRecord: false
    // The key the insert-key box shows; kept between uses.
    property string insertKeyText: ""
    // In-place edits: the row being renamed or whose delay is edited.
    property int editingName: -1
    property string nameEdit: ""
    property int editingDelay: -1
    property string delayEdit: ""
    // The open context menu: 0 none, 1 the macro menu, 2 the event menu.
    property int openMenu: 0
    property point menuPoint: Qt.point(0, 0)

    readonly property int maxMacros: 100
    readonly property alias macroNumberModel: macroNumberModel
    readonly property alias eventModel: eventModel

    signal closed()
    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)
    // The names changed; the button dialog's macro list follows.
    signal namesUpdated(var names)

    width: 640
    height: 448
    title: Values.toText(macroEditorLang[0])

    ListModel {
        id: macroNumberModel
    }
    ListModel {
        id: eventModel
    }

    // Counts from the wall clock, so a busy moment loses no ticks.
    Timer {
        id: recordTimer
        property double started: 0
        interval: 10
        repeat: true
        onTriggered: page.macroRecordCount = Math.floor((Date.now() - started) / 10)
    }

    function resetTicks() {
        recordTimer.started = Date.now()
        macroRecordCount = 0
    }

    // ---- The macro list ----

    function init() {
        var names = ui_View.getNameList(0) || []
        if (names.length === 2 && names[1] === "loadersentry")
            names = [names[0]]
        macroNumberModel.clear()
        for (var name of names)
            macroNumberModel.append({ textValue: Values.toText(name) })
        currentIndex = -1
        eventModel.clear()
        namesUpdated(names)
    }

    function names() {
        var list = []
        for (var i = 0; i < macroNumberModel.count; ++i)
            list.push(macroNumberModel.get(i).textValue)
        return list
    }

    function currentName() {
        return currentIndex >= 0 && currentIndex < macroNumberModel.count
            ? macroNumberModel.get(currentIndex).textValue : ""
    }

    // "Macro_" and the smallest number no macro has.
    function freeName() {
        var taken = names()
        for (var n = 0; n < maxMacros; ++n) {
            if (taken.indexOf("Macro_" + n) < 0)
                return "Macro_" + n
        }
        return ""
    }

    function storeNames() {
        var list = names()
        ui_View.updataNameList(0, list)
        namesUpdated(list)
    }

    function selectMacro(row) {
        currentIndex = row
        reloadEvents()
        macroEditorFocus()
    }

    function reloadEvents() {
        eventModel.clear()
        eventIndex = -1
        if (currentIndex < 0)
            return
        var stored = ui_View.loadMacroIni(currentName()) || []
        for (var i = 0; i < stored.length - 1; ++i) {
            var text = Values.toText(stored[i])
            eventModel.append({ type: Values.toInt(text.charAt(0), 0), info: text.substring(2) })
        }
        if (stored.length > 0)
            repeatText = Values.toText(stored[stored.length - 1])
    }

    function newMacro() {
        var name = freeName()
        if (macroNumberModel.count < maxMacros && name !== "") {
            macroNumberModel.append({ textValue: name })
            currentIndex = macroNumberModel.count - 1
            ui_View.createMacroIni(name, 0)
            reloadEvents()
            storeNames()
        }
        macroEditorFocus()
    }

    function importMacro() {
        var name = freeName()
        if (macroNumberModel.count >= maxMacros || name === "")
            return
        var row = currentIndex >= 0 ? currentIndex : macroNumberModel.count
        macroNumberModel.insert(row, { textValue: name })
        currentIndex = row
        if (!Values.toBool(ui_View.loadMacroFile(name)))
            ui_View.createMacroIni(name, 0)
        reloadEvents()
        storeNames()
    }

    function exportMacro() {
        if (currentIndex >= 0)
            ui_View.saveMacroFile(currentName())
    }

    function removeMacro() {
        if (currentIndex >= 0) {
            var name = currentName()
            ui_View.deleteMacroIni(name)
            eventModel.clear()
            deleteMacro(name)
            macroNumberModel.remove(currentIndex)
            currentIndex = Math.min(currentIndex, macroNumberModel.count - 1)
            reloadEvents()
            storeNames()
        }
        macroEditorFocus()
    }

    function startRename(row) {
        editingName = row
        nameEdit = macroNumberModel.get(row).textValue
    }

    // A name already in the list, or one no file could carry, is refused
    // and the row keeps its name.
    function finishRename() {
        var row = editingName
        if (row < 0)
            return
        editingName = -1
        if (row >= macroNumberModel.count)
            return
        var oldName = macroNumberModel.get(row).textValue
        var newName = nameEdit
        if (names().indexOf(newName) >= 0 || !MacroEncoder.isMacroName(newName))
            return
        modifyMacroName(oldName, newName)
        macroNumberModel.setProperty(row, "textValue", newName)
        storeNames()
    }

    // ---- The events ----

    function eventRows() {
        var rows = []
        for (var i = 0; i < eventModel.count; ++i) {
            var e = eventModel.get(i)
            rows.push({ type: e.type, info: e.info })
        }
        return rows
    }

    function eventStrings() {
        return eventRows().map(function (row) { return row.type + "," + row.info })
    }

    // Recording and insertion go on while the macro is shorter than the
    // limit, and never past what the mouse's macro slot holds.
    function canGrow() {
        return MacroEncoder.rowsLength(eventRows()) < MacroEncoder.recordLimit
    }

    function fits(rows) {
        return MacroEncoder.rowsLength(rows) <= MacroEncoder.blockBytes
    }

    function withRows(at, added) {
        var rows = eventRows()
        rows.splice.apply(rows, [at, 0].concat(added))
        return rows
    }

    function insertRows(at, added) {
        for (var i = 0; i < added.length; ++i)
            eventModel.insert(at + i, added[i])
    }

    function keyText(code) {
        return keyTexts ? keyTexts.keycodeTostr(code) : ""
    }

    function autoSave() {
        if (currentIndex < 0)
            return
        var name = currentName()
        ui_View.saveMacroIni(name, eventStrings(), Values.toInt(repeatText, 0))
        modifyMacroData(name)
    }

    function toggleRecord() {
        macroEditorFocus()
        if (!isInputting) {
            eventModel.clear()
            eventIndex = -1
            resetTicks()
            recordTimer.start()
            isInputting = true
        } else {
            stopRecord()
        }
    }

    function stopRecord() {
        recordTimer.stop()
        isInputting = false
        autoSave()
    }

    // A key event while recording; the pause before it when delays are
    // recorded.
    function detectKeyboard(isDown, usbCode) {
        if (!isInputting || currentIndex < 0 || !canGrow())
            return
        var code = Values.toInt(usbCode, 0)
        var down = Values.toBool(isDown)
        var added = []
        if (eventModel.count > 0 && delayRecord)
            added.push({ type: 0, info: String(macroRecordCount * 10) })
        resetTicks()
        added.push({ type: code >= 0xF0 ? (down ? 3 : 4) : (down ? 1 : 2), info: keyText(code) })
        if (!fits(withRows(eventModel.count, added)))
            return
        insertRows(eventModel.count, added)
        if (bodyItem)
            bodyItem.eventList.positionViewAtEnd()
    }

    // A key for the insert-key box: the last one pressed or released shows.
    function detectInput(isDown, usbCode) {
        var code = Values.toInt(usbCode, 0)
        if (isInsertting && code < 0xF0)
            insertKeyText = keyText(code)
    }

    function startDelayEdit(row) {
        if (eventModel.get(row).type !== 0)
            return
        editingDelay = row
        delayEdit = eventModel.get(row).info
    }

    // A number replaces the delay; anything else, or a pause the mouse's
    // macro slot could not hold, keeps the old one.
    function finishDelayEdit() {
        var row = editingDelay
        if (row < 0)
            return
        editingDelay = -1
        if (row >= eventModel.count)
            return
        var value = /^\s*\d+\s*$/.test(delayEdit) ? parseInt(delayEdit, 10) : -1
        if (value >= 0 && value <= 65535) {
            var rows = eventRows()
            rows[row].info = String(value)
            if (fits(rows))
                eventModel.setProperty(row, "info", String(value))
        }
        autoSave()
    }

    function deleteEvent() {
        if (eventIndex >= 0 && eventIndex < eventModel.count) {
            eventModel.remove(eventIndex)
            eventIndex = -1
        }
        autoSave()
    }

    // Insertions before the selected row (after it for clicks); with the
    // last row or no row selected they go to the end.
    function insertDelay() {
        var at = eventIndex >= 0 ? eventIndex : eventModel.count
        var added = [{ type: 0, info: "50" }]
        if (canGrow() && fits(withRows(at, added))) {
            insertRows(at, added)
            eventIndex = at
        }
        autoSave()
    }

    function openInsertKey() {
        isInsertting = true
    }

    function confirmInsertKey() {
        isInsertting = false
        var last = eventIndex < 0 || eventIndex === eventModel.count - 1
        var at = last ? eventModel.count : eventIndex
        var added = [{ type: 1, info: insertKeyText }, { type: 2, info: insertKeyText }]
        if (insertKeyText !== "" && canGrow() && fits(withRows(at, added)))
            insertRows(at, added)
        autoSave()
    }

    function insertClick(code) {
        var last = eventIndex < 0 || eventIndex === eventModel.count - 1
        var at = last ? eventModel.count : eventIndex + 1
        var added = [{ type: 3, info: keyText(code) }, { type: 4, info: keyText(code) }]
        if (canGrow() && fits(withRows(at, added)))
            insertRows(at, added)
        autoSave()
    }

    function setRepeat(text) {
        repeatText = text
        autoSave()
    }

    // Loads a stored macro and sends it to the mouse as the macro of a
    // button slot, with its own repeat count.
    function sendMacro(slot, macroName) {
        var stored = ui_View.loadMacroIni(macroName) || []
        ui_View.mouseSendMacroData(MacroEncoder.encodeStoredList(stored, keyTexts), slot)
    }

    function macroEditorFocus() {
        if (bodyItem)
            bodyItem.countRecordInput.closeFocus()
        finishRename()
        finishDelayEdit()
        openMenu = 0
    }

    function showMenu(which, item, x, y) {
        var p = item.mapToItem(page, x, y)
        menuPoint = Qt.point(Math.min(p.x, width - 150), Math.min(p.y, height - 150))
        openMenu = which
    }

    function close() {
        if (isInputting)
            stopRecord()
        visible = false
        closed()
        macroEditorFocus()
    }

    onCloseClick: close()

    body: Component {
        Item {
            id: content

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
                        TextInput {
                            id: nameInput
                            objectName: "nameInput"
                            x: 8
                            width: parent.width - 16
                            anchors.verticalCenter: parent.verticalCenter
                            visible: page.editingName === macroRow.index
                            maximumLength: 64
                            color: Theme.fontColor
                            selectionColor: Theme.colorGray1
                            selectByMouse: true
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontNormalSize
                            onVisibleChanged: {
                                if (!visible)
                                    return
                                text = page.nameEdit
                                forceActiveFocus()
                                selectAll()
                            }
                            onTextEdited: page.nameEdit = text
                            Keys.onReturnPressed: page.finishRename()
                            Keys.onEnterPressed: page.finishRename()
                        }
                    }
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
                        TextInput {
                            objectName: "delayInput"
                            x: 80
                            width: 120
                            anchors.verticalCenter: parent.verticalCenter
                            visible: page.editingDelay === eventRow.index
                            maximumLength: 5
                            color: Theme.fontColor
                            selectionColor: Theme.colorGray1
                            selectByMouse: true
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontNormalSize
                            validator: IntValidator {
                                bottom: 0
                                top: 65535
                            }
                            onVisibleChanged: {
                                if (!visible)
                                    return
                                text = page.delayEdit
                                forceActiveFocus()
                                selectAll()
                            }
                            onTextEdited: page.delayEdit = text
                            Keys.onReturnPressed: page.finishDelayEdit()
                            Keys.onEnterPressed: page.finishDelayEdit()
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
                    Component.onCompleted: textValue = page.repeatText
                    onEndInputSignal: page.setRepeat(textValue)
                }
            }
            CheckBox {
                objectName: "delayRecordBox"
                x: 460
                y: 378
                textValue: Values.toText(page.macroEditorLang[9])
                isSelect: page.delayRecord
                onBtnClick: page.delayRecord = !isSelect
            }
        }
    }

    // ---- Menus and the insert-key box, above the body ----

    PopupMenu {
        objectName: "macroMenu"
        x: page.menuPoint.x
        y: page.menuPoint.y
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
        y: page.menuPoint.y
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
    Rectangle {
        objectName: "insertKeyMask"
        anchors.fill: parent
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
