import QtQuick
import KX20 1.0
import "../basic"
import "../basic/theme.js" as Theme
import "../common/values.js" as Values
import "hueMath.js" as HueMath

// The lighting page of the right panel: the effect, its speed and
// brightness, and the colours it uses, picked on the hue bar or typed.
// What it offers follows the mouse's variant flags. Changes wait for the
// main screen's Save.
Rectangle {
    id: lightControl

    // Set by the main screen: the mouse's variant and its DPI stage count
    // (on mice without full-colour lighting a block is a stage's colour).
    property bool isColorful: false
    property bool is55328: false
    property bool is571: false
    property int dpiCount: 4

    property var lightControlLang: effects.builtInTexts
    property bool isSave: false
    // The effect list, closed by the main screen's focus rule.
    readonly property DropDownList lightModel: effectList

    property int effect: 0
    property int speedStep: 0
    property int brightnessStep: 4
    property bool speedShown: false
    property bool brightnessShown: true
    // False: the effect takes no colours and the colour area is shaded.
    property bool isColorDisplay: true
    // 571 mice: the effect uses the twelve blocks rather than the single colour.
    property bool is571ColorBlock: true
    // 0 to 11, or -1 for the single colour.
    property int selectColorBlock: 0
    property var blockColours: ["#ff0000", "#00ff00", "#0000ff", "#ff00ff", "#00ffff", "#ff7f00", "#6000ff",
        "#ffffff", "#ff0000", "#00ff00", "#0000ff", "#ff00ff"]
    property string fixColour: "#ff0000"
    // Left edge of each block's marker and (last) of the single one,
    // relative to the hue bar.
    property var markerLefts: [-8, -8, -8, -8, -8, -8, -8, -8, -8, -8, -8, -8, -8]
    property bool effectsFilled: false

    readonly property int blocks: 12
    // A 55328 mouse's own effect row: the only one that lights its blocks
    // 2 to 8 (the bridge sends block 8 dark with any other effect).
    readonly property int row55328: 4
    readonly property int singleMarker: 12
    readonly property int shownRows: (speedShown ? 1 : 0) + (brightnessShown ? 1 : 0)

    width: 232
    height: 176 + (shownRows > 0 ? 8 + 40 * shownRows : 0)
    color: Theme.colorBlack
    Accessible.role: Accessible.Pane
    Accessible.name: lightControlLang[0] || ""

    LightEffects {
        id: effects
        isColorful: lightControl.isColorful
        is55328: lightControl.is55328
        is571: lightControl.is571
    }

    ListModel {
        id: effectRows
    }

    // ---- Loading and saving ----

    function init(isSendData, isRecovery) {
        if (!isSendData && !isRecovery && !effectsFilled)
            fillEffects()
        var light = ui_View.getDataList("mouse/lightValue", isRecovery)
        effect = Values.toInt(light[0], 0)
        speedStep = step(light[1])
        brightnessStep = step(light[2])
        effectList.currentSelect = effect

        var colours = ui_View.getDataList("mouse/colorValue", isRecovery)
        var texts = []
        for (var i = 0; i < blocks; ++i)
            texts.push(HueMath.colourText(Values.toInt(colours[3 * i], 0), Values.toInt(colours[3 * i + 1], 0),
                                          Values.toInt(colours[3 * i + 2], 0)))
        blockColours = texts
        var fix = ui_View.getDataList("mouse/fixColor", isRecovery)
        fixColour = HueMath.colourText(Values.toInt(fix[0], 0), Values.toInt(fix[1], 0), Values.toInt(fix[2], 0))
        placeMarker(singleMarker, fixColour)
        showEffect(effect)
    }

    // What saveData stores and sends (its isStep).
    readonly property int saveAll: 0
    readonly property int saveEffect: 1
    readonly property int saveColours: 2

    // The colour row as it is stored and sent for the effect.
    function colourRow() {
        var colours = []
        for (var i = 0; i < blocks; ++i)
            colours = colours.concat(HueMath.rgb(blockColours[i]))
        return ui_View.lightingColours(effect, colours)
    }

    // What a profile change sends (see ui_View.mouseSendProfile), stored as
    // Save stores it.
    function profileValues() {
        saveData(false, saveAll)
        return { lightValue: [effect, speedStep, brightnessStep], colours: colourRow(), fixColour: HueMath.rgb(fixColour) }
    }

    function saveData(isSendData, isStep) {
        var triple = [effect, speedStep, brightnessStep]
        var colours = colourRow()
        var single = HueMath.rgb(fixColour)
        if (isStep === saveAll || isStep === saveEffect)
            ui_View.setDataList("mouse/lightValue", triple)
        if (isStep === saveAll || isStep === saveColours) {
            ui_View.setDataList("mouse/colorValue", colours)
            ui_View.setDataList("mouse/fixColor", single)
        }
        if (isSendData)
            ui_View.mouseSendLighting(triple, colours, single, isStep)
    }

    function fillEffects() {
        effectRows.clear()
        for (var row = 0; row < effects.count; ++row)
            effectRows.append({ textValue: Values.toText(lightControlLang[effects.textIndex(row)]) })
        effectsFilled = true
    }

    function step(v) {
        return Math.max(0, Math.min(4, Values.toInt(v, 0)))
    }

    // Rows, colour area and selection as the effect wants them.
    function showEffect(row) {
        speedShown = effects.hasSpeed(row)
        brightnessShown = effects.hasBrightness(row)
        isColorDisplay = !effects.colourShaded(row)
        if (is571)
            is571ColorBlock = !effects.singleColour(row)
        selectBlock(is571 && !is571ColorBlock ? -1 : 0)
    }

    function chooseEffect(row) {
        effect = row
        var speed = effects.speedOnChoose(row)
        var brightness = effects.brightnessOnChoose(row)
        if (speed >= 0)
            speedStep = speed
        if (brightness >= 0)
            brightnessStep = brightness
        showEffect(row)
        isSave = true
    }

    function restore() {
        lightControlFocus()
        init(false, true)
        isSave = true
    }

    function lightControlFocus() {
        effectList.closeMenu()
        redInput.closeFocus()
        greenInput.closeFocus()
        blueInput.closeFocus()
    }

    // ---- Colours ----

    function blockShown(i) {
        if (is571)
            return is571ColorBlock
        if (i >= 8)
            return false
        if (is55328 && i >= 1)
            return i <= 6 && effect === row55328
        return dpiCount > i || isColorful
    }

    function markerIndex() {
        return selectColorBlock < 0 ? singleMarker : selectColorBlock
    }

    function selectedColour() {
        return selectColorBlock < 0 ? fixColour : blockColours[selectColorBlock]
    }

    function placeMarker(index, colour) {
        var c = HueMath.rgb(colour)
        var lefts = markerLefts.slice()
        lefts[index] = HueMath.markerX(c[0], c[1], c[2])
        markerLefts = lefts
    }

    function selectBlock(i) {
        selectColorBlock = i
        if (i >= 0)
            placeMarker(i, blockColours[i])
        showInputs(selectedColour())
    }

    function showInputs(colour) {
        var c = HueMath.rgb(colour)
        redInput.textValue = String(c[0])
        greenInput.textValue = String(c[1])
        blueInput.textValue = String(c[2])
    }

    // The selected block, or the single colour, takes a colour.
    function setSelectedColour(colour) {
        if (selectColorBlock < 0) {
            fixColour = colour
            return
        }
        var texts = blockColours.slice()
        texts[selectColorBlock] = colour
        blockColours = texts
    }

    // The marker moved to `left`: its colour is the bar's there.
    function dragMarker(left) {
        var lefts = markerLefts.slice()
        lefts[markerIndex()] = HueMath.clampMarker(left, colorBar.width)
        markerLefts = lefts
        var c = HueMath.pick(HueMath.positionOf(lefts[markerIndex()]))
        var colour = HueMath.colourText(c[0], c[1], c[2])
        setSelectedColour(colour)
        showInputs(colour)
    }

    // A typed colour is kept exactly; only the marker's place is approximate.
    function typedColour() {
        var colour = HueMath.colourText(Values.toInt(redInput.textValue, 0), Values.toInt(greenInput.textValue, 0),
                                        Values.toInt(blueInput.textValue, 0))
        setSelectedColour(colour)
        placeMarker(markerIndex(), colour)
        showInputs(colour)
        isSave = true
    }

    // ---- Head: title, effect list, restore ----

    // The title keeps its room: the effect list narrows for a long one
    // ("Éclairage"), down to a width its rows still fit in.
    Text {
        id: title
        objectName: "lightTitle"
        x: 8
        y: 12
        width: Math.min(implicitWidth, effectList.x - x - 8)
        elide: Text.ElideRight
        text: lightControl.lightControlLang[0] || ""
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
    }

    PictureButton {
        id: restoreButton
        objectName: "lightRestore"
        x: lightControl.width - width - 8
        y: 12
        name: "back"
        margin: 3
        Accessible.name: "Restore"
        onClicked: lightControl.restore()
    }

    DropDownList {
        id: effectList
        objectName: "lightModel"
        x: restoreButton.x - 8 - width
        y: 8
        z: 10
        width: Math.max(110, Math.min(150, restoreButton.x - 8 - (title.x + title.implicitWidth + 8)))
        currentSelect: 0
        mdItems: effectRows
        Accessible.name: "Effect " + textValue
        onBtnClick: lightControl.lightControlFocus()
        onValueChange: function (index) { lightControl.chooseEffect(index) }
    }

    // ---- Speed and brightness ----

    Column {
        y: 40
        LightStepRow {
            objectName: "speedRow"
            visible: lightControl.speedShown
            caption: lightControl.lightControlLang[5] || ""
            step: lightControl.speedStep
            onStepChosen: function (s) {
                lightControl.speedStep = s
                lightControl.isSave = true
            }
        }
        LightStepRow {
            objectName: "brightnessRow"
            visible: lightControl.brightnessShown
            caption: lightControl.lightControlLang[7] || ""
            step: lightControl.brightnessStep
            onStepChosen: function (s) {
                lightControl.brightnessStep = s
                lightControl.isSave = true
            }
        }
    }

    // ---- Colours ----

    Rectangle {
        x: 8
        y: colourArea.y - 8
        width: lightControl.width - 16
        height: 1
        color: Theme.colorGray1
    }

    Item {
        id: colourArea
        objectName: "colourArea"
        y: lightControl.height - 124
        width: lightControl.width
        height: 101

        // Caption and blocks sit above the markers' reach, the blocks clear
        // of a long caption ("Couleur").
        Text {
            id: colourCaption
            objectName: "colourCaption"
            x: 8
            y: 0
            height: 15
            width: Math.min(implicitWidth, blockRow.x - x - 6)
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
            text: lightControl.lightControlLang[6] || ""
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }

        Row {
            id: blockRow
            x: Math.min(lightControl.width - 4 - width, Math.max(56, colourCaption.x + colourCaption.implicitWidth + 6))
            y: 1
            spacing: 1

            Repeater {
                model: lightControl.blocks

                delegate: Rectangle {
                    required property int index
                    objectName: "colourBlock" + index
                    visible: lightControl.blockShown(index)
                    width: 13
                    height: 13
                    color: lightControl.blockColours[index]
                    border.width: 1
                    border.color: index === lightControl.selectColorBlock || blockArea.containsMouse
                                  ? Theme.fontColor : Theme.colorBlack
                    Accessible.role: Accessible.Button
                    Accessible.name: "Colour " + (index + 1)
                    Accessible.onPressAction: lightControl.selectBlock(index)

                    MouseArea {
                        id: blockArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: lightControl.selectBlock(parent.index)
                    }
                }
            }
        }

        Image {
            id: colorBar
            objectName: "colorBar"
            x: 23
            y: 40
            width: 185
            height: 24
            source: Theme.picture("lightControl", "hueBar")
        }

        ColorMarker {
            id: marker
            objectName: "colourMarker"
            property real dragStart: 0
            x: colorBar.x + lightControl.markerLefts[lightControl.markerIndex()]
            y: colorBar.y - 24
            label: lightControl.selectColorBlock < 0 ? "S" : String(lightControl.selectColorBlock + 1)
            colour: lightControl.selectedColour()
            onPressed: {
                lightControl.lightControlFocus()
                dragStart = lightControl.markerLefts[lightControl.markerIndex()]
                lightControl.showInputs(lightControl.selectedColour())
            }
            onDragged: function (dx) { lightControl.dragMarker(dragStart + dx) }
            onReleased: lightControl.isSave = true
        }

        Row {
            x: 20
            y: 76
            spacing: 8

            Repeater {
                model: ["R", "G", "B"]

                delegate: Text {
                    required property int index
                    required property string modelData
                    width: 64
                    height: 16
                    verticalAlignment: Text.AlignVCenter
                    text: modelData
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
            }
        }

        Repeater {
            id: inputFrames
            model: 3

            delegate: Rectangle {
                required property int index
                x: 34 + index * 72
                y: 76
                width: 32
                height: 16
                color: Theme.colorGray0
                border.color: Theme.colorGray1
            }
        }

        RectInput {
            id: redInput
            objectName: "redInput"
            x: 34
            y: 76
            width: 32
            height: 16
            maxLength: 3
            nextInput: greenInput
            previousInput: blueInput
            textValue: "255"
            Accessible.name: "R " + textValue
            onInputSignal: effectList.closeMenu()
            onEndInputSignal: lightControl.typedColour()
        }

        RectInput {
            id: greenInput
            objectName: "greenInput"
            x: 34 + 72
            y: 76
            width: 32
            height: 16
            maxLength: 3
            nextInput: blueInput
            previousInput: redInput
            textValue: "255"
            Accessible.name: "G " + textValue
            onInputSignal: effectList.closeMenu()
            onEndInputSignal: lightControl.typedColour()
        }

        RectInput {
            id: blueInput
            objectName: "blueInput"
            x: 34 + 144
            y: 76
            width: 32
            height: 16
            maxLength: 3
            nextInput: redInput
            previousInput: greenInput
            textValue: "255"
            Accessible.name: "B " + textValue
            onInputSignal: effectList.closeMenu()
            onEndInputSignal: lightControl.typedColour()
        }

        // The effect takes no colours: shaded, and deaf to clicks.
        Rectangle {
            objectName: "colourShade"
            anchors.fill: parent
            visible: !lightControl.isColorDisplay
            color: "#b0000000"

            MouseArea {
                anchors.fill: parent
            }
        }
    }
}
