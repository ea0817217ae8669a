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
    // An action did nothing; `reason` names why (the main screen says it).
    signal refused(string reason)

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
        if (!isInputting && currentIndex < 0) {
            refused("recordNoMacro")
            return
        }
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

    bodyUrl: Qt.resolvedUrl("MacroEditorBody.qml")
}
