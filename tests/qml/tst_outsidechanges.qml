import QtQuick
import QtTest

// The scene taking a profile, names and links that kx20ctl changed while it
// was away (the native side calls takeOutsideChanges): shown from the files,
// never sent, and never over unsaved changes.
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    SceneTestCase {
        name: "OutsideChanges"
        loader: scene

        readonly property var link: texts("profileLink")

        readonly property var showLog: ["setCurrentProfile(2)", "keyMatrix.init(false, false)",
            "getData(mouse/reportRate, false)", "dpiSetting.init(false, false)", "lightControl.init(false, false)",
            "systemSetting.init(true, false)"]

        function outsideCalls() {
            return fake.calls.filter(c => !/^(getNameList|profileLinks|getGlobalData|updataNameList)\(/.test(c))
        }

        function test_outsideChange_data() {
            return [
                { tag: "same profile", stored: "0", unsaved: false, log: [], profileNo: 0 },
                { tag: "another profile", stored: "2", unsaved: false, log: showLog, profileNo: 2 },
                { tag: "unsaved changes wait", stored: "2", unsaved: true, log: [], profileNo: 0 },
                { tag: "an open page waits", stored: "2", page: "systemSetting", log: [], profileNo: 0 }
            ]
        }

        // Shown from the files, never sent: kx20ctl sent it.
        function test_outsideChange(data) {
            start({ "mouse/profileNo": "0" }, { getNameList: ["Standard0", "a1", "b2"] })
            page("dpiSetting").isSave = !!data.unsaved
            if (data.page)
                root.openPage(page(data.page))
            fake.store["mouse/profileNo"] = data.stored
            fake.store.links = { mpv: 2 }
            root.takeOutsideChanges()
            compare(outsideCalls(), data.log)
            compare(root.profileNo, data.profileNo)
            compare(part("profileList").currentSelect, data.profileNo === 2 ? 2 : 0)
            compare(part("noticeLine").visible, !!data.unsaved)
            if (data.unsaved)
                compare(part("noticeLine").text, link[16].replace("%1", "b"))
            compare(part("profile").profileDataModel0.get(2).links, "mpv")
        }

        function test_waitingProfile_data() {
            return [
                // Discarded on Quit: shown from its file, nothing sent.
                { tag: "discard", act: function () { root.requestQuit(); mouseClick(part("unsavedDiscardButton")) },
                  log: showLog.concat(["ui_Ctl.onQuit()"]), profileNo: 2 },
                // Another profile picked: that one goes to the mouse.
                { tag: "another pick", act: function () {
                    pick(part("profileList"), 1); mouseClick(part("unsavedDiscardButton")) },
                  profileNo: 1 },
                { tag: "stay", act: function () { root.requestQuit(); mouseClick(part("unsavedStayButton")) },
                  log: [], profileNo: 0 }
            ]
        }

        // Shown, without sending, when the page closes.
        function test_pageClosingShowsTheWaitingProfile() {
            start({ "mouse/profileNo": "0" }, { getNameList: ["Standard0", "a1", "b2"] })
            root.openPage(page("systemSetting"))
            fake.store["mouse/profileNo"] = "2"
            root.takeOutsideChanges()
            compare(root.profileNo, 0)
            fake.clear()
            page("systemSetting").closed()
            compare(outsideCalls(), showLog)
            compare(root.profileNo, 2)
            compare(root.outsideProfile, -1)
        }

        function test_waitingProfile(data) {
            start({ "mouse/profileNo": "0" }, { getNameList: ["Standard0", "a1", "b2"] })
            page("dpiSetting").isSave = true
            fake.store["mouse/profileNo"] = "2"
            root.takeOutsideChanges()
            fake.clear()
            data.act()
            if (data.log)
                compare(outsideCalls(), data.log)
            compare(root.profileNo, data.profileNo)
            compare(root.outsideProfile, data.profileNo === 0 ? 2 : -1)
        }
    }
}
