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
        "Scroll Speed", "Number of Rows", "Scroll one Screen", "", "", "", "", "", "", ""]
    // Knob positions (3 to 337) of the two sliders, stored as they are.
    property int mouseRate: 170
    property int doubleRate: 170
    // Scrolling: a number of lines, or one screen at a time.
    property bool isOneScreen: false
    property string linesText: "1"

    signal closed()
    // The lines input took the focus: the main screen closes its menus.
    signal focusMain()

    width: 416
    height: 312
    title: systemSettingLang[0] || ""
    hasRestore: true
    body: pageBody

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
            saveData(true, 0)
    }

    // isStep: 0 all three settings, 1 pointer speed, 2 double-click speed,
    // 3 scrolling. The three values are always stored.
    function saveData(isSendData, isStep) {
        var scroll = isOneScreen ? PointerMath.oneScreen : PointerMath.lines(linesText)
        ui_View.setData("mouse/mouseRate", mouseRate)
        ui_View.setData("mouse/doubleRate", doubleRate)
        ui_View.setData("mouse/scrollRate", scroll)
        if (!isSendData)
            return
        if (isStep === 0 || isStep === 1)
            ui_View.mouseSetCursorSpeed(PointerMath.speedIndex(mouseRate))
        if (isStep === 0 || isStep === 2)
            ui_View.mouseSetDoubleClickSpeed(PointerMath.speedIndex(doubleRate))
        if (isStep === 0 || isStep === 3)
            ui_View.mouseSetVerticalScrollLines(scroll)
    }

    function chooseScroll(oneScreen) {
        isOneScreen = oneScreen
        saveData(true, 3)
    }

    // The lines input as it is left: nothing, or less than one, is one line.
    function endLinesInput(text) {
        linesText = String(PointerMath.lines(text))
        saveData(true, 3)
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
                    page.saveData(true, 1)
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
                    page.saveData(true, 2)
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
