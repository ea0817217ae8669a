import QtQuick
import KX20 1.0
import "../basic"
import "../basic/theme.js" as Theme
import "../common/values.js" as Values
import "dpiMath.js" as DpiMath

// The DPI page of the right panel: how many stages the mouse cycles through,
// the value of each stage, and the stage the mouse is using (orange).
// Changes wait for the main screen's Save.
Rectangle {
    id: dpiSetting

    property var dpiSettingLang: ["DPI", "", "", "", ""]
    // The stage the mouse is on, 0-based; -1 until the mouse reports one.
    property int currentDPI: -1
    property bool isSave: false
    // The stage-count list, closed by the main screen's focus rule.
    readonly property DropDownList dpiSegment: segmentList

    // Stages the mouse offers, and how many of them are in use.
    property int dpiCount: 4
    property int currentDpiCount: 4
    property int minDPI: 200
    property int maxDPI: 6000
    property int dpiBase: 50
    property string sensorType: "3360"
    property var dpiValueArray: [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000]
    // What each stage's label shows, and what Save sends.
    property var dpiValues: ["2000", "2000", "2000", "2000", "2000", "2000", "2000", "2000"]
    readonly property int shownStages: Math.max(1, Math.min(DpiMath.stages, currentDpiCount))

    // A press on a slider closes the main screen's menus.
    signal focusMain()

    width: 232
    height: 256
    color: Theme.colorBlack
    Accessible.role: Accessible.Pane
    Accessible.name: dpiSettingLang[0] || ""

    ListModel {
        id: stageRows
        Component.onCompleted: {
            for (var i = 1; i <= DpiMath.stages; ++i)
                append({ textValue: String(i) })
        }
    }

    // Shows the stored values, or with isRecovery the factory's. Loading never
    // sends: a profile change sends through profileValues. isSendData stays
    // for the scene, which calls every page's init alike.
    function init(isSendData, isRecovery) {
        if (!isRecovery) {
            dpiCount = Values.toInt(ui_View.getData("mouse/dpiCount", false), dpiCount)
            currentDpiCount = Values.toInt(ui_View.getData("mouse/currentDpiCount", false), currentDpiCount)
            sensorType = Values.toText(ui_View.getGlobalData("mouse/sensorType"))
            // Damaged limits give way to the sensor's own range.
            var limits = DpiRules.limits(ui_View.getGlobalData("mouse/minDPI"), ui_View.getGlobalData("mouse/maxDPI"),
                                         ui_View.getGlobalData("mouse/dpiBase"), sensorType)
            minDPI = limits.minDPI
            maxDPI = limits.maxDPI
            dpiBase = limits.dpiBase
        }
        dpiValueArray = ui_View.getDataList("mouse/dpiValueArray", isRecovery)
        if (dpiCount > DpiMath.stages)
            return
        if (!isRecovery) {
            segmentList.currentSelect = currentDpiCount - 1
            while (stageRows.count > Math.max(dpiCount, 0))
                stageRows.remove(stageRows.count - 1)
            segmentList.closeMenu()
        }
        var values = []
        for (var i = 0; i < DpiMath.stages; ++i) {
            var stored = i < dpiValueArray.length ? dpiValueArray[i] : ""
            var value = DpiMath.loadedValue(stored, minDPI, maxDPI, dpiBase)
            stageRepeater.itemAt(i).place(value)
            values.push(String(value))
        }
        dpiValues = values
    }

    function stageValues() {
        var values = []
        for (var i = 0; i < DpiMath.stages; ++i)
            values.push(Values.toInt(dpiValues[i], minDPI))
        return values
    }

    // What a profile change sends (see ui_View.mouseSendProfile), stored as
    // Save stores it; nothing when init could not load the stages.
    function profileValues() {
        if (dpiCount > DpiMath.stages)
            return {}
        saveData(false)
        return { dpiCount: currentDpiCount, sensorType: sensorType, dpiValues: stageValues() }
    }

    function saveData(isSendData) {
        var values = stageValues()
        // The stages go out as stored; the bridge never sends a value beyond
        // the sensor.
        ui_View.setDataList("mouse/dpiValueArray", values)
        ui_View.setData("mouse/currentDpiCount", currentDpiCount)
        if (isSendData)
            ui_View.mouseSetDpi(currentDpiCount, sensorType, values)
    }

    function setStageValue(stage, value) {
        var values = dpiValues.slice()
        values[stage] = String(value)
        dpiValues = values
    }

    function chooseCount(n) {
        currentDpiCount = n
        isSave = true
    }

    // Back to the factory values; the stage count stays as chosen.
    function restore() {
        init(false, true)
        isSave = true
    }

    Text {
        x: 8
        y: 12
        width: segmentList.x - 16
        elide: Text.ElideRight
        text: dpiSetting.dpiSettingLang[0] || ""
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
    }

    PictureButton {
        id: restoreButton
        objectName: "dpiRestore"
        x: dpiSetting.width - width - 8
        y: 12
        name: "back"
        margin: 3
        Accessible.name: "Restore"
        onClicked: dpiSetting.restore()
    }

    // One vertical slider per stage, knob at the bottom for the lowest
    // value; the shown ones side by side and centred.
    Repeater {
        id: stageRepeater
        model: DpiMath.stages

        delegate: Item {
            id: stage
            required property int index
            readonly property real pitch: 6 + DpiMath.sliderSpacing(dpiSetting.shownStages)

            // Puts the knob where a loaded value belongs.
            function place(value) {
                slider.setValue(DpiMath.knobFor(value, dpiSetting.minDPI, dpiSetting.maxDPI))
            }

            objectName: "dpiStage" + index
            visible: index < dpiSetting.shownStages
            width: slider.height
            height: DpiMath.trackLength
            x: dpiSetting.width / 2 + (index - (dpiSetting.shownStages - 1) / 2) * pitch - width / 2
            y: 44

            SliderButton {
                id: slider
                objectName: "dpiSlider" + stage.index
                width: DpiMath.trackLength
                x: (stage.width - width) / 2
                y: (stage.height - height) / 2
                rotation: -90
                fillColor: stage.index === dpiSetting.currentDPI ? Theme.colorOrange : Theme.colorBlue
                Accessible.name: "DPI stage " + (stage.index + 1)
                onBtnClick: dpiSetting.focusMain()
                onValueChange: function (x) {
                    dpiSetting.setStageValue(stage.index, DpiMath.valueAt(x, dpiSetting.minDPI,
                                                                          dpiSetting.maxDPI, dpiSetting.dpiBase))
                }
                onValueChangeDelay: function (x) {
                    dpiSetting.setStageValue(stage.index, DpiMath.valueAt(x, dpiSetting.minDPI,
                                                                          dpiSetting.maxDPI, dpiSetting.dpiBase))
                    dpiSetting.isSave = true
                }
            }
        }
    }

    Repeater {
        model: DpiMath.stages

        delegate: Text {
            required property int index
            readonly property real pitch: 24 + DpiMath.labelSpacing(dpiSetting.shownStages)

            objectName: "dpiLabel" + index
            visible: index < dpiSetting.shownStages
            // Five digits need more than 24 pixels; with eight stages the
            // text shrinks rather than run into its neighbour.
            width: Math.max(24, pitch - 2)
            height: 14
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 7
            x: dpiSetting.width / 2 + (index - (dpiSetting.shownStages - 1) / 2) * pitch - width / 2
            y: dpiSetting.height - 16 - height
            horizontalAlignment: Text.AlignHCenter
            text: dpiSetting.dpiValues[index]
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMinSize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }

    DropDownList {
        id: segmentList
        objectName: "dpiSegment"
        x: restoreButton.x - 16 - width
        y: 8
        z: 10
        width: 64
        horizontalOffset: -8
        mdItems: stageRows
        Accessible.name: "DPI stages " + textValue
        onBtnClick: dpiSetting.focusMain()
        onValueChange: function (index) { dpiSetting.chooseCount(index + 1) }
    }
}
