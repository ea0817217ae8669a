.pragma library
// Knob arithmetic of the slider. The slider's value is the knob's x in
// pixels; the knob is 12 pixels wide and may overhang each end of the track
// by a quarter of its width.

var knobSize = 12

function minPosition() {
    return knobSize / 4
}

function maxPosition(trackWidth) {
    return trackWidth - knobSize - knobSize / 4
}

function clamp(x, min, max) {
    return Math.max(min, Math.min(max, x))
}

// Tolerance for whole pixels that floating point lands just below:
// 23 / 86 * 86 gives 22.999..., which would load a stored 28 ms fire
// period as 27 ms and save it back so.
var pixelEpsilon = 1e-9

// A stored ratio 0..1 (a DPI value, a fire period) to a knob position. The
// "+ 1" makes a page's value -> ratio -> knob -> value round trip come back
// unchanged; the clamp keeps ratio 1 (and stored values beyond the limits)
// on the track instead of one pixel past its end.
function ratioPosition(ratio, min, max) {
    return clamp(Math.floor((max - min) * ratio + pixelEpsilon) + min + 1, min, max)
}

// Knob position of step i of a slider cut into `segment` equal steps.
function indexPosition(i, min, max, segment) {
    if (segment <= 0)
        return min
    return min + i * (max - min) / segment
}

// Where a click on the track sends the knob: the pointer at the knob's
// centre, kept on the track.
function clickPosition(pointerX, min, max) {
    return clamp(pointerX - knobSize / 2, min, max)
}

// Step taken by a click on a scaled slider: the first step at or right of
// the clicked position, the last step when the click lies beyond them all.
function clickStep(x, min, max, segment) {
    for (var i = 0; i < segment; ++i) {
        if (indexPosition(i, min, max, segment) >= x)
            return i
    }
    return Math.max(segment, 0)
}

// Step taken when a dragged knob of a scaled slider is let go; the one
// pixel of slack keeps a knob dropped just past a step on that step.
function releaseStep(x, min, max, segment) {
    for (var i = 0; i < segment; ++i) {
        if (indexPosition(i, min, max, segment) + 1 >= x)
            return i
    }
    return Math.max(segment, 0)
}
