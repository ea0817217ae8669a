.pragma library
// Where each text of the main screen sits in the language files' [main]
// section (the scene's `mainLang` list).

var editor = 0
var macroEditor = 1
var gunEditor = 2
var reportRate = 3
var config = 4
var reset = 5
var resetFactory = 6
var cancel = 7
var ok = 8
var systemSetting = 9
var save = 10
