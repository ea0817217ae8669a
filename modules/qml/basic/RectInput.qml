import QtQuick
import "theme.js" as Theme

// A small field for a whole number (repetitions, an offset, a colour
// component). The page draws the frame around it and acts on
// `endInputSignal()`, which comes every time the input is left, after an
// unusable text has been turned into "0".
Item {
    id: root

    property int minValue: 0
    property int maxValue: 255
    property int maxLength: 4
    property alias textValue: field.text
    readonly property alias txtInput: field

    signal inputSignal()
    signal endInputSignal()

    width: 48
    height: 20

    Accessible.role: Accessible.EditableText
    Accessible.name: textValue

    function closeFocus() {
        field.deselect()
        field.focus = false
    }

    TextInput {
        id: field
        anchors.fill: parent
        horizontalAlignment: TextInput.AlignHCenter
        verticalAlignment: TextInput.AlignVCenter
        text: "0"
        maximumLength: root.maxLength
        selectByMouse: true
        clip: true
        color: Theme.fontColor
        selectionColor: Theme.colorOrange
        selectedTextColor: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        validator: IntValidator {
            bottom: root.minValue
            top: root.maxValue
        }

        Keys.onReturnPressed: root.closeFocus()
        Keys.onEnterPressed: root.closeFocus()

        onActiveFocusChanged: {
            if (activeFocus) {
                root.inputSignal()
                return
            }
            // Editing can leave nothing, or a number the validator lets
            // through only as unfinished ("300" in a 0-255 field); the page
            // always reads back a number it can send.
            var n = parseInt(text, 10)
            if (text === "" || !(n >= 1))
                text = "0"
            else
                text = String(Math.min(Math.max(n, root.minValue), root.maxValue))
            root.endInputSignal()
        }
    }
}
