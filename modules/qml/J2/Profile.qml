import QtQuick
import "../common"
import "../common/values.js" as Values

// The profile page. Its list model is also the title-area profile list, so
// the model and its loading live here from start-up; the page's visuals are
// built when it first opens.
DialogFrame {
    id: page

    property var profileLang: ["Config", "New", "Import", "Delete", "Export", "Standard"]
    // The active profile number (set by the main screen).
    property int profileNo: 0
    property alias profileDataModel0: rows

    signal closed()
    // The user picked a profile in the title-area list.
    signal changeProfile(int tmpProfileNo)

    width: 415
    height: 288
    title: profileLang[0]

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
                          profileNo: Values.toInt(entry.slice(-1), 0) })
        }
        if (rows.count > 0) {
            rows.setProperty(0, "textValue", Values.toText(profileLang[5]))
            storeList()
        }
    }

    function storeList() {
        var names = []
        for (var i = 0; i < rows.count; ++i)
            names.push(rows.get(i).textValue + rows.get(i).profileNo)
        ui_View.updataNameList(2, names)
    }

    // Row of a profile number; -1 when no row has it.
    function rowOfProfile(number) {
        for (var i = 0; i < rows.count; ++i) {
            if (rows.get(i).profileNo === number)
                return i
        }
        return -1
    }

    // The title-area list reports a row; the profile it names is the row's
    // own number, which differs from its position once a profile has been
    // deleted and another created.
    function pickTitleRow(row) {
        if (row >= 0 && row < rows.count)
            changeProfile(rows.get(row).profileNo)
    }

    function profileFocus() {
    }

    function close() {
        visible = false
        profileFocus()
        closed()
    }

    onCloseClick: close()
}
