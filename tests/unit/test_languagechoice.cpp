// Which language file is shown: the user's pick, else the system's language
// (French and Chinese have files, anything else is English).
#include "languagechoice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestLanguageChoice : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString root() const { return m_dir.filePath(QStringLiteral("modules")); }

    void writeLanguage(const QString &name, const QByteArray &bytes)
    {
        QDir().mkpath(root() + QStringLiteral("/i18n"));
        QFile file(root() + QStringLiteral("/i18n/") + name + QStringLiteral(".ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void initTestCase()
    {
        writeLanguage(QStringLiteral("English"), "[language]\nname=English\n");
        writeLanguage(QStringLiteral("French"), "[language]\nname=Fran\xc3\xa7"
                                                "ais\n");
        writeLanguage(QStringLiteral("ChineseSimplified"),
                      "[language]\nname=\xe7\xae\x80\xe4\xbd\x93\xe4\xb8\xad\xe6\x96\x87\n");
        writeLanguage(QStringLiteral("Klingon"), "[main]\ntotal=0\n");
    }

    void systemLanguage_data()
    {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<QString>("language");
        QTest::newRow("French of France") << QStringList{"fr-FR", "en"} << "French";
        QTest::newRow("French of Canada") << QStringList{"fr-CA"} << "French";
        QTest::newRow("Chinese of China") << QStringList{"zh-CN"} << "ChineseSimplified";
        QTest::newRow("Chinese of Taiwan") << QStringList{"zh-Hant-TW"} << "ChineseSimplified";
        QTest::newRow("German") << QStringList{"de-DE", "fr-FR"} << "English";
        QTest::newRow("English") << QStringList{"en-GB"} << "English";
        QTest::newRow("C locale") << QStringList{"C"} << "English";
        QTest::newRow("none") << QStringList{} << "English";
    }

    void systemLanguage()
    {
        QFETCH(QStringList, uiLanguages);
        QFETCH(QString, language);
        QCOMPARE(LanguageChoice::forUiLanguages(uiLanguages), language);
        // With nothing stored, or a pick that is not installed, the
        // system's language is shown.
        const LanguageChoice choice(root());
        QCOMPARE(choice.inUse(QString(), uiLanguages), language);
        QCOMPARE(choice.inUse(QStringLiteral("Gone"), uiLanguages), language);
        QCOMPARE(choice.inUse(QStringLiteral("../setting/apConfig"), uiLanguages), language);
        // The user's pick wins over the system.
        QCOMPARE(choice.inUse(QStringLiteral("Klingon"), uiLanguages), QStringLiteral("Klingon"));
    }

    void installedLanguagesAndTheirNames()
    {
        const LanguageChoice choice(root());
        QCOMPARE(choice.installed(), (QStringList{"ChineseSimplified", "English", "French", "Klingon"}));
        QCOMPARE(choice.title(QStringLiteral("French")), QStringLiteral("Fran\u00e7ais"));
        QCOMPARE(choice.title(QStringLiteral("ChineseSimplified")),
                 QStringLiteral("\u7b80\u4f53\u4e2d\u6587"));
        // A file that does not name its language is listed by its file name.
        QCOMPARE(choice.title(QStringLiteral("Klingon")), QStringLiteral("Klingon"));
        QVERIFY(!choice.isInstalled(QStringLiteral("Gone")));
        // A system language whose file is missing falls back to English, and
        // with no English to any installed language.
        QTemporaryDir bare;
        QDir().mkpath(bare.filePath(QStringLiteral("modules/i18n")));
        QFile only(bare.filePath(QStringLiteral("modules/i18n/French.ini")));
        QVERIFY(only.open(QIODevice::WriteOnly));
        only.close();
        QCOMPARE(LanguageChoice(bare.filePath(QStringLiteral("modules"))).inUse(QString(), {"zh-CN"}),
                 QStringLiteral("French"));
    }
};

QTEST_GUILESS_MAIN(TestLanguageChoice)
#include "test_languagechoice.moc"
