import QtQuick
import "../common"
import "../common/values.js" as Values
import "linkTexts.js" as LinkTexts

// The profile page. Its list model is also the title-area profile list, so
// the model and its loading live here from start-up; the page's visuals are
// built when it first opens. A row's position and its profile number differ
// once a profile has been deleted and another created: every operation
// names a profile by the row's own `profileNo`.
DialogFrame {
    id: profilePage

    property var profileLang: ["Config", "New", "Import", "Delete", "Export", "Standard"]
    // The active profile number (set by the main screen).
    property int profileNo: 0
    property alias profileDataModel0: rows
    // The row the page's operations act on.
    property int currentRow: 0
    // Row of the active profile, for the title-area list; -1 when none.
    property int activeRow: 0
    // Row whose name is being edited, -1 when none, and the edited text.
    property int editingRow: -1
    property string editText: ""
    readonly property int maxRows: 6
    // The texts of the link box and the row marks (set by the main screen).
    property var linkLang: LinkTexts.english
    // Where the desktop does not tell which application is in front, the
    // page says so the first time it opens in a run.
    property bool focusNoteDone: false
    property bool focusNoteShown: false

    signal closed()
    // The user picked a profile in the title-area list.
    signal changeProfile(int tmpProfileNo)
    // An action did nothing; `reason` names why (the main screen says it).
    signal refused(string reason)

    width: 415
    height: 288
    title: profileLang[0] || ""
    body: profileBody

    ListModel {
        id: rows
    }

    // Loads the stored name list: each entry is the name followed directly
    // by the profile number as one digit. A list of one real entry may carry
    // the filler "loadersentry" as a second.
    function init() {
        var names = ui_View.getNameList(2)
        if (names.length === 2 && Values.toText(names[1]) === "loadersentry")
            names = [names[0]]
        rows.clear()
        for (var i = 0; i < names.length; ++i) {
            var entry = Values.toText(names[i])
            if (entry.length < 2)
                continue
            rows.append({ textValue: entry.slice(0, -1),
                          profileNo: Values.toInt(entry.slice(-1), 0), links: "" })
        }
        refreshLinks()
        currentRow = 0
        // The first profile carries the language's name for it; a missing
        // text never renames it, and an unchanged name is not written again.
        var standard = Values.toText(profileLang[5])
        if (rows.count > 0 && standard !== "" && rows.get(0).textValue !== standard) {
            rows.setProperty(0, "textValue", standard)
            storeList()
        } else {
            updateActiveRow()
        }
    }

    function storeList() {
        var names = []
        for (var i = 0; i < rows.count; ++i)
            names.push(rows.get(i).textValue + rows.get(i).profileNo)
        ui_View.updataNameList(2, names)
        updateActiveRow()
    }

    function updateActiveRow() {
        activeRow = rowOfProfile(profileNo)
    }

    onProfileNoChanged: updateActiveRow()

    // Row of a profile number; -1 when no row has it.
    function rowOfProfile(number) {
        for (var i = 0; i < rows.count; ++i) {
            if (rows.get(i).profileNo === number)
                return i
        }
        return -1
    }

    function hasName(name) {
        for (var i = 0; i < rows.count; ++i) {
            if (rows.get(i).textValue === name)
                return true
        }
        return false
    }

    // The title-area list reports a row; the profile it names is the row's
    // own number.
    function pickTitleRow(row) {
        if (row >= 0 && row < rows.count)
            changeProfile(rows.get(row).profileNo)
    }

    // A new profile's name: "profile_" and the smallest number no row's
    // name uses; its number: the smallest profile number no row has.
    function freeName() {
        for (var n = 0; n < 12; ++n) {
            if (!hasName("profile_" + n))
                return "profile_" + n
        }
        return "profile_"
    }

    function freeNumber() {
        for (var n = 0; n < maxRows; ++n) {
            if (rowOfProfile(n) < 0)
                return n
        }
        return -1
    }

    function addRow(number) {
        rows.append({ textValue: freeName(), profileNo: number, links: "" })
        currentRow = rows.count - 1
        storeList()
    }

    // A new profile starts from the factory profile.
    function newProfile() {
        profileFocus()
        var number = freeNumber()
        if (rows.count >= maxRows || number < 0) {
            refused("newFull")
            return
        }
        addRow(number)
        ui_View.resetProfile(number)
        dropLinks(number)
    }

    // An imported profile always becomes a new row with a free profile
    // number, never the selected one: a row's position is not its profile
    // number once profiles have been deleted, and writing the file over a
    // stored profile would lose that profile's settings. So with six
    // profiles nothing is imported, and a cancelled file choice adds no row.
    function importProfile() {
        profileFocus()
        var number = freeNumber()
        if (rows.count >= maxRows || number < 0) {
            refused("importFull")
            return
        }
        if (Values.toBool(ui_View.loadProfile(number))) {
            addRow(number)
            dropLinks(number)
        }
    }

    function exportProfile() {
        profileFocus()
        if (currentRow >= 0 && currentRow < rows.count)
            ui_View.saveProfile(rows.get(currentRow).profileNo)
    }

    // The standard profile and the active one stay; the settings file of a
    // deleted profile is left as it is.
    function deleteProfile() {
        profileFocus()
        if (currentRow < 0 || currentRow >= rows.count)
            return
        if (currentRow === 0 || rows.get(currentRow).profileNo === profileNo) {
            refused(currentRow === 0 ? "deleteStandard" : "deleteActive")
            return
        }
        var number = rows.get(currentRow).profileNo
        // The box of a deleted profile has nothing left to link.
        if (linkBox.profileNo === number)
            linkBox.close()
        rows.remove(currentRow)
        currentRow = Math.min(currentRow, rows.count - 1)
        storeList()
        dropLinks(number)
    }

    // ---- Links to applications ----

    // Each row's `links`: its applications, comma-separated ("" for none).
    function refreshLinks() {
        for (var i = 0; i < rows.count; ++i)
            rows.setProperty(i, "links", linksOf(rows.get(i).profileNo).join(", "))
    }

    function linksOf(number) {
        var list = ui_View.profileLinks(number)
        return list ? Array.prototype.slice.call(list) : []
    }

    // The name of the profile the first of `names` with a link goes to;
    // empty when none has one.
    function linkedProfileName(names) {
        for (var name of names) {
            if (Values.toText(name) === "")
                continue
            var number = Values.toInt(ui_View.linkedProfile(name), -1)
            if (number >= 0) {
                var row = rowOfProfile(number)
                return row >= 0 ? rows.get(row).textValue : String(number)
            }
        }
        return ""
    }

    // A profile number a deleted row freed, or a new or imported profile
    // that reuses one, carries no links of the old profile.
    function dropLinks(number) {
        var reason = Values.toText(ui_View.clearProfileLinks(number))
        refreshLinks()
        if (reason !== "")
            refused(LinkTexts.text(linkLang, reason))
    }

    // The open link box shows the links and windows as they are now.
    function refreshLinkBox() {
        if (linkBox.visible)
            linkBox.refresh()
    }

    function linkText(key, a, b) {
        return LinkTexts.text(linkLang, key, a, b)
    }

    function openLinks(row) {
        profileFocus()
        if (row < 0 || row >= rows.count)
            return
        currentRow = row
        linkBox.open(rows.get(row).profileNo, rows.get(row).textValue)
    }

    // Links `name` to `number`; the box's status says what happened: an
    // empty text when nothing needs saying.
    function linkApplication(name, number) {
        var before = Values.toInt(ui_View.linkedProfile(name), -1)
        var reason = Values.toText(ui_View.linkApplication(name, number))
        refreshLinks()
        if (reason !== "")
            return { ok: false, text: linkText(reason) }
        if (before >= 0 && before !== number) {
            var from = rowOfProfile(before)
            return { ok: true, text: linkText("moved", name, from >= 0 ? rows.get(from).textValue : before) }
        }
        return { ok: true, text: linkText("added", name) }
    }

    function unlinkApplication(name) {
        var reason = Values.toText(ui_View.unlinkApplication(name))
        refreshLinks()
        return reason === "" ? "" : linkText(reason)
    }

    // The first open in a run says once that links cannot be followed here.
    function noteFocusOnce() {
        if (focusNoteDone)
            return
        focusNoteDone = true
        focusNoteShown = !Values.toBool(ui_View.followsFocus())
    }

    onVisibleChanged: {
        if (visible)
            noteFocusOnce()
        else
            focusNoteShown = false
    }

    function startEdit(row) {
        profileFocus()
        if (row < 0 || row >= rows.count)
            return
        currentRow = row
        editText = rows.get(row).textValue
        editingRow = row
    }

    // Ends a name edit: a new, non-empty name that no row has replaces the
    // row's name; anything else is dropped.
    function finishEdit() {
        if (editingRow < 0)
            return
        var row = editingRow
        var name = editText.trim()
        editingRow = -1
        if (name === "" || hasName(name) || row >= rows.count)
            return
        rows.setProperty(row, "textValue", name)
        storeList()
        if (linkBox.profileNo === rows.get(row).profileNo)
            linkBox.profileName = name
    }

    function cancelEdit() {
        editingRow = -1
    }

    function profileFocus() {
        finishEdit()
        if (bodyItem)
            bodyItem.hideMenu()
    }

    // Escape closes the link box first, then the page.
    function close() {
        if (linkBox.visible) {
            linkBox.close()
            return
        }
        closePage()
    }

    function closePage() {
        linkBox.close()
        visible = false
        profileFocus()
        closed()
    }

    onCloseClick: closePage()

    ProfileLinkBox {
        id: linkBox
        objectName: "profileLinkBox"
        page: profilePage
        z: 10
    }

    Component {
        id: profileBody
        ProfilePanel {
            page: profilePage
        }
    }
}
