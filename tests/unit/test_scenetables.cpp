#include "functioncodes.h"
#include "keycodestring.h"
#include "languagestrings.h"
#include "reportrates.h"

#include <QSet>
#include <QTest>

// The tables the scene and kx20ctl share.
class TestSceneTables : public QObject
{
    Q_OBJECT

private slots:
    // Every code the table knows comes back from its own text, in the
    // built-in texts and in every installed language; the one shared text,
    // the backslash, comes back as 0x31.
    void everyKeyRoundTrips_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("built-in") << QString();
        for (const char *language : {"English", "French", "ChineseSimplified"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }
    void everyKeyRoundTrips()
    {
        QFETCH(QString, language);
        KeyCodeString table;
        if (!language.isEmpty()) {
            const LanguageStrings strings(QStringLiteral(KX20_SOURCE_DIR "/modules"));
            const QStringList texts = strings.getLangStrings(QStringLiteral("keyCode"), language);
            QCOMPARE(texts.size(), table.count());
            table.setTexts(texts);
        }
        QCOMPARE(table.count(), 133);
        for (int code : KeyCodeString::codes()) {
            const QString text = table.keycodeTostr(code);
            QVERIFY2(!text.isEmpty(), qPrintable(QString::number(code, 16)));
            const int expected = code == 0x32 ? 0x31 : code;
            QVERIFY2(table.strTokeycode(text) == expected,
                     qPrintable(QStringLiteral("0x%1 '%2'").arg(code, 0, 16).arg(text)));
        }
    }

    // Codes outside the table have no text; an unknown or empty text is
    // code 0.
    void gapsHaveNoText()
    {
        KeyCodeString table;
        const QSet<int> known(KeyCodeString::codes().cbegin(), KeyCodeString::codes().cend());
        for (int code = 0; code < 256; ++code) {
            if (!known.contains(code))
                QVERIFY2(table.keycodeTostr(code).isEmpty(), qPrintable(QString::number(code, 16)));
        }
        QCOMPARE(known.size(), 133);
        QCOMPARE(table.strTokeycode(QString()), 0);
        QCOMPARE(table.strTokeycode(QStringLiteral("NoSuchKey")), 0);
        QCOMPARE(table.keycodeTostr(0x31), QStringLiteral("\\"));
        QCOMPARE(table.keycodeTostr(0x32), QStringLiteral("\\"));
        QCOMPARE(table.keycodeTostr(0x4F), QString(QChar(0x25BA)));
        QCOMPARE(table.keycodeTostr(0x73), QStringLiteral("F24"));
        QCOMPARE(table.keycodeTostr(0xF4), QStringLiteral("MS-B5"));
    }

    // A language section replaces texts by position; entries it lacks or
    // leaves empty keep their built-in text.
    void languageReplacesByPosition()
    {
        KeyCodeString table;
        table.setTexts({QStringLiteral("Ä"), QString(), QStringLiteral("Cé")});
        QCOMPARE(table.keycodeTostr(0x04), QStringLiteral("Ä"));
        QCOMPARE(table.keycodeTostr(0x05), QStringLiteral("B"));
        QCOMPARE(table.keycodeTostr(0x06), QStringLiteral("Cé"));
        QCOMPARE(table.strTokeycode(QStringLiteral("A")), 0);
        QCOMPARE(table.keycodeTostr(0xE0), QStringLiteral("LCtrl"));
    }

    void reportRates()
    {
        QCOMPARE(ReportRates::rowTexts(), (QStringList{QStringLiteral("125Hz"), QStringLiteral("250Hz"),
                                                       QStringLiteral("500Hz"), QStringLiteral("1000Hz")}));
        // The mouse takes the report interval in ms, not the row.
        const int codes[] = {8, 4, 2, 1};
        const int hz[] = {125, 250, 500, 1000};
        for (int row = 0; row < ReportRates::kRows; ++row) {
            QCOMPARE(ReportRates::code(row), codes[row]);
            QCOMPARE(ReportRates::hz(row), hz[row]);
            QCOMPARE(ReportRates::rowOfHz(hz[row]), row);
        }
        // Any other stored value is sent as 1000 Hz; no other rate has a row.
        for (int row : {-1, 4, 7})
            QCOMPARE(ReportRates::code(row), 1);
        QCOMPARE(ReportRates::hz(7), 0);
        QCOMPARE(ReportRates::rowOfHz(8), -1);
    }

    // Every fixed choice of the button dialog names itself, and its text
    // gives back its codes; the table holds the Part's rows exactly.
    void everyFunctionRowGivesItsText()
    {
        const KeyCodeString keys;
        const QStringList texts = FunctionCodes::builtInTexts();
        QCOMPARE(texts.size(), 60);
        QCOMPARE(FunctionCodes::rows().size(), 38);
        QSet<int> seen;
        for (const FunctionCodes::Row &row : FunctionCodes::rows()) {
            const QString what =
                QStringLiteral("%1 %2 %3 %4").arg(row.c0).arg(row.c1).arg(row.c2).arg(row.c3);
            QVERIFY2(!seen.contains(row.text), qPrintable(what));
            seen.insert(row.text);
            QCOMPARE(FunctionCodes::describe(row.c0, row.c1, row.c2, row.c3, texts, keys, QString()),
                     texts.at(row.text));
            QCOMPARE(FunctionCodes::codesOfText(row.text), (QVariantList{row.c0, row.c1, row.c2, row.c3}));
        }
        // A few rows spelled out, so a slip in the table shows.
        QCOMPARE(FunctionCodes::codesOfText(7), (QVariantList{0, 0xF0, 0x1E, 0x02}));
        QCOMPARE(FunctionCodes::codesOfText(27), (QVariantList{3, 0, 0x83, 0x01}));
        QCOMPARE(FunctionCodes::codesOfText(39), (QVariantList{6, 0x04, 0x2C, 0x11}));
        QCOMPARE(FunctionCodes::codesOfText(51), (QVariantList{7, 0, 0xE0, 0x04}));
        QCOMPARE(FunctionCodes::codesOfText(56), (QVariantList{5, 0, 4, 0}));
        QCOMPARE(FunctionCodes::codesOfText(55), (QVariantList{8, 0, 3, 0}));
        QVERIFY(FunctionCodes::codesOfText(8).isEmpty());
    }

    // Codes that name no choice show nothing; fire, combinations and macros
    // are named by their keys and the macro's name.
    void functionTexts_data()
    {
        QTest::addColumn<QVariantList>("codes");
        QTest::addColumn<QString>("text");
        // Mouse functions go by the second parameter only; media, Windows and
        // shortcuts by the second and third, never by the first.
        QTest::newRow("left, any p1") << QVariantList{0, 7, 0xF0, 9} << "Left Key";
        QTest::newRow("mouse unknown") << QVariantList{0, 0, 0x55, 0} << "";
        QTest::newRow("media p1 ignored") << QVariantList{3, 0x44, 0xE2, 0} << "Mute";
        QTest::newRow("media wrong high byte") << QVariantList{3, 0, 0xE2, 1} << "";
        QTest::newRow("windows") << QVariantList{6, 0, 0xE3, 0x15} << "Run";
        QTest::newRow("shortcut unknown") << QVariantList{7, 0, 0xE0, 0x05} << "";
        QTest::newRow("dpi 5") << QVariantList{5, 0, 5, 0} << "";
        QTest::newRow("gun 0") << QVariantList{8, 0, 0, 0} << "";
        QTest::newRow("category FF") << QVariantList{0xFF, 0, 1, 0} << "";
        QTest::newRow("category 9") << QVariantList{9, 0, 0xF0, 0} << "";
        QTest::newRow("fire") << QVariantList{1, 0x2C, 10, 0} << "Space";
        QTest::newRow("fire unknown key") << QVariantList{1, 0x80, 10, 0} << "";
        QTest::newRow("combination") << QVariantList{2, 0x03, 0x04, 0x05} << "LCtrl+LShift+A+B";
        QTest::newRow("combination right mods") << QVariantList{2, 0xA0, 0x06, 0} << "RShift+RWin+C";
        QTest::newRow("combination second key only") << QVariantList{2, 0, 0, 0x1E} << "1";
        QTest::newRow("macro") << QVariantList{4, 2, 4, 0} << "m1";
    }
    void functionTexts()
    {
        QFETCH(QVariantList, codes);
        QFETCH(QString, text);
        KeyCodeString keys;
        QCOMPARE(FunctionCodes::keyCodeToString(codes[0].toInt(), codes[1].toInt(), codes[2].toInt(),
                                                codes[3].toInt(), FunctionCodes::builtInTexts(), &keys,
                                                QStringLiteral("m1")),
                 text);
    }

    void modifierBits()
    {
        for (int code = 0; code < 256; ++code) {
            const int expected = code >= 0xE0 && code <= 0xE7 ? 1 << (code - 0xE0) : 0;
            QCOMPARE(FunctionCodes::modifierBit(code), expected);
        }
    }
};

QTEST_MAIN(TestSceneTables)
#include "test_scenetables.moc"
