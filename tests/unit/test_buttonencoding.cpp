#include "buttonencoding.h"

#include <QTest>

using namespace ButtonEncoding;

Q_DECLARE_METATYPE(KeyEntry)

namespace {

QByteArray toBytes(const KeyMatrix &m)
{
    return QByteArray(reinterpret_cast<const char *>(m.data()), static_cast<int>(m.size()));
}

QByteArray entryBytes(const KeyMatrix &m, int button)
{
    return toBytes(m).mid(4 * button, 4);
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

// Factory matrix with button i = (1, i, 0xF0 + i, 2).
KeyMatrix factory()
{
    QList<QVariantList> entries;
    for (int i = 0; i < 16; ++i)
        entries.append({1, i, 0xF0 + i, 2});
    return deviceMatrix(entries);
}

// A user matrix with gun buttons at the given positions and options.
KeyMatrix userWithGuns(std::initializer_list<QPair<int, int>> guns, bool family560)
{
    QVariantList src64;
    for (int i = 0; i < 64; ++i)
        src64 << 0;
    for (const auto &gun : guns) {
        src64[4 * gun.first] = 0x08;
        src64[4 * gun.first + 1] = 0x33;
        src64[4 * gun.first + 2] = gun.second;
    }
    return userMatrix(src64, family560);
}

} // namespace

class TestButtonEncoding : public QObject
{
    Q_OBJECT

private slots:
    void translate_data()
    {
        QTest::addColumn<QList<int>>("page");
        QTest::addColumn<bool>("family560");
        QTest::addColumn<QByteArray>("device");
        const auto row = [](const char *name, QList<int> page, bool f560, QByteArray device) {
            QTest::newRow(name) << page << f560 << device;
        };
        row("mouse function", {0x00, 0x00, 0xF0, 0x00}, false, bytes({0x01, 0x00, 0xF0, 0x00}));
        row("mouse fire", {0x00, 0xF0, 0x1E, 0x02}, false, bytes({0x0A, 0xF0, 0x1E, 0x02}));
        row("mouse off", {0x00, 0x00, 0xF0, 0xF0}, true, bytes({0x0B, 0, 0, 0}));
        row("fire", {0x01, 0x05, 0x06, 0x07}, false, bytes({0x0A, 0x05, 0x06, 0x07}));
        row("key combination", {0x02, 0x01, 0x04, 0x00}, false, bytes({0x00, 0x01, 0x04, 0x00}));
        row("media", {0x03, 0x00, 0xE9, 0x00}, false, bytes({0x03, 0x00, 0xE9, 0x00}));
        row("macro slot 3", {0x04, 0x01, 0x03, 0x00}, false, bytes({0x09, 0x01, 0x04, 0x00}));
        row("dpi loop 560", {0x05, 0x00, 0x04, 0x00}, true, bytes({0x0B, 0x00, 0x01, 0x01}));
        row("dpi loop 553", {0x05, 0x00, 0x04, 0x00}, false, bytes({0x07, 0x00, 0x04, 0x01}));
        row("dpi down 560", {0x05, 0x00, 0x02, 0x00}, true, bytes({0x07, 0x00, 0x02, 0x00}));
        row("dpi down 553", {0x05, 0x00, 0x02, 0x00}, false, bytes({0x07, 0x00, 0x02, 0x00}));
        row("window 94 01", {0x06, 0x00, 0x94, 0x01}, false, bytes({0x03, 0x00, 0x94, 0x01}));
        row("window 23 02", {0x06, 0x00, 0x23, 0x02}, false, bytes({0x03, 0x00, 0x23, 0x02}));
        row("window E3 07", {0x06, 0x00, 0xE3, 0x07}, false, bytes({0x00, 0x00, 0xE3, 0x07}));
        row("shortcut 21 02", {0x07, 0x00, 0x21, 0x02}, true, bytes({0x03, 0x00, 0x21, 0x02}));
        row("gun", {0x08, 0x00, 0x02, 0x00}, true, bytes({0x08, 0x00, 0x02, 0x00}));
        row("disabled", {0xFF, 0x00, 0x01, 0x00}, false, bytes({0x04, 0x00, 0x01, 0x00}));
        row("disabled as -1", {-1, 0x00, 0x01, 0x00}, false, bytes({0x04, 0x00, 0x01, 0x00}));
        row("unknown category", {0x0C, 0x01, 0x02, 0x03}, false, bytes({0x0C, 0x01, 0x02, 0x03}));
        row("low bytes", {0x102, 0x101, 0x104, 0x100}, false, bytes({0x00, 0x01, 0x04, 0x00}));
    }
    void translate()
    {
        QFETCH(QList<int>, page);
        QFETCH(bool, family560);
        QFETCH(QByteArray, device);
        const KeyEntry e = ButtonEncoding::translate(page[0], page[1], page[2], page[3], family560);
        QCOMPARE(bytes({e.type, e.p1, e.p2, e.p3}), device);
    }

    void shortListsCountAsZero()
    {
        // A zero page entry is a mouse function.
        const KeyMatrix user = userMatrix({0x04, 0x00, 0x02, 0x00, 0x02, 0x05}, false);
        QCOMPARE(entryBytes(user, 0), bytes({0x09, 0x00, 0x03, 0x00}));
        QCOMPARE(entryBytes(user, 1), bytes({0x00, 0x05, 0x00, 0x00}));
        QCOMPARE(entryBytes(user, 15), bytes({0x01, 0x00, 0x00, 0x00}));

        const KeyMatrix m = deviceMatrix({{1, 2, 3, 4}, {0x1FF, 6}, {}});
        QCOMPARE(toBytes(m).left(12), bytes({1, 2, 3, 4, 0xFF, 6, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(toBytes(m).mid(12), QByteArray(52, '\0'));
        QVERIFY(!hasGunButton(m));
        QVERIFY(hasGunButton(userWithGuns({{15, 1}}, true)));
    }

    void gunOptions560_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QByteArray>("p2");
        QTest::addColumn<int>("imageByte");
        QTest::newRow("1") << 1 << bytes({0, 0, 0}) << 0x07;
        QTest::newRow("2") << 2 << bytes({3, 0, 0}) << 0x0F;
        QTest::newRow("3") << 3 << bytes({3, 3, 0}) << 0x1F;
    }
    void gunOptions560()
    {
        QFETCH(int, option);
        QFETCH(QByteArray, p2);
        QFETCH(int, imageByte);
        const GunMatrices g = gunMatrices(userWithGuns({{3, option}}, true), factory(), {10, 20, 300}, true);
        QCOMPARE(entryBytes(g.user, 3), bytes({0x08, 0x33, 1, 0}));
        for (int n = 0; n < 3; ++n)
            QCOMPARE(entryBytes(g.gun[n], 3), bytes({0x08, 3, p2[n], 2}));
        QCOMPARE(g.gunOptionByte, std::optional<uchar>(uchar(imageByte)));
        QCOMPARE(entryBytes(g.gun[0], 0), bytes({0x0B, 0, 10, 0}));
        QCOMPARE(entryBytes(g.gun[1], 0), bytes({0x0B, 1, 20, 0}));
        QCOMPARE(entryBytes(g.gun[2], 0), bytes({0x0B, 2, 44, 0}));
        // Buttons that are not guns keep the factory entries.
        QCOMPARE(entryBytes(g.gun[2], 7), bytes({1, 7, 0xF7, 2}));
    }

    void gunOptions553()
    {
        const GunMatrices g =
            gunMatrices(userWithGuns({{2, 2}, {4, 3}, {6, 0}}, false), factory(), {7}, false);
        QCOMPARE(entryBytes(g.user, 2), bytes({0x08, 0, 1, 1}));
        QCOMPARE(entryBytes(g.user, 4), bytes({0x08, 0, 1, 1}));
        QCOMPARE(entryBytes(g.user, 6), bytes({0x08, 0, 1, 0}));
        const QByteArray p3ForOption2 = bytes({2, 0, 0});
        const QByteArray p3ForOption3 = bytes({2, 3, 0});
        for (int n = 0; n < 3; ++n) {
            QCOMPARE(entryBytes(g.gun[n], 2), bytes({0x08, 0, 1, p3ForOption2[n]}));
            QCOMPARE(entryBytes(g.gun[n], 4), bytes({0x08, 0, 1, p3ForOption3[n]}));
            QCOMPARE(entryBytes(g.gun[n], 6), bytes({0x08, 0, 1, 2}));
        }
        QVERIFY(!g.gunOptionByte);
        // Missing fire periods count as 0.
        QCOMPARE(entryBytes(g.gun[0], 0), bytes({0x0B, 0, 7, 0}));
        QCOMPARE(entryBytes(g.gun[2], 0), bytes({0x0B, 2, 0, 0}));
    }

    void unknownGunOption560LeavesImageByte()
    {
        const GunMatrices g = gunMatrices(userWithGuns({{3, 5}}, true), factory(), {}, true);
        QVERIFY(!g.gunOptionByte);
        QCOMPARE(entryBytes(g.user, 3), bytes({0x08, 0x33, 5, 0}));
        QCOMPARE(entryBytes(g.gun[1], 3), bytes({0x08, 3, 0xF3, 2}));
    }
};

QTEST_APPLESS_MAIN(TestButtonEncoding)
#include "test_buttonencoding.moc"
