#include "functioncodes.h"
#include "keycodestring.h"
#include "languagestrings.h"
#include "lighteffects.h"
#include "reportrates.h"

#include <QSet>
#include <QSignalSpy>
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

    // --- lighting effects -----------------------------------------------------------

    // The rows a mouse gets, each named by its text of the page's list.
    void effectRowsPerVariant_data()
    {
        QTest::addColumn<bool>("colourful");
        QTest::addColumn<bool>("v55328");
        QTest::addColumn<bool>("v571");
        QTest::addColumn<QList<int>>("texts");
        const auto range = [](int from, int to) {
            QList<int> list;
            for (int i = from; i <= to; ++i)
                list << i;
            return list;
        };
        QTest::newRow("single colour") << false << false << false << range(1, 4);
        QTest::newRow("55328") << false << true << false << (range(1, 4) << 15);
        QTest::newRow("colourful") << true << false << false << (range(1, 4) + range(8, 14));
        QTest::newRow("colourful 55328") << true << true << false << (range(1, 4) + range(8, 14) << 15);
        QTest::newRow("colourful 571") << true << false << true << range(16, 42);
        // Fewer than eleven rows: only those there are renamed.
        QTest::newRow("571 single colour") << false << false << true << (range(16, 19) + range(27, 42));
    }
    void effectRowsPerVariant()
    {
        QFETCH(bool, colourful);
        QFETCH(bool, v55328);
        QFETCH(bool, v571);
        QFETCH(QList<int>, texts);
        QList<int> got;
        for (const LightEffect &e : LightEffects::rows(colourful, v55328, v571))
            got << e.textIndex;
        QCOMPARE(got, texts);

        // The scene's object follows its flags.
        LightEffects table;
        QSignalSpy changed(&table, &LightEffects::rowsChanged);
        table.setColorful(colourful);
        table.set55328(v55328);
        table.set571(v571);
        QCOMPARE(table.count(), int(texts.size()));
        QCOMPARE(changed.count(), int(colourful) + int(v55328) + int(v571));
        QCOMPARE(table.textIndex(table.count() - 1), texts.last());
        QCOMPARE(table.textIndex(table.count()), 0);
    }

    // What choosing an effect shows and sets, on the rows where the variants
    // differ.
    void effectRules_data()
    {
        QTest::addColumn<int>("variant"); // 0 colourful, 1 55328, 2 colourful 571
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("rule"); // speed brightness shaded single speedOn brightnessOn
        QTest::newRow("Static") << 0 << 0 << "-B--/-/4";
        QTest::newRow("Breath") << 0 << 1 << "S---/0/-";
        QTest::newRow("Neon") << 0 << 2 << "S-X-/0/-";
        QTest::newRow("OFF") << 0 << 3 << "--X-/-/0";
        QTest::newRow("Twinkling") << 0 << 4 << "-B--/-/4";
        QTest::newRow("55328 row 4") << 1 << 4 << "S---/0/-";
        QTest::newRow("Wave") << 0 << 5 << "SBX-/0/4";
        QTest::newRow("Gliding") << 0 << 6 << "--X-/0/4";
        QTest::newRow("Finger Moving") << 0 << 7 << "-BX-/-/4";
        QTest::newRow("Spotlight") << 0 << 10 << "SBX-/0/4";
        QTest::newRow("no such row") << 0 << 11 << "--X-/-/-";
        QTest::newRow("571 off") << 2 << 0 << "--X-/4/4";
        QTest::newRow("571 static") << 2 << 1 << "-B-1/4/4";
        QTest::newRow("571 breath") << 2 << 4 << "S--1/4/4";
        QTest::newRow("571 7") << 2 << 7 << "SBX-/4/4";
        QTest::newRow("571 20") << 2 << 20 << "SB-1/4/4";
        QTest::newRow("571 23") << 2 << 23 << "SBX-/4/4";
        QTest::newRow("571 26") << 2 << 26 << "-B--/4/4";
    }
    void effectRules()
    {
        QFETCH(int, variant);
        QFETCH(int, row);
        QFETCH(QString, rule);
        LightEffects table;
        table.setColorful(variant != 1);
        table.set55328(variant == 1);
        table.set571(variant == 2);
        const auto step = [](int s) {
            return s < 0 ? QStringLiteral("-") : QString::number(s);
        };
        const QString got =
            QString::fromLatin1(table.hasSpeed(row) ? "S" : "-") + (table.hasBrightness(row) ? "B" : "-")
            + (table.colourShaded(row) ? "X" : "-") + (table.singleColour(row) ? "1" : "-") + QLatin1Char('/')
            + step(table.speedOnChoose(row)) + QLatin1Char('/') + step(table.brightnessOnChoose(row));
        QCOMPARE(got, rule);
    }

    // The 571 sets, row by row: brightness, speed, single colour, shaded.
    void effectSetsOf571()
    {
        const QSet<int> brightness{1, 2, 3, 7, 8, 9, 10, 11, 18, 19, 20, 21, 22, 23, 24, 25, 26};
        const QSet<int> speed{4, 5, 6, 7, 8, 20, 21, 22, 23};
        const QSet<int> single{1, 4, 9, 12, 15, 18, 20, 24};
        const QSet<int> shaded{0, 7, 8, 23};
        const QList<LightEffect> rows = LightEffects::rows(true, false, true);
        QCOMPARE(rows.size(), 27);
        for (int i = 0; i < rows.size(); ++i) {
            const LightEffect &e = rows.at(i);
            QVERIFY2(e.hasBrightness == brightness.contains(i) && e.hasSpeed == speed.contains(i)
                         && e.singleColour == single.contains(i) && e.colourShaded == shaded.contains(i),
                     qPrintable(QString::number(i)));
        }
    }

    // Names come from the page's texts: built in for the first fifteen, from
    // the language file for the rest; a name finds its row whatever its case
    // and spacing.
    void effectNames()
    {
        const QStringList builtIn = LightEffects::builtInTexts();
        QCOMPARE(builtIn.size(), LightEffects::kTexts);
        QCOMPARE(builtIn.at(0), QStringLiteral("Light"));
        QCOMPARE(builtIn.at(7), QStringLiteral("Brightness"));
        QCOMPARE(builtIn.at(14), QStringLiteral("Spotlight"));
        QVERIFY(builtIn.at(15).isEmpty() && builtIn.at(44).isEmpty());

        const QStringList colourful = LightEffects::names(LightEffects::rows(true, false, false), builtIn);
        QCOMPARE(colourful.first(), QStringLiteral("Static"));
        QCOMPARE(colourful.at(7), QStringLiteral("Finger Moving"));
        QCOMPARE(LightEffects::rowOfName(colourful, QStringLiteral("finger-moving")), 7);
        QCOMPARE(LightEffects::rowOfName(colourful, QStringLiteral("WAVE")), 5);
        QCOMPARE(LightEffects::rowOfName(colourful, QStringLiteral("yo_yo")), 9);
        QCOMPARE(LightEffects::rowOfName(colourful, QStringLiteral("Marquee")), -1);
        QCOMPARE(LightEffects::rowOfName(colourful, QString()), -1);

        const LanguageStrings strings(QStringLiteral(KX20_SOURCE_DIR "/modules"));
        const QStringList english =
            strings.getLangStrings(QStringLiteral("lightControl"), QStringLiteral("English"));
        const QStringList of571 = LightEffects::names(LightEffects::rows(true, false, true), english);
        QCOMPARE(of571.size(), 27);
        QVERIFY(!of571.contains(QString()));
        QCOMPARE(QSet<QString>(of571.cbegin(), of571.cend()).size(), 27);
        QCOMPARE(LightEffects::rowOfName(of571, QStringLiteral("custom")), 26);
        // A row beyond the texts has no name.
        QCOMPARE(LightEffects::names(LightEffects::rows(false, true, false), builtIn).last(), QString());
    }
};

QTEST_MAIN(TestSceneTables)
#include "test_scenetables.moc"
