import QtQuick
import "../basic/theme.js" as Theme
import "mainTexts.js" as MainTexts

// The editor box of the left panel: the way into the macro editor and, on
// gun models, the gun page.
Rectangle {
    id: box

    property var mainLang: []
    property bool isGun: true

    signal macroEditorClick()
    signal gunEditorClick()

    width: 232
    height: isGun ? 100 : 76
    color: Theme.colorBlack

    Text {
        x: 8
        y: 12
        width: box.width - 16
        elide: Text.ElideRight
        text: box.mainLang[MainTexts.editor] || ""
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
    }

    Column {
        x: 8
        y: 40
        EditorEntry {
            objectName: "macroEditorEntry"
            textValue: box.mainLang[MainTexts.macroEditor] || ""
            onClicked: box.macroEditorClick()
        }
        Rectangle {
            visible: box.isGun
            width: 216
            height: 1
            color: Theme.colorGray0
        }
        EditorEntry {
            objectName: "gunEditorEntry"
            visible: box.isGun
            textValue: box.mainLang[MainTexts.gunEditor] || ""
            onClicked: box.gunEditorClick()
        }
    }
}
