import QtQuick
import QtTest
import "../../modules/qml/basic/sliderMath.js" as SliderMath
import "../../modules/qml/basic/dropMath.js" as DropMath
import "../../modules/qml/J2/gunMath.js" as GunMath

TestCase {
    name: "ControlMath"

    function test_unroll_durations_data() {
        return [
            { tag: "empty", count: 0, list: 180, grid: 180 },
            { tag: "report rate", count: 4, list: 160, grid: 140 },
            { tag: "stage count", count: 8, list: 140, grid: 100 },
            { tag: "media grid", count: 9, list: 135, grid: 90 },
            { tag: "shortcut grid", count: 12, list: 120, grid: 60 },
            { tag: "grid at zero", count: 18, list: 90, grid: 0 },
            { tag: "list at zero", count: 36, list: 0, grid: 0 },
            { tag: "long macro list", count: 50, list: 0, grid: 0 }
        ]
    }

    function test_unroll_durations(data) {
        compare(DropMath.listDuration(data.count), data.list)
        compare(DropMath.gridDuration(data.count), data.grid)
    }

    // Every bar position of every list length: the rows never scroll above
    // the first row nor below the last, and follow the bar without jumps.
    function test_scroll_offsets_follow_the_bar() {
        for (var count = 11; count <= 60; ++count) {
            var last = DropMath.listHeight(count) - DropMath.clipHeight
            var travel = DropMath.scrollBarTravel(count)
            verify(travel > 0, "bar can move with " + count + " rows")
            var previous = -1
            for (var y = -40; y <= DropMath.clipHeight + 40; ++y) {
                var offset = DropMath.scrollOffset(y, count)
                verify(offset >= 0 && offset <= last, count + " rows, bar " + y + ": " + offset)
                verify(offset >= previous, "monotonic at " + count + "/" + y)
                previous = offset
                var barBottom = DropMath.clampScrollBar(y, count) + DropMath.scrollBarHeight(count)
                verify(barBottom <= DropMath.clipHeight)
            }
            compare(DropMath.scrollOffset(0, count), 0)
            compare(DropMath.scrollOffset(travel, count), last)
        }
        verify(!DropMath.hasScrollBar(10))
        compare(DropMath.scrollOffset(100, 10), 0)
    }

    // Every stored fire period and DPI value comes back unchanged through
    // ratio -> knob -> value, as the gun and DPI pages compute it.
    function test_ratio_round_trips() {
        for (var period = 5; period <= 90; ++period) {
            var knob = SliderMath.ratioPosition((period - 5) / 86, 3, 89)
            compare(knob + 1, period, "fire period " + period)
        }
        for (var dpi = 200; dpi <= 6000; dpi += 50) {
            var x = SliderMath.ratioPosition((dpi - 200) / 5800, 3, 161)
            compare(Math.floor(((x - 3) * 5800 / 158 + 200) / 50) * 50, dpi, "dpi " + dpi)
        }
    }

    function test_ratio_stays_on_track() {
        var widths = [94, 100, 104, 176, 352]
        for (var w = 0; w < widths.length; ++w) {
            var min = SliderMath.minPosition()
            var max = SliderMath.maxPosition(widths[w])
            compare(min, 3)
            compare(max, widths[w] - 15)
            for (var r = -0.5; r <= 1.5; r += 0.01) {
                var x = SliderMath.ratioPosition(r, min, max)
                verify(x >= min && x <= max && x === Math.floor(x), widths[w] + "/" + r + ": " + x)
            }
            compare(SliderMath.ratioPosition(0, min, max), min + 1)
            compare(SliderMath.ratioPosition(1, min, max), max)
        }
    }

    // Every knob position of a scaled slider lands on the nearest step at or
    // to its right on a click, and with one pixel of slack on release.
    function test_steps_over_every_position() {
        var segments = [1, 4, 10]
        var widths = [96, 100, 176]
        for (var s = 0; s < segments.length; ++s) {
            for (var w = 0; w < widths.length; ++w) {
                var seg = segments[s]
                var min = 3, max = SliderMath.maxPosition(widths[w])
                var stepSize = (max - min) / seg
                for (var x = min; x <= max; x += 0.5) {
                    var c = SliderMath.clickStep(x, min, max, seg)
                    var cx = SliderMath.indexPosition(c, min, max, seg)
                    verify(cx >= x && cx - x < stepSize, "click " + seg + "/" + x + " -> " + c)
                    var r = SliderMath.releaseStep(x, min, max, seg)
                    var rx = SliderMath.indexPosition(r, min, max, seg)
                    verify(rx + 1 >= x && rx + 1 - x < stepSize, "release " + seg + "/" + x + " -> " + r)
                }
                compare(SliderMath.clickStep(min, min, max, seg), 0)
                compare(SliderMath.clickStep(max, min, max, seg), seg)
                compare(SliderMath.indexPosition(seg, min, max, seg), max)
            }
        }
        compare(SliderMath.indexPosition(3, 3, 85, 0), 3, "no steps: knob stays at the start")
    }

    // The aim dot: every stored Y comes back from the top it is drawn at,
    // a drag beyond either end stops at 0 or 64, and the rate slider's
    // ratio puts the knob on the stored period.
    function test_gun_dot_and_rate() {
        compare(GunMath.dotTop(0), 89)
        compare(GunMath.dotTop(64), 183)
        for (var y = 0; y <= GunMath.maxY; ++y) {
            var top = GunMath.dotTop(y)
            verify(top >= 89 && top <= 183, "Y " + y + ": " + top)
            compare(GunMath.dotY(top), y, "Y " + y)
        }
        var previous = 0
        for (var t = 60; t <= 220; t += 0.5) {
            var shown = GunMath.dotY(t)
            verify(shown >= previous && shown <= 64, "top " + t + ": " + shown)
            previous = shown
        }
        compare(GunMath.dotY(10), 0)
        compare(GunMath.dotY(500), 64)
        compare(GunMath.clampTop(-3), 89)
        compare(GunMath.clampTop(120.5), 120.5)
        for (var period = 5; period <= 90; ++period)
            compare(SliderMath.ratioPosition(GunMath.periodRatio(period), 3, 89) + 1, period, "period " + period)
        compare(GunMath.periodRatio(""), GunMath.periodRatio(10), "a damaged period reads as 10 ms")
    }
}
