.pragma library
// Sizes and timings of the drop-down list and grid: rows of 24 pixels, at
// most ten rows visible, and an unrolling that is quicker the more rows
// there are.

var rowHeight = 24
var visibleRows = 10
var clipHeight = rowHeight * visibleRows
var scrollBarWidth = 12
var minScrollBarHeight = 24

// Long lists would give a negative time; they open at once instead.
function listDuration(count) {
    return Math.max(0, 180 - 5 * count)
}

function gridDuration(count) {
    return Math.max(0, 180 - 10 * count)
}

function gridRows(count) {
    return Math.ceil(Math.max(0, count) / 3)
}

function listHeight(count) {
    return rowHeight * Math.max(0, count)
}

function viewHeight(count) {
    return rowHeight * Math.min(Math.max(0, count), visibleRows)
}

function hasScrollBar(count) {
    return count > visibleRows
}

// The bar is as long, relative to the view, as the view is relative to the
// whole list; it never gets shorter than a row so it stays easy to grab.
function scrollBarHeight(count) {
    if (!hasScrollBar(count))
        return clipHeight
    return Math.max(minScrollBarHeight, Math.floor(clipHeight * visibleRows / count))
}

// Lowest y of the bar: its bottom on the view's bottom edge.
function scrollBarTravel(count) {
    return clipHeight - scrollBarHeight(count)
}

function clampScrollBar(barY, count) {
    return Math.max(0, Math.min(scrollBarTravel(count), barY))
}

// How far the rows are scrolled up for a bar at barY.
function scrollOffset(barY, count) {
    var travel = scrollBarTravel(count)
    if (travel <= 0)
        return 0
    return clampScrollBar(barY, count) * (listHeight(count) - clipHeight) / travel
}

// The bar's y for rows scrolled up by `offset` (the inverse of scrollOffset).
function barForOffset(offset, count) {
    var range = listHeight(count) - clipHeight
    if (range <= 0)
        return 0
    return offset * scrollBarTravel(count) / range
}
