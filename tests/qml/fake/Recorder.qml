import QtQml

// The shared call log and answers of the fake ui_View, hid and ui_Ctl, and
// of the page doubles. Each call is logged as "name(arg, arg)"; calls of
// hid, ui_Ctl and the page doubles carry their object's name in front.
QtObject {
    property var calls: []
    // When each call was made (Date.now()), for the timed lock.
    property var times: []
    // Values by key for getGlobalData, getData and getDataList; setData,
    // setDataList and setGlobalData write here too.
    property var store: ({})
    // Results of the other operations by name: a value, or a function that
    // takes the call's arguments.
    property var answers: ({})
    // Set before the scene loads: its pages are then the doubles in
    // tests/qml/doubles, which log their operations here.
    property bool pageDoubles: false
    // File names of pages that stay real among the doubles ("GunControl.qml").
    property var realPages: []
    // The page doubles by name, as they register themselves.
    property var pages: ({})
    // What the scene tells the profile follower, apart from the call log so
    // that the logs of the scene's own steps stay as they read.
    property var notes: []

    function reset() {
        clear()
        store = {}
        answers = {}
        pages = {}
        realPages = []
    }

    function clear() {
        calls = []
        times = []
        notes = []
    }

    function note(name, args) {
        notes = notes.concat([name + "(" + args.map(format).join(", ") + ")"])
    }

    // Logs a call and gives the answer set for it, else `fallback`.
    function call(object, name, args, fallback) {
        var text = (object ? object + "." : "") + name + "(" + args.map(format).join(", ") + ")"
        calls = calls.concat([text])
        times = times.concat([Date.now()])
        if (!(name in answers))
            return fallback
        var answer = answers[name]
        return typeof answer === "function" ? answer.apply(null, args) : answer
    }

    function read(object, name, args, key, fallback) {
        call(object, name, args)
        return key in store ? store[key] : fallback
    }

    function write(object, name, args, key, value) {
        call(object, name, args)
        store[key] = value
    }

    function format(value) {
        if (Array.isArray(value))
            return "[" + value.map(format).join(", ") + "]"
        // A plain script object, keys in order.
        if (value !== null && typeof value === "object" && Object.getPrototypeOf(value) === Object.prototype)
            return "{" + Object.keys(value).sort().map(k => k + ": " + format(value[k])).join(", ") + "}"
        return String(value)
    }
}
