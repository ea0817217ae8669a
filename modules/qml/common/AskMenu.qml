import QtQuick
import "../basic/theme.js" as Theme

// The help menu: the maker's web address, which opens in the browser, the
// version, and the installed languages; the one in use is marked, picking
// another switches the window to it.
Rectangle {
    id: askMenu

    property string url: ""
    // {name, title} of each installed language, and the name of the one in use.
    property var languages: []
    property string language: ""

    signal languagePicked(string name)

    x: 1024 - 300
    y: 30
    width: 200
    height: rows.count * 24 + 2
    color: Theme.colorGray0
    border.color: Theme.colorGray1
    visible: false
    z: 20
    Accessible.role: Accessible.PopupMenu
    Accessible.name: "Help"

    function closeMenu() {
        visible = false
    }

    function rowsModel() {
        var model = [{ text: askMenu.url, name: "" }, { text: "verison:1.0", name: "" }]
        for (var i = 0; i < languages.length; ++i) {
            var mark = languages[i].name === language ? "\u2713 " : "    "
            model.push({ text: mark + languages[i].title, name: languages[i].name })
        }
        return model
    }

    Column {
        x: 1
        y: 1
        Repeater {
            id: rows
            model: askMenu.rowsModel()
            delegate: Rectangle {
                required property int index
                required property var modelData
                objectName: modelData.name !== "" ? "language_" + modelData.name : "helpRow" + index
                width: askMenu.width - 2
                height: 24
                color: area.containsMouse ? Theme.colorOrange : "transparent"
                Accessible.role: Accessible.MenuItem
                Accessible.name: modelData.text

                // The languages under a rule of their own.
                Rectangle {
                    visible: index === 2
                    width: parent.width
                    height: 1
                    color: Theme.colorGray1
                }

                Text {
                    x: 8
                    width: parent.width - 16
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData.text
                    elide: Text.ElideRight
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        var picked = modelData.name
                        if (index === 0 && askMenu.url !== "")
                            Qt.openUrlExternally(askMenu.url)
                        askMenu.closeMenu()
                        // Last: a new language rebuilds these rows.
                        if (picked !== "" && picked !== askMenu.language)
                            askMenu.languagePicked(picked)
                    }
                }
            }
        }
    }
}
