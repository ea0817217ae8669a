.pragma library
// The system-setting page's sliders: a knob position 3 to 337 becomes the
// speed index 0 to 10 that the pointer settings take.

var thresholds = [4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338]
// The "one screen" choice of the scroll setting.
var oneScreen = 1000
var maxLines = 100

// The index of the first threshold above x; a position at or beyond the
// last gives 0.
function speedIndex(x) {
    for (var i = 0; i < thresholds.length; ++i) {
        if (thresholds[i] > x)
            return i
    }
    return 0
}

// The lines the input stands for: an empty text or a value below 1 is one
// line.
function lines(text) {
    var n = parseInt(String(text), 10)
    return isNaN(n) || n < 1 ? 1 : Math.min(n, maxLines)
}
