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
        "Insert Left Key", "Insert Middle Key", "Insert Right Key", "", "",
        "A file of that name exists already: the macro keeps its name"]
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
    // Keys pressed in this recording and not yet released. Room for their
    // releases is kept, so a full macro never leaves a key held down.
    property var heldKeys: []
    // In-place edits: the row being renamed or whose delay is edited.
    property int editingName: -1
    property string nameEdit: ""
    property int editingDelay: -1
    property string delayEdit: ""
    // Why the last rename was refused; empty when it was not.
    property string refusal: ""
    // The open context menu: 0 none, 1 the macro menu, 2 the event menu.
    property int openMenu: 0
    property point menuPoint: Qt.point(0, 0)

    readonly property int maxMacros: 100
    // 126 units of 10 ms: the longest pause the mouse takes without an
    // extension of two more pairs.
    readonly property int longestShortPause: 1260
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

    // An open edit belongs to the macro it was opened on: every step that
    // changes the macro in hand finishes it first.
    function selectMacro(row) {
        refusal = ""
        leaveEdits()
        currentIndex = row
        reloadEvents()
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
        leaveEdits()
        var name = freeName()
        if (macroNumberModel.count < maxMacros && name !== "") {
            macroNumberModel.append({ textValue: name })
            currentIndex = macroNumberModel.count - 1
            ui_View.createMacroIni(name, 0)
            reloadEvents()
            storeNames()
        }
    }

    function importMacro() {
        leaveEdits()
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
        leaveEdits()
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
    }

    // Typing a name while recording would record the name's keys.
    function startRename(row) {
        refusal = ""
        if (isInputting)
            return
        editingName = row
        nameEdit = macroNumberModel.get(row).textValue
    }

    // A name already in the list, or one no file could carry, is refused
    // and the row keeps its name. The file is renamed first: a file of the
    // new name that the list does not show makes the bridge refuse, and the
    // row keeps its name with a line saying why.
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
        if (!ui_View.modifyMacroNameUpdateProfile(oldName, newName)) {
            refusal = Values.toText(macroEditorLang[20])
            return
        }
        refusal = ""
        modifyMacroName(oldName, newName)
        macroNumberModel.setProperty(row, "textValue", newName)
        storeNames()
    }

    function cancelRename() {
        editingName = -1
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
        leaveEdits()
        if (!isInputting) {
            eventModel.clear()
            eventIndex = -1
            heldKeys = []
            resetTicks()
            recordTimer.start()
            isInputting = true
        } else {
            stopRecord()
        }
    }

    // Keys still held when recording stops are released at the end.
    function stopRecord() {
        recordTimer.stop()
        isInputting = false
        insertRows(eventModel.count, heldKeys.map(releaseRow))
        heldKeys = []
        autoSave()
    }

    function releaseRow(code) {
        return { type: code >= 0xF0 ? 4 : 2, info: keyText(code) }
    }

    // A key event while recording; the pause before it when delays are
    // recorded. Events come in whole press-and-release pairs: a press is
    // taken only while its release, and those of the keys still held,
    // would fit too; a release is taken only after its press.
    function detectKeyboard(isDown, usbCode) {
        if (!isInputting || currentIndex < 0)
            return
        var code = Values.toInt(usbCode, 0)
        var down = Values.toBool(isDown)
        var held = heldKeys.indexOf(code) >= 0
        if (down === held)
            return
        var stillHeld = heldKeys.filter(function (k) { return k !== code })
        var reserve = (down ? stillHeld.concat([code]) : stillHeld).map(releaseRow)
        var added = [down ? { type: code >= 0xF0 ? 3 : 1, info: keyText(code) } : releaseRow(code)]
        if (eventModel.count > 0 && delayRecord)
            added.unshift({ type: 0, info: String(macroRecordCount * 10) })
        if (MacroEncoder.rowsLength(eventRows().concat(added, reserve)) > MacroEncoder.recordLimit) {
            if (down || added.length < 2)
                return
            // The release's room was kept with a short pause; a long one
            // would need more, so it is cut to the longest short pause.
            added[0].info = String(longestShortPause)
        }
        resetTicks()
        heldKeys = down ? heldKeys.concat([code]) : stillHeld
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
        if (isInputting || eventModel.get(row).type !== 0)
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

    function cancelDelayEdit() {
        editingDelay = -1
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
    // button slot, with its own repeat count. False when the mouse did not
    // take it (the bridge sends it again with the next Save).
    // The bytes the mouse keeps for the stored macro `macroName`.
    function macroData(macroName) {
        var stored = ui_View.loadMacroIni(macroName) || []
        return MacroEncoder.encodeStoredList(stored, keyTexts)
    }

    function sendMacro(slot, macroName) {
        return ui_View.mouseSendMacroData(macroData(macroName), slot) !== false
    }

    function macroEditorFocus() {
        if (bodyItem)
            bodyItem.countRecordInput.closeFocus()
        finishRename()
        finishDelayEdit()
        openMenu = 0
    }

    // Finishes every open edit, and drops the insert-key box, before the
    // macro in hand changes or the page closes.
    function leaveEdits() {
        macroEditorFocus()
        isInsertting = false
    }

    function showMenu(which, item, x, y) {
        var p = item.mapToItem(page, x, y)
        menuPoint = Qt.point(Math.min(p.x, width - 150), Math.min(p.y, height - 150))
        openMenu = which
    }

    function close() {
        leaveEdits()
        if (isInputting)
            stopRecord()
        visible = false
        closed()
    }

    onCloseClick: close()

    bodyUrl: Qt.resolvedUrl("MacroEditorBody.qml")
}
