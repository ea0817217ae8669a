.pragma library
.import "../basic/sliderMath.js" as SliderMath
// The DPI page's arithmetic: a stage slider's knob position (3 to 161 on its
// 176-pixel track) and the DPI value it stands for, and how the shown
// sliders are spaced.

var trackLength = 176
var minKnob = SliderMath.minPosition()
var maxKnob = SliderMath.maxPosition(trackLength)
var stages = 8

// The value a knob position gives: a multiple of `dpiBase`, from `minDPI`
// at the bottom to `maxDPI` at the top.
function valueAt(x, minDPI, maxDPI, dpiBase) {
    var base = dpiBase > 0 ? dpiBase : 1
    var raw = (x - minKnob) * (maxDPI - minDPI) / (maxKnob - minKnob) + minDPI
    return Math.floor(raw / base) * base
}

// Where a loaded value puts the knob.
function knobFor(value, minDPI, maxDPI) {
    var span = maxDPI - minDPI
    var ratio = span > 0 ? (value - minDPI) / span : 0
    return SliderMath.ratioPosition(ratio, minKnob, maxKnob)
}

// The value a stage shows after loading. The knob can only land on the
// positions the track has, and on a sensor whose range is wide compared
// with its step the value of that position differs from the stored one
// (100 would show as 200 on a 100-16000 sensor in steps of 50); the stage
// keeps its stored value until the user moves it, so Save writes it back
// unchanged. That holds for a stored value outside the range too: it is
// the user's, shown as it is with the knob at the end of the track, and only
// moving the knob replaces it. A stored text that is no whole number shows,
// and is saved as, the lowest value.
function loadedValue(stored, minDPI, maxDPI, dpiBase) {
    var text = String(stored).trim()
    var value = /^[0-9]{1,9}$/.test(text) ? parseInt(text, 10) : NaN
    if (!isNaN(value) && value > 0)
        return value
    return valueAt(minKnob, minDPI, maxDPI, dpiBase)
}

// Spacing of the shown sliders and of their labels, by how many are shown.
var sliderSpacings = [0, 0, 33, 33, 33, 33, 27, 24, 22]
var labelSpacings = [0, 0, 10, 12, 14, 14, 10, 8, 4]

function sliderSpacing(count) {
    return sliderSpacings[Math.max(0, Math.min(stages, count))]
}

function labelSpacing(count) {
    return labelSpacings[Math.max(0, Math.min(stages, count))]
}
