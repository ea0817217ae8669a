// The profile list as the profile page reads the stored name list: the
// filler of a one-entry list, the profile number as the last character, and
// the first row's name in the user's language.
#include "profilelist.h"

#include <QTest>

namespace {

QVariantList stored(const QStringList &texts)
{
    QVariantList list;
    for (const QString &text : texts)
        list.append(text);
    return list;
}

// "name:number" a row, joined by "|".
QString shown(const QList<ProfileList::Entry> &entries)
{
    QStringList rows;
    for (const ProfileList::Entry &entry : entries)
        rows << entry.name + QLatin1Char(':') + QString::number(entry.profile);
    return rows.join(QLatin1Char('|'));
}

} // namespace

class TestProfileList : public QObject
{
    Q_OBJECT

private slots:
    void readsAsThePage_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("standard");
        QTest::addColumn<QString>("rows");
        QTest::newRow("installed") << QStringList{"Standard0", "loadersentry"} << QString() << "Standard:0";
        QTest::newRow("two real entries")
            << QStringList{"Standard0", "Game3"} << QString() << "Standard:0|Game:3";
        QTest::newRow("filler only as the second of two") << QStringList{"Standard0", "Game3", "loadersentry"}
                                                          << QString() << "Standard:0|Game:3|loadersentr:0";
        QTest::newRow("filler in another case is a name")
            << QStringList{"Standard0", "LoaderSentry"} << QString() << "Standard:0|LoaderSentr:0";
        QTest::newRow("short entries skipped")
            << QStringList{"", "5", "ab1", "Work9"} << QString() << "ab:1|Work:9";
        QTest::newRow("no digit reads as 0")
            << QStringList{"Standard0", "Gamex"} << QString() << "Standard:0|Game:0";
        QTest::newRow("only the last character counts")
            << QStringList{"Standard0", "profile_12"} << QString() << "Standard:0|profile_1:2";
        QTest::newRow("language's name on the first row")
            << QStringList{"Standard0", "Game2"} << QStringLiteral("标准") << QStringLiteral("标准:0|Game:2");
        QTest::newRow("empty") << QStringList{} << QStringLiteral("Standard") << QString();
    }

    void readsAsThePage()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, standard);
        QFETCH(QString, rows);
        const QList<ProfileList::Entry> entries = ProfileList::fromStored(stored(names), standard);
        QCOMPARE(shown(entries), rows);
    }

    void rowOfAProfile()
    {
        const QList<ProfileList::Entry> entries =
            ProfileList::fromStored(stored({QStringLiteral("Standard0"), QStringLiteral("Game4")}));
        QCOMPARE(ProfileList::rowOf(entries, 4), 1);
        QCOMPARE(ProfileList::rowOf(entries, 0), 0);
        QCOMPARE(ProfileList::rowOf(entries, 1), -1);
    }
};

QTEST_MAIN(TestProfileList)
#include "test_profilelist.moc"
