import QtQuick
import QtTest
import "../../modules/qml/basic"
import "../../modules/qml/basic/theme.js" as Theme

Item {
    width: 500
    height: 300

    PictureButton { id: ask; x: 20; y: 20; name: "ask"; hasPressed: true; margin: 3 }
    PictureButton { id: back; x: 60; y: 20; name: "back" }
    TextButton { id: save; x: 20; y: 60; textValue: "Save" }

    // The page under the title, as a dialog frame would drag it.
    MouseArea { id: page; x: 0; y: 120; width: 416; height: 120 }
    FrameTitle { id: title; x: 0; y: 120; textValue: "System Setting" }

    SignalSpy { id: askSpy; target: ask; signalName: "clicked" }
    SignalSpy { id: saveSpy; target: save; signalName: "clicked" }
    SignalSpy { id: closeSpy; target: title; signalName: "closeClick" }
    SignalSpy { id: restoreSpy; target: title; signalName: "restoreClick" }
    SignalSpy { id: pageSpy; target: page; signalName: "pressed" }

    TestCase {
        name: "Buttons"
        when: windowShown

        function byAccessibleName(item, name) {
            if (item.Accessible && item.Accessible.name === name && item.visible)
                return item
            for (var i = 0; i < item.children.length; ++i) {
                var found = byAccessibleName(item.children[i], name)
                if (found)
                    return found
            }
            return null
        }

        function picture(button) {
            var source = String(findChild(button, "picture").source)
            return source.substring(source.lastIndexOf("/") + 1)
        }

        function init() {
            mouseMove(page, 400, 110)
            var spies = [askSpy, saveSpy, closeSpy, restoreSpy, pageSpy]
            for (var i = 0; i < spies.length; ++i)
                spies[i].clear()
        }

        function test_pictures_by_state_data() {
            return [
                { tag: "at rest", button: ask, state: "rest", picture: "ask.png" },
                { tag: "under the pointer", button: ask, state: "hover", picture: "askH.png" },
                { tag: "pressed", button: ask, state: "press", picture: "askP.png" },
                { tag: "pressed, no pressed picture", button: back, state: "press", picture: "backH.png" }
            ]
        }

        function test_pictures_by_state(data) {
            if (data.state !== "rest")
                mouseMove(data.button, 8, 8)
            if (data.state === "press")
                mousePress(data.button, 8, 8)
            compare(picture(data.button), data.picture)
            if (data.state === "press")
                mouseRelease(data.button, 8, 8)
        }

        function test_sensitive_margin_data() {
            return [
                { tag: "inside", x: 8, hits: 1 },
                { tag: "in the margin", x: -3, hits: 1 },
                { tag: "beyond the margin", x: -4, hits: 0 }
            ]
        }

        function test_sensitive_margin(data) {
            mouseClick(ask, data.x, 8)
            compare(askSpy.count, data.hits)
        }

        function test_text_button_colours_data() {
            return [
                { tag: "at rest", base: Theme.colorBlue, hover: false, colour: Theme.colorBlue },
                { tag: "under the pointer", base: Theme.colorBlue, hover: true, colour: Theme.colorOrange },
                { tag: "unsaved", base: Theme.colorRed, hover: false, colour: Theme.colorRed },
                { tag: "unsaved, under the pointer", base: Theme.colorRed, hover: true, colour: Theme.colorOrange }
            ]
        }

        function test_text_button_colours(data) {
            save.baseColor = data.base
            if (data.hover)
                mouseMove(save, 50, 12)
            verify(Qt.colorEqual(save.color, data.colour), String(save.color))
            mouseClick(save, 50, 12)
            compare(saveSpy.count, 1)
            save.baseColor = Theme.colorBlue
        }

        function test_title_buttons_data() {
            return [{ tag: "close only", restore: false }, { tag: "with restore", restore: true }]
        }

        // Found by their accessible names; 16 pixels from the right edge and
        // from each other; the empty strip lets presses through to the page.
        function test_title_buttons(data) {
            title.hasRestore = data.restore
            var close = byAccessibleName(title, "Close")
            compare(close.mapToItem(title, 0, 0).x + close.width, title.width - 16)
            mouseClick(close, -3, 8)
            compare(closeSpy.count, 1)
            var restore = byAccessibleName(title, "Restore")
            compare(restore !== null, data.restore)
            if (restore) {
                compare(close.mapToItem(title, 0, 0).x - restore.mapToItem(title, restore.width, 0).x, 16)
                mouseClick(restore, 8, 8)
                compare(restoreSpy.count, 1)
            }
            mousePress(title, 200, 20)
            mouseRelease(title, 200, 20)
            compare(pageSpy.count, 1)
            compare(closeSpy.count + restoreSpy.count, data.restore ? 2 : 1)
        }
    }
}
