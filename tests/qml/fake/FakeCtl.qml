import QtQml

// Stands in for the window controller ui_Ctl.
QtObject {
    property QtObject recorder

    function onMinimize() { return recorder.call("ui_Ctl", "onMinimize", []) }
    function onClose() { return recorder.call("ui_Ctl", "onClose", []) }
    function onXChanged(dx) { return recorder.call("ui_Ctl", "onXChanged", [dx]) }
    function onYChanged(dy) { return recorder.call("ui_Ctl", "onYChanged", [dy]) }
    function startSystemMove() { return recorder.call("ui_Ctl", "startSystemMove", [], false) }
    function setBusy(busyTime) { return recorder.call("ui_Ctl", "setBusy", [busyTime]) }
    function onQuit() { return recorder.call("ui_Ctl", "onQuit", []) }
}
