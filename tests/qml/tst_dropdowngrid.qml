import QtQuick
import QtTest
import "../../modules/qml/basic"

Item {
    width: 400
    height: 300

    ListModel {
        id: media
        ListElement { textValue: "Play" }
        ListElement { textValue: "Stop" }
        ListElement { textValue: "Prev" }
        ListElement { textValue: "Next" }
        ListElement { textValue: "Vol+" }
        ListElement { textValue: "Vol-" }
        ListElement { textValue: "Mute" }
        ListElement { textValue: "Mail" }
        ListElement { textValue: "" }
    }

    DropDownGrid { id: grid; x: 10; y: 10; mdItems: media }

    SignalSpy { id: clickSpy; target: grid; signalName: "btnClick" }

    TestCase {
        name: "DropDownGrid"
        when: windowShown

        function cells() {
            return findChild(grid, "dropCells")
        }

        function init() {
            grid.currentSelect = 0
            clickSpy.clear()
        }

        function cleanup() {
            grid.closeMenu()
            tryCompare(cells(), "count", 0)
        }

        function test_starts_on_first_cell_without_cells() {
            compare(grid.textValue, "Play")
            compare(cells().count, 0)
        }

        function test_head_clicks_ignored_while_moving() {
            mouseClick(grid, 20, 12)
            verify(grid.isDrop && grid.isAnimating)
            mouseClick(grid, 20, 12)
            verify(grid.isDrop)
            compare(clickSpy.count, 2)
            tryCompare(grid, "isAnimating", false)
            compare(cells().count, 9)
        }

        function test_cells_data() {
            return [
                { tag: "first", cell: 0, column: 0, row: 0, chosen: true, text: "Play" },
                { tag: "end of first row", cell: 2, column: 2, row: 0, chosen: true, text: "Prev" },
                { tag: "middle", cell: 4, column: 1, row: 1, chosen: true, text: "Vol+" },
                { tag: "last filled", cell: 7, column: 1, row: 2, chosen: true, text: "Mail" },
                { tag: "empty", cell: 8, column: 2, row: 2, chosen: false, text: "Play" },
                { tag: "empty after a choice", cell: 8, column: 2, row: 2, chosen: false, current: 3,
                  text: "Next" }
            ]
        }

        // Three columns as wide as the head; every click closes the grid and
        // reports, an empty cell on the entry the grid already had.
        function test_cells(data) {
            grid.currentSelect = data.current || 0
            mouseClick(grid, 20, 12)
            tryCompare(grid, "isAnimating", false)
            clickSpy.clear()
            var cell = cells().itemAt(data.cell)
            compare(cell.mapToItem(grid, 0, 0), Qt.point(data.column * grid.width, 24 + data.row * 24))
            mouseClick(cell, 20, 12)
            compare(grid.currentSelect, data.chosen ? data.cell : data.current || 0)
            compare(grid.textValue, data.text)
            verify(!grid.isDrop)
            compare(clickSpy.count, 1)
        }
    }
}
