import QtQuick
import "theme.js" as Theme

// A small field for a whole number (repetitions, an offset, a colour
// component). The page draws the frame around it and acts on
// `endInputSignal()`, which comes every time an edit is confirmed (Enter,
// Tab, or the focus going elsewhere), after an unusable text has been
// turned into "0". Escape puts back the number the edit began with and
// signals nothing.
Item {
    id: root

    property int minValue: 0
    property int maxValue: 255
    property int maxLength: 4
    property alias textValue: field.text
    readonly property alias txtInput: field
    // Tab and Shift+Tab go to these inputs of the page.
    property alias nextInput: field.nextInput
    property alias previousInput: field.previousInput

    signal inputSignal()
    signal endInputSignal()

    width: 48
    height: 20

    Accessible.role: Accessible.EditableText
    Accessible.name: textValue

    function closeFocus() {
        field.confirm()
    }

    function takeFocus() {
        field.takeFocus()
    }

    EditText {
        id: field
        anchors.fill: parent
        horizontalAlignment: TextInput.AlignHCenter
        verticalAlignment: TextInput.AlignVCenter
        text: "0"
        maximumLength: root.maxLength
        validator: IntValidator {
            bottom: root.minValue
            top: root.maxValue
        }

        // The validator lets "300" through in a 0-255 field as unfinished;
        // the field shows only numbers it can hold.
        onTextEdited: {
            var n = parseInt(text, 10)
            if (n > root.maxValue)
                text = String(root.maxValue)
        }

        onEditBegun: root.inputSignal()
        // Editing can leave nothing, or a number below the range; the page
        // always reads back a number it can send.
        onEditEnded: {
            var n = parseInt(text, 10)
            if (text === "" || !(n >= 1))
                text = "0"
            else
                text = String(Math.min(Math.max(n, root.minValue), root.maxValue))
            root.endInputSignal()
        }
    }
}
