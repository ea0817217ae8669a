import QtQuick
import "../basic"
import "../basic/theme.js" as Theme
import "mainTexts.js" as MainTexts

// Config, Reset and Save. Save is red while a page holds unsaved changes.
Row {
    id: bar

    property var mainLang: []
    property bool hasUnsaved: false

    signal configClick()
    signal resetClick()
    signal saveClick()

    spacing: 16

    function refreshHover() {
        for (var i = 0; i < children.length; ++i) {
            if (children[i].refreshHover)
                children[i].refreshHover()
        }
    }

    TextButton {
        objectName: "configButton"
        textValue: bar.mainLang[MainTexts.config] || ""
        onClicked: bar.configClick()
    }
    TextButton {
        objectName: "resetButton"
        textValue: bar.mainLang[MainTexts.reset] || ""
        onClicked: bar.resetClick()
    }
    TextButton {
        objectName: "saveButton"
        textValue: bar.mainLang[MainTexts.save] || ""
        baseColor: bar.hasUnsaved ? Theme.colorRed : Theme.colorBlue
        onClicked: bar.saveClick()
    }
}
