#pragma once

#include <QObject>
#include <QStringList>
#include <QVector>

// The table that pairs each key code the capture produces (HID keyboard
// usages plus the mouse's own 0xF0-0xF4 button codes) with its short text.
// Macros are stored by text and turned back into codes, so every code has a
// text of its own; the two backslash keys are the one exception, and both
// come back as 0x31.
class KeyCodeString : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList keyCodeStr READ keyCodeStr NOTIFY textsChanged)
    Q_PROPERTY(int count READ count CONSTANT)

public:
    explicit KeyCodeString(QObject *parent = nullptr);

    // The fixed code list and the built-in texts, in table order.
    static const QVector<int> &codes();
    static const QStringList &builtInTexts();

    QStringList keyCodeStr() const { return m_texts; }
    int count() const { return int(codes().size()); }

    // Text of the first entry with this code; "" when there is none.
    Q_INVOKABLE QString keycodeTostr(int code) const;
    // Code of the first entry with exactly this text; 0 when there is none.
    Q_INVOKABLE int strTokeycode(const QString &text) const;
    // Replaces the texts by position, as a language section lists them:
    // entry i names code i of the fixed list. Entries the section lacks keep
    // their built-in text (so do empty ones), so a short or damaged language
    // file never leaves a recorded key without a name.
    Q_INVOKABLE void setTexts(const QStringList &texts);

signals:
    void textsChanged();

private:
    QStringList m_texts;
};
