import QtQuick
import "theme.js" as Theme

// A line of typed text with the keyboard rules every input of the scene
// keeps: Enter confirms, Escape puts back the text it had when the edit
// began and drops the edit, Tab confirms and goes on to `nextInput`
// (Shift+Tab to `previousInput`). Losing the focus in any other way
// confirms too, so an edit is never left open while something else
// happens: whoever acts first takes the focus away (see EditCloser).
TextInput {
    id: field

    // Tab goes here; an item with takeFocus(), or null to only confirm.
    property Item nextInput: null
    property Item previousInput: null
    property color frameColor: Theme.colorOrange
    // The text when the edit began, put back by Escape.
    property string startText: ""
    property bool cancelling: false

    signal editBegun()
    signal editEnded()
    signal editCancelled()
    // Enter or Return confirmed the edit (after editEnded).
    signal entered()

    function takeFocus() {
        forceActiveFocus()
        selectAll()
    }

    // Confirms by leaving; the edit ends in onActiveFocusChanged.
    function confirm() {
        deselect()
        focus = false
    }

    function cancel() {
        cancelling = true
        text = startText
        deselect()
        focus = false
        cancelling = false
        editCancelled()
    }

    function goTo(other) {
        confirm()
        if (other)
            other.takeFocus()
    }

    color: Theme.fontColor
    selectionColor: Theme.colorOrange
    selectedTextColor: Theme.fontColor
    selectByMouse: true
    clip: true
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize

    Keys.onReturnPressed: { confirm(); entered() }
    Keys.onEnterPressed: { confirm(); entered() }
    Keys.onEscapePressed: cancel()
    Keys.onTabPressed: goTo(nextInput)
    Keys.onBacktabPressed: goTo(previousInput)

    onActiveFocusChanged: {
        if (activeFocus) {
            startText = text
            editBegun()
        } else if (!cancelling) {
            editEnded()
        }
    }

    // Where the keyboard is.
    Rectangle {
        objectName: "focusFrame"
        anchors.fill: parent
        color: "transparent"
        border.color: field.frameColor
        visible: field.activeFocus
    }
}
