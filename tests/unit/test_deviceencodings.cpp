#include "dpiencoding.h"
#include "dpilimits.h"
#include "gunencoding.h"
#include "lightingencoding.h"
#include "mousemodel.h"
#include "profileimages.h"
#include "variantbytes.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(LightingTriple)

namespace {

ProfileImage countingImage()
{
    ProfileImage image{};
    for (int i = 0; i < 128; ++i)
        image[static_cast<std::size_t>(i)] = static_cast<uchar>(i);
    return image;
}

QByteArray toBytes(const ProfileImage &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.data()), 128);
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

} // namespace

class TestDeviceEncodings : public QObject
{
    Q_OBJECT

private slots:
    void dpiRegisters_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("reg");
        const auto row = [](const char *sensor, int dpi, int reg) {
            QTest::addRow("%s at %d", sensor, dpi) << QString::fromLatin1(sensor) << dpi << reg;
        };
        row("4090", 1600, 42);
        row("3360", 1600, 15);
        row("3050", 1600, 0x07);
        row("3389", 1600, 32);
        row("3320", 1600, 0x07);
        row("3327", 1600, 16);
        row("3212", 1600, 42);
        row("3212", 2300, 60);
        row("3212", 3000, 0x67);
        row("unknown", 1600, 42);
        row("3360", 100, 0);
        row("3050", 250, 0x01);
        row("3050", 251, 0x02);
        row("3050", 2001, 0x45);
        row("3050", 4000, 0x48);
        row("3050", 4001, 0);
        row("3320", 3500, 0x0E);
        row("3320", 3501, 0x48);
        row("3320", 7000, 0x4E);
        row("3320", 7001, 0);
        row("3389", 12750, 255);
        row("3389", 12800, 0);
        row("3389", 16000, 0x40);
    }
    void dpiRegisters()
    {
        QFETCH(QString, sensor);
        QFETCH(int, dpi);
        QFETCH(int, reg);
        QCOMPARE(int(DpiEncoding::registerByte(dpi, sensor)), reg);
    }

    void dpiStagesAndMasks()
    {
        const auto r = DpiEncoding::convert(QStringLiteral("3389"), {12750, 12800, 16000, 100});
        // A missing stage counts as the sensor's lowest value.
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(r.bytes.data()), 8),
                 bytes({255, 0, 0x40, 2, 1, 1, 1, 1}));
        QCOMPARE(r.highRangeMask, uchar(0x06));
        // Only sensor 3389 has a high range; values past the eighth are ignored.
        QCOMPARE(DpiEncoding::convert(QStringLiteral("3360"), {16000}).highRangeMask, uchar(0));
        QVariantList nine{1, 2, 3, 4, 5, 6, 7, 8, 12800};
        QCOMPARE(DpiEncoding::convert(QStringLiteral("3389"), nine).highRangeMask, uchar(0));

        QCOMPARE(DpiEncoding::stageMask(0), uchar(0x00));
        QCOMPARE(DpiEncoding::stageMask(4), uchar(0x0F));
        QCOMPARE(DpiEncoding::stageMask(8), uchar(0xFF));
        QCOMPARE(DpiEncoding::stageMask(9), uchar(0xFF));
        QCOMPARE(DpiEncoding::stageMask(-1), uchar(0x00));

        const auto stages = DpiEncoding::stageBytes553(r, 2);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(stages.data()), 8),
                 bytes({255, 0, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}));
    }

    void dpiImagePatch()
    {
        const auto r =
            DpiEncoding::convert(QStringLiteral("3389"), {12800, 100, 200, 300, 400, 500, 600, 700});
        ProfileImage image = countingImage();
        DpiEncoding::patchImage(image, r, 3, true);
        QByteArray expected = toBytes(countingImage());
        const QByteArray stages = bytes({0, 2, 4, 6, 8, 10, 12, 14});
        expected.replace(82, 19, bytes({1, 1}) + stages + stages + bytes({0x07}));
        QCOMPARE(toBytes(image), expected);

        // Without the high range, bytes 82 and 83 stay as read.
        image = countingImage();
        DpiEncoding::patchImage(image, r, 3, false);
        QCOMPARE(toBytes(image).mid(82, 2), bytes({82, 83}));
    }

    // Damaged limits never reach a register: they give way to the sensor's
    // own range, and a value beyond the sensor is brought to its end rather
    // than wrapped.
    void dpiLimitsFallBackToTheSensor_data()
    {
        QTest::addColumn<QVariant>("minDPI");
        QTest::addColumn<QVariant>("maxDPI");
        QTest::addColumn<QVariant>("dpiBase");
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<QList<int>>("range");
        QTest::addColumn<bool>("configured");
        const QVariant none;
        auto row = [](const char *tag, QVariant lo, QVariant hi, QVariant step, const char *sensor,
                      QList<int> range, bool configured) {
            QTest::newRow(tag) << lo << hi << step << QString::fromLatin1(sensor) << range << configured;
        };
        row("installed", "100", "16000", "50", "3389", {100, 16000, 50}, true);
        row("huge maximum", "100", "2147483647", "50", "3389", {50, 25550, 50}, false);
        row("minimum above maximum", "5250", "400", "50", "3389", {50, 25550, 50}, false);
        row("equal", "400", "400", "50", "3360", {100, 25600, 100}, false);
        row("both missing", none, none, "50", "3360", {100, 25600, 100}, false);
        row("step 0", "100", "6000", "0", "3360", {100, 25600, 100}, false);
        row("negative step", "100", "6000", "-50", "3360", {100, 25600, 100}, false);
        row("text", "low", "6000", "50", "3360", {100, 25600, 100}, false);
        row("past the 3050 table", "250", "5000", "250", "3050", {250, 4000, 250}, false);
        row("below 3320", "0", "7000", "250", "3320", {250, 7000, 250}, false);
        row("3212 fits", "100", "4800", "50", "3212", {100, 4800, 50}, true);
        row("no sensor named", "100", "16000", "50", "", {50, 9700, 50}, false);
    }
    void dpiLimitsFallBackToTheSensor()
    {
        QFETCH(QVariant, minDPI);
        QFETCH(QVariant, maxDPI);
        QFETCH(QVariant, dpiBase);
        QFETCH(QString, sensor);
        QFETCH(QList<int>, range);
        QFETCH(bool, configured);
        const DpiLimits limits = DpiLimits::fromConfig(minDPI, maxDPI, dpiBase, sensor);
        QCOMPARE(QList<int>({limits.range.min, limits.range.max, limits.range.step}), range);
        QCOMPARE(limits.problem.isEmpty(), configured);
        // Every value the range offers has a register of its own.
        const DpiEncoding::Range own = DpiEncoding::sensorRange(sensor);
        QVERIFY(own.contains(limits.range.min) && own.contains(limits.range.max));
        QCOMPARE(limits.refusal(limits.range.max), QString());
        QVERIFY(!limits.refusal(limits.range.max + limits.range.step).isEmpty());
    }

    void dpiValuesBeyondTheSensorAreNeverWrapped()
    {
        // 910641850 would wrap to 0x3B with 3389; 5250 past the 3050 table
        // would be register 0.
        auto stages = [](const char *sensor, QVariantList values) {
            const auto r = DpiEncoding::convert(QString::fromLatin1(sensor), values);
            return QByteArray(reinterpret_cast<const char *>(r.bytes.data()), 8);
        };
        QCOMPARE(stages("3389", {910641850, -5, 16000, 25550, 25600, 100, 200, 400}),
                 bytes({0xFF, 1, 0x40, 0xFF, 0xFF, 2, 4, 8}));
        QCOMPARE(DpiEncoding::convert(QStringLiteral("3389"), {910641850, 16000}).highRangeMask, uchar(0x03));
        QCOMPARE(stages("3050", {5250, 4000, 0, 100, 250, 251, 2001, 3999}),
                 bytes({0x48, 0x48, 0x01, 0x01, 0x01, 0x02, 0x45, 0x48}));
        QCOMPARE(stages("3360", {2147483647, 25600, 100, 50, 12000, 1600, 800, 400}),
                 bytes({0xFF, 0xFF, 0, 0, 119, 15, 7, 3}));
        for (const QString &sensor : DpiEncoding::knownSensors()) {
            const DpiEncoding::Range range = DpiEncoding::sensorRange(sensor);
            for (int dpi = range.min; dpi <= range.max; dpi += range.step)
                QVERIFY2(DpiEncoding::registerByte(dpi, sensor) != 0 || DpiEncoding::isHighRange(dpi, sensor)
                             || sensor == QLatin1String("3360"),
                         qPrintable(QStringLiteral("%1 at %2").arg(sensor).arg(dpi)));
        }
    }

    void levelTables()
    {
        using namespace LightingEncoding;
        QCOMPARE(fourLevelBrightness(0), uchar(0));
        QCOMPARE(fourLevelBrightness(1), uchar(0x40));
        QCOMPARE(fourLevelBrightness(4), uchar(0xFF));
        QCOMPARE(fourLevelBrightness(5), uchar(0));
        QCOMPARE(fiveLevelBrightness(0), uchar(10));
        QCOMPARE(fiveLevelBrightness(4), uchar(255));
        // Outside the table it gives 0, like every other table.
        QCOMPARE(fiveLevelBrightness(5), uchar(0));
        QCOMPARE(fiveLevelBrightness(-1), uchar(0));
        QCOMPARE(speedT1(4), uchar(1));
        QCOMPARE(speedT2(0), uchar(20));
        QCOMPARE(speedT3(2), uchar(10));
        QCOMPARE(speedT4(3), uchar(22));
        QCOMPARE(speedT5(1), uchar(24));
        QCOMPARE(brightnessT6(4), uchar(10));
        QCOMPARE(speedT1(5), uchar(0));
        QCOMPARE(brightnessT6(-1), uchar(0));
    }

    void colourful571Triples_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QByteArray>("triple");
        // Speed 2, brightness 3 (level 160).
        const QList<QByteArray> table = {
            bytes({0, 0, 0}),    bytes({1, 160, 0}),  bytes({1, 160, 1}),  bytes({1, 160, 2}),
            bytes({2, 2, 0}),    bytes({2, 2, 1}),    bytes({2, 2, 2}),    bytes({3, 2, 160}),
            bytes({4, 2, 160}),  bytes({5, 160, 0}),  bytes({5, 160, 1}),  bytes({5, 160, 2}),
            bytes({6, 4, 0}),    bytes({6, 4, 1}),    bytes({6, 4, 2}),    bytes({7, 4, 0}),
            bytes({7, 4, 1}),    bytes({7, 4, 2}),    bytes({8, 160, 0}),  bytes({8, 160, 1}),
            bytes({9, 160, 32}), bytes({9, 160, 33}), bytes({9, 160, 34}), bytes({10, 160, 2}),
            bytes({11, 160, 0}), bytes({11, 160, 1}), bytes({11, 160, 2}), bytes({0, 0, 0})};
        for (int effect = 0; effect < table.size(); ++effect)
            QTest::addRow("effect %d", effect) << effect << table[effect];
    }
    void colourful571Triples()
    {
        QFETCH(int, effect);
        QFETCH(QByteArray, triple);
        const LightingTriple t = LightingEncoding::colourful571Triple(effect, 2, 3);
        QCOMPARE(bytes({t.mode, t.first, t.second}), triple);
    }

    void colourfulAndPlainTriples()
    {
        using namespace LightingEncoding;
        // Speed 1, brightness 2 (four levels: 0x80).
        const QList<LightingTriple> colourful = {{1, 0x80, 0},  {3, 0, 7},     {4, 0, 7},      {0, 0, 0},
                                                 {2, 0x80, 0},  {5, 0x80, 7},  {6, 0, 0},      {7, 0x80, 0},
                                                 {8, 0x80, 17}, {9, 0x80, 13}, {10, 0x80, 27}, {0, 0, 0}};
        for (int effect = 0; effect < colourful.size(); ++effect)
            QCOMPARE(colourfulTriple(effect, 1, 2), colourful[effect]);
        QCOMPARE(colourfulTriple(0, 0, 0), (LightingTriple{1, 0, 0}));

        const QList<LightingTriple> plain = {{1, 5, 1}, {2, 2, 1}, {3, 24, 1},
                                             {0, 0, 0}, {2, 2, 3}, {0, 0, 0}};
        for (int effect = 0; effect < plain.size(); ++effect)
            QCOMPARE(plainTriple(effect, 1, 2), plain[effect]);
    }

    void coloursAndImagePatches()
    {
        using namespace LightingEncoding;
        QVariantList fifty;
        for (int i = 0; i < 50; ++i)
            fifty << i + 256;
        const ColourBuffer full = colourBuffer(fifty);
        QCOMPARE(int(full[47]), 47);
        const ColourBuffer shortBuffer = colourBuffer({-1, 300});
        QCOMPARE(int(shortBuffer[0]), 255);
        QCOMPARE(int(shortBuffer[1]), 44);
        QCOMPARE(int(shortBuffer[2]), 0);

        ProfileImage image{};
        patchColours(image, ImageBytes::kPlainColours, full);
        patchColours(image, ImageBytes::kColourfulColours, full);
        patchTriple(image, {9, 8, 7});
        QByteArray expected(128, '\0');
        const QByteArray colours = toBytes(countingImage()).left(24);
        expected.replace(104, 24, colours);
        expected.replace(24, 24, colours);
        expected.replace(71, 3, bytes({9, 8, 7}));
        QCOMPARE(toBytes(image), expected);
    }

    void gunValues()
    {
        const GunValues g = GunEncoding::fromList({6, -3});
        QCOMPARE(int(g.repetitions), 6);
        QCOMPARE(int(g.x), 0xFD);
        QCOMPARE(int(g.y), 0);
        QCOMPARE(GunEncoding::negated(5), uchar(0xFB));
        QCOMPARE(GunEncoding::negated(0), uchar(0));
        QCOMPARE(GunEncoding::negated(0x80), uchar(0x80));

        ProfileImage image{};
        image.fill(0xFF);
        GunEncoding::patchImage(image, {6, 2, 0xFB});
        QByteArray expected(128, char(0xFF));
        expected[65] = char(0xFB);
        expected.replace(78, 4, bytes({0xF0, 6, 2, 0xFB}));
        QCOMPARE(toBytes(image), expected);
    }

    void imagesReadState()
    {
        ProfileImages images;
        QVERIFY(!images.isRead(0));
        images.storeRead(2, countingImage());
        images.storeRead(5, countingImage());
        QVERIFY(images.isRead(2));
        QVERIFY(!images.isRead(5));
        QVERIFY(!images.isRead(-1));
        images.resetForConnection();
        QVERIFY(!images.isRead(2));
        // The bytes stay, so changes can still be patched in.
        QCOMPARE(toBytes(images.image(2)), toBytes(countingImage()));
    }

    void storedListsAndShortLists()
    {
        using namespace VariantBytes;
        // A one-value list comes back from the store as plain text.
        QCOMPARE(asList(QStringLiteral("12")), QVariantList{QStringLiteral("12")});
        QCOMPARE(asList(QStringList{"1", "2"}).size(), 2);
        QVERIFY(asList(QVariant()).isEmpty());
        QCOMPARE(intByteAt({QStringLiteral("-1")}, 0), uchar(0xFF));
        QCOMPARE(uintByteAt({QStringLiteral("-1")}, 0), uchar(0));
        QCOMPARE(intByteAt({1}, 1), uchar(0));
        QCOMPARE(intByteAt({1}, -1), uchar(0));
    }

    void modelFromConfig()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("apConfig.bin"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[mouse]\nicType=560\nisColorful=TRUE\nisGun=False\nis55328=0\nis571=1\n");
        file.close();
        const MouseModel m = MouseModel::fromConfig(QSettings(path, QSettings::IniFormat));
        QVERIFY(m.is560());
        QVERIFY(m.isColorful);
        QVERIFY(!m.isGun);
        QVERIFY(!m.is55328);
        QVERIFY(m.is571);
        const MouseModel empty =
            MouseModel::fromConfig(QSettings(dir.filePath("none.bin"), QSettings::IniFormat));
        QVERIFY(!empty.is560());
        QVERIFY(empty.icType.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDeviceEncodings)
#include "test_deviceencodings.moc"
