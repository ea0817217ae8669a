import QtQuick
import "../basic"
import "../common"
import "../basic/theme.js" as Theme
import "../common/values.js" as Values
import "pointerMath.js" as PointerMath

// The system-setting page: pointer speed, double-click speed and wheel
// scrolling. Every change is stored and applied at once.
DialogFrame {
    id: page

    property var systemSettingLang: ["System Setting", "Mouse Speed", "Double Click Speed", "Slow", "Fast",
        "Scroll Speed", "Number of Rows", "Scroll one Screen", "This desktop has no such setting", "", "", "", "", "",
        ""]
    // Knob positions (3 to 337) of the two sliders, stored as they are.
    property int mouseRate: 170
    property int doubleRate: 170
    // Scrolling: a number of lines, or one screen at a time.
    property bool isOneScreen: false
    property string linesText: "1"
    // Which of the three settings the user's desktop keeps; the page says
    // so beside a control whose setting goes nowhere.
    property var available: [true, true, true]

    signal closed()
    // The lines input took the focus: the main screen closes its menus.
    signal focusMain()

    width: 416
    height: 312
    title: systemSettingLang[0] || ""
    hasRestore: true
    body: pageBody

    Component.onCompleted: {
        var kept = ui_View.pointerSettingsAvailable()
        if (kept && kept.length === 3)
            available = kept
    }

    function init(isSendData, isRecovery) {
        mouseRate = Values.toInt(ui_View.getData("mouse/mouseRate", isRecovery), mouseRate)
        doubleRate = Values.toInt(ui_View.getData("mouse/doubleRate", isRecovery), doubleRate)
        var scroll = Values.toInt(ui_View.getData("mouse/scrollRate", isRecovery), 1)
        isOneScreen = scroll > PointerMath.maxLines
        if (!isOneScreen)
            linesText = String(PointerMath.lines(scroll))
        if (bodyItem)
            bodyItem.load()
        if (isSendData)
            saveData(true, sendAll)
    }

    // What saveData sends (its isStep): all three settings or the one a
    // control changed. The three values are always stored.
    readonly property int sendAll: 0
    readonly property int sendPointerSpeed: 1
    readonly property int sendDoubleClick: 2
    readonly property int sendScrolling: 3

    function saveData(isSendData, isStep) {
        var scroll = isOneScreen ? PointerMath.oneScreen : PointerMath.lines(linesText)
        ui_View.setData("mouse/mouseRate", mouseRate)
        ui_View.setData("mouse/doubleRate", doubleRate)
        ui_View.setData("mouse/scrollRate", scroll)
        if (!isSendData)
            return
        if (isStep === sendAll || isStep === sendPointerSpeed)
            ui_View.mouseSetCursorSpeed(PointerMath.speedIndex(mouseRate))
        if (isStep === sendAll || isStep === sendDoubleClick)
            ui_View.mouseSetDoubleClickSpeed(PointerMath.speedIndex(doubleRate))
        if (isStep === sendAll || isStep === sendScrolling)
            ui_View.mouseSetVerticalScrollLines(scroll)
    }

    function chooseScroll(oneScreen) {
        isOneScreen = oneScreen
        saveData(true, sendScrolling)
    }

    // The lines input as it is left: nothing, or less than one, is one line.
    function endLinesInput(text) {
        linesText = String(PointerMath.lines(text))
        saveData(true, sendScrolling)
    }

    function systemSettingFocus() {
        if (bodyItem)
            bodyItem.linesInput.closeFocus()
    }

    function close() {
        systemSettingFocus()
        visible = false
        closed()
    }

    onCloseClick: close()
    onRestoreClick: {
        systemSettingFocus()
        init(true, true)
    }

    Component {
        id: pageBody

        Item {
            id: content

            readonly property alias linesInput: linesInput
            // Positions relative to the page, below its title strip.
            readonly property int pageTop: -page.titleHeight - 1

            // Shows the page's values without sending anything.
            function load() {
                speedSlider.setValue(page.mouseRate)
                doubleSlider.setValue(page.doubleRate)
                linesInput.textValue = page.linesText
                showScroll()
            }

            // A radio button only ever selects itself; the page's choice
            // decides both.
            function showScroll() {
                linesButton.isSelect = !page.isOneScreen
                oneScreenButton.isSelect = page.isOneScreen
            }

            Component.onCompleted: load()

            Connections {
                target: page
                function onIsOneScreenChanged() { content.showScroll() }
            }

            PageText {
                objectName: "speedNote"
                x: page.width - 32 - width
                y: content.pageTop + 57
                width: 200
                horizontalAlignment: Text.AlignRight
                elide: Text.ElideRight
                visible: !page.available[0]
                text: page.systemSettingLang[8] || ""
                color: Theme.colorGray2
                font.pixelSize: Theme.fontMinSize
            }

            Text {
                x: 32
                y: content.pageTop + 56
                text: page.systemSettingLang[1] || ""
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                font.bold: true
            }

            SliderButton {
                id: speedSlider
                objectName: "speedSlider"
                x: 32
                y: content.pageTop + 82
                width: 352
                Accessible.name: page.systemSettingLang[1] || ""
                onValueChangeDelay: function (x) {
                    page.mouseRate = x
                    page.saveData(true, page.sendPointerSpeed)
                }
            }

            SlowFast {
                y: content.pageTop + 98
                texts: page.systemSettingLang
            }

            Rectangle {
                x: 16
                y: content.pageTop + 124
                width: 384
                height: 1
                color: Theme.colorBlack
            }

            PageText {
                objectName: "doubleClickNote"
                x: page.width - 32 - width
                y: content.pageTop + 137
                width: 200
                horizontalAlignment: Text.AlignRight
                elide: Text.ElideRight
                visible: !page.available[1]
                text: page.systemSettingLang[8] || ""
                color: Theme.colorGray2
                font.pixelSize: Theme.fontMinSize
            }

            Text {
                x: 32
                y: content.pageTop + 136
                text: page.systemSettingLang[2] || ""
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                font.bold: true
            }

            SliderButton {
                id: doubleSlider
                objectName: "doubleClickSlider"
                x: 32
                y: content.pageTop + 162
                width: 352
                Accessible.name: page.systemSettingLang[2] || ""
                onValueChangeDelay: function (x) {
                    page.doubleRate = x
                    page.saveData(true, page.sendDoubleClick)
                }
            }

            SlowFast {
                y: content.pageTop + 178
                texts: page.systemSettingLang
            }

            Rectangle {
                x: 16
                y: content.pageTop + 204
                width: 384
                height: 1
                color: Theme.colorBlack
            }

            PageText {
                objectName: "scrollNote"
                x: page.width - 32 - width
                y: content.pageTop + 217
                width: 200
                horizontalAlignment: Text.AlignRight
                elide: Text.ElideRight
                visible: !page.available[2]
                text: page.systemSettingLang[8] || ""
                color: Theme.colorGray2
                font.pixelSize: Theme.fontMinSize
            }

            Text {
                x: 32
                y: content.pageTop + 216
                text: page.systemSettingLang[5] || ""
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                font.bold: true
            }

            RadioButton {
                id: linesButton
                objectName: "linesButton"
                x: 32
                y: content.pageTop + 244
                textValue: page.systemSettingLang[6] || ""
                onBtnClick: {
                    page.chooseScroll(false)
                    content.showScroll()
                }
            }

            Rectangle {
                x: linesButton.x + linesButton.width + 12
                y: linesButton.y + (linesButton.height - height) / 2
                width: 32
                height: 16
                color: Theme.colorGray0
                border.color: Theme.colorGray2

                RectInput {
                    id: linesInput
                    objectName: "linesInput"
                    anchors.fill: parent
                    minValue: 0
                    maxValue: PointerMath.maxLines
                    maxLength: 3
                    nextInput: linesInput
                    previousInput: linesInput
                    Accessible.name: (page.systemSettingLang[6] || "") + " " + textValue
                    onInputSignal: page.focusMain()
                    onEndInputSignal: {
                        page.endLinesInput(textValue)
                        textValue = page.linesText
                    }
                }
            }

            RadioButton {
                id: oneScreenButton
                objectName: "oneScreenButton"
                x: 32
                y: content.pageTop + 272
                textValue: page.systemSettingLang[7] || ""
                onBtnClick: {
                    page.chooseScroll(true)
                    content.showScroll()
                }
            }
        }
    }
}
