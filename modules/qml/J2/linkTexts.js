.pragma library
.import "../common/values.js" as Values
// The texts of linking profiles to applications (language section
// "profileLink"). English is built in; a text the language file leaves out
// or empty stays English.

var english = [
    "Link to apps",
    "Applications for %1",
    "Open windows",
    "Or type a window class or program name:",
    "Link",
    "Linked to this profile",
    "Remove",
    "No application is linked yet.",
    "No open windows to list.",
    "%1 moved here from %2.",
    "This desktop does not tell the program which application is in front: links are kept but not followed.",
    "Not a usable name: up to 64 characters and no slashes.",
    "The link could not be stored: the settings file cannot be written.",
    "This profile cannot have links.",
    "Linked: %1",
    "linked",
    "kx20ctl chose %1: it shows once your changes are saved or discarded.",
    "%1 now switches to this profile."
]

// Index of each text.
var t = {
    menu: 0,
    title: 1,
    openWindows: 2,
    typeName: 3,
    link: 4,
    linked: 5,
    remove: 6,
    noLinks: 7,
    noWindows: 8,
    moved: 9,
    noFocus: 10,
    linkName: 11,
    linkNotStored: 12,
    linkProfile: 13,
    markTip: 14,
    mark: 15,
    outsideWaits: 16,
    added: 17
}

function merged(loaded) {
    return Values.overEnglish(english, loaded)
}

// The text `key` with %1, %2 filled in.
function text(texts, key, a, b) {
    var s = String(texts[t[key]] === undefined ? key : texts[t[key]])
    return s.replace("%1", a === undefined ? "" : a).replace("%2", b === undefined ? "" : b)
}
