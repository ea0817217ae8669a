import QtQuick
import "mainTexts.js" as MainTexts

// The reset box: asks before the current profile goes back to the factory
// settings.
QuestionBox {
    id: box

    property var mainLang: []

    signal cancelClick()
    signal okClick()

    title: mainLang[MainTexts.reset] || ""
    question: mainLang[MainTexts.resetFactory] || ""
    answers: [{ name: "resetCancelButton", text: mainLang[MainTexts.cancel] || "" },
              { name: "resetOkButton", text: mainLang[MainTexts.ok] || "" }]
    onAnswered: function (index) {
        if (index === 0)
            box.cancelClick()
        else
            box.okClick()
    }
}
