import QtQuick

// The reset box: asks before the current profile goes back to the factory
// settings.
QuestionBox {
    id: box

    property var mainLang: []

    signal cancelClick()
    signal okClick()

    title: mainLang[5] || ""
    question: mainLang[6] || ""
    answers: [{ name: "resetCancelButton", text: mainLang[7] || "" },
              { name: "resetOkButton", text: mainLang[8] || "" }]
    onAnswered: function (index) {
        if (index === 0)
            box.cancelClick()
        else
            box.okClick()
    }
}
