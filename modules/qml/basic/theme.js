.pragma library
// The scene's look: one palette, one set of font sizes and the rule that
// turns a picture's group and name into its resource path. Every control
// and page reads these, so a colour is changed in one place.

var colorGray0 = "#1a1a1a"
var colorGray1 = "#3c3c3c"
var colorGray2 = "#969696"
var colorGray3 = "#d1d1d1"
var colorBlue = "#09347f"
var colorOrange = "#cf3e00"
var colorBlack = "#000000"
var colorRed = "#ff3030"
var fontColor = "#ffffff"

var fontMinSize = 10
var fontNormalSize = 12
var fontMiddleSize = 14
var fontMaxSize = 16

// A family that covers both Latin and Chinese, so the Chinese texts show no
// empty boxes and every language keeps the same text widths the layout is
// measured for: Microsoft YaHei on Windows, WenQuanYi Micro Hei elsewhere.
var fontFamily = Qt.platform.os === "windows" ? "微软雅黑" : "WenQuanYi Micro Hei"

var skinNo = 1

// "qrc:/<group>/modules/img/skin<n>/<group>/<name>.png"; the gun pictures
// always come from skin 1.
function picture(group, name) {
    var skin = group === "gun" ? 1 : skinNo
    return "qrc:/" + group + "/modules/img/skin" + skin + "/" + group + "/" + name + ".png"
}

// A button-like rectangle: blue at rest, orange under the pointer.
function buttonColor(hovered) {
    return hovered ? colorOrange : colorBlue
}

// The drop-down list's scroll bar.
var colorWhite = "#ffffff"
