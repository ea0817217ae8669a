.pragma library
.import "values.js" as Values
// The texts of the unsaved-changes question and of the refusals (language
// section "prompt"). English is built in; a text the language file leaves
// out or empty stays English, so a question never shows an empty button.

var english = [
    "Unsaved changes",
    "The current profile has changes that are not saved.",
    "Save",
    "Discard",
    "Stay",
    "Six profiles exist already: delete one before importing.",
    "This is the only left button: give the left click to another button first.",
    "The standard profile cannot be deleted.",
    "The profile in use cannot be deleted.",
    "Select a macro before recording.",
    "Six profiles exist already: delete one first."
]

// Index of each refusal's text.
var refusals = {
    importFull: 5,
    onlyLeftButton: 6,
    deleteStandard: 7,
    deleteActive: 8,
    recordNoMacro: 9,
    newFull: 10
}

function merged(loaded) {
    return Values.overEnglish(english, loaded)
}

// The text of a refusal; an unknown reason shows as itself.
function refusalText(texts, reason) {
    var index = refusals[reason]
    return index === undefined ? String(reason) : texts[index]
}
