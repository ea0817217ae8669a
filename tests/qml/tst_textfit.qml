import QtQuick
import QtTest

// Every page of the real scene in each language, with the texts of the
// language files: a visible text that runs out of its box without eliding
// or shrinking, or that covers (or touches) a neighbouring item, fails.
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    SceneTestCase {
        name: "TextFit"
        loader: scene

        readonly property var realPages: ["DpiSetting.qml", "GunControl.qml", "KeyAssigment.qml", "KeyMatrix.qml",
            "LightControl.qml", "MacroEditor.qml", "SystemSetting.qml", "Profile.qml", "Mouse.qml"]
        // A long combination on button 4, a macro on button 5.
        readonly property var buttons: [[0, 0, 240, 0], [0, 0, 241, 0], [0, 0, 242, 0], [2, 3, 4, 5],
            [4, 0, 4, 0], [5, 0, 1, 0], [5, 0, 2, 0], [0, 240, 30, 2], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0],
            [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [255, 0, 1, 0], [255, 0, 2, 0]]

        function startIn(language, store, answers) {
            start(Object.assign({
                "common/language": language, "mouse/isColorful": "true", "mouse/profileNo": "0",
                "mouse/currentDpiCount": "4", "mouse/dpiCount": "8",
                "mouse/dpiValueArray": ["400", "800", "1600", "3200", "4800", "6400", "12800", "16000"],
                "mouse/lightValue": ["0", "2", "4"], "mouse/fixColor": ["255", "0", "0"],
                // Red first: marker 1 at the bar's left end, under the caption.
                "mouse/colorValue": "255,0,0,0,255,0,0,0,255,255,0,255,0,255,255,255,127,0,96,0,255,255,255,255,255,0,0,0,255,0,0,0,255,255,0,255".split(","), "mouse/selectGun": ["0", "1", "2"],
                "mouseMacroKey/4": "Macro_0", "mouse/mouseRate": "170", "mouse/doubleRate": "170",
                "mouse/scrollRate": "3"
            }, store || {}), Object.assign({
                getLangStrings: (section, lang) => languages.strings(section, lang),
                getNameList: type => type === 0 ? ["Macro_0", "Macro_1"] : ["Standard0", "profile_11"],
                mouseGetKeydefine: index => buttons[index].map(String),
                loadMacroIni: () => ["1,A", "0,120", "2,A", "1"],
                getGunData: i => ["G" + i, "L-Click", "10", "0", "10", "0"],
                mouseGetCurrentDPI: 1
            }, answers || {}), realPages)
        }

        function isText(item) {
            return item.elide !== undefined && item.contentWidth !== undefined && item.textFormat !== undefined
        }

        function shown(item) {
            for (var i = item; i; i = i.parent) {
                if (!i.visible || i.opacity === 0)
                    return false
            }
            return true
        }

        // Where a text's glyphs lie, in its parent.
        function paintedRect(t) {
            var dx = t.horizontalAlignment === Text.AlignHCenter ? (t.width - t.contentWidth) / 2
                   : t.horizontalAlignment === Text.AlignRight ? t.width - t.contentWidth : 0
            var dy = t.verticalAlignment === Text.AlignVCenter ? (t.height - t.contentHeight) / 2
                   : t.verticalAlignment === Text.AlignBottom ? t.height - t.contentHeight : 0
            return Qt.rect(t.x + dx, t.y + dy, t.contentWidth, t.contentHeight)
        }

        function overlaps(a, b, gap) {
            return a.x < b.x + b.width + gap && b.x < a.x + a.width + gap
                && a.y < b.y + b.height && b.y < a.y + a.height
        }

        function describe(t) {
            return "\"" + t.text + "\" in " + (t.parent.objectName || String(t.parent))
        }

        function walk(item, visit) {
            visit(item)
            for (var i = 0; i < item.children.length; ++i)
                walk(item.children[i], visit)
        }

        // The problems of every visible text under `top`.
        function problems(top) {
            var found = []
            walk(top, function (t) {
                if (!isText(t) || t.text === "" || !shown(t))
                    return
                var box = paintedRect(t)
                var fits = t.elide !== Text.ElideNone || t.fontSizeMode !== Text.FixedSize
                    || t.wrapMode !== Text.NoWrap
                if (!fits && t.contentWidth > t.width + 1)
                    found.push(describe(t) + " is wider than its box")
                var p = t.parent
                if (p.width > 0 && p.height > 0 && (box.x < -1 || box.x + box.width > p.width + 1))
                    found.push(describe(t) + " runs out of " + p.width + " pixels")
                for (var i = 0; i < p.children.length; ++i) {
                    var s = p.children[i]
                    // Overlays that fill the parent (pointer areas, shades)
                    // are not neighbours.
                    if (s === t || !shown(s) || s.width <= 0 || s.height <= 0
                            || (s.x <= 0 && s.y <= 0 && s.width >= p.width && s.height >= p.height))
                        continue
                    if (overlaps(box, Qt.rect(s.x, s.y, s.width, s.height), 2))
                        found.push(describe(t) + " covers or touches " + (s.objectName || String(s)))
                }
            })
            return found
        }

        function checkFit(top, what) {
            waitForRendering(top)
            var found = problems(top)
            compare(found.join("\n"), "", what)
        }

        function test_everyPage_data() {
            return [{ tag: "English", language: "English" }, { tag: "French", language: "French" },
                    { tag: "Chinese", language: "ChineseSimplified" }]
        }

        function test_everyPage(data) {
            startIn(data.language)
            checkFit(part("mainScreen"), "main screen")
            for (var name of ["macroEditor", "gunControl", "systemSetting", "profile"]) {
                var page = part(name)
                root.openPage(page)
                checkFit(page, name)
                page.close()
            }
            root.openKeyDialog(3, false)
            var dialog = part("keyAssigment")
            checkFit(dialog, "button dialog")
            // Capturing a long combination: clear of the confirm and cancel.
            dialog.startCombo()
            for (var code of [0xE0, 0xE1, 0x04, 0x05])
                dialog.detectKeyboard(true, code, 1)
            checkFit(dialog, "button dialog capturing")
            dialog.cancelCombo()
            dialog.close()
            mouseClick(part("resetButton"))
            checkFit(part("factorysure"), "reset box")
            part("factorysure").cancelClick()
            root.askUnsaved(1, false)
            checkFit(part("unsavedBox"), "unsaved changes")
            root.answerUnsaved(2)
            for (var reason of ["importFull", "onlyLeftButton", "recordNoMacro"]) {
                root.refuse(reason)
                checkFit(part("noticeLine"), reason)
            }
        }

        // The profile page with its note where focus cannot be followed, a
        // row with links, the row menu, and the link box with long names and
        // each thing it can say.
        function test_profileLinks(data) {
            startIn(data.language, { links: { "firefox-developer-edition": 1, "code": 1 } },
                    { followsFocus: false, openApplications: [
                        { name: "Firefox-developer-edition", windowClass: "Firefox-developer-edition",
                          executable: "firefox-developer-edition-bin" },
                        { name: "jetbrains-idea-community-edition", windowClass: "jetbrains-idea-community-edition",
                          executable: "java" }] })
            var profile = part("profile")
            root.openPage(profile)
            verify(findChild(profile.bodyItem, "profileFocusNote").visible)
            verify(findChild(profile.bodyItem, "profileLinkMark1").visible)
            checkFit(profile, "profile page")
            profile.bodyItem.openMenu(1, Qt.point(300, 40))
            checkFit(profile, "row menu")
            profile.openLinks(1)
            var box = findChild(profile, "profileLinkBox")
            for (var key of ["moved", "added", "linkName", "linkNotStored", "linkProfile"]) {
                box.say(profile.linkText(key, "firefox-developer-edition", "profile_1"), key !== "moved")
                checkFit(box, "link box: " + key)
            }
            part("noticeLine").show(profile.linkText("outsideWaits", "profile_1"))
            checkFit(part("noticeLine"), "a profile waits")
        }
        function test_profileLinks_data() { return test_everyPage_data() }

        // The check itself: a text that runs under its neighbour is found.
        function test_theSweepFindsAnOverlap() {
            startIn("English")
            var title = findChild(part("lightControl"), "lightTitle")
            title.text = "A title far too long for its place"
            title.width = title.implicitWidth
            verify(problems(part("lightControl")).length > 0)
        }
    }
}
