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
};

QTEST_MAIN(TestSceneTables)
#include "test_scenetables.moc"
