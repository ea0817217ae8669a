import QtQuick
import "../basic"
import "../basic/theme.js" as Theme
import "../common/values.js" as Values
import "gunMath.js" as GunMath

// What the gun page shows below its title: the record list at the left;
// the slot list, the recoil target with its aim dot and the fire settings at
// the right. The records and slots belong to the page (`page`); this panel
// shows the page's current record and turns the user's edits into the
// page's operations.
Item {
    id: panel

    // Untyped: the page builds this panel, so naming its type here would
    // make the two files need each other.
    property var page: null

    width: 640
    height: 407

    function refresh() {
        var r = page.record(page.currentGun)
        slotList.currentSelect = page.currentSlot
        xInput.textValue = r.gunX
        yInput.textValue = r.gunY
        dot.y = GunMath.dotTop(Values.toInt(r.gunY, 0))
        rate.setValue(GunMath.periodRatio(r.gunPeriod))
        timesInput.textValue = r.gunTimes
        endless.isSelect = r.gunTimes === "0"
        recordList.positionViewAtIndex(page.currentGun, ListView.Contain)
    }

    function dropFocus() {
        slotList.closeMenu()
        rate.closeMenu()
        xInput.closeFocus()
        yInput.closeFocus()
        timesInput.closeFocus()
    }

    // "9MS" gives "9", "10MS" gives "10".
    function periodOfText(text) {
        return text.length > 3 ? text.slice(0, 2) : text.slice(0, 1)
    }

    Component.onCompleted: refresh()

    Connections {
        target: panel.page
        function onRecordShown() { panel.refresh() }
    }

    // ---- Records ----

    PageText {
        font.bold: true
        x: 24
        y: 14
        text: panel.page.gunControlLang[1] || ""
    }

    ListView {
        id: recordList
        objectName: "gunList"
        x: 24
        y: 40
        width: 248
        height: 342
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        model: panel.page.gunNumberModel
        Accessible.role: Accessible.List
        Accessible.name: panel.page.gunControlLang[1] || ""

        Rectangle {
            anchors.fill: parent
            z: -1
            color: Theme.colorBlack
        }

        delegate: Rectangle {
            required property int index
            required property string gunName

            objectName: "gunRow" + index
            width: 248
            height: 58
            color: index === panel.page.currentGun || rowArea.containsMouse ? Theme.colorOrange
                                                                           : Theme.colorBlack
            Accessible.role: Accessible.ListItem
            Accessible.name: gunName

            Image {
                x: 90
                y: 4
                width: 150
                height: 44
                source: Theme.picture("gun", parent.gunName)
            }

            PageText {
                x: 8
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 6
                text: parent.gunName
            }

            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 1
                color: "#4d4d4d"
            }

            MouseArea {
                id: rowArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: panel.page.assignRecord(parent.index)
            }
        }
    }

    // ---- Slots ----

    PageText {
        font.bold: true
        x: 296
        y: 16
        text: panel.page.gunControlLang[2] || ""
    }

    DropDownList {
        id: slotList
        objectName: "gunSlotList"
        x: 520
        y: 12
        z: 5
        width: 96
        mdItems: panel.page.slotModel
        currentSelect: panel.page.currentSlot
        onBtnClick: rate.closeMenu()
        onValueChange: function (index) { panel.page.chooseSlot(index) }
    }

    Rectangle {
        x: 296
        y: 48
        width: 320
        height: 1
        color: Theme.colorBlack
    }

    // ---- Recoil ----

    PageText {
        font.bold: true
        x: 296
        y: 60
        text: panel.page.gunControlLang[3] || ""
    }

    Image {
        id: target
        objectName: "gunTarget"
        x: 296
        y: 84
        width: 190
        height: 190
        source: Theme.picture("gun", "target")

        Rectangle {
            id: dot
            objectName: "aimDot"
            x: (target.width - width) / 2
            y: GunMath.topMin
            width: 8
            height: 8
            radius: 4
            color: "#ff0000"
            border.width: 1
            border.color: dotArea.pressed || dotArea.containsMouse ? "#ffffff" : color
            Accessible.role: Accessible.Slider
            Accessible.name: panel.page.gunControlLang[5] || ""

            MouseArea {
                id: dotArea
                property real grabY: 0

                anchors.fill: parent
                anchors.margins: -4
                hoverEnabled: true
                onPressed: function (mouse) {
                    panel.page.gunControlFocus()
                    grabY = mapToItem(dot, 0, mouse.y).y
                }
                onPositionChanged: function (mouse) {
                    if (!pressed)
                        return
                    var top = GunMath.clampTop(mapToItem(target, 0, mouse.y).y - grabY)
                    dot.y = top
                    yInput.textValue = String(GunMath.dotY(top))
                }
                onReleased: panel.page.editRecord("gunY", yInput.textValue)
            }
        }
    }

    PageText {
        x: 502
        y: 128
        text: panel.page.gunControlLang[4] || ""
    }

    Rectangle {
        x: 556
        y: 124
        width: 48
        height: 20
        color: "transparent"
        border.color: Theme.colorGray1

        RectInput {
            id: xInput
            objectName: "gunXInput"
            enabled: false
            opacity: 0.6
        }
    }

    PageText {
        x: 502
        y: 174
        text: panel.page.gunControlLang[5] || ""
    }

    Rectangle {
        x: 556
        y: 170
        width: 48
        height: 20
        color: "transparent"
        border.color: Theme.colorGray1

        RectInput {
            id: yInput
            objectName: "gunYInput"
            maxValue: GunMath.maxY
            maxLength: 2
            nextInput: timesInput
            previousInput: timesInput
            onEndInputSignal: {
                panel.page.editRecord("gunY", textValue)
                dot.y = GunMath.dotTop(Values.toInt(textValue, 0))
            }
        }
    }

    Rectangle {
        x: 296
        y: 290
        width: 320
        height: 1
        color: Theme.colorBlack
    }

    // ---- Fire ----

    PageText {
        font.bold: true
        x: 296
        y: 302
        text: panel.page.gunControlLang[6] || ""
    }

    PageText {
        x: 296
        y: 336
        text: panel.page.gunControlLang[7] || ""
    }

    DropDownSlider {
        id: rate
        objectName: "gunRateSlider"
        x: 376
        y: 332
        z: 4
        width: 120
        textValue: "10ms"
        onBtnClick: slotList.closeMenu()
        onValueChange: function (x) { textValue = (x + 1) + "MS" }
    }

    // A drag ends, or a click on the track has glided the knob there.
    Connections {
        target: rate.slider
        function onValueChangeDelay() { panel.page.editRecord("gunPeriod", panel.periodOfText(rate.textValue)) }
    }

    PageText {
        x: 296
        y: 372
        text: panel.page.gunControlLang[8] || ""
    }

    Rectangle {
        x: 376
        y: 368
        width: 48
        height: 20
        color: "transparent"
        border.color: Theme.colorGray1

        RectInput {
            id: timesInput
            objectName: "gunTimesInput"
            maxValue: 255
            maxLength: 3
            nextInput: yInput
            previousInput: yInput
            onEndInputSignal: {
                panel.page.editRecord("gunTimes", textValue)
                endless.isSelect = textValue === "0"
            }
        }
    }

    CheckBox {
        id: endless
        objectName: "gunEndless"
        x: 440
        y: 372
        textValue: panel.page.gunControlLang[9] || ""
        // Comes before the box toggles: ticking it makes the fire endless.
        onBtnClick: {
            if (isSelect)
                return
            timesInput.textValue = "0"
            panel.page.editRecord("gunTimes", "0")
        }
    }
}
