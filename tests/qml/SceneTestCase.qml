import QtQuick
import QtTest

// A test case over the compiled scene with its page doubles (main screen
// tests). The scene is loaded into `loader`, which the test file places
// beside the case.
TestCase {
    id: test

    property Loader loader
    readonly property Item root: loader ? loader.item : null

    // apConfig and profile values of a 553 gun mouse with eight buttons on
    // profile 1 at 250 Hz; a test's store adds to them.
    readonly property var baseStore: ({
        "mouse/isColorful": "false", "mouse/icType": "553", "mouse/is55328": "false",
        "mouse/is571": "false", "mouse/isGun": "true", "mouse/keyCount": "8",
        "common/language": "English", "common/url": "https://kx20.example/help",
        "mouse/profileNo": "1", "mouse/reportRate": "1"
    })

    when: windowShown

    // A fresh scene over a fresh recorder, before its first initUI; the
    // pages named in realPages ("GunControl.qml") stay real.
    function load(store, answers, realPages) {
        loader.source = ""
        fake.reset()
        fake.pageDoubles = true
        fake.realPages = realPages || []
        fake.store = Object.assign({}, baseStore, store || {})
        fake.answers = Object.assign({ getNameList: ["Standard0", "profile_11"], mouseGetCurrentDPI: 2 },
                                     answers || {})
        loader.source = "qrc:/modules/qml/main.qml"
        verify(root, "main.qml loads")
    }

    // A scene past its first initUI and lock, with an empty call log.
    function start(store, answers, realPages) {
        load(store, answers, realPages)
        root.initUI()
        root.setProtectUI(0)
        fake.clear()
    }

    function part(name) {
        var found = findChild(root, name)
        verify(found, "the scene has " + name)
        return found
    }

    function page(name) {
        verify(fake.pages[name], "the double of " + name + " is loaded")
        return fake.pages[name]
    }

    // The texts the fake gives for a language section.
    function texts(section) {
        var result = []
        for (var i = 0; i < 24; ++i)
            result.push(section + "." + i)
        return result
    }

    function compareLog(expected, what) {
        compare(fake.calls.join("\n"), expected.join("\n"), what || "call log")
    }

    // Picks a row of a drop-down list as the user does, and waits until the
    // list has closed and reported it.
    function pick(list, row) {
        mouseClick(list, list.width / 2, 12)
        tryCompare(list, "isAnimating", false)
        verify(list.isDrop, "the list opened")
        mouseClick(findChild(list, "dropRow" + row))
        tryCompare(list, "isDrop", false)
        tryCompare(list, "isAnimating", false)
    }

    function setAll(object, values) {
        for (var name in values)
            object[name] = values[name]
    }
}
