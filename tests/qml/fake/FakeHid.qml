import QtQml

// Stands in for the device link hid: the one command the scene sends
// directly.
QtObject {
    property QtObject recorder

    function hid560_02H_SetCurrentProfile(profile) {
        return recorder.call("hid", "hid560_02H_SetCurrentProfile", [profile])
    }
}
