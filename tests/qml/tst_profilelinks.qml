import QtQuick
import QtTest

// Linking profiles to applications on the profile page: the link box by
// pointer and keyboard, the row marks and the note where focus cannot be
// followed.
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    SceneTestCase {
        name: "ProfileLinks"
        loader: scene

        readonly property var link: texts("profileLink")
        readonly property var windows: [{ name: "Firefox", windowClass: "Firefox", executable: "firefox-esr" },
                                        { name: "mpv", windowClass: "mpv", executable: "mpv" }]

        function openProfiles(store, answers) {
            start(Object.assign({ "mouse/profileNo": "0" }, store || {}),
                  Object.assign({ getNameList: ["Standard0", "a1", "b2"], openApplications: windows },
                                answers || {}))
            mouseClick(part("configButton"))
            var profile = part("profile")
            verify(profile.visible)
            fake.clear()
            return profile
        }

        function openBox(profile, row) {
            mouseClick(findChild(profile.bodyItem, "profileRow" + row), 100, 10, Qt.RightButton)
            var menu = findChild(profile.bodyItem, "profileMenu")
            verify(menu.visible)
            mouseClick(findChild(menu, "profileLinkItem"))
            var box = findChild(profile, "profileLinkBox")
            verify(box.visible, "the link box opens")
            tryCompare(findChild(box, "linkNameInput"), "activeFocus", true)
            return box
        }

        function linkCalls() {
            return fake.calls.filter(c => /^(linkApplication|unlinkApplication|clearProfileLinks)\(/.test(c))
        }

        function mark(profile, row) {
            var m = findChild(profile.bodyItem, "profileLinkMark" + row)
            return m && m.visible ? m.tip : ""
        }

        function boxLinks(box) {
            var list = findChild(box, "linkList")
            var names = []
            for (var i = 0; i < list.count; ++i)
                names.push(list.model.get(i).name)
            return names
        }

        // Each user step in the box of row 1, and what the links are after
        // it; typed names go through the bridge as typed.
        function test_linkBoxSteps_data() {
            return [
                { tag: "click an open window", steps: [["click", 0]],
                  calls: ["linkApplication(Firefox, 1)"], links: ["firefox"] },
                { tag: "keyboard: Tab, Down, Enter", steps: [["key", Qt.Key_Tab], ["key", Qt.Key_Down],
                                                             ["key", Qt.Key_Return]],
                  calls: ["linkApplication(mpv, 1)"], links: ["mpv"] },
                { tag: "typed name, Enter", steps: [["type", "Steam"], ["key", Qt.Key_Return]],
                  calls: ["linkApplication(Steam, 1)"], links: ["steam"] },
                { tag: "typed name, Link", steps: [["type", "Steam"], ["click", "linkAddButton"]],
                  calls: ["linkApplication(Steam, 1)"], links: ["steam"] },
                { tag: "empty name", steps: [["key", Qt.Key_Return]], calls: [], links: [] },
                { tag: "refused name", steps: [["type", "a/b"], ["key", Qt.Key_Return]],
                  calls: ["linkApplication(a/b, 1)"], links: [], status: link[11] },
                { tag: "remove by button", steps: [["click", 0], ["click", "linkRemove0"]],
                  calls: ["linkApplication(Firefox, 1)", "unlinkApplication(firefox)"], links: [] },
                { tag: "remove by keyboard", steps: [["click", 0], ["click", 1], ["focus", "linkList"],
                                                     ["key", Qt.Key_Down], ["key", Qt.Key_Delete]],
                  calls: ["linkApplication(Firefox, 1)", "linkApplication(mpv, 1)", "unlinkApplication(mpv)"],
                  links: ["firefox"] }
            ]
        }

        function test_linkBoxSteps(data) {
            var profile = openProfiles()
            var box = openBox(profile, 1)
            for (var step of data.steps) {
                if (step[0] === "click")
                    mouseClick(findChild(box, typeof step[1] === "number" ? "linkWindow" + step[1] : step[1]))
                else if (step[0] === "key")
                    keyClick(step[1])
                else if (step[0] === "focus")
                    findChild(box, step[1]).takeFocus()
                else
                    for (var c of step[1])
                        keyClick(c)
            }
            compare(linkCalls(), data.calls)
            compare(boxLinks(box), data.links)
            compare(mark(profile, 1), data.links.length ? link[14].replace("%1", data.links.join(", ")) : "")
            if (data.status)
                compare(findChild(box, "linkStatus").text, data.status)
            verify(box.visible)
        }

        // Linking a name that another profile has moves it, and says so.
        function test_linkMovesFromAnotherProfile() {
            var profile = openProfiles({ links: { firefox: 2 } })
            compare(mark(profile, 2), link[14].replace("%1", "firefox"))
            var box = openBox(profile, 1)
            // The open window says where its link is before the pick moves it.
            compare(findChild(box, "linkWindowLinked0").text, link[14].replace("%1", "b"))
            compare(findChild(box, "linkWindowLinked1").text, "")
            mouseClick(findChild(box, "linkWindow0"))
            compare(findChild(box, "linkStatus").text, link[9].replace("%1", "Firefox").replace("%2", "b"))
            compare(mark(profile, 1), link[14].replace("%1", "firefox"))
            compare(mark(profile, 2), "")
            compare(findChild(box, "linkWindowLinked0").text, link[14].replace("%1", "a"))
            mouseClick(findChild(box, "linkRemove0"))
            compare(findChild(box, "linkWindowLinked0").text, "")
        }

        function test_boxClosesWithEscapeAndButton_data() {
            return [
                { tag: "Escape in the name", close: function (box) { keyClick(Qt.Key_Escape) } },
                { tag: "Escape in a list", close: function (box) { keyClick(Qt.Key_Tab); keyClick(Qt.Key_Escape) } },
                { tag: "close button", close: function (box) { mouseClick(findChild(box, "closeButton")) } }
            ]
        }

        // The box closes first; the page stays until the next Escape.
        function test_boxClosesWithEscapeAndButton(data) {
            var profile = openProfiles()
            var box = openBox(profile, 1)
            data.close(box)
            verify(!box.visible)
            verify(profile.visible)
            keyClick(Qt.Key_Escape)
            verify(!profile.visible)
        }

        // The box may be dragged off the page: deleting its profile closes
        // it, renaming it renames its title.
        function test_boxFollowsItsProfile() {
            var profile = openProfiles({ links: { firefox: 1 } })
            var box = openBox(profile, 1)
            profile.currentRow = 1
            profile.editText = "work"
            profile.editingRow = 1
            profile.finishEdit()
            compare(findChild(box, "titleText").text, link[1].replace("%1", "work"))
            verify(box.visible)
            profile.deleteProfile()
            verify(!box.visible)
            compare(linkCalls(), ["clearProfileLinks(1)"])
            compare(fake.store.links, {})
        }

        function test_noWindowsListed() {
            var profile = openProfiles({}, { openApplications: [] })
            var box = openBox(profile, 1)
            compare(findChild(box, "linkWindowList").count, 0)
            compare(findChild(box, "titleText").text, link[1].replace("%1", "a"))
        }

        function test_focusNoteOnce_data() {
            return [
                { tag: "X11", follows: true, shown: [false, false] },
                { tag: "no focus information", follows: false, shown: [true, false] }
            ]
        }

        // Said the first time the page opens in a run, never again; the
        // links can still be edited.
        function test_focusNoteOnce(data) {
            var profile = openProfiles({}, { followsFocus: data.follows })
            var note = findChild(profile.bodyItem, "profileFocusNote")
            compare(note.visible, data.shown[0])
            compare(note.text, link[10])
            mouseClick(findChild(profile, "closeButton"))
            mouseClick(part("configButton"))
            compare(note.visible, data.shown[1])
            var box = openBox(profile, 1)
            mouseClick(findChild(box, "linkWindow0"))
            compare(linkCalls(), ["linkApplication(Firefox, 1)"])
        }

        // The menu entry and the box follow the language's texts.
        function test_textsFallBackToEnglish() {
            start({}, { getLangStrings: [] })
            compare(part("profile").linkLang[0], "Link to apps")
            compare(part("profile").linkText("markTip", "a, b"), "Linked: a, b")
        }
    }
}
