import QtQuick
import QtTest

// The profile page and the title-area list it feeds: the stored name list,
// New, Import, Export, Delete and rename, each naming a profile by its
// row's own number.
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    SceneTestCase {
        name: "ProfilePage"
        loader: scene

        readonly property string standard: texts("profile")[5]
        readonly property var sixRows: ["Standard0", "a1", "b2", "c3", "d4", "e5"]

        // The page open over a scene whose stored list is `names` and whose
        // active profile is `active`.
        function openProfiles(names, active, answers) {
            start({ "mouse/profileNo": String(active) },
                  Object.assign({ getNameList: names }, answers || {}))
            mouseClick(part("configButton"))
            var profile = part("profile")
            verify(profile.visible)
            verify(profile.bodyItem, "the page is built on its first open")
            fake.clear()
            return profile
        }

        function rowsOf(profile) {
            var result = []
            for (var i = 0; i < profile.profileDataModel0.count; ++i) {
                var r = profile.profileDataModel0.get(i)
                result.push(r.textValue + "/" + r.profileNo)
            }
            return result
        }

        function row(profile, i) {
            var found = findChild(profile.bodyItem, "profileRow" + i)
            verify(found, "row " + i + " is shown")
            return found
        }

        function menuItem(profile, i, name) {
            mouseClick(row(profile, i), 100, 10, Qt.RightButton)
            var menu = findChild(profile.bodyItem, "profileMenu")
            verify(menu.visible)
            mouseClick(findChild(menu, name))
            verify(!menu.visible)
        }

        // The rows' reads of their links (for their marks) are left out:
        // tst_profilelinks looks at those.
        function compareLog(expected, what) {
            compare(fake.calls.filter(c => c.indexOf("profileLinks(") !== 0).join("\n"), expected.join("\n"),
                    what || "call log")
        }

        function stored(names) {
            return "updataNameList(2, [" + names.join(", ") + "])"
        }

        function test_load_data() {
            return [
                { tag: "two profiles", names: ["Standard0", "profile_11"],
                  rows: [standard + "/0", "profile_1/1"], stored: [stored([standard + "0", "profile_11"])] },
                { tag: "one profile and the filler", names: ["Standard0", "loadersentry"],
                  rows: [standard + "/0"], stored: [stored([standard + "0"])] },
                { tag: "nothing stored", names: [], rows: [], stored: [] },
                { tag: "already the language's name", names: [standard + "0", "profile_11"],
                  rows: [standard + "/0", "profile_1/1"], stored: [] }
            ]
        }

        // A language file without the profile texts never renames the
        // stored first profile.
        function test_load_without_language_texts() {
            start({}, { getNameList: ["Standard0", "profile_11"], getLangStrings: [] })
            var profile = part("profile")
            profile.init()
            compareLog(["getNameList(2)"])
            compare(rowsOf(profile), ["Standard/0", "profile_1/1"])
        }

        function test_load(data) {
            start({}, { getNameList: data.names })
            var profile = part("profile")
            profile.init()
            compareLog(["getNameList(2)"].concat(data.stored))
            compare(rowsOf(profile), data.rows)
        }

        function test_newProfile_data() {
            return [
                { tag: "rows 0 and 2", names: ["Standard0", "profile_22"],
                  rows: [standard + "/0", "profile_2/2", "profile_0/1"],
                  log: [stored([standard + "0", "profile_22", "profile_01"]), "resetProfile(1)",
                        "clearProfileLinks(1)"] },
                { tag: "name profile_0 taken", names: ["Standard0", "profile_01"],
                  rows: [standard + "/0", "profile_0/1", "profile_1/2"],
                  log: [stored([standard + "0", "profile_01", "profile_12"]), "resetProfile(2)",
                        "clearProfileLinks(2)"] },
                { tag: "six profiles", names: sixRows, rows: null, log: [] }
            ]
        }

        function test_newProfile(data) {
            var profile = openProfiles(data.names, 0)
            var before = rowsOf(profile)
            mouseClick(findChild(profile.bodyItem, "profileNewButton"))
            compareLog(data.log)
            compare(rowsOf(profile), data.rows || before)
            compare(profile.currentRow, data.rows ? data.rows.length - 1 : 0)
        }

        function test_import_data() {
            return [
                { tag: "file chosen", names: ["Standard0", "profile_22"], chosen: true,
                  rows: [standard + "/0", "profile_2/2", "profile_0/1"],
                  log: ["loadProfile(1)", stored([standard + "0", "profile_22", "profile_01"]),
                        "clearProfileLinks(1)"] },
                { tag: "cancelled", names: ["Standard0", "profile_22"], chosen: false,
                  rows: [standard + "/0", "profile_2/2"], log: ["loadProfile(1)"] },
                { tag: "six profiles", names: sixRows, chosen: true, rows: null, log: [] }
            ]
        }

        // Import always makes a new profile: it never overwrites one the
        // user has, and a cancelled choice leaves no row behind.
        function test_import(data) {
            var profile = openProfiles(data.names, 0, { loadProfile: data.chosen })
            var before = rowsOf(profile)
            mouseClick(findChild(profile.bodyItem, "profileImportButton"))
            compareLog(data.log)
            compare(rowsOf(profile), data.rows || before)
        }

        function test_delete_data() {
            return [
                { tag: "standard row", row: 0, rows: null, title: 2, log: [] },
                { tag: "active row", row: 2, rows: null, title: 2, log: [] },
                { tag: "another row", row: 1, rows: [standard + "/0", "b/2"], title: 1,
                  log: [stored([standard + "0", "b2"]), "clearProfileLinks(1)"] }
            ]
        }

        // The active profile is 2; the title-area list keeps showing it
        // when the rows above it move.
        function test_delete(data) {
            var profile = openProfiles(["Standard0", "a1", "b2"], 2)
            var before = rowsOf(profile)
            menuItem(profile, data.row, "profileDeleteItem")
            compareLog(data.log)
            compare(rowsOf(profile), data.rows || before)
            compare(part("profileList").currentSelect, data.title)
            compare(part("profileList").textValue, "b")
        }

        function test_export_data() {
            return [
                { tag: "standard", row: 0, log: ["saveProfile(0)"] },
                { tag: "row 1 holds profile 3", row: 1, log: ["saveProfile(3)"] }
            ]
        }

        function test_export(data) {
            var profile = openProfiles(["Standard0", "c3", "a1"], 1)
            menuItem(profile, data.row, "profileExportItem")
            compareLog(data.log)
        }

        function test_rename_data() {
            return [
                { tag: "new name, Enter", name: "Work", end: "enter", rows: [standard + "/0", "Work/1", "b/2"],
                  log: [stored([standard + "0", "Work1", "b2"])] },
                { tag: "new name, press beside the page", name: "Work", end: "mask",
                  rows: [standard + "/0", "Work/1", "b/2"], log: [stored([standard + "0", "Work1", "b2"])] },
                { tag: "name of another row", name: "b", end: "enter", rows: null, log: [] },
                { tag: "empty name", name: "", end: "enter", rows: null, log: [] }
            ]
        }

        function test_rename(data) {
            var profile = openProfiles(["Standard0", "a1", "b2"], 0)
            var before = rowsOf(profile)
            mouseDoubleClickSequence(row(profile, 1), 100, 10)
            var input = findChild(row(profile, 1), "profileNameInput")
            verify(input.visible)
            tryCompare(input, "activeFocus", true)
            compare(input.selectedText, "a")
            keyClick(Qt.Key_Backspace)
            for (var c of data.name)
                keyClick(c)
            if (data.end === "enter")
                keyClick(Qt.Key_Return)
            else
                mouseClick(part("mainMask"), 5, 5)
            verify(!input.visible)
            compareLog(data.end === "mask" ? data.log.concat(["lightControl.lightControlFocus()"]) : data.log)
            compare(rowsOf(profile), data.rows || before)
        }

        // After profile 2 is deleted and a new profile takes number 2 as
        // the fourth row, that row switches to profile 2.
        function test_newRowSwitchesToItsOwnProfile() {
            var profile = openProfiles(["Standard0", "a1", "b2", "c3"], 0)
            menuItem(profile, 2, "profileDeleteItem")
            mouseClick(findChild(profile.bodyItem, "profileNewButton"))
            compare(rowsOf(profile), [standard + "/0", "a/1", "c/3", "profile_0/2"])
            mouseClick(findChild(profile, "closeButton"))
            verify(!profile.visible)
            fake.clear()
            pick(part("profileList"), 3)
            compare(fake.calls.slice(0, 4),
                    ["setEnabled(false)", "beginMouseChanges()", "setGlobalData(mouse/profileNo, 2)",
                     "setCurrentProfile(2)"])
            compare(root.profileNo, 2)
            compare(part("profileList").textValue, "profile_0")
        }
    }
}
