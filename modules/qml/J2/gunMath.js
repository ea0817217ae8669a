.pragma library
.import "../common/values.js" as Values
// The gun page's aim dot and rate slider. The recoil Y a gun record holds
// (0 to 64) is drawn as the dot's top inside the 190-pixel target, from
// `topMin` (no recoil) down to `topMax` (the most); the rate slider's knob
// runs from 3 to 89 for fire periods of 4 to 90 ms.

var maxY = 64
var topMin = 89
var topMax = 183
var topSpan = topMax - topMin
// The knob's first position stands for this period, one millisecond per
// pixel after it.
var firstPeriod = 5
var periodSpan = 86

// The dot's top for a stored Y.
function dotTop(y) {
    return topSpan * y / maxY + topMin
}

// Where a dragged dot may stop.
function clampTop(top) {
    return Math.max(topMin, Math.min(topMax, top))
}

// The Y a dot's top stands for (a whole number, 0 to 64).
function dotY(top) {
    return Math.floor((clampTop(top) - topMin) / topSpan * maxY)
}

// The rate slider's position, 0 to 1, for a stored period; a missing or
// damaged period counts as 10 ms.
function periodRatio(period) {
    return (Values.toInt(period, 10) - firstPeriod) / periodSpan
}
