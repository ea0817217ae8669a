.pragma library
// The lighting page's hue bar: a position p along its usable 183 pixels and
// the colour there. Picking cuts the bar into segments of 30 pixels and
// placing into segments of 30.5, so a colour picked and placed again may sit
// up to 3 pixels from where it was picked (red at the right end goes to the
// left end, the same hue).

var usableLength = 183
var pickSegment = Math.floor(usableLength / 6)
var placeSegment = usableLength / 6
// A marker is 18 pixels wide; its centre marks the position.
var markerHalf = 9

// [red, green, blue] at position p.
function pick(p) {
    var k = Math.floor(p / pickSegment)
    var v = Math.floor((p - k * pickSegment) * 255 / pickSegment)
    switch (k) {
    case 0: return [255, v, 0]
    case 1: return [255 - v, 255, 0]
    case 2: return [0, 255, v]
    case 3: return [0, 255 - v, 255]
    case 4: return [v, 0, 255]
    case 5: return [255, 0, 255 - v]
    default: return p > usableLength - 1 ? [255, 255, 255] : [255, 0, 0]
    }
}

// The position of a colour on the bar; colours the bar does not hold go to
// its left end, white to its right end.
function place(r, g, b) {
    var d = placeSegment
    var u = d / 256
    if (r === 255 && g === 255 && b === 255)
        return usableLength
    if (r === 255 && b === 0)
        return u * g
    if (r === 0 && b === 255)
        return 3 * d + u * (255 - g)
    if (g === 255 && b === 0)
        return d + u * (255 - r)
    if (g === 0 && b === 255)
        return 4 * d + u * r
    if (r === 0 && g === 255)
        return 2 * d + u * b
    if (r === 255 && g === 0)
        return 5 * d + u * (255 - b)
    return 0
}

// A marker's left edge, relative to the bar's, for a colour.
function markerX(r, g, b) {
    return Math.floor(place(r, g, b)) + 1 - markerHalf
}

// The position a marker's left edge stands for.
function positionOf(markerLeft) {
    return markerLeft + markerHalf - 1
}

// How far a dragged marker may go: 8 pixels left of the bar to 10 pixels
// before its right end (bar width 185).
function clampMarker(markerLeft, barWidth) {
    return Math.max(-8, Math.min(barWidth - 10, markerLeft))
}

function hex2(n) {
    var s = Math.max(0, Math.min(255, n | 0)).toString(16)
    return s.length < 2 ? "0" + s : s
}

// "#rrggbb" in lower case, as the blocks hold their colours.
function colourText(r, g, b) {
    return "#" + hex2(r) + hex2(g) + hex2(b)
}

// [red, green, blue] of a "#rrggbb" text.
function rgb(text) {
    var s = String(text)
    return [parseInt(s.substr(1, 2), 16), parseInt(s.substr(3, 2), 16), parseInt(s.substr(5, 2), 16)]
}
