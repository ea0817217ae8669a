import QtQuick
import QtTest

// A test case over one real page of the compiled scene (qrc:/modules/qml/J2/),
// loaded into `loader` over a fresh recorder whose store holds the settings
// the page reads.
TestCase {
    id: test

    property Loader loader
    // The page's file name, e.g. "DpiSetting.qml".
    property string pageFile
    readonly property Item page: loader ? loader.item : null

    when: windowShown

    // A fresh page over `store`, with `properties` set before its first
    // init(false, false) and an empty call log after it.
    function start(store, properties) {
        loader.source = ""
        fake.reset()
        fake.pageDoubles = false
        fake.store = Object.assign({}, store)
        loader.setSource("qrc:/modules/qml/J2/" + pageFile, properties || {})
        verify(page, pageFile + " loads")
        page.init(false, false)
        fake.clear()
        return page
    }

    function part(name) {
        var found = findChild(page, name)
        verify(found, pageFile + " has " + name)
        return found
    }

    // The calls of one operation, e.g. "mouseSetDpi".
    function callsOf(name) {
        return fake.calls.filter(function (c) { return c.indexOf(name + "(") === 0 })
    }

    // Picks a row of a drop-down list as the user does.
    function pick(list, row) {
        mouseClick(list, list.width / 2, 12)
        tryCompare(list, "isAnimating", false)
        verify(list.isDrop, "the list opened")
        mouseClick(findChild(list, "dropRow" + row))
        tryCompare(list, "isDrop", false)
        tryCompare(list, "isAnimating", false)
    }

    function range(from, to) {
        var list = []
        for (var i = from; i <= to; ++i)
            list.push(i)
        return list
    }
}
