#include "languagestrings.h"
#include "modulestree.h"

#include <QTest>

namespace {

const QStringList kDefaults(LanguageStrings::kDpiSwitchTextCount, QStringLiteral("DPI Switch to"));

QByteArray otherSection(const QByteArray &prefix, int count)
{
    QByteArray section = "[other]\ntotal=" + QByteArray::number(count) + "\n";
    for (int i = 0; i < count; ++i)
        section += QByteArray::number(i) + "=" + prefix + QByteArray::number(i + 1) + "\n";
    return section;
}

} // namespace

class TestLanguageStrings : public QObject
{
    Q_OBJECT

private slots:
    void init() { LanguageStrings::resetDpiSwitchTexts(); }

    void sectionsReadUpToTheirTotal()
    {
        ModulesTree tree;
        tree.write(QStringLiteral("modules/i18n/Test.ini"),
                   "[three]\ntotal=3\n0=a\n1=b\n2=c\n3=d\n[gap]\ntotal=2\n0=x\n[bad]\ntotal=many\n0=x\n"
                   "[huge]\ntotal=2000000000\n0=x\n");
        const LanguageStrings strings;
        QCOMPARE(strings.getLangStrings(QStringLiteral("three"), QStringLiteral("Test")),
                 QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        QCOMPARE(strings.getLangStrings(QStringLiteral("gap"), QStringLiteral("Test")),
                 QStringList({QStringLiteral("x"), QString()}));
        QVERIFY(strings.getLangStrings(QStringLiteral("bad"), QStringLiteral("Test")).isEmpty());
        QCOMPARE(strings.getLangStrings(QStringLiteral("huge"), QStringLiteral("Test")).size(),
                 LanguageStrings::kMaxTexts);
        QVERIFY(strings.getLangStrings(QStringLiteral("absent"), QStringLiteral("Test")).isEmpty());
        QVERIFY(strings.getLangStrings(QStringLiteral("three"), QStringLiteral("Missing")).isEmpty());
        // A language name is a file name in modules/i18n/, nothing else.
        tree.write(QStringLiteral("modules/Up.ini"), "[three]\ntotal=1\n0=outside\n");
        QVERIFY(strings.getLangStrings(QStringLiteral("three"), QStringLiteral("../Up")).isEmpty());
    }

    void accentedAndChineseTextsComeBackIntact()
    {
        ModulesTree tree;
        tree.write(
            QStringLiteral("modules/i18n/Mixed.ini"),
            QStringLiteral("[main]\ntotal=4\n0=Éditeur d'armes\n1=宏编辑器\n2=\"Touche \"\n3=\"a, b; c\"\n")
                .toUtf8());
        const QStringList texts =
            LanguageStrings().getLangStrings(QStringLiteral("main"), QStringLiteral("Mixed"));
        // The texts past the file's four are the built-in English ones.
        QCOMPARE(texts.mid(0, 4), QStringList({QStringLiteral("Éditeur d'armes"), QStringLiteral("宏编辑器"),
                                               QStringLiteral("Touche "), QStringLiteral("a, b; c")}));
        QCOMPARE(texts.mid(4), LanguageStrings::builtInEnglish(QStringLiteral("main")).mid(4));
    }

    void otherSectionSetsTheDpiSwitchTexts()
    {
        ModulesTree tree;
        tree.write(QStringLiteral("modules/i18n/English.ini"),
                   "[main]\ntotal=1\n0=x\n" + otherSection("Stage ", 8));
        tree.write(QStringLiteral("modules/i18n/french.ini"), otherSection("stage ", 8));
        tree.write(QStringLiteral("modules/i18n/Short.ini"), otherSection("Short ", 3));
        const LanguageStrings strings;

        strings.getLangStrings(QStringLiteral("main"), QStringLiteral("English"));
        QCOMPARE(LanguageStrings::dpiSwitchTexts(), kDefaults);
        QCOMPARE(strings.getLangStrings(QStringLiteral("other"), QStringLiteral("English")).size(), 8);
        QCOMPARE(LanguageStrings::dpiSwitchText(0), QStringLiteral("Stage 1"));
        QCOMPARE(LanguageStrings::dpiSwitchText(7), QStringLiteral("Stage 8"));

        // Built in for French, with or without a file of its own.
        QCOMPARE(strings.getLangStrings(QStringLiteral("other"), QStringLiteral("French")),
                 LanguageStrings::builtInEnglish(QStringLiteral("other")));
        QCOMPARE(LanguageStrings::dpiSwitchTexts(), LanguageStrings::frenchDpiSwitchTexts());
        QCOMPARE(LanguageStrings::dpiSwitchText(1), QStringLiteral("DPI passe au deuxième étage"));

        // The name is compared exactly.
        strings.getLangStrings(QStringLiteral("other"), QStringLiteral("french"));
        QCOMPARE(LanguageStrings::dpiSwitchText(0), QStringLiteral("stage 1"));

        // A short section sets what it holds; the rest is the built-in English.
        strings.getLangStrings(QStringLiteral("other"), QStringLiteral("Short"));
        QCOMPARE(LanguageStrings::dpiSwitchText(2), QStringLiteral("Short 3"));
        QCOMPARE(LanguageStrings::dpiSwitchText(3), QStringLiteral("DPI switched to stage 4"));
    }

    // A damaged language file never leaves a control unlabelled: every text
    // it lacks is the English one built into the program, and a translation
    // far longer than its English text is cut to fit.
    void damagedLanguageFilesFallBackToEnglish_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("names no file") << QStringLiteral("Klingon") << QByteArray();
        QTest::newRow("not a file name") << QStringLiteral("../x") << QByteArray();
        QTest::newRow("garbage") << QStringLiteral("Garbage") << QByteArray("\x00\xff=[[[\n\x01", 8);
        QTest::newRow("no sections") << QStringLiteral("Empty") << QByteArray("; nothing\n");
        QTest::newRow("short sections")
            << QStringLiteral("Short") << QByteArray("[main]\ntotal=2\n0=Éditeur\n[keyCode]\ntotal=1\n");
        QTest::newRow("bad totals") << QStringLiteral("Totals")
                                    << QByteArray("[main]\ntotal=-4\n0=a\n[dpiSetting]\ntotal=x\n");
    }
    void damagedLanguageFilesFallBackToEnglish()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, content);
        ModulesTree tree;
        if (!content.isEmpty())
            tree.write(QStringLiteral("modules/i18n/") + language + QStringLiteral(".ini"), content);
        const LanguageStrings strings;
        for (const char *section :
             {"main", "keyMatrix", "keyAssigment", "dpiSetting", "lightControl", "macroEditor",
              "systemSetting", "gunControl", "profile", "keyCode", "other"}) {
            const QString name = QLatin1String(section);
            const QStringList english = LanguageStrings::builtInEnglish(name);
            QVERIFY2(!english.isEmpty(), section);
            QStringList texts = strings.getLangStrings(name, language);
            if (language == QLatin1String("Short") && name == QLatin1String("main")) {
                QCOMPARE(texts.takeFirst(), QStringLiteral("Éditeur"));
                texts.prepend(english.first());
            }
            QCOMPARE(texts, english);
        }
        QCOMPARE(LanguageStrings::dpiSwitchTexts(),
                 LanguageStrings::builtInEnglish(QStringLiteral("other")).mid(0, 8));
    }

    void overLongTranslationsAreCut()
    {
        ModulesTree tree;
        const QString longText(500, QLatin1Char('W'));
        tree.write(QStringLiteral("modules/i18n/Long.ini"),
                   "[main]\ntotal=2\n0=" + longText.toUtf8()
                       + "\n1=Éditeur de macros\n[custom]\ntotal=1\n0=" + longText.toUtf8() + "\n");
        const LanguageStrings strings;
        const QStringList english = LanguageStrings::builtInEnglish(QStringLiteral("main"));
        const QStringList texts = strings.getLangStrings(QStringLiteral("main"), QStringLiteral("Long"));
        QCOMPARE(texts.size(), english.size());
        QCOMPARE(texts.at(0).size(), 2 * english.at(0).size() + 16);
        QVERIFY(texts.at(0).endsWith(QChar(0x2026)));
        QCOMPARE(texts.at(1), QStringLiteral("Éditeur de macros"));
        // A section with no English counterpart has nothing to measure by.
        QCOMPARE(strings.getLangStrings(QStringLiteral("custom"), QStringLiteral("Long")),
                 QStringList({longText}));
    }

    void stagesChooseTheirText()
    {
        LanguageStrings::setDpiSwitchTexts({QStringLiteral("s1"), QStringLiteral("s2"), QStringLiteral("s3"),
                                            QStringLiteral("s4"), QStringLiteral("s5"), QStringLiteral("s6"),
                                            QStringLiteral("s7"), QStringLiteral("s8"),
                                            QStringLiteral("s9")});
        QCOMPARE(LanguageStrings::dpiSwitchTextForStage(1), QStringLiteral("s1"));
        QCOMPARE(LanguageStrings::dpiSwitchTextForStage(7), QStringLiteral("s7"));
        for (int stage : {0, 8, 9, 255, -1})
            QCOMPARE(LanguageStrings::dpiSwitchTextForStage(stage), QStringLiteral("s8"));
        QCOMPARE(LanguageStrings::dpiSwitchText(8), QString());
    }
};

QTEST_GUILESS_MAIN(TestLanguageStrings)
#include "test_languagestrings.moc"
