import QtQml

// Stands in for the bridge ui_View: one function per public slot of
// myQQuickView, with the same parameters, plus the view widget's
// setEnabled. Results come from the recorder's store and answers; without an
// answer a list operation gives an empty list, the language strings give
// "section.index" texts, and a bool operation false. GetKeyboardoption is
// missing: QML cannot declare a function with an upper-case name, and the
// scene does not use it.
QtObject {
    property QtObject recorder

    function clearHidBusy() { return recorder.call("", "clearHidBusy", []) }
    function initUI() { return recorder.call("", "initUI", []) }
    function runUI() { return recorder.call("", "runUI", []) }
    function resetApconfig() { return recorder.call("", "resetApconfig", []) }
    function loadMacroFile(macroFileName) { return recorder.call("", "loadMacroFile", [macroFileName], false) }
    function saveMacroFile(macroFileName) { return recorder.call("", "saveMacroFile", [macroFileName]) }
    function loadProfile(profile) { return recorder.call("", "loadProfile", [profile], false) }
    function saveProfile(profile) { return recorder.call("", "saveProfile", [profile]) }
    function resetProfile(profile) { return recorder.call("", "resetProfile", [profile]) }
    function copyProfile(destprofile, srcprofile) {
        return recorder.call("", "copyProfile", [destprofile, srcprofile])
    }
    function getLangStrings(typeStr, langCode) {
        var texts = []
        for (var i = 0; i < 24; ++i)
            texts.push(typeStr + "." + i)
        return recorder.call("", "getLangStrings", [typeStr, langCode], texts)
    }
    function createMacroIni(name, macroIndex) { return recorder.call("", "createMacroIni", [name, macroIndex]) }
    function updataNameList(type, nameList) { return recorder.call("", "updataNameList", [type, nameList]) }
    function modifyMacroNameUpdateProfile(oldname, newname) {
        return recorder.call("", "modifyMacroNameUpdateProfile", [oldname, newname])
    }
    function deleteMacroUpdateProfile(macroName) {
        return recorder.call("", "deleteMacroUpdateProfile", [macroName])
    }
    function deleteMacroIni(name) { return recorder.call("", "deleteMacroIni", [name]) }
    function getNameList(type) { return recorder.call("", "getNameList", [type], []) }
    function saveMacroIni(name, macros, repeat) { return recorder.call("", "saveMacroIni", [name, macros, repeat]) }
    function mouseSendMacroData(macroData, macroIndex) {
        return recorder.call("", "mouseSendMacroData", [macroData, macroIndex])
    }
    function loadMacroIni(name) { return recorder.call("", "loadMacroIni", [name], []) }
    function mouseSaveGundata(index, src6) { return recorder.call("", "mouseSaveGundata", [index, src6]) }
    function mouseSendGundata(slot, values) { return recorder.call("", "mouseSendGundata", [slot, values]) }
    function modifyGundata(modifyType, src6) { return recorder.call("", "modifyGundata", [modifyType, src6]) }
    function getGunData(name) { return recorder.call("", "getGunData", [name], []) }
    function getGunDataKey() { return recorder.call("", "getGunDataKey", [], []) }
    function getXYSensitive(index) { return recorder.call("", "getXYSensitive", [index]) }
    function getselectGun(index) { return recorder.call("", "getselectGun", [index]) }
    function setXYSensitive(index, xyData) { return recorder.call("", "setXYSensitive", [index, xyData]) }
    function setSelectGun(index, xyData) { return recorder.call("", "setSelectGun", [index, xyData]) }
    function setCurrentProfile(profile) { return recorder.call("", "setCurrentProfile", [profile]) }
    function mouseSetKeyboardoption(byte1, byte2, byte3, byte4) {
        return recorder.call("", "mouseSetKeyboardoption", [byte1, byte2, byte3, byte4])
    }
    function mouseSetReportRate(rate) { return recorder.call("", "mouseSetReportRate", [rate]) }
    function mouseSetCurrentDPI(currentDPI) { return recorder.call("", "mouseSetCurrentDPI", [currentDPI]) }
    function mouseResetKeyMatrix() { return recorder.call("", "mouseResetKeyMatrix", []) }
    function mouseGetCurrentDPI() { return recorder.call("", "mouseGetCurrentDPI", []) }
    function mouseSetKeyMatrix(src64, isSendData, otherParam) {
        return recorder.call("", "mouseSetKeyMatrix", [src64, isSendData, otherParam])
    }
    function mouseSetDpi(dpiCount, sensorType, dpiValueArray) {
        return recorder.call("", "mouseSetDpi", [dpiCount, sensorType, dpiValueArray])
    }
    function mouseSetRGBEffect(effect, option1, option2) {
        return recorder.call("", "mouseSetRGBEffect", [effect, option1, option2])
    }
    function mouseSetRGBColor(type, src24) { return recorder.call("", "mouseSetRGBColor", [type, src24]) }
    function mouseSetFixColor(src3) { return recorder.call("", "mouseSetFixColor", [src3]) }
    function mouseSetProfile(profileNo) { return recorder.call("", "mouseSetProfile", [profileNo]) }
    function mouseReadProfile(profileNo) { return recorder.call("", "mouseReadProfile", [profileNo]) }
    function mouseReadCurrentProfile() { return recorder.call("", "mouseReadCurrentProfile", []) }
    function mouseSwitchKeyMatrix(indexNo) { return recorder.call("", "mouseSwitchKeyMatrix", [indexNo]) }
    function mouseSetCursorSpeed(cursorSpeed) { return recorder.call("", "mouseSetCursorSpeed", [cursorSpeed]) }
    function mouseSetVerticalScrollLines(lines) {
        return recorder.call("", "mouseSetVerticalScrollLines", [lines])
    }
    function mouseSetDoubleClickSpeed(speed) { return recorder.call("", "mouseSetDoubleClickSpeed", [speed]) }
    function mouseGetKeydefine(index, isRecovery) {
        return recorder.call("", "mouseGetKeydefine", [index, isRecovery], [])
    }
    function openUpdateExe() { return recorder.call("", "openUpdateExe", []) }
    function getData(key, isRecovery) { return recorder.read("", "getData", [key, isRecovery], key) }
    function getGlobalData(key) { return recorder.read("", "getGlobalData", [key], key) }
    function getDataList(key, isRecovery) { return recorder.read("", "getDataList", [key, isRecovery], key, []) }
    function setData(key, data) { recorder.write("", "setData", [key, data], key, data) }
    function setGlobalData(key, tmpdata) { recorder.write("", "setGlobalData", [key, tmpdata], key, tmpdata) }
    function setDataList(key, datalist) { recorder.write("", "setDataList", [key, datalist], key, datalist) }
    function setBusy(busyTime) { return recorder.call("", "setBusy", [busyTime]) }
    function setCurrentDPI(dpiValue) { return recorder.call("", "setCurrentDPI", [dpiValue]) }
    function installedLanguages() {
        return recorder.call("", "installedLanguages", [],
                             [{ name: "English", title: "English" }, { name: "French", title: "Français" }])
    }
    function chooseLanguage(language) { return recorder.call("", "chooseLanguage", [language], true) }
    function pointerSettingsAvailable() {
        return recorder.call("", "pointerSettingsAvailable", [], [true, true, true])
    }
    function beginMouseChanges() { return recorder.call("", "beginMouseChanges", []) }
    function endMouseChanges() { return recorder.call("", "endMouseChanges", [], true) }
    function lightingColours(effect, colours) {
        return recorder.call("", "lightingColours", [effect, colours], colours)
    }
    function mouseSendLighting(lightValue, colours, fixColor, isStep) {
        return recorder.call("", "mouseSendLighting", [lightValue, colours, fixColor, isStep])
    }
    function mouseSendProfile(send) { return recorder.call("", "mouseSendProfile", [send], true) }
    function mouseUseProfileOne() { return recorder.call("", "mouseUseProfileOne", []) }
    function noteFollowBlocked(blocked) { recorder.note("noteFollowBlocked", [blocked]) }
    function noteProfileInUse(profile) { recorder.note("noteProfileInUse", [profile]) }

    // The links live in the store under "links" (name -> profile), as the
    // bridge keeps them: lower case, one profile a name.
    readonly property QtObject linkStore: QtObject {
        function get() {
            if (!("links" in recorder.store))
                recorder.store["links"] = {}
            return recorder.store["links"]
        }
    }
    function profileLinks(profile) {
        var links = linkStore.get()
        return recorder.call("", "profileLinks", [profile],
                             Object.keys(links).filter(k => links[k] === profile).sort())
    }
    function linkedProfile(name) {
        var key = String(name).trim().toLowerCase()
        var links = linkStore.get()
        return recorder.call("", "linkedProfile", [name], key in links ? links[key] : -1)
    }
    function linkApplication(name, profile) {
        var key = String(name).trim().toLowerCase()
        var reason = key === "" || key.length > 64 || key.indexOf("/") >= 0 ? "linkName" : ""
        var answer = recorder.call("", "linkApplication", [name, profile], reason)
        if (answer === "")
            linkStore.get()[key] = profile
        return answer
    }
    function unlinkApplication(name) {
        var answer = recorder.call("", "unlinkApplication", [name], "")
        if (answer === "")
            delete linkStore.get()[String(name).trim().toLowerCase()]
        return answer
    }
    function clearProfileLinks(profile) {
        var answer = recorder.call("", "clearProfileLinks", [profile], "")
        var links = linkStore.get()
        for (var k of Object.keys(links)) {
            if (answer === "" && links[k] === profile)
                delete links[k]
        }
        return answer
    }
    function openApplications() { return recorder.call("", "openApplications", [], []) }
    function followsFocus() { return recorder.call("", "followsFocus", [], true) }

    function setEnabled(enabled) { return recorder.call("", "setEnabled", [enabled]) }
}
