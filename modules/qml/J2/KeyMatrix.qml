import QtQuick
import KX20 1.0
import "../basic"
import "../basic/theme.js" as Theme
import "../common/values.js" as Values

// The button list of the left panel: what each of the sixteen button slots
// of the current profile does, one row per physical button. Changes wait in
// `modKeys` until Save sends the whole table.
Rectangle {
    id: keyMatrix

    property var keyMatrixLang: ["Key ", "Key Function"]
    property int keyCount: 8
    // Changes wait for Save.
    property bool isSave: false
    // The slot shown on the mouse picture; the main screen keeps it.
    property int selectKey: -1
    // Texts of the function names (the button dialog's) and of the keys.
    property var keyAssigmentLang: FunctionCodes.texts
    property var keyTexts: null
    // The page that sends macros, and the gun page whose slots carry the
    // fire periods sent with the table.
    property var macroEditor: null
    property var gunPage: null

    readonly property alias modKeys: modKeys
    readonly property alias modKeys_tmp: modKeys_tmp
    // The list has rows for at most fourteen buttons.
    readonly property int rowCount: Math.max(0, Math.min(keyCount, 14))
    // Counts changes of `modKeys`, so that the rows read their texts anew.
    property int revision: 0

    signal enterBtn(int index)
    signal leaveBtn(int index)
    signal clickBtn(int index)
    // A macro did not reach the mouse; the page stays unsaved.
    signal mouseMissed()

    width: 232
    height: 40 + 24 * keyCount + 2 * (keyCount - 1) + 8
    color: Theme.colorBlack
    Accessible.role: Accessible.List
    Accessible.name: keyMatrixLang[1]

    // Current and factory assignment of the sixteen slots.
    ListModel {
        id: modKeys
        onDataChanged: keyMatrix.revision++
    }
    ListModel {
        id: modKeys_tmp
    }

    // What both models hold until the first init.
    readonly property var factoryTable: [[0, 0, 0xF0, 0], [0, 0, 0xF1, 0], [0, 0, 0xF2, 0], [0, 0, 0xF4, 0],
        [0, 0, 0xF3, 0], [5, 0, 1, 0], [5, 0, 2, 0], [0, 0xF0, 0x1E, 2], [0, 0, 0, 0], [0, 0, 0, 0],
        [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0xFF, 0, 1, 0], [0xFF, 0, 2, 0]]

    Component.onCompleted: {
        for (var j = 0; j < 16; ++j) {
            modKeys.append(entry(factoryTable[j]))
            modKeys_tmp.append(entry(factoryTable[j]))
        }
        updateTexts()
    }

    function entry(codes) {
        return { keyCode0: Number(codes[0]), keyCode1: Number(codes[1]), keyCode2: Number(codes[2]),
                 keyCode3: Number(codes[3]), keyText: "" }
    }

    function codesOf(model, slot) {
        var e = model.get(slot)
        return [e.keyCode0, e.keyCode1, e.keyCode2, e.keyCode3]
    }

    function setEntry(slot, codes, text) {
        var e = entry(codes)
        e.keyText = text
        modKeys.set(slot, e)
    }

    function macroName(slot) {
        return Values.toText(ui_View.getData("mouseMacroKey/" + slot, false))
    }

    // The text shown for an assignment; a damaged value shows nothing.
    function keyCodeToString(code0, code1, code2, code3) {
        var codes = [code0, code1, code2, code3].map(Number)
        if (codes.some(isNaN))
            return ""
        var name = codes[0] === 4 ? macroName(codes[2]) : ""
        return FunctionCodes.keyCodeToString(codes[0], codes[1], codes[2], codes[3], keyAssigmentLang, keyTexts, name)
    }

    function updateTexts() {
        for (var model of [modKeys, modKeys_tmp]) {
            for (var j = 0; j < model.count; ++j) {
                var c = codesOf(model, j)
                model.setProperty(j, "keyText", keyCodeToString(c[0], c[1], c[2], c[3]))
            }
        }
    }

    // Shows the stored values, or with isRecovery the factory's. Loading never
    // sends: a profile change sends through profileValues. isSendData stays
    // for the scene, which calls every page's init alike.
    function init(isSendData, isRecovery) {
        for (var j = 0; j < 16; ++j) {
            modKeys.set(j, entry(ui_View.mouseGetKeydefine(j, isRecovery)))
            modKeys_tmp.set(j, entry(ui_View.mouseGetKeydefine(j, true)))
        }
        updateTexts()
    }

    // The macros the buttons run, as {slot, data}. The mouse has one set of
    // macro slots for all profiles: a profile that comes into use puts its
    // own macros into the slots its buttons run.
    function boundMacros() {
        var macros = []
        if (!macroEditor)
            return macros
        for (var j = 0; j < modKeys.count; ++j) {
            var e = modKeys.get(j)
            var name = e.keyCode0 === 4 ? macroName(e.keyCode2) : ""
            if (name !== "")
                macros.push({ slot: e.keyCode2, data: macroEditor.macroData(name) })
        }
        return macros
    }

    // What a profile change sends (see ui_View.mouseSendProfile); the bridge
    // stores the entries as it sends them.
    function profileValues() {
        return { buttons: entries(), firePeriods: gunPeriods(), macros: boundMacros() }
    }

    // The fire periods of the records the gun page gives to gun slots 1-3;
    // a gun page that keeps no records gives its records' built-in period.
    function gunPeriods() {
        var periods = []
        for (var n = 1; n <= 3; ++n) {
            var records = gunPage ? gunPage.gunNumberModel : null
            var record = records ? records.get(Values.toInt(gunPage["selectGun" + n], n - 1)) : null
            periods.push(record ? parseInt(record.gunPeriod, 10) : 10)
        }
        return periods
    }

    // The sixteen entries' codes, four each.
    function entries() {
        var src64 = []
        for (var j = 0; j < 16; ++j)
            src64 = src64.concat(codesOf(modKeys, j))
        return src64
    }

    function saveData() {
        ui_View.mouseSetKeyMatrix(entries(), true, gunPeriods())
    }

    // The only slot that clicks left may not be given another function.
    function checkOneLeftKey() {
        var lefts = []
        for (var j = 0; j < modKeys.count; ++j) {
            var e = modKeys.get(j)
            if (e.keyCode0 === 0 && e.keyCode2 === 0xF0)
                lefts.push(j)
        }
        return lefts.length === 1 && lefts[0] === selectKey
    }

    function sendMacro(slot, name) {
        if (!macroEditor || macroEditor.sendMacro(slot, name) !== false)
            return
        isSave = true
        mouseMissed()
    }

    // A slot that runs a macro names it; the device keeps it in the slot's
    // own macro store.
    function bindMacro(slot, name) {
        sendMacro(slot, name)
        ui_View.setData("mouseMacroKey/" + slot, name)
    }

    function restoreSlot(slot) {
        var f = modKeys_tmp.get(slot)
        setEntry(slot, codesOf(modKeys_tmp, slot), f.keyText)
    }

    function restoreAll() {
        for (var j = 0; j < 16; ++j) {
            restoreSlot(j)
            var f = modKeys_tmp.get(j)
            if (f.keyCode0 === 4)
                bindMacro(f.keyCode2, f.keyText)
        }
        isSave = true
    }

    // Slots bound to the macro `name`.
    function slotsRunning(name) {
        var slots = []
        for (var j = 0; j < modKeys.count; ++j) {
            var e = modKeys.get(j)
            if (e.keyCode0 === 4 && macroName(e.keyCode2) === name)
                slots.push(j)
        }
        return slots
    }

    // The macro library deleted a macro: its buttons get their factory
    // function back on the mouse at once.
    function macroDeleted(name) {
        for (var j of slotsRunning(name)) {
            restoreSlot(j)
            saveData()
        }
        ui_View.deleteMacroUpdateProfile(name)
    }

    // The macro library has renamed the file and the profiles' references;
    // the buttons shown follow.
    function macroRenamed(oldName, newName) {
        for (var j of slotsRunning(oldName)) {
            ui_View.setData("mouseMacroKey/" + modKeys.get(j).keyCode2, newName)
            modKeys.setProperty(j, "keyText", newName)
        }
    }

    function macroEdited(name) {
        for (var j of slotsRunning(name))
            sendMacro(j, name)
    }

    Text {
        x: 8
        y: 12
        width: keyMatrix.width - 48
        elide: Text.ElideRight
        text: keyMatrix.keyMatrixLang[1]
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
    }

    PictureButton {
        objectName: "restoreAllButton"
        anchors.right: parent.right
        anchors.rightMargin: 8
        y: 12
        name: "back"
        margin: 3
        Accessible.name: "Restore all buttons"
        onClicked: keyMatrix.restoreAll()
    }

    Item {
        x: 8
        y: 40

        // Rows only for the buttons the mouse has.
        Repeater {
            model: keyMatrix.rowCount

            delegate: Rectangle {
                id: row
                required property int index
                readonly property string keyText: keyMatrix.revision >= 0 && index < modKeys.count
                                                  ? modKeys.get(index).keyText : ""
                readonly property string rowName: index < 8 ? keyMatrix.keyMatrixLang[0] + " " + (index + 1) : ""

                objectName: "keyRow" + index
                y: index * (height + 2)
                width: 216
                height: 24
                color: index === keyMatrix.selectKey || rowArea.containsMouse ? Theme.colorOrange : Theme.colorGray0
                Accessible.role: Accessible.Button
                Accessible.name: rowName + ": " + keyText
                Accessible.onPressAction: keyMatrix.clickBtn(index)

                Text {
                    x: 24
                    width: 88 - x - 4
                    elide: Text.ElideRight
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.rowName
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                Text {
                    x: 88
                    width: parent.width - x - 8
                    anchors.verticalCenter: parent.verticalCenter
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                    text: row.keyText
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onEntered: keyMatrix.enterBtn(row.index)
                    onExited: keyMatrix.leaveBtn(row.index)
                    onClicked: keyMatrix.clickBtn(row.index)
                }
            }
        }
    }
}
