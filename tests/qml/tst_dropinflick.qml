import QtQuick
import QtTest
import "../../modules/qml/basic"

// A drop-down inside a scrolling page, as the button dialog's macro list:
// the open list scrolls its own rows by wheel and bar, and the page keeps
// still meanwhile.
Item {
    width: 400
    height: 400

    ListModel { id: macros }
    ListModel {
        id: cells
        ListElement { textValue: "Play" }
        ListElement { textValue: "" }
    }

    Flickable {
        id: page
        width: 400
        height: 360
        contentHeight: 830
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        DropDownList { id: list; x: 24; y: 100; z: 2; width: 160; mdItems: macros; currentSelect: -1 }
        DropDownGrid { id: grid; x: 220; y: 100; z: 2; mdItems: cells }
    }

    TestCase {
        name: "DropInFlick"
        when: windowShown

        function openList(n) {
            macros.clear()
            for (var i = 0; i < n; ++i)
                macros.append({ textValue: "Macro_" + i })
            page.contentY = 0
            mouseClick(list, 40, 12)
            tryCompare(list, "isAnimating", false)
            verify(list.isDrop)
        }

        function cleanup() {
            list.closeMenu()
            grid.closeMenu()
            tryCompare(list, "isAnimating", false)
            tryCompare(grid, "isAnimating", false)
        }

        // The eleventh and twelfth macros come into sight by the wheel; the
        // page stays where it was.
        function test_wheelScrollsTheRows() {
            openList(12)
            var last = findChild(list, "dropRow11")
            verify(last.mapToItem(list, 0, 0).y >= 24 + 240, "row 12 starts out of sight")
            mouseWheel(list, 40, 120, 0, -120)
            mouseWheel(list, 40, 120, 0, -120)
            compare(page.contentY, 0)
            compare(last.mapToItem(list, 0, 0).y, 24 + 216)
            mouseClick(last, 40, 12)
            tryCompare(list, "isDrop", false)
            compare(list.currentSelect, 11)
        }

        function test_wheelNeverScrollsPastTheEnds() {
            openList(12)
            for (var i = 0; i < 5; ++i)
                mouseWheel(list, 40, 120, 0, -120)
            compare(findChild(list, "dropRow11").mapToItem(list, 0, 0).y, 24 + 216)
            for (i = 0; i < 5; ++i)
                mouseWheel(list, 40, 120, 0, 120)
            compare(findChild(list, "dropRow0").mapToItem(list, 0, 0).y, 24)
            compare(page.contentY, 0)
        }

        // Dragging the bar moves the rows, not the page (scrolled a little,
        // so that a page taking the drag would move).
        function test_barDragScrollsTheRowsOnly() {
            openList(12)
            page.contentY = 50
            var bar = findChild(list, "scrollBar")
            verify(bar.visible)
            var p = bar.mapToItem(list, 6, 10)
            mousePress(list, p.x, p.y)
            for (var d = 10; d <= 100; d += 10)
                mouseMove(list, p.x, p.y + d)
            mouseRelease(list, p.x, p.y + 100)
            compare(page.contentY, 50)
            verify(findChild(list, "dropRow0").mapToItem(list, 0, 0).y < 24, "the rows moved up")
        }

        function test_wheelOverAnOpenGridKeepsThePage() {
            page.contentY = 0
            mouseClick(grid, 40, 12)
            tryCompare(grid, "isAnimating", false)
            mouseWheel(grid, 40, 36, 0, -120)
            compare(page.contentY, 0)
        }

        // Closed, the wheel scrolls the page as before.
        function test_wheelOverTheClosedHeadScrollsThePage() {
            macros.clear()
            page.contentY = 0
            mouseWheel(page, 40, 300, 0, -120)
            tryVerify(() => page.contentY > 0)
        }
    }
}
