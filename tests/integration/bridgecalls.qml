import QtQuick

// Calls the bridge the way the scene does, with script values.
Item {
    width: 1024
    height: 640

    function exercise() {
        ui_View.setCurrentProfile(2)
        ui_View.setData("mouse/reportRate", 1)
        ui_View.setDataList("mouse/fixColor", [255, 0, 16])
        ui_View.mouseSetReportRate(2)
        ui_View.mouseSetCurrentDPI(3)
        ui_View.mouseSendMacroData([1, 2, 3], 0)
        ui_View.mouseSetKeyboardoption(1, 2, 3, 0x40)
        return [ui_View.getData("mouse/reportRate", false), ui_View.getDataList("mouse/fixColor", false).join(","),
                ui_View.mouseGetCurrentDPI(), ui_View.GetKeyboardoption().join(","),
                ui_View.getGlobalData("mouse/icType"), ui_View.loadProfile(0)].join(";")
    }
}
