import QtQuick
import KX20 1.0
import "basic"
import "common"
import "J2"
import "basic/theme.js" as Theme
import "common/values.js" as Values
import "common/mainTexts.js" as MainTexts
import "common/prompts.js" as Prompts
import "J2/linkTexts.js" as LinkTexts

// The scene's root: the 1024 x 640 main screen, its dialog pages over the
// mask, and the functions the native side calls. Invisible until the
// first initUI(): the translucent window shows nothing before then.
Item {
    id: mainIten
    width: 1024
    height: 640
    visible: false

    // Filled once from apConfig.bin by the first initUI().
    property bool isColorful: false
    property string icType: "553"
    property bool is55328: false
    property bool is571: false
    property bool isGun: true
    property string language: "ChineseSimplified"
    property string url: "https://www.example.com/kx20"
    property bool isPownOn: false
    property int profileNo: 0
    property var mainLang: ["Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config", "Reset",
        "Reset factory setting", "Cancel", "OK", "System setting", "Save", "", "", "", ""]
    // The unsaved-changes question and the refusal lines.
    property var promptLang: Prompts.english
    // What waits on the unsaved-changes question: a profile to switch to,
    // or quitting.
    property int pendingProfile: -1
    property bool quitPending: false

    // The main screen is shown at the end of the first protect lock.
    property bool mainShown: false
    readonly property bool hasUnsaved: keyMatrix.isSave || dpiSetting.isSave || lightControl.isSave
    // Keys go to a recording or a key capture: there Escape is a key like
    // any other, not a way out.
    readonly property bool capturingKeys: macroEditor.isInputting || macroEditor.isInsertting
                                          || keyAssigment.isFireInput || keyAssigment.isComboInput
    // The mouse did not take the last changes: the pages stay unsaved and go
    // out again with the next Save, or when the mouse is back.
    property bool mouseMissed: false
    property bool resendOnUnlock: false

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int buttonCode, int x, int y)

    KeyCodeString {
        id: _KeyCodeString
    }

    // ---- Functions the native side calls ----

    function initUI() {
        setProtectUI(1000)
        visible = true
        if (!isPownOn) {
            readFlags()
            ui_View.mouseUseProfileOne()
            loadTexts()
            reportRateBox.init()
            profile.init()
            profileNo = Values.toInt(ui_View.getGlobalData("mouse/profileNo"), 0)
            profile.profileNo = profileNo
            menuUp.profileList.currentSelect = profile.rowOfProfile(profileNo)
            menuUp.profileList.closeMenu()
            ui_View.setCurrentProfile(profileNo)
            macroEditor.init()
            gunControl.init()
            keyAssigment.init()
            for (var page of [keyMatrix, dpiSetting, lightControl, systemSetting])
                page.init(false, false)
            isPownOn = true
            console.info("Scene ready")
        }
        dpiSetting.currentDPI = Values.toInt(ui_View.mouseGetCurrentDPI(), 0) - 1
        resendOnUnlock = mouseMissed
    }

    // The window queues "run" after every "initUI" (see myQQuickView::runUI)
    // and calls it by name: it must exist, and the work is all in initUI.
    function run() {
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, buttonCode, x, y) {
        msg_MS(isDown, buttonCode, x, y)
    }

    // Locks the scene for `interval` ms. A running lock with the same
    // interval runs on; another interval starts it again; 0 unlocks now.
    function setProtectUI(interval) {
        var ms = Values.toInt(interval, 1000)
        busyIndicator.visible = true
        ui_View.setEnabled(false)
        if (ms <= 0) {
            protectTimer.stop()
            endProtect()
            return
        }
        if (protectTimer.running && protectTimer.interval === ms)
            return
        protectTimer.interval = ms
        protectTimer.restart()
    }

    function setCurrentDPI(dpiValue) {
        var stage = Values.toInt(dpiValue, 0)
        if (stage !== 0)
            dpiSetting.currentDPI = stage - 1
    }

    // ---- Functions the pages use ----

    function mainFocus() {
        reportRateBox.rateList.closeMenu()
        if (dpiSetting.dpiSegment)
            dpiSetting.dpiSegment.closeMenu()
        menuUp.profileList.closeMenu()
        askMenu.closeMenu()
        if (lightControl.lightModel)
            lightControl.lightModel.closeMenu()
    }

    // Brackets a Save, a Reset or a profile change: the bridge sends what
    // they changed as one group when the bracket closes. The closing call
    // tells whether the mouse took all of it.
    function controlUIEnable(isEnable) {
        busyIndicator.visible = !isEnable
        if (isEnable) {
            var reached = ui_View.endMouseChanges() !== false
            ui_View.setEnabled(true)
            bottomBar.refreshHover()
            return reached
        }
        ui_View.setEnabled(false)
        ui_View.beginMouseChanges()
        return true
    }

    // What did not reach the mouse stays unsaved, so that Save stays red
    // and sends it again.
    function noteMouseResult(reached, pages) {
        mouseMissed = !reached
        if (reached)
            return
        for (var page of pages)
            page.isSave = true
    }

    // ---- Start-up steps ----

    function readFlags() {
        isColorful = Values.toBool(ui_View.getGlobalData("mouse/isColorful"))
        icType = Values.toText(ui_View.getGlobalData("mouse/icType"))
        is55328 = Values.toBool(ui_View.getGlobalData("mouse/is55328"))
        is571 = Values.toBool(ui_View.getGlobalData("mouse/is571"))
        isGun = Values.toBool(ui_View.getGlobalData("mouse/isGun"))
        // No more buttons than the picture has marks, so the key list never
        // runs over the boxes below it.
        var keyCount = Math.max(0, Math.min(Values.toInt(ui_View.getGlobalData("mouse/keyCount"), 8),
                                            mouse.markPositions.length))
        mouse.keyCount = keyCount
        keyMatrix.keyCount = keyCount
        language = Values.toText(ui_View.getGlobalData("common/language"))
        url = Values.toText(ui_View.getGlobalData("common/url"))
    }

    function loadTexts() {
        mainLang = ui_View.getLangStrings("main", language)
        keyMatrix.keyMatrixLang = ui_View.getLangStrings("keyMatrix", language)
        keyAssigment.keyAssigmentLang = ui_View.getLangStrings("keyAssigment", language)
        dpiSetting.dpiSettingLang = ui_View.getLangStrings("dpiSetting", language)
        lightControl.lightControlLang = ui_View.getLangStrings("lightControl", language)
        macroEditor.macroEditorLang = ui_View.getLangStrings("macroEditor", language)
        systemSetting.systemSettingLang = ui_View.getLangStrings("systemSetting", language)
        gunControl.gunControlLang = ui_View.getLangStrings("gunControl", language)
        profile.profileLang = ui_View.getLangStrings("profile", language)
        profile.linkLang = LinkTexts.merged(ui_View.getLangStrings("profileLink", language))
        _KeyCodeString.setTexts(ui_View.getLangStrings("keyCode", language))
        promptLang = Prompts.merged(ui_View.getLangStrings("prompt", language))
        // The bridge keeps this section for its own notices.
        ui_View.getLangStrings("other", language)
    }

    // The user's pick from the help menu: kept, and shown at once.
    function switchLanguage(name) {
        if (!ui_View.chooseLanguage(name))
            return
        language = name
        loadTexts()
        // Texts the pages built from the old language, without reloading
        // their settings: a change waiting for Save stays.
        keyMatrix.updateTexts()
        lightControl.fillEffects()
        keyAssigment.init()
        profile.init()
        menuUp.profileList.currentSelect = profile.rowOfProfile(profileNo)
        menuUp.profileList.closeMenu()
    }

    function endProtect() {
        ui_View.setEnabled(true)
        busyIndicator.visible = false
        bottomBar.refreshHover()
        var first = !mainShown && isPownOn
        // The main screen's pictures are decoded as it becomes visible, so
        // the line follows them (the start-up benchmark reads it).
        mainShown = mainShown || isPownOn
        if (first)
            console.info("Main screen shown")
        if (resendOnUnlock && mainShown) {
            resendOnUnlock = false
            save()
        }
    }

    // ---- Save, Reset, profile change ----

    function save() {
        mainFocus()
        var pages = [keyMatrix, dpiSetting, lightControl].filter(function (page) { return page.isSave })
        if (hasUnsaved)
            controlUIEnable(false)
        if (keyMatrix.isSave) {
            keyMatrix.isSave = false
            keyMatrix.saveData()
        }
        if (dpiSetting.isSave) {
            dpiSetting.isSave = false
            dpiSetting.saveData(true)
        }
        if (lightControl.isSave) {
            lightControl.isSave = false
            lightControl.saveData(true, lightControl.saveAll)
        }
        noteMouseResult(controlUIEnable(true), pages)
        takeWaitingOutsideProfile(true)
    }

    // Shows the current profile after a reset or a change of profile and
    // sends it: to the mouse as the bridge orders it, the pointer settings
    // to the desktop.
    function reloadProfile() {
        keyMatrix.init(false, false)
        reportRateBox.init()
        dpiSetting.init(false, false)
        lightControl.init(false, false)
        var send = {}
        for (var page of [keyMatrix, reportRateBox, dpiSetting, lightControl])
            Object.assign(send, page.profileValues())
        ui_View.mouseSendProfile(send)
        systemSetting.init(true, false)
    }

    function factoryReset() {
        controlUIEnable(false)
        factorysure.visible = false
        mainMask.visible = false
        keyMatrix.isSave = false
        dpiSetting.isSave = false
        lightControl.isSave = false
        ui_View.resetProfile(profileNo)
        reloadProfile()
        ui_View.mouseSetCurrentDPI(2)
        dpiSetting.currentDPI = 1
        gunControl.resetData()
        noteMouseResult(controlUIEnable(true), [keyMatrix, dpiSetting, lightControl])
        takeWaitingOutsideProfile(true)
    }

    // Unsaved changes are never lost by a switch: the user is asked first.
    function changeProfile(n) {
        finishEdits()
        if (n === profileNo || n < 0)
            return
        if (hasUnsaved) {
            askUnsaved(n, false)
            return
        }
        switchProfile(n)
    }

    function switchProfile(n) {
        outsideProfile = -1
        controlUIEnable(false)
        profileNo = n
        profile.profileNo = n
        ui_View.setGlobalData("mouse/profileNo", n)
        ui_View.setCurrentProfile(n)
        reloadProfile()
        noteMouseResult(controlUIEnable(true), [keyMatrix, dpiSetting, lightControl])
    }

    // ---- Following the application in front ----

    // A change of profile the program makes on its own waits while the user
    // is in the middle of something: changes not saved, a page or box open,
    // the mouse busy, keys captured, an edit open, or the main screen not
    // shown yet.
    readonly property bool followBlocked: !mainShown || hasUnsaved || busyIndicator.visible || mainMask.visible
                                          || unsavedBox.visible || factorysure.visible || capturingKeys
                                          || Window.activeFocusItem instanceof EditText
                                          || [macroEditor, keyAssigment, gunControl, systemSetting, profile].some(
                                              function (page) { return page.visible })
    onFollowBlockedChanged: ui_View.noteFollowBlocked(followBlocked)
    onProfileNoChanged: ui_View.noteProfileInUse(profileNo)

    // The application in front calls for profile n: the change goes exactly
    // as from the title-area list. Answers "done", "unchanged", "missed" (the
    // mouse did not take it and the pages stay unsaved), "waiting" (not now)
    // or "unknown" (no row has that profile).
    function followProfile(n) {
        if (followBlocked)
            return "waiting"
        if (profile.rowOfProfile(n) < 0)
            return "unknown"
        if (n === profileNo)
            return "unchanged"
        finishEdits()
        switchProfile(n)
        return mouseMissed ? "missed" : "done"
    }

    // ---- Unsaved changes, quitting, refusals ----

    // The tray's Quit asks the scene first: true when nothing is unsaved;
    // otherwise the question is shown and its answer quits or stays.
    function requestQuit() {
        if (!hasUnsaved)
            return true
        askUnsaved(-1, true)
        return false
    }

    function askUnsaved(n, quitting) {
        pendingProfile = n
        quitPending = quitting
        mainFocus()
        unsavedBox.maskWasShown = mainMask.visible
        mainMask.visible = true
        unsavedBox.open()
    }

    // 0 save the changes to the current profile, 1 discard them, 2 stay.
    function answerUnsaved(answer) {
        var n = pendingProfile
        var quitting = quitPending
        pendingProfile = -1
        quitPending = false
        // A profile the user picked replaces one kx20ctl chose.
        if (n >= 0 && answer !== 2)
            outsideProfile = -1
        unsavedBox.visible = false
        mainMask.visible = unsavedBox.maskWasShown
        if (answer === 0)
            save()
        else if (answer === 1)
            discardChanges()
        // Stayed, or the save did not take: the title list shows the
        // profile in use again.
        if (answer === 2 || hasUnsaved) {
            menuUp.profileList.currentSelect = profile.activeRow
            return
        }
        if (quitting) {
            // The files and the mouse agree on the profile when the
            // program ends.
            takeWaitingOutsideProfile(answer === 0, true)
            ui_Ctl.onQuit()
        }
        else
            switchProfile(n)
    }

    function discardChanges() {
        keyMatrix.isSave = false
        dpiSetting.isSave = false
        lightControl.isSave = false
        takeWaitingOutsideProfile(false)
    }

    // ---- A profile chosen outside the window (kx20ctl) ----

    // The profile kx20ctl chose while unsaved changes of another were
    // shown; -1 when none waits.
    property int outsideProfile: -1

    // The native side calls this at discovery and when the window is shown
    // again: kx20ctl may have changed the profile in use, the names or the
    // links. The profile it chose is already on the mouse, so it is only
    // shown. Unsaved changes are never thrown away for it: the profile shows
    // once they are saved or discarded. Nor does it change under an open
    // page or box: it shows when that closes.
    function takeOutsideChanges() {
        if (!isPownOn)
            return
        finishEdits()
        profile.init()
        profile.refreshLinkBox()
        var stored = Values.toInt(ui_View.getGlobalData("mouse/profileNo"), profileNo)
        if (stored === profileNo || stored < 0) {
            outsideProfile = -1
        } else if (hasUnsaved || mainMask.visible) {
            outsideProfile = stored
            var row = profile.rowOfProfile(stored)
            if (hasUnsaved)
                noticeLine.show(profile.linkText("outsideWaits",
                                                 row >= 0 ? profile.profileDataModel0.get(row).textValue : stored + 1))
        } else {
            showProfile(stored, false)
        }
        menuUp.profileList.currentSelect = profile.activeRow
        menuUp.profileList.closeMenu()
    }

    // After a Save (`sent`: the pages went to the mouse, which held the
    // outside profile) or a discard, the waiting profile is shown; a Save
    // that reached the mouse sends it again whole.
    function takeWaitingOutsideProfile(sent, evenUnderPage) {
        var n = outsideProfile
        if (n < 0 || hasUnsaved || pendingProfile >= 0 || (mainMask.visible && !evenUnderPage))
            return
        outsideProfile = -1
        if (n !== profileNo)
            showProfile(n, sent)
    }

    // Shows profile `n` from its file; sends it only when `send`.
    function showProfile(n, send) {
        if (send) {
            switchProfile(n)
            return
        }
        profileNo = n
        profile.profileNo = n
        ui_View.setCurrentProfile(n)
        keyMatrix.init(false, false)
        reportRateBox.init()
        dpiSetting.init(false, false)
        lightControl.init(false, false)
        // The pointer settings are the desktop's, not the mouse's: they
        // follow the profile as a switch in the window makes them.
        systemSetting.init(true, false)
        menuUp.profileList.currentSelect = profile.activeRow
    }

    // Says in one line why an action did nothing (a key of Prompts.refusals).
    function refuse(reason) {
        noticeLine.show(Prompts.refusalText(promptLang, reason))
    }

    // ---- Keyboard ----

    // Escape closes the topmost box or page, or the open menus; a page that
    // waits for keys takes Escape as a key.
    function closeTopmost() {
        if (capturingKeys)
            return false
        if (unsavedBox.visible) {
            answerUnsaved(2)
            return true
        }
        if (factorysure.visible) {
            factorysure.cancelClick()
            return true
        }
        for (var page of [macroEditor, keyAssigment, gunControl, systemSetting, profile]) {
            if (page.visible) {
                page.close()
                return true
            }
        }
        noticeLine.hide()
        mainFocus()
        return true
    }

    focus: true
    Keys.onEscapePressed: function (event) { event.accepted = mainIten.closeTopmost() }

    // Keys reach the scene through its root whenever no control holds the
    // focus, so Escape works after an input is left.
    function reclaimFocus() {
        var w = Window.window
        if (visible && w && (!w.activeFocusItem || w.activeFocusItem === w.contentItem))
            forceActiveFocus()
    }
    Connections {
        target: mainIten.Window.window
        function onActiveFocusItemChanged() { mainIten.reclaimFocus() }
    }
    onVisibleChanged: reclaimFocus()

    // ---- Dialog pages ----

    function openPage(page) {
        mainMask.visible = true
        page.open()
    }

    function closePage() {
        mainMask.visible = false
        takeWaitingOutsideProfile(false)
    }

    // A button of the list or the picture: its dialog opens unless it is
    // the only left button.
    function openKeyDialog(slot, fromPicture) {
        mouse.selectKey = slot
        if (keyMatrix.checkOneLeftKey()) {
            if (fromPicture)
                mouse.selectKey = -1
            refuse("onlyLeftButton")
            return
        }
        if (fromPicture)
            mouse.btnClick()
        mainMask.visible = true
        keyAssigment.show(slot)
        mainFocus()
    }

    // An open text edit ends on the item it was opened on before anything
    // else happens.
    function finishEdits() {
        editCloser.finish()
    }

    // Every visible page drops its menus and inputs.
    function pagesFocus() {
        if (macroEditor.visible)
            macroEditor.macroEditorFocus()
        if (profile.visible)
            profile.profileFocus()
        if (gunControl.visible)
            gunControl.gunControlFocus()
        lightControl.lightControlFocus()
        if (systemSetting.visible)
            systemSetting.systemSettingFocus()
    }

    // ---- Window dragging ----

    // Where a window may not place itself (Wayland) the system moves it.
    readonly property bool systemMove: Qt.platform.pluginName === "wayland"

    function beginWindowDrag() {
        if (systemMove)
            ui_Ctl.startSystemMove()
    }

    function dragWindow(dx, dy) {
        if (systemMove)
            return
        ui_Ctl.onXChanged(dx)
        ui_Ctl.onYChanged(dy)
    }

    Timer {
        id: protectTimer
        interval: 1000
        repeat: false
        onTriggered: mainIten.endProtect()
    }

    // Captured keys go to whichever page is waiting for them.
    onMsg_KB: function (isDown, usbCode) {
        if (macroEditor.currentIndex !== -1) {
            if (macroEditor.isInputting) {
                macroEditor.detectKeyboard(isDown, usbCode)
                return
            }
            if (macroEditor.isInsertting) {
                macroEditor.detectInput(isDown, usbCode)
                return
            }
        }
        if (keyAssigment.isFireInput)
            keyAssigment.detectKeyboard(isDown, usbCode, 0)
        else if (keyAssigment.isComboInput)
            keyAssigment.detectKeyboard(isDown, usbCode, 1)
    }

    // ---- The main screen ----

    Item {
        id: mainScreen
        objectName: "mainScreen"
        anchors.fill: parent
        visible: mainIten.mainShown

        Environment {
            id: environment
        }

        // The empty background: closes menus and drags the window.
        MouseArea {
            property point pressPoint
            anchors.fill: parent
            onPressed: function (mouse) {
                mainIten.mainFocus()
                pressPoint = Qt.point(mouse.x, mouse.y)
                mainIten.beginWindowDrag()
            }
            onPositionChanged: function (mouse) {
                if (pressed)
                    mainIten.dragWindow(mouse.x - pressPoint.x, mouse.y - pressPoint.y)
            }
        }

        Mouse {
            id: mouse
            objectName: "mouse"
            onBtnClick: mainIten.mainFocus()
            onKeyClick: function (index) { mainIten.openKeyDialog(index, true) }
        }

        Column {
            id: panelleft
            x: 24
            y: 88
            spacing: 8
            z: 1

            KeyMatrix {
                id: keyMatrix
                objectName: "keyMatrix"
                selectKey: mouse.selectKey
                keyAssigmentLang: keyAssigment.keyAssigmentLang
                keyTexts: _KeyCodeString
                macroEditor: macroEditor
                gunPage: gunControl
                onEnterBtn: function (index) { mouse.selectKey = index }
                onLeaveBtn: {
                    if (!keyAssigment.visible)
                        mouse.selectKey = -1
                }
                onClickBtn: function (index) { mainIten.openKeyDialog(index, false) }
                onMouseMissed: mainIten.mouseMissed = true
            }

            EditorBox {
                id: editorBox
                objectName: "editorBox"
                mainLang: mainIten.mainLang
                isGun: mainIten.isGun
                onMacroEditorClick: {
                    mainIten.openPage(macroEditor)
                    mainIten.mainFocus()
                }
                onGunEditorClick: {
                    mainIten.openPage(gunControl)
                    mainIten.mainFocus()
                }
            }

            ReportRateBox {
                id: reportRateBox
                mainLang: mainIten.mainLang
                onHeadClick: mainIten.mainFocus()
            }

            Rectangle {
                id: systemSettingButton
                objectName: "systemSettingButton"
                width: 232
                height: 24
                color: systemArea.containsMouse ? Theme.colorOrange : Theme.colorBlack
                Accessible.role: Accessible.Button
                Accessible.name: mainIten.mainLang[MainTexts.systemSetting] || ""
                Accessible.onPressAction: mainIten.openPage(systemSetting)

                Text {
                    anchors.centerIn: parent
                    width: Math.min(implicitWidth, parent.width - 16)
                    elide: Text.ElideRight
                    text: mainIten.mainLang[MainTexts.systemSetting] || ""
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    font.bold: true
                }
                MouseArea {
                    id: systemArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: mainIten.openPage(systemSetting)
                }
            }
        }

        Column {
            id: panelRight
            x: 768
            y: 56
            spacing: 8
            z: 1

            DpiSetting {
                id: dpiSetting
                objectName: "dpiSetting"
                onFocusMain: mainIten.mainFocus()
            }

            LightControl {
                id: lightControl
                objectName: "lightControl"
                isColorful: mainIten.isColorful
                is55328: mainIten.is55328
                is571: mainIten.is571
                dpiCount: dpiSetting.dpiCount
            }
        }

        BottomBar {
            id: bottomBar
            anchors.right: parent.right
            anchors.rightMargin: 24
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 8
            mainLang: mainIten.mainLang
            hasUnsaved: mainIten.hasUnsaved
            onConfigClick: {
                mainIten.mainFocus()
                mainIten.openPage(profile)
            }
            onResetClick: {
                mainIten.mainFocus()
                mainMask.visible = true
                factorysure.open()
            }
            onSaveClick: mainIten.save()
        }

        Text {
            id: mouseMissedLine
            objectName: "mouseMissedLine"
            anchors.right: bottomBar.right
            anchors.bottom: bottomBar.top
            anchors.bottomMargin: 4
            visible: mainIten.mouseMissed
            text: mainIten.mainLang[15] || "The mouse did not take the changes. Save sends them again."
            color: Theme.colorOrange
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        Menu_Up {
            id: menuUp
            profileModel: profile.profileDataModel0
            onHelpClick: {
                if (!askMenu.visible)
                    askMenu.languages = ui_View.installedLanguages()
                askMenu.visible = !askMenu.visible
            }
            onProfileHeadClick: mainIten.mainFocus()
            onProfilePicked: function (row) { profile.pickTitleRow(row) }
        }

        AskMenu {
            id: askMenu
            objectName: "askMenu"
            url: mainIten.url
            language: mainIten.language
            onLanguagePicked: function (name) { mainIten.switchLanguage(name) }
        }
    }

    // ---- Dialog pages over the mask ----

    MainMask {
        id: mainMask
        objectName: "mainMask"
        z: 30
        onPressedOutside: mainIten.pagesFocus()
        onDragStarted: mainIten.beginWindowDrag()
        onDragged: function (dx, dy) { mainIten.dragWindow(dx, dy) }
    }

    Item {
        id: dialogs
        anchors.fill: parent
        z: 31

        MacroEditor {
            id: macroEditor
            objectName: "macroEditor"
            // Opens above the button dialog too.
            z: 1
            keyTexts: _KeyCodeString
            onClosed: {
                if (!keyAssigment.visible)
                    mainIten.closePage()
                keyAssigment.macroList.closeMenu()
            }
            onNamesUpdated: function (names) { keyAssigment.macroList.addData(names, false) }
            onDeleteMacro: function (macroName) { keyMatrix.macroDeleted(macroName) }
            onModifyMacroName: function (oldMacroName, newMacroName) {
                keyMatrix.macroRenamed(oldMacroName, newMacroName)
            }
            onModifyMacroData: function (macroName) { keyMatrix.macroEdited(macroName) }
            onRefused: function (reason) { mainIten.refuse(reason) }
        }
        GunControl {
            id: gunControl
            objectName: "gunControl"
            onClosed: mainIten.closePage()
            onSendKeyMatrix: keyMatrix.saveData()
        }
        SystemSetting {
            id: systemSetting
            objectName: "systemSetting"
            onClosed: mainIten.closePage()
            onFocusMain: mainIten.mainFocus()
        }
        KeyAssigment {
            id: keyAssigment
            objectName: "keyAssigment"
            keyMatrix: keyMatrix
            keyTexts: _KeyCodeString
            isGun: mainIten.isGun
            onClosed: {
                mainIten.closePage()
                mouse.selectKey = -1
            }
            onMacroEditorClick: {
                mainIten.openPage(macroEditor)
                mainIten.mainFocus()
            }
        }
        Profile {
            id: profile
            objectName: "profile"
            onClosed: {
                mainIten.closePage()
                menuUp.profileList.closeMenu()
            }
            onChangeProfile: function (tmpProfileNo) { mainIten.changeProfile(tmpProfileNo) }
            onRefused: function (reason) { mainIten.refuse(reason) }
            // Rows move when one is deleted: the title-area list follows the
            // active profile's row.
            onActiveRowChanged: menuUp.profileList.currentSelect = activeRow
        }
        FactorySure {
            id: factorysure
            objectName: "factorysure"
            mainLang: mainIten.mainLang
            onCancelClick: {
                visible = false
                mainIten.closePage()
            }
            onOkClick: mainIten.factoryReset()
        }
        QuestionBox {
            id: unsavedBox
            objectName: "unsavedBox"
            // The mask as it was before the question: a page may be open.
            property bool maskWasShown: false
            title: mainIten.promptLang[0]
            question: mainIten.promptLang[1]
            answers: [{ name: "unsavedSaveButton", text: mainIten.promptLang[2] },
                      { name: "unsavedDiscardButton", text: mainIten.promptLang[3] },
                      { name: "unsavedStayButton", text: mainIten.promptLang[4] }]
            onAnswered: function (index) { mainIten.answerUnsaved(index) }
        }
    }

    // ---- Power-on picture and busy text ----

    Image {
        id: powerOn
        objectName: "powerOn"
        anchors.centerIn: parent
        visible: !mainIten.mainShown
        // Shown for the first second only: released for good afterwards.
        source: visible ? Theme.picture("index", "powerOn") : ""
        cache: false
        z: 40
        Accessible.role: Accessible.Graphic
        Accessible.name: "KX20"
    }

    BusyIndicator {
        id: busyIndicator
        objectName: "busyIndicator"
        anchors.centerIn: parent
        z: 50
    }

    EditCloser {
        id: editCloser
        z: 100
    }

    NoticeLine {
        id: noticeLine
        objectName: "noticeLine"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.verticalCenter: parent.verticalCenter
        anchors.verticalCenterOffset: 36
        z: 50
    }
}
