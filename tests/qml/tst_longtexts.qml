import QtQuick
import QtTest

// The main screen under translations far longer than the English texts:
// the pages that show texts on the main screen are real.
Item {
    width: 1024
    height: 640

    Loader {
        id: scene
    }

    SceneTestCase {
        name: "LongTexts"
        loader: scene

        // Every text of the main screen stays inside its box, however long
        // a translation is: set smaller or cut, never over its neighbours.
        function test_longTextsStayInTheirBoxes() {
            var wide = []
            for (var i = 0; i < 24; ++i)
                wide.push("A translation far longer than any box " + i + " WWWWWWWWWWWWWWWW")
            start({}, { getLangStrings: wide }, ["KeyMatrix.qml", "DpiSetting.qml", "LightControl.qml"])
            tryCompare(part("mainScreen"), "visible", true, 3000)
            var checked = 0
            function walk(box, item) {
                for (var k = 0; k < item.children.length; ++k) {
                    var c = item.children[k]
                    if (!c.visible)
                        continue
                    if (c.elide !== undefined && c.text.length > 0) {
                        var left = c.mapToItem(box, 0, 0).x
                        verify(c.contentWidth <= c.width + 1, box.objectName + ": '" + c.text + "' is cut to its width")
                        verify(left >= -1 && left + c.width <= box.width + 1,
                               box.objectName + ": '" + c.text + "' stays in its box")
                        ++checked
                    }
                    walk(box, c)
                }
            }
            for (var name of ["keyMatrix", "editorBox", "systemSettingButton", "dpiSetting", "lightControl",
                              "configButton", "resetButton", "saveButton", "reportRateList"])
                walk(part(name), part(name))
            verify(checked > 20, "texts checked: " + checked)
        }
    }
}
