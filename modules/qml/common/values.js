.pragma library
// The settings files hold text: "true", "560", "3". These turn what the
// bridge returns into the types the scene works with, with a defined answer
// for a missing or damaged value.

// The settings files' rule for a flag: false for a missing value, an empty
// text, "0" or "false" in any letter case; true for anything else.
function toBool(v) {
    if (v === true || v === false)
        return v
    if (v === undefined || v === null)
        return false
    var s = String(v).trim().toLowerCase()
    return s !== "" && s !== "0" && s !== "false"
}

function toInt(v, fallback) {
    var n = parseInt(String(v), 10)
    return isNaN(n) ? (fallback === undefined ? 0 : fallback) : n
}

function toText(v) {
    return v === undefined || v === null ? "" : String(v)
}

// A language section's texts over the built-in English ones: a text the
// file leaves out or empty stays English.
function overEnglish(english, loaded) {
    var texts = english.slice()
    for (var i = 0; i < texts.length && loaded && i < loaded.length; ++i) {
        var t = toText(loaded[i])
        if (t !== "")
            texts[i] = t
    }
    return texts
}
