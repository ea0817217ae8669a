import QtQuick
import "../basic"
import "../common"
import "../basic/theme.js" as Theme
import "../common/values.js" as Values

// The gun page: six fixed recoil records and the three gun slots of the
// mouse. The records, the slots and the shown record live in the page's root
// from start-up (the button list reads the slots' fire periods); the visuals
// are built the first time the page opens.
DialogFrame {
    id: gunPage

    property var gunControlLang: ["Gun editor", "Gun", "Select gun", "Cursor Adjust", "X Axis", "Y axis",
        "Fire adjust", "Rate", "Times", "Endness"]
    // Record index (0-5) used by gun slots 1, 2 and 3.
    property int selectGun1: 0
    property int selectGun2: 1
    property int selectGun3: 2
    // A slot or a record changed since the slots were last sent.
    property bool isSave: false
    // The slot chosen in the slot list (0-2) and the record shown.
    property int currentSlot: 0
    property int currentGun: 0
    property alias gunNumberModel: records
    readonly property alias slotModel: slots

    signal closed()
    // The button table carries the slots' fire periods: it goes out again
    // whenever the slots are sent.
    signal sendKeyMatrix()
    // The shown record changed; the built visuals follow.
    signal recordShown()

    // Reopens where the user last dragged it.
    centreEachOpen: false
    width: 640
    height: 448
    title: gunControlLang[0] || ""
    body: gunBody

    ListModel {
        id: records
        ListElement { gunName: "M416"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
        ListElement { gunName: "AKM"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
        ListElement { gunName: "M16A4"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
        ListElement { gunName: "SCAR-L"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
        ListElement { gunName: "UNP9"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
        ListElement { gunName: "Thomson"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
    }

    ListModel {
        id: slots
        ListElement { textValue: "Gun1" }
        ListElement { textValue: "Gun2" }
        ListElement { textValue: "Gun3" }
    }

    readonly property var fields: ["gunName", "gunKey", "gunPeriod", "gunX", "gunY", "gunTimes"]

    function init() {
        for (var s = 0; s < 3; ++s)
            slots.setProperty(s, "textValue", Values.toText(gunControlLang[1]) + (s + 1))
        for (var i = 0; i < records.count; ++i) {
            var stored = ui_View.getGunData(i)
            // The names are fixed (they pick the pictures); a record missing
            // from the gun file keeps its built-in values.
            if (!stored || stored.length < fields.length)
                continue
            for (var f = 1; f < fields.length; ++f)
                records.setProperty(i, fields[f], Values.toText(stored[f]))
        }
        var chosen = ui_View.getGlobalData("mouse/selectGun")
        selectGun1 = recordIndex(chosen, 0)
        selectGun2 = recordIndex(chosen, 1)
        selectGun3 = recordIndex(chosen, 2)
        chooseSlot(0)
    }

    // Slot n's stored record; out-of-range or damaged entries fall back to
    // the factory choice (records 0, 1, 2).
    function recordIndex(list, n) {
        var i = Values.toInt(list && typeof list === "object" ? list[n] : undefined, n)
        return i >= 0 && i < records.count ? i : n
    }

    function slotGun(slot) {
        return [selectGun1, selectGun2, selectGun3][slot]
    }

    function record(i) {
        return records.get(i)
    }

    function src6(i) {
        var r = records.get(i)
        return fields.map(f => r[f])
    }

    function chooseSlot(slot) {
        currentSlot = slot
        showRecord(slotGun(slot))
    }

    function showRecord(i) {
        currentGun = i
        recordShown()
    }

    // A click on a record gives it to the chosen slot.
    function assignRecord(i) {
        gunControlFocus()
        if (currentSlot === 0)
            selectGun1 = i
        else if (currentSlot === 1)
            selectGun2 = i
        else
            selectGun3 = i
        ui_View.setGlobalData("mouse/selectGun", [selectGun1, selectGun2, selectGun3])
        isSave = true
        showRecord(i)
    }

    // Every edit of the shown record is kept in the gun file at once.
    function editRecord(field, value) {
        if (records.get(currentGun)[field] === Values.toText(value))
            return
        records.setProperty(currentGun, field, Values.toText(value))
        ui_View.mouseSaveGundata(currentGun, src6(currentGun))
        isSave = true
    }

    function sendSlots() {
        for (var s = 0; s < 3; ++s) {
            var r = records.get(slotGun(s))
            ui_View.mouseSendGundata(s + 1, [Values.toInt(r.gunTimes, 0), Values.toInt(r.gunX, 0),
                                             Values.toInt(r.gunY, 0)])
        }
    }

    // The factory reset: slots on the first three records with their
    // factory recoil and period, stored and sent.
    function resetData() {
        selectGun1 = 0
        selectGun2 = 1
        selectGun3 = 2
        ui_View.setGlobalData("mouse/selectGun", [0, 1, 2])
        var factoryY = [5, 7, 8]
        for (var i = 0; i < 3; ++i) {
            records.setProperty(i, "gunY", String(factoryY[i]))
            records.setProperty(i, "gunPeriod", "9")
            ui_View.mouseSaveGundata(i, src6(i))
        }
        isSave = true
        sendSlots()
        chooseSlot(0)
    }

    function gunControlFocus() {
        // The panel exists once the page has been opened.
        if (bodyItem)
            bodyItem.dropFocus()
    }

    // A Y or shot count still being typed is part of what is sent.
    function close() {
        gunControlFocus()
        visible = false
        closed()
        if (isSave) {
            isSave = false
            sendSlots()
            sendKeyMatrix()
        }
    }

    onCloseClick: close()

    Component {
        id: gunBody
        GunPanel {
            page: gunPage
        }
    }
}
