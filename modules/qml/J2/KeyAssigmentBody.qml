import QtQuick
import KX20 1.0
import "../basic"
import "../basic/theme.js" as Theme
import "../common/values.js" as Values

// What the button dialog shows: its nine sections in a scroll area with a
// handle. Loaded on the dialog's first open; the state is the page's.
Item {
    id: content

    // The page whose state this shows.
    property var page: null

    readonly property alias rateDrop: rateDrop
    readonly property alias mediaGrid: mediaGrid
    readonly property alias windowsGrid: windowsGrid
    readonly property alias shortcutGrid: shortcutGrid
    readonly property alias macroDrop: macroDrop
    readonly property alias timesInput: timesInput
    readonly property alias endlessBox: endlessBox
    readonly property alias flick: flick

    // Radio buttons of a section: the clicked one stays, the others
    // of that section clear.
    function pickRadio(group, index) {
        for (var i = 0; i < group.count; ++i)
            group.itemAt(i).isSelect = group.itemAt(i).index === index
    }

    // Marks the choice named by text `textIndex` (a radio or a grid entry;
    // grids otherwise show their first entry) and macro row `macroRow`,
    // clearing every other mark; the fire and run-mode controls follow the
    // page's state.
    function showChoice(textIndex, macroRow) {
        for (var group of [mouseRadios, dpiRadios, gunRadios])
            pickRadio(group, textIndex)
        pickRadio(runModeRadios, page.runMode)
        var grids = [[mediaGrid, 27], [windowsGrid, 35], [shortcutGrid, 42]]
        for (var g of grids) {
            var entry = textIndex - g[1]
            g[0].currentSelect = entry >= 0 && entry < g[0].count && g[0].itemText(entry) !== "" ? entry : 0
        }
        macroDrop.currentSelect = macroRow
        endlessBox.isSelect = page.endless
        timesInput.textValue = page.timesText
        var slider = rateDrop.slider
        slider.setValue(Math.max(slider.min, Math.min(slider.max, page.rateValue() - 1)))
    }

    Connections {
        target: page
        function onTimesTextChanged() { timesInput.textValue = page.timesText }
    }

    Flickable {
        id: flick
        objectName: "keyScroll"
        y: 1
        width: 400
        height: 360
        contentWidth: width
        contentHeight: 830
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        Item {
            id: sections
            width: 400
            height: 830

            SectionTitle {
                x: 16
                y: 8
                textValue: Values.toText(page.keyAssigmentLang[1])
            }
            // Three columns of two.
            Item {
                x: 24
                y: 38

                Repeater {
                    id: mouseRadios
                    model: 6
                    delegate: RadioButton {
                        required property int modelData
                        objectName: "mouseRadio" + (2 + modelData)
                        x: (modelData % 3) * 124
                        y: Math.floor(modelData / 3) * 24
                        index: 2 + modelData
                        width: 116
                        textValue: Values.toText(page.keyAssigmentLang[2 + modelData])
                        onBtnClick: function (i) {
                            content.pickRadio(mouseRadios, i)
                            page.chooseText(i)
                        }
                    }
                }
            }

            SectionTitle {
                x: 16
                y: 96
                textValue: Values.toText(page.keyAssigmentLang[8])
            }
            Text {
                x: 24
                y: 132
                text: Values.toText(page.keyAssigmentLang[9])
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            CaptureBox {
                objectName: "fireBox"
                x: 104
                y: 128
                capturing: page.isFireInput
                textValue: page.fireText !== "" ? page.fireText : Values.toText(page.keyAssigmentLang[10])
                onClicked: page.startFire()
            }
            Text {
                id: rateLabel
                x: 216
                y: 132
                width: Math.min(implicitWidth, rateDrop.x - x - 6)
                elide: Text.ElideRight
                text: Values.toText(page.keyAssigmentLang[11])
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            Text {
                x: 24
                y: 168
                text: Values.toText(page.keyAssigmentLang[12])
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            Rectangle {
                x: 104
                y: 164
                width: 52
                height: 24
                color: Theme.colorBlack
                border.color: Theme.colorGray1

                RectInput {
                    id: timesInput
                    objectName: "timesInput"
                    anchors.centerIn: parent
                    minValue: 0
                    maxValue: 255
                    maxLength: 3
                    Component.onCompleted: textValue = page.timesText
                    onEndInputSignal: page.setTimes(textValue)
                }
            }
            CheckBox {
                id: endlessBox
                objectName: "endlessBox"
                x: 216
                y: 170
                textValue: Values.toText(page.keyAssigmentLang[13])
                Component.onCompleted: isSelect = page.endless
                onBtnClick: {
                    if (!isSelect)
                        page.tickEndless()
                    else
                        page.endless = false
                }
            }
            // Drop-downs lie above everything below them, each above the
            // next: what they drop hangs over the sections that follow.
            DropDownSlider {
                id: rateDrop
                objectName: "rateDrop"
                // Beside its label, whose length depends on the language.
                x: Math.min(282, Math.max(256, rateLabel.x + rateLabel.implicitWidth + 6))
                y: 128
                z: 8
                width: 110
                textValue: page.rateText
                onBtnClick: {
                    page.keyAssigmentFocusExcept(rateDrop)
                    page.reveal(rateDrop, 24)
                }
                onValueChange: function (x) { page.setRate(x) }
            }

            SectionTitle {
                x: 16
                y: 204
                textValue: Values.toText(page.keyAssigmentLang[14])
            }
            CaptureBox {
                objectName: "comboBox"
                x: 24
                y: 236
                width: 240
                capturing: page.isComboInput
                // Clear of the confirm and cancel pictures.
                rightInset: page.isComboInput ? 56 : 0
                textValue: page.isComboInput || page.comboText !== ""
                           ? page.comboText : Values.toText(page.keyAssigmentLang[10])
                onClicked: {
                    if (!page.isComboInput)
                        page.startCombo()
                }

                PictureButton {
                    objectName: "comboConfirm"
                    anchors.right: cancelButton.left
                    anchors.rightMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    visible: page.isComboInput
                    name: "confirm"
                    margin: 3
                    Accessible.name: "Confirm"
                    onClicked: page.confirmCombo()
                }
                PictureButton {
                    id: cancelButton
                    objectName: "comboCancel"
                    anchors.right: parent.right
                    anchors.rightMargin: 6
                    anchors.verticalCenter: parent.verticalCenter
                    visible: page.isComboInput
                    name: "cancel"
                    margin: 3
                    Accessible.name: "Cancel"
                    onClicked: page.cancelCombo()
                }
            }

            SectionTitle {
                x: 16
                y: 276
                textValue: Values.toText(page.keyAssigmentLang[15])
            }
            DropDownGrid {
                id: mediaGrid
                objectName: "mediaGrid"
                x: 24
                y: 308
                z: 7
                mdItems: page.mediaModel
                onBtnClick: page.gridClicked(mediaGrid, 27)
            }

            SectionTitle {
                x: 16
                y: 348
                textValue: Values.toText(page.keyAssigmentLang[16])
            }
            DropDownList {
                id: macroDrop
                objectName: "macroDrop"
                x: 24
                y: 380
                z: 6
                width: 160
                currentSelect: -1
                mdItems: page.macroNames
                onBtnClick: {
                    page.keyAssigmentFocusExcept(macroDrop)
                    page.reveal(macroDrop, Math.min(macroDrop.count, 10) * 24)
                }
                onValueChange: function (row) { page.chooseMacro(row) }
            }
            TextButton {
                objectName: "macroEditorButton"
                x: 200
                y: 380
                width: 107
                textValue: Values.toText(page.keyAssigmentLang[17])
                onClicked: page.macroEditorClick()
            }
            Item {
                x: 24
                y: 416

                Repeater {
                    id: runModeRadios
                    model: 3
                    delegate: RadioButton {
                        required property int modelData
                        objectName: "runMode" + modelData
                        y: modelData * 22
                        index: modelData
                        isSelect: modelData === 0
                        textValue: Values.toText(page.keyAssigmentLang[18 + modelData])
                        onBtnClick: function (i) {
                            content.pickRadio(runModeRadios, i)
                            page.chooseRunMode(i)
                        }
                    }
                }
            }

            SectionTitle {
                x: 16
                y: 490
                textValue: Values.toText(page.keyAssigmentLang[21])
            }
            Item {
                x: 24
                y: 522

                Repeater {
                    id: dpiRadios
                    model: [22, 23, 24, 56]
                    delegate: RadioButton {
                        required property int modelData
                        x: [22, 23, 24, 56].indexOf(modelData) * 90
                        objectName: "dpiRadio" + modelData
                        index: modelData
                        textValue: Values.toText(page.keyAssigmentLang[modelData])
                        onBtnClick: function (i) {
                            content.pickRadio(dpiRadios, i)
                            page.chooseText(i)
                        }
                    }
                }
            }

            SectionTitle {
                x: 16
                y: 554
                textValue: Values.toText(page.keyAssigmentLang[25])
            }
            DropDownGrid {
                id: windowsGrid
                objectName: "windowsGrid"
                x: 24
                y: 586
                z: 5
                mdItems: page.windowsModel
                onBtnClick: page.gridClicked(windowsGrid, 35)
            }

            SectionTitle {
                x: 16
                y: 626
                textValue: Values.toText(page.keyAssigmentLang[26])
            }
            DropDownGrid {
                id: shortcutGrid
                objectName: "shortcutGrid"
                x: 24
                y: 658
                z: 4
                mdItems: page.shortcutModel
                onBtnClick: page.gridClicked(shortcutGrid, 42)
            }

            SectionTitle {
                x: 16
                y: 698
                visible: page.isGun
                textValue: Values.toText(page.keyAssigmentLang[52])
            }
            Item {
                x: 24
                y: 730
                visible: page.isGun

                Repeater {
                    id: gunRadios
                    model: [53, 54, 55]
                    delegate: RadioButton {
                        required property int modelData
                        x: (modelData - 53) * 110
                        objectName: "gunRadio" + modelData
                        index: modelData
                        textValue: Values.toText(page.keyAssigmentLang[modelData])
                        onBtnClick: function (i) {
                            content.pickRadio(gunRadios, i)
                            page.chooseText(i)
                        }
                    }
                }
            }
        }
    }

    // The scroll handle: follows the content and drags it.
    Rectangle {
        id: handle
        objectName: "scrollHandle"
        readonly property real travel: flick.height - height
        x: 402
        y: 1 + travel * (flick.contentY / (flick.contentHeight - flick.height))
        width: 12
        height: 148
        color: Theme.colorBlack
        border.color: Theme.colorGray2
        Accessible.role: Accessible.ScrollBar
        Accessible.name: "Scroll"

        MouseArea {
            property real pressY: 0
            property real pressContentY: 0
            anchors.fill: parent
            onPressed: function (mouse) {
                pressY = mapToItem(content, mouse.x, mouse.y).y
                pressContentY = flick.contentY
            }
            onPositionChanged: function (mouse) {
                var moved = mapToItem(content, mouse.x, mouse.y).y - pressY
                var range = flick.contentHeight - flick.height
                flick.contentY = Math.max(0, Math.min(range, pressContentY + moved * range / handle.travel))
            }
        }
    }
}

