import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

// The scene's side of following the application in front: followProfile
// changes profile exactly as the title-area list does, and turns the change
// down while the user is in the middle of something, telling the follower
// when that ends.
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    // An edit of the main screen's kind, placed in the scene's window.
    EditText {
        id: anEdit
        objectName: "anEdit"
        width: 80
        height: 20
    }

    SceneTestCase {
        name: "Follow"
        loader: scene

        // The title-area list's switch to profile 2.
        readonly property var switchLog: ["setEnabled(false)", "beginMouseChanges()", "setGlobalData(mouse/profileNo, 2)",
            "setCurrentProfile(2)", "keyMatrix.init(false, false)", "getData(mouse/reportRate, false)",
            "dpiSetting.init(false, false)", "lightControl.init(false, false)", "keyMatrix.profileValues()",
            "dpiSetting.profileValues()", "lightControl.profileValues()",
            "mouseSendProfile({buttons: keys, dpiValues: stages, lightValue: light, rateRow: 1})",
            "systemSetting.init(true, false)", "endMouseChanges()", "setEnabled(true)"]

        function startOnProfile0(answers) {
            start({ "mouse/profileNo": "0" }, Object.assign({ getNameList: ["Standard0", "profile_22"] }, answers || {}))
        }

        function cleanup() {
            anEdit.focus = false
        }

        function test_followGoesThroughTheTitleListsSwitch() {
            startOnProfile0()
            verify(!root.followBlocked)
            compare(root.followProfile(2), "done")
            compareLog(switchLog)
            compare(root.profileNo, 2)
            compare(part("profileList").currentSelect, 1)
            compare(fake.notes.filter(n => n.startsWith("noteProfileInUse")), ["noteProfileInUse(2)"])
            // The busy bracket held the following while the profile went out.
            verify(fake.notes.indexOf("noteFollowBlocked(true)") >= 0)
            compare(fake.notes[fake.notes.length - 1], "noteFollowBlocked(false)")
            verify(!root.followBlocked)
        }

        function test_profileInUseNeedsNoSwitch() {
            startOnProfile0()
            compare(root.followProfile(0), "unchanged")
            compareLog([])
        }

        // A profile no row has is not switched to.
        function test_unknownProfileIsNotSwitchedTo() {
            startOnProfile0()
            compare(root.followProfile(1), "unknown")
            compareLog([])
            compare(root.profileNo, 0)
        }

        // The mouse did not take it: the program is on the profile, the pages
        // stay unsaved for Save, and the following waits on them.
        function test_aSwitchTheMouseDidNotTakeSaysSo() {
            startOnProfile0({ endMouseChanges: false })
            compare(root.followProfile(2), "missed")
            compare(root.profileNo, 2)
            verify(root.mouseMissed)
            verify(root.hasUnsaved)
            verify(root.followBlocked)
            compare(fake.notes[fake.notes.length - 1], "noteFollowBlocked(true)")
        }

        function test_blockedStates_data() {
            return [
                { tag: "an unsaved change",
                  block: function () { page("dpiSetting").isSave = true },
                  unblock: function () { root.discardChanges() } },
                { tag: "an unsaved change, saved",
                  block: function () { page("lightControl").isSave = true },
                  unblock: function () { root.save() } },
                { tag: "a page open",
                  block: function () { mouseClick(part("systemSettingButton")) },
                  unblock: function () { page("systemSetting").close() } },
                { tag: "the profile page open",
                  block: function () { root.openPage(part("profile")) },
                  unblock: function () { part("profile").close() } },
                { tag: "the unsaved question",
                  block: function () { page("keyMatrix").isSave = true; root.changeProfile(2) },
                  unblock: function () { mouseClick(part("unsavedDiscardButton")) }, switched: true },
                { tag: "the reset box",
                  block: function () { part("mainMask").visible = true; part("factorysure").open() },
                  unblock: function () { part("factorysure").cancelClick() } },
                { tag: "the mouse busy",
                  block: function () { root.setProtectUI(1000) },
                  unblock: function () { root.setProtectUI(0) } },
                { tag: "keys captured",
                  block: function () { page("keyAssigment").isFireInput = true },
                  unblock: function () { page("keyAssigment").isFireInput = false } },
                { tag: "an edit open",
                  block: function () { anEdit.forceActiveFocus() },
                  unblock: function () { root.finishEdits() } }
            ]
        }

        // Each state turns the switch down and tells the follower; when it
        // ends the follower is told, and the switch goes through.
        function test_blockedStates(data) {
            startOnProfile0()
            data.block()
            verify(root.followBlocked)
            compare(fake.notes, ["noteFollowBlocked(true)"])
            fake.clear()
            compare(root.followProfile(2), "waiting")
            compareLog([])
            compare(root.profileNo, 0)
            data.unblock()
            verify(!root.followBlocked)
            compare(fake.notes[fake.notes.length - 1], "noteFollowBlocked(false)")
            // The question's answer switched already, as the user asked.
            compare(root.followProfile(2), data.switched ? "unchanged" : "done")
            compare(root.profileNo, 2)
        }

        // Until the main screen shows, nothing is switched.
        function test_waitsForTheMainScreen() {
            load({ "mouse/profileNo": "0" }, { getNameList: ["Standard0", "profile_22"] })
            compare(root.followProfile(2), "waiting")
            root.initUI()
            compare(root.followProfile(2), "waiting")
            root.setProtectUI(0)
            verify(!root.followBlocked)
            compare(root.followProfile(2), "done")
        }
    }
}
