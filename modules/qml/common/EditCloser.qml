import QtQuick
import "../basic"

// Lies over the whole scene and sees every press first: an open text edit
// is confirmed on the item it was opened on before the press reaches what
// the user clicked (another macro, New, a colour block, the profile list,
// a close picture). A press inside the edit itself leaves it open. The
// press then goes on as if this were not here.
MouseArea {
    id: closer

    // Where the focus goes when an edit ends.
    property Item parkItem: parent

    anchors.fill: parent
    acceptedButtons: Qt.AllButtons

    // The edit field that holds the keyboard, or null.
    function openEdit() {
        var item = closer.Window.activeFocusItem
        return item instanceof EditText ? item : null
    }

    // Confirms the open edit, if any.
    function finish() {
        if (openEdit())
            parkItem.forceActiveFocus()
    }

    onPressed: function (mouse) {
        var edit = openEdit()
        if (edit) {
            var p = mapToItem(edit, mouse.x, mouse.y)
            if (!edit.contains(p))
                parkItem.forceActiveFocus()
        }
        mouse.accepted = false
    }
}
