import QtQuick
import QtTest
import "../../modules/qml/basic"

Item {
    width: 400
    height: 640

    ListModel {
        id: rates
        ListElement { textValue: "125Hz" }
        ListElement { textValue: "250Hz" }
        ListElement { textValue: "500Hz" }
        ListElement { textValue: "1000Hz" }
    }
    ListModel { id: macros }
    ListModel { id: huge }

    DropDownList { id: rateList; x: 10; y: 10; mdItems: rates }
    DropDownList { id: macroList; x: 200; y: 10; width: 160; mdItems: macros; currentSelect: 0 }
    DropDownList { id: hugeList; x: 10; y: 300; mdItems: huge; currentSelect: 0 }

    SignalSpy { id: clickSpy; signalName: "btnClick" }
    SignalSpy { id: valueSpy; signalName: "valueChange" }
    SignalSpy { id: dragSpy; signalName: "dragSignal" }

    TestCase {
        id: test
        name: "DropDownList"
        when: windowShown

        // What the list looked like when it reported a choice.
        property var stateAtValueChange: null

        Connections {
            target: rateList
            function onValueChange(index) {
                test.stateAtValueChange = { moving: rateList.isAnimating, rows: test.rows(rateList).count }
            }
        }

        function rows(list) {
            return findChild(list, "dropRows")
        }

        function fill(model, n) {
            model.clear()
            for (var i = 0; i < n; ++i)
                model.append({ textValue: "Macro " + i })
        }

        function watch(list) {
            var spies = [clickSpy, valueSpy, dragSpy]
            for (var i = 0; i < spies.length; ++i) {
                spies[i].target = list
                spies[i].clear()
            }
            stateAtValueChange = null
        }

        function clickHead(list) {
            mouseClick(list, 20, 12)
        }

        function openFully(list) {
            clickHead(list)
            verify(list.isDrop)
            tryCompare(list, "isAnimating", false)
        }

        function closeFully(list) {
            list.closeMenu()
            tryCompare(rows(list), "count", 0)
        }

        function init() {
            rateList.currentSelect = 2
        }

        // Each test starts from closed lists, whatever the last one left.
        function cleanup() {
            var lists = [rateList, macroList, hugeList]
            for (var i = 0; i < lists.length; ++i) {
                tryCompare(lists[i], "isAnimating", false)
                lists[i].closeMenu()
                tryCompare(rows(lists[i]), "count", 0)
            }
        }

        function test_head_text_data() {
            return [
                { tag: "until a page chooses", select: 2, text: "500Hz" },
                { tag: "first row", select: 0, text: "125Hz" },
                { tag: "past the end", select: 7, text: "" },
                { tag: "none", select: -1, text: "" }
            ]
        }

        function test_head_text(data) {
            rateList.currentSelect = data.select
            compare(rateList.textValue, data.text)
            compare(rows(rateList).count, 0, "no rows while closed")
        }

        function test_head_follows_language_texts() {
            rates.setProperty(2, "textValue", "500 Hz")
            compare(rateList.textValue, "500 Hz")
            rates.setProperty(2, "textValue", "500Hz")
            compare(rateList.textValue, "500Hz")
        }

        function test_head_clicks_ignored_while_moving() {
            watch(rateList)
            clickHead(rateList)
            verify(rateList.isDrop && rateList.isAnimating)
            clickHead(rateList)
            verify(rateList.isDrop, "a second click does not reverse the unrolling")
            compare(clickSpy.count, 2, "every head click is reported")
            tryCompare(rateList, "isAnimating", false)
            compare(rows(rateList).count, 4)

            clickHead(rateList)
            verify(!rateList.isDrop && rateList.isAnimating)
            clickHead(rateList)
            verify(!rateList.isDrop, "a click while rolling up does not reopen")
            tryCompare(rows(rateList), "count", 0)
            compare(valueSpy.count, 0, "closing from the head chooses nothing")
        }

        // A row picked while the list is still unrolling becomes current at
        // once, but is reported only when the rows are gone.
        function test_choice_reported_after_close() {
            watch(rateList)
            clickHead(rateList)
            var row = rows(rateList).itemAt(3)
            tryVerify(function() { return row.mapToItem(rateList, 0, 0).y >= 24 }, 1000,
                      "last row slides into view")
            verify(rateList.isAnimating, "still unrolling")
            mouseClick(row, 20, 12)
            compare(rateList.currentSelect, 3)
            compare(rateList.textValue, "1000Hz")
            verify(!rateList.isDrop)
            compare(valueSpy.count, 0)
            clickHead(rateList)
            verify(!rateList.isDrop, "head ignored while rolling up")
            valueSpy.wait(1000)
            compare(valueSpy.signalArguments[0][0], 3)
            compare(stateAtValueChange, { moving: false, rows: 0 })
        }

        function test_close_menu_only_at_rest() {
            watch(rateList)
            clickHead(rateList)
            rateList.closeMenu()
            verify(rateList.isDrop, "an unrolling list finishes unrolling")
            tryCompare(rateList, "isAnimating", false)
            closeFully(rateList)
            verify(!rateList.isDrop)
            compare(valueSpy.count, 0)
        }

        function test_scroll_bar_shown_above_ten_rows_data() {
            return [
                { tag: "four", rows: 4, bar: false, view: 96 },
                { tag: "ten", rows: 10, bar: false, view: 240 },
                { tag: "eleven", rows: 11, bar: true, view: 240 },
                { tag: "thirty", rows: 30, bar: true, view: 240 }
            ]
        }

        function test_scroll_bar_shown_above_ten_rows(data) {
            fill(macros, data.rows)
            openFully(macroList)
            compare(findChild(macroList, "scrollBar").visible, data.bar)
            var last = rows(macroList).itemAt(data.rows - 1)
            compare(last.mapToItem(macroList, 0, 0).y + 24 > 24 + data.view, data.bar,
                    "rows beyond the view only when there is a bar")
        }

        function test_scroll_bar_drag_stops_at_both_ends() {
            fill(macros, 15)
            watch(macroList)
            openFully(macroList)
            var bar = findChild(macroList, "scrollBar")
            var first = rows(macroList).itemAt(0)
            var last = rows(macroList).itemAt(14)
            mousePress(bar, 6, 10)
            compare(dragSpy.count, 1)
            compare(dragSpy.signalArguments[0][0], true)
            mouseMove(bar, 6, -60)
            compare(first.mapToItem(macroList, 0, 0).y, 24, "never above the first row")
            mouseMove(bar, 6, 400)
            compare(bar.y + bar.height, 240, "bar stops at the bottom of the view")
            compare(last.mapToItem(macroList, 0, 0).y + 24, 264, "last row at the bottom")
            mouseMove(bar, 6, -400)
            compare(first.mapToItem(macroList, 0, 0).y, 24, "back at the first row")
            mouseRelease(bar, 6, -400)
            compare(dragSpy.count, 2)
            compare(dragSpy.signalArguments[1][0], false)
            verify(macroList.isDrop, "dragging the bar keeps the list open")
        }

        // Forty rows would give a negative animation time; the list opens
        // and closes at once and still reports the choice.
        function test_long_list_still_works() {
            fill(huge, 40)
            watch(hugeList)
            clickHead(hugeList)
            tryCompare(hugeList, "isAnimating", false)
            verify(hugeList.isDrop)
            compare(rows(hugeList).count, 40)
            mouseClick(rows(hugeList).itemAt(2), 20, 12)
            tryCompare(valueSpy, "count", 1)
            compare(valueSpy.signalArguments[0][0], 2)
            compare(hugeList.textValue, "Macro 2")
            compare(rows(hugeList).count, 0)
        }
    }
}
