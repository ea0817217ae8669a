#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>

class KeyCodeString;

// The functions a button can be given, as the button dialog writes them:
// a category and three parameters, and the text that names them. One table
// for the dialog's choices, the button list's texts and kx20ctl's words.
class FunctionCodes : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList texts READ texts CONSTANT)

public:
    // Categories (the first of the four codes).
    enum Category {
        Mouse = 0x00,
        Fire = 0x01,
        Combination = 0x02,
        Media = 0x03,
        Macro = 0x04,
        Dpi = 0x05,
        Windows = 0x06,
        Shortcut = 0x07,
        Gun = 0x08
    };
    Q_ENUM(Category)

    // One fixed choice of the dialog; `text` indexes the dialog's texts.
    struct Row
    {
        int c0;
        int c1;
        int c2;
        int c3;
        int text;
    };

    explicit FunctionCodes(QObject *parent = nullptr);

    static const QVector<Row> &rows();
    // The dialog's built-in texts, 60 of them; a language replaces them.
    static const QStringList &builtInTexts();
    QStringList texts() const { return builtInTexts(); }

    // Index of the text naming a fixed choice, or -1 (fire, combination,
    // macro and unknown codes have no fixed text). Mouse functions and the
    // DPI and gun steps are told apart by the second parameter alone; media,
    // Windows and shortcut commands by the second and third.
    Q_INVOKABLE static int textIndex(int c0, int c1, int c2, int c3);
    // The four codes of the fixed choice named by text `index`; empty when
    // no choice has that text.
    Q_INVOKABLE static QVariantList codesOfText(int index);
    // The combination bit of a modifier key (0xE0..0xE7); 0 for other keys.
    Q_INVOKABLE static int modifierBit(int code);

    // The text shown for an assignment: a fixed choice's text from `texts`,
    // a fire key's text, a combination's key texts joined with "+", or the
    // macro's name; "" when the codes name nothing.
    static QString describe(int c0, int c1, int c2, int c3, const QStringList &texts,
                            const KeyCodeString &keys, const QString &macroName);
    Q_INVOKABLE static QString keyCodeToString(int c0, int c1, int c2, int c3, const QStringList &texts,
                                               KeyCodeString *keys, const QString &macroName);
};
