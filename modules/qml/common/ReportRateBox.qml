import QtQuick
import KX20 1.0
import "../basic"
import "../basic/theme.js" as Theme
import "values.js" as Values
import "mainTexts.js" as MainTexts

// The report rate: stored and sent the moment a row is chosen; it never
// waits for Save.
Rectangle {
    id: box

    property var mainLang: []
    property alias rateList: rateList

    signal headClick()

    width: 232
    height: 42
    color: Theme.colorBlack
    z: rateList.isDrop || rateList.isAnimating ? 10 : 0

    ReportRates {
        id: rates
    }

    ListModel {
        id: rows
        Component.onCompleted: {
            var texts = rates.rowTexts
            for (var i = 0; i < texts.length; ++i)
                append({ textValue: texts[i] })
        }
    }

    // The row the profile stores, as init found it.
    property int storedRow: -1

    // Shows the stored row; a profile change sends it (profileValues).
    function init() {
        storedRow = Values.toInt(ui_View.getData("mouse/reportRate", false), -1)
        rateList.currentSelect = storedRow
    }

    // What a profile change sends (see ui_View.mouseSendProfile).
    function profileValues() {
        return { rateRow: storedRow }
    }

    Text {
        x: 8
        width: rateList.x - 16
        elide: Text.ElideRight
        anchors.verticalCenter: parent.verticalCenter
        text: box.mainLang[MainTexts.reportRate] || ""
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    DropDownList {
        id: rateList
        objectName: "reportRateList"
        x: box.width - width - 8
        y: 9
        width: 120
        mdItems: rows
        Accessible.name: (box.mainLang[MainTexts.reportRate] || "") + " " + textValue
        onBtnClick: box.headClick()
        onValueChange: function (index) {
            ui_View.setData("mouse/reportRate", index)
            ui_View.mouseSetReportRate(rates.code(index))
        }
    }
}
