import QtQuick
import KX20 1.0
import "../basic"
import "../common"
import "../basic/theme.js" as Theme
import "../common/values.js" as Values

// The button-assignment dialog: which function one button of the mouse
// runs. Choices change a working copy; closing the dialog puts it into the
// button list, which waits for Save (a macro goes to the mouse at once).
DialogFrame {
    id: page

    property var keyAssigmentLang: FunctionCodes.texts
    property bool isGun: true
    property var keyTexts: null
    // The button list whose slot is edited.
    property var keyMatrix: null
    // Waiting for a key of the fire function, or for a key combination.
    property bool isFireInput: false
    property bool isComboInput: false

    // The slot edited and its working copy.
    property int slot: -1
    property int keyCode0: 0
    property int keyCode1: 0
    property int keyCode2: 0
    property int keyCode3: 0
    property string keyString: ""

    // Fire: the captured key's text, the period and the repetitions.
    property string fireText: ""
    property string rateText: "10ms"
    property string timesText: "0"
    property bool endless: true
    // Combination being captured: modifier bits, the two keys, how many
    // plain keys were taken, and the texts shown.
    property int comboBits: 0
    property int comboKey1: 0
    property int comboKey2: 0
    property int comboKeys: 0
    property string comboText: ""
    property int runMode: 0

    readonly property alias mediaModel: mediaModel
    readonly property alias windowsModel: windowsModel
    readonly property alias shortcutModel: shortcutModel
    readonly property alias macroNames: macroNames
    // The macro editor refills the macro list through this.
    readonly property QtObject macroList: QtObject {
        function addData(names, isInit) {
            macroNames.clear()
            for (var name of names || [])
                macroNames.append({ textValue: Values.toText(name) })
            if (page.bodyItem)
                page.bodyItem.macroDrop.currentSelect = -1
        }
        function closeMenu() {
            if (page.bodyItem)
                page.bodyItem.macroDrop.closeMenu()
        }
    }

    signal closed()
    signal macroEditorClick()

    width: 416
    height: 404
    hasRestore: true
    title: Values.toText(keyAssigmentLang[0]) + (slot + 1) + " : " + keyString
    objectName: "keyAssigment"

    ListModel {
        id: mediaModel
    }
    ListModel {
        id: windowsModel
    }
    ListModel {
        id: shortcutModel
    }
    ListModel {
        id: macroNames
    }

    // ---- Operations ----

    function init() {
        fillGrid(mediaModel, 27, 8, 9)
        fillGrid(windowsModel, 35, 7, 9)
        fillGrid(shortcutModel, 42, 10, 12)
        macroList.closeMenu()
    }

    // A grid's choices from the texts first..first+count-1, padded with
    // empty cells to fill its last row.
    function fillGrid(model, first, count, cells) {
        model.clear()
        for (var i = 0; i < cells; ++i)
            model.append({ textValue: i < count ? Values.toText(keyAssigmentLang[first + i]) : "" })
    }

    function show(index) {
        slot = index
        var e = keyMatrix.modKeys.get(index)
        setWorking([e.keyCode0, e.keyCode1, e.keyCode2, e.keyCode3], e.keyText)
        open()
        showCurrent()
    }

    // The dialog opens on the button's function: its section's mark, grid
    // entry, captured key or macro and run mode; what an earlier button
    // left in the sections is cleared. Nothing is stored by this.
    function showCurrent() {
        isFireInput = false
        isComboInput = false
        // Categories 01 fire, 02 combination, 04 macro.
        var fire = keyCode0 === 1
        var combo = keyCode0 === 2
        var macro = keyCode0 === 4
        fireText = fire ? keyText(keyCode1) : ""
        rateText = fire ? keyCode2 + "MS" : "10ms"
        timesText = fire ? String(keyCode3) : "0"
        endless = !fire || keyCode3 === 0
        comboBits = combo ? keyCode1 : 0
        comboKey1 = combo ? keyCode2 : 0
        comboKey2 = combo ? keyCode3 : 0
        comboKeys = (comboKey1 ? 1 : 0) + (comboKey2 ? 1 : 0)
        comboText = combo ? comboTextOf(keyCode1, keyCode2, keyCode3) : ""
        runMode = macro ? keyCode1 : 0
        if (bodyItem)
            bodyItem.showChoice(FunctionCodes.textIndex(keyCode0, keyCode1, keyCode2, keyCode3),
                                macro ? macroRow(keyString) : -1)
    }

    // As the capture box shows a combination: the modifiers in bit order,
    // then the keys, joined with " + ".
    function comboTextOf(bits, key1, key2) {
        var parts = []
        for (var bit = 0; bit < 8; ++bit) {
            if (bits & (1 << bit))
                parts.push(keyText(0xE0 + bit))
        }
        for (var key of [key1, key2]) {
            if (key)
                parts.push(keyText(key))
        }
        return parts.join(" + ")
    }

    function macroRow(name) {
        for (var i = 0; i < macroNames.count; ++i) {
            if (macroNames.get(i).textValue === name)
                return i
        }
        return -1
    }

    function keyCodeToString(code0, code1, code2, code3) {
        return keyMatrix.keyCodeToString(code0, code1, code2, code3)
    }

    function setWorking(codes, text) {
        keyCode0 = Number(codes[0])
        keyCode1 = Number(codes[1])
        keyCode2 = Number(codes[2])
        keyCode3 = Number(codes[3])
        keyString = Values.toText(text)
    }

    function keyText(code) {
        return keyTexts ? keyTexts.keycodeTostr(code) : ""
    }

    // A fixed choice of the function table, named by its text.
    function chooseText(textIndex) {
        setWorking(FunctionCodes.codesOfText(textIndex), keyAssigmentLang[textIndex])
    }

    function rateValue() {
        return Values.toInt(rateText.slice(0, -2), 10)
    }

    function setRate(knob) {
        rateText = (knob + 1) + "MS"
        if (keyCode0 === 1)
            keyCode2 = rateValue()
    }

    function setTimes(text) {
        timesText = text
        endless = Values.toInt(text, 0) === 0
        // The box toggles itself on a click; other changes are shown here.
        if (bodyItem)
            bodyItem.endlessBox.isSelect = endless
        if (keyCode0 === 1)
            keyCode3 = Values.toInt(text, 0)
    }

    // Ticking "Endness" repeats for ever; clearing it changes nothing else.
    function tickEndless() {
        timesText = "0"
        endless = true
        if (keyCode0 === 1)
            keyCode3 = 0
    }

    function startFire() {
        isComboInput = false
        isFireInput = true
        fireText = keyAssigmentLang[10]
    }

    function startCombo() {
        isFireInput = false
        isComboInput = true
        comboText = ""
        comboBits = 0
        comboKey1 = 0
        comboKey2 = 0
        comboKeys = 0
    }

    function confirmCombo() {
        isComboInput = false
        if (comboBits === 0 && comboKeys === 0) {
            comboText = ""
            return
        }
        setWorking([2, comboBits, comboKey1, comboKey2], comboText)
    }

    function cancelCombo() {
        isComboInput = false
        comboText = ""
    }

    // Keys routed by the main screen while capturing: index 0 fire, 1
    // combination.
    function detectKeyboard(isDown, usbCode, index) {
        var code = Values.toInt(usbCode, 0)
        if (index === 0 && isFireInput) {
            isFireInput = false
            fireText = keyText(code)
            setWorking([1, code, rateValue(), Values.toInt(timesText, 0)], fireText)
            return
        }
        if (index !== 1 || !isComboInput || !Values.toBool(isDown))
            return
        var bit = FunctionCodes.modifierBit(code)
        if (bit) {
            comboBits |= bit
        } else if (comboKeys < 2) {
            if (comboKeys === 0)
                comboKey1 = code
            else
                comboKey2 = code
            ++comboKeys
        } else {
            return
        }
        comboText = comboText === "" ? keyText(code) : comboText + " + " + keyText(code)
    }

    function chooseMacro(row) {
        if (row < 0 || row >= macroNames.count)
            return
        setWorking([4, runMode, slot, 0], macroNames.get(row).textValue)
    }

    function chooseRunMode(mode) {
        runMode = mode
        if (keyCode0 === 4)
            keyCode1 = mode
    }

    function keyAssigmentFocus() {
        if (bodyItem)
            keyAssigmentFocusExcept(null)
    }

    // The working copy goes into the list when it changed; binding another
    // macro to a slot that already runs one is a change too.
    function close() {
        visible = false
        isFireInput = false
        isComboInput = false
        closed()
        var e = keyMatrix.modKeys.get(slot)
        var changed = keyCode0 !== e.keyCode0 || keyCode1 !== e.keyCode1 || keyCode2 !== e.keyCode2
            || keyCode3 !== e.keyCode3 || (keyCode0 === 4 && keyString !== e.keyText)
        if (changed) {
            keyMatrix.setEntry(slot, [keyCode0, keyCode1, keyCode2, keyCode3], keyString)
            keyMatrix.isSave = true
            if (keyCode0 === 4)
                keyMatrix.bindMacro(keyCode2, keyString)
        }
        keyAssigmentFocus()
    }

    // Back to the factory function of this button.
    function restoreButton() {
        keyAssigmentFocus()
        var f = keyMatrix.modKeys_tmp.get(slot)
        if (f.keyText === keyString)
            return
        setWorking([f.keyCode0, f.keyCode1, f.keyCode2, f.keyCode3], f.keyText)
        keyMatrix.restoreSlot(slot)
        keyMatrix.isSave = true
    }

    onCloseClick: close()
    onRestoreClick: restoreButton()

    bodyUrl: Qt.resolvedUrl("KeyAssigmentBody.qml")

    // A drop-down about to open scrolls the content so that what drops
    // below its head is in sight.
    function reveal(drop, dropHeight) {
        var flick = bodyItem.flick
        var bottom = drop.y + drop.height + dropHeight
        if (!drop.isDrop && bottom > flick.contentY + flick.height)
            flick.contentY = Math.min(flick.contentHeight - flick.height, bottom - flick.height)
    }

    // A click on one drop-down closes the others.
    function keyAssigmentFocusExcept(keep) {
        var body = bodyItem
        for (var drop of [body.rateDrop, body.mediaGrid, body.windowsGrid, body.shortcutGrid, body.macroDrop]) {
            if (drop !== keep)
                drop.closeMenu()
        }
        body.timesInput.closeFocus()
    }

    // A picked cell closes its grid and applies the grid's entry; a click
    // on the head only opens or closes it.
    function gridClicked(grid, firstText) {
        var picked = !grid.isDrop && grid.isAnimating
        if (!picked) {
            keyAssigmentFocusExcept(grid)
            reveal(grid, Math.ceil(grid.count / 3) * 24)
            return
        }
        chooseText(firstText + grid.currentSelect)
    }
}
