#include "deviceentry.h"
#include "storeconventions.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

namespace {

const QString kModules = QStringLiteral(KX20_SOURCE_DIR "/modules/");

const QStringList kProfileFiles = {QStringLiteral("pD"), QStringLiteral("p1"), QStringLiteral("p2"),
                                   QStringLiteral("p3"), QStringLiteral("p4"), QStringLiteral("p5"),
                                   QStringLiteral("p6"), QStringLiteral("p7"), QStringLiteral("p8"),
                                   QStringLiteral("p9"), QStringLiteral("p10")};

// The factory buttons in page form and, for the device, in device form.
const int kPageButtons[16][4] = {{0x00, 0x00, 0xF0, 0x00},
                                 {0x00, 0x00, 0xF1, 0x00},
                                 {0x00, 0x00, 0xF2, 0x00},
                                 {0x00, 0x00, 0xF4, 0x00},
                                 {0x00, 0x00, 0xF3, 0x00},
                                 {0x05, 0x00, 0x01, 0x00},
                                 {0x05, 0x00, 0x02, 0x00},
                                 {0x00, 0xF0, 0x1E, 0x02},
                                 {0, 0, 0, 0},
                                 {0, 0, 0, 0},
                                 {0, 0, 0, 0},
                                 {0, 0, 0, 0},
                                 {0, 0, 0, 0},
                                 {0, 0, 0, 0},
                                 {0xFF, 0x00, 0x01, 0x00},
                                 {0xFF, 0x00, 0x02, 0x00}};
const int kDeviceButtons[16][4] = {
    {0x01, 0x00, 0xF0, 0x00}, {0x01, 0x00, 0xF1, 0x00}, {0x01, 0x00, 0xF2, 0x00}, {0x01, 0x00, 0xF4, 0x00},
    {0x01, 0x00, 0xF3, 0x00}, {0x07, 0x00, 0x01, 0x00}, {0x07, 0x00, 0x02, 0x00}, {0x0A, 0xF0, 0x1E, 0x02},
    {0x01, 0, 0, 0},          {0x01, 0, 0, 0},          {0x01, 0, 0, 0},          {0x01, 0, 0, 0},
    {0x01, 0, 0, 0},          {0x01, 0, 0, 0},          {0x04, 0x00, 0x01, 0x00}, {0x04, 0x00, 0x02, 0x00}};

const QList<QPair<QString, int>> kSections = {
    {QStringLiteral("main"), 16},          {QStringLiteral("keyMatrix"), 2},
    {QStringLiteral("keyAssigment"), 60},  {QStringLiteral("dpiSetting"), 5},
    {QStringLiteral("lightControl"), 45},  {QStringLiteral("macroEditor"), 21},
    {QStringLiteral("systemSetting"), 15}, {QStringLiteral("gunControl"), 10},
    {QStringLiteral("profile"), 20},       {QStringLiteral("keyCode"), 133},
    {QStringLiteral("other"), 8},          {QStringLiteral("prompt"), 11},
    {QStringLiteral("profileLink"), 18},
};

// Key-code table positions of the two backslash keys, which share a text.
constexpr int kBackslash = 0x31 - 0x04;
constexpr int kNonUsBackslash = 0x32 - 0x04;

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int intOf(const QSettings &settings, const QString &key)
{
    bool ok = false;
    const int value = settings.value(key).toString().toInt(&ok);
    if (!ok)
        qWarning("%s: %s is not a number", qPrintable(settings.fileName()), qPrintable(key));
    return ok ? value : -1;
}

// The key's list of numbers, or an empty list when it is not a list of
// exactly `count` numbers within [low, high].
QList<int> numbers(const QSettings &settings, const QString &key, int count, int low = 0, int high = 255)
{
    const QVariant value = settings.value(key);
    if (value.userType() != QMetaType::QStringList || value.toStringList().size() != count)
        return {};
    QList<int> result;
    const QStringList texts = value.toStringList();
    for (const QString &text : texts) {
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok || n < low || n > high)
            return {};
        result.append(n);
    }
    return result;
}

bool isPlainText(const QSettings &settings, const QString &key)
{
    return settings.contains(key) && settings.value(key).userType() == QMetaType::QString;
}

} // namespace

class TestInstalledData : public QObject
{
    Q_OBJECT

private slots:
    void everyFileParses()
    {
        for (const QString &folder :
             {QStringLiteral("setting"), QStringLiteral("gun"), QStringLiteral("i18n")}) {
            const QDir dir(kModules + folder);
            const QStringList names = dir.entryList(QDir::Files);
            QVERIFY2(!names.isEmpty(), qPrintable(folder));
            for (const QString &name : names) {
                const QSettings settings(dir.filePath(name), QSettings::IniFormat);
                QVERIFY2(settings.status() == QSettings::NoError, qPrintable(name));
                QVERIFY2(!settings.allKeys().isEmpty(), qPrintable(name));
            }
        }
    }

    void applicationFileDescribesTheMouse()
    {
        const QString path = kModules + QStringLiteral("setting/apConfig.bin");
        QCOMPARE(fileBytes(kModules + QStringLiteral("setting/apConfigD.bin")), fileBytes(path));
        const QSettings ap(path, QSettings::IniFormat);
        QCOMPARE(ap.value(QStringLiteral("common/name")).toString(), QStringLiteral("KX20"));
        QVERIFY(ap.value(QStringLiteral("common/url")).toString().startsWith(QLatin1String("https://")));
        QCOMPARE(ap.value(QStringLiteral("mouse/icType")).toString(), QStringLiteral("560"));
        QVERIFY(Store::toBool(ap.value(QStringLiteral("mouse/isGun"))));
        QVERIFY(Store::toBool(ap.value(QStringLiteral("mouse/isColorful"))));
        QVERIFY(!Store::toBool(ap.value(QStringLiteral("mouse/is55328"))));
        QVERIFY(!Store::toBool(ap.value(QStringLiteral("mouse/is571"))));
        QCOMPARE(intOf(ap, QStringLiteral("mouse/keyCount")), 8);
        QCOMPARE(intOf(ap, QStringLiteral("mouse/profileNo")), 0);
        QCOMPARE(numbers(ap, QStringLiteral("mouse/selectGun"), 3, 0, 5), QList<int>({0, 1, 2}));
        // No language is stored until the user picks one: the system's decides.
        QVERIFY(!ap.contains(QStringLiteral("common/language")));

        // The "3389" sensor counts in steps of 50 up to 16000 DPI.
        QCOMPARE(ap.value(QStringLiteral("mouse/sensorType")).toString(), QStringLiteral("3389"));
        const int minDpi = intOf(ap, QStringLiteral("mouse/minDPI"));
        const int maxDpi = intOf(ap, QStringLiteral("mouse/maxDPI"));
        const int base = intOf(ap, QStringLiteral("mouse/dpiBase"));
        QVERIFY(base > 0 && minDpi >= base && maxDpi <= 16000 && minDpi < maxDpi);
        QCOMPARE(minDpi % base, 0);
        QCOMPARE(maxDpi % base, 0);

        const QList<DeviceEntry> table = DeviceEntry::readTable(path);
        QCOMPARE(table.size(), 1);
        const DeviceEntry &mouse = table.first();
        QCOMPARE(mouse.type, 1);
        QCOMPARE(mouse.vid, 0x04d9);
        QCOMPARE(mouse.pid, 0xa1ee);
        QCOMPARE(mouse.usagePage, 0xff00);
        QCOMPARE(mouse.usage, 0xff00);
        QCOMPARE(mouse.usagePage2, 0xff01);
        QCOMPARE(mouse.usage2, 0xff01);
        QCOMPARE(mouse.reportLength, 32);
        QVERIFY(!mouse.isEncode);
        QCOMPARE(mouse.sCode, QStringLiteral("483915"));
    }

    void profilesCarryEveryKey_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString &name : kProfileFiles)
            QTest::newRow(qPrintable(name)) << name;
    }

    void profilesCarryEveryKey()
    {
        QFETCH(QString, file);
        const QSettings ap(kModules + QStringLiteral("setting/apConfig.bin"), QSettings::IniFormat);
        const QSettings profile(kModules + QStringLiteral("setting/") + file + QStringLiteral(".bin"),
                                QSettings::IniFormat);
        const int rate = intOf(profile, QStringLiteral("mouse/reportRate"));
        QVERIFY(rate >= 0 && rate <= 3);
        const int dpiCount = intOf(profile, QStringLiteral("mouse/dpiCount"));
        QVERIFY(dpiCount >= 1 && dpiCount <= 8);
        const int inUse = intOf(profile, QStringLiteral("mouse/currentDpiCount"));
        QVERIFY(inUse >= 1 && inUse <= dpiCount);
        const QList<int> dpi =
            numbers(profile, QStringLiteral("mouse/dpiValueArray"), 8,
                    intOf(ap, QStringLiteral("mouse/minDPI")), intOf(ap, QStringLiteral("mouse/maxDPI")));
        QCOMPARE(dpi.size(), 8);
        for (int value : dpi)
            QCOMPARE(value % intOf(ap, QStringLiteral("mouse/dpiBase")), 0);
        const QList<int> light = numbers(profile, QStringLiteral("mouse/lightValue"), 3, 0, 10);
        QVERIFY(light.size() == 3 && light[1] <= 4 && light[2] <= 4);
        QCOMPARE(numbers(profile, QStringLiteral("mouse/colorValue"), 36).size(), 36);
        QCOMPARE(numbers(profile, QStringLiteral("mouse/fixColor"), 3).size(), 3);
        const int speed = intOf(profile, QStringLiteral("mouse/mouseRate"));
        const int doubleClick = intOf(profile, QStringLiteral("mouse/doubleRate"));
        QVERIFY(speed >= 3 && speed <= 337 && doubleClick >= 3 && doubleClick <= 337);
        const int scroll = intOf(profile, QStringLiteral("mouse/scrollRate"));
        QVERIFY((scroll >= 1 && scroll <= 100) || scroll == 1000);

        for (int i = 0; i < 16; ++i) {
            const QList<int> page(kPageButtons[i], kPageButtons[i] + 4);
            const QList<int> device(kDeviceButtons[i], kDeviceButtons[i] + 4);
            QCOMPARE(numbers(profile, QStringLiteral("mouseKeyMatrix/%1").arg(i), 4), page);
            QCOMPARE(numbers(profile, QStringLiteral("mouseFwKeyMatrix/%1").arg(i), 4), device);
        }
        for (int i = 0; i < 2; ++i)
            QCOMPARE(intOf(profile, QStringLiteral("XYSensitive/%1").arg(i)), 4);
        for (int i = 0; i < 3; ++i)
            QVERIFY(isPlainText(profile, QStringLiteral("selectGun/%1").arg(i)));
    }

    void nameListsAndGunsAreInstalled()
    {
        const QSettings names(kModules + QStringLiteral("setting/name.bin"), QSettings::IniFormat);
        QCOMPARE(names.value(QStringLiteral("profile/profileName")).toStringList(),
                 QStringList({QStringLiteral("Standard0"), QStringLiteral("loadersentry")}));
        QVERIFY(!names.contains(QStringLiteral("macro/macroName")));

        const QSettings guns(kModules + QStringLiteral("gun/gunData.bin"), QSettings::IniFormat);
        const QStringList expected = {QStringLiteral("M416"),  QStringLiteral("AKM"),
                                      QStringLiteral("M16A4"), QStringLiteral("SCAR-L"),
                                      QStringLiteral("UNP9"),  QStringLiteral("Thomson")};
        QCOMPARE(guns.allKeys().size(), 6);
        QCOMPARE(names.value(QStringLiteral("gun/gunName")).toStringList(), expected);
        for (int i = 0; i < 6; ++i) {
            const QStringList entry = guns.value(QStringLiteral("gunData/%1").arg(i)).toStringList();
            QCOMPARE(entry.size(), 6);
            QCOMPARE(entry[0], expected[i]);
            QCOMPARE(entry[1], QStringLiteral("L-Click"));
            QVERIFY(entry[2].toInt() >= 4 && entry[2].toInt() <= 90);
            QCOMPARE(entry[3], QStringLiteral("0"));
            QVERIFY(entry[4].toInt() >= 0 && entry[4].toInt() <= 64);
            QVERIFY(entry[5].toInt() >= 0 && entry[5].toInt() <= 255);
        }
    }

    void languagesHoldEverySection_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QStringLiteral("English");
        QTest::newRow("French") << QStringLiteral("French");
        QTest::newRow("ChineseSimplified") << QStringLiteral("ChineseSimplified");
    }

    void languagesHoldEverySection()
    {
        QFETCH(QString, language);
        const QSettings texts(kModules + QStringLiteral("i18n/") + language + QStringLiteral(".ini"),
                              QSettings::IniFormat);
        for (const auto &[section, count] : kSections) {
            QCOMPARE(intOf(texts, section + QStringLiteral("/total")), count);
            for (int i = 0; i < count; ++i) {
                const QString key = section + QLatin1Char('/') + QString::number(i);
                QVERIFY2(isPlainText(texts, key), qPrintable(key));
            }
        }
        for (int i = 0; i < 8; ++i)
            QVERIFY(!texts.value(QStringLiteral("other/%1").arg(i)).toString().isEmpty());

        // Macros keep keys by their text: one text per key, but for the two
        // backslash keys.
        QStringList keyNames;
        for (int i = 0; i < 133; ++i)
            keyNames.append(texts.value(QStringLiteral("keyCode/%1").arg(i)).toString());
        QCOMPARE(keyNames[kBackslash], QStringLiteral("\\"));
        QCOMPARE(keyNames[kNonUsBackslash], QStringLiteral("\\"));
        keyNames.removeAt(kNonUsBackslash);
        QCOMPARE(keyNames.removeDuplicates(), 0);
        QVERIFY(!keyNames.contains(QString()));
        QCOMPARE(keyNames[0x36 - 0x04 - 1], QStringLiteral(","));
    }

    void deviceTableIsCompiledIn()
    {
        const QString path = QStringLiteral(":/modules/DevInfo.ini");
        QVERIFY(QFile::exists(path));
        const QSettings info(path, QSettings::IniFormat);
        QCOMPARE(intOf(info, QStringLiteral("common/total")), 2);
        QCOMPARE(info.value(QStringLiteral("common/isEncode")).toString(), QStringLiteral("false"));
        const DeviceEntry keyboard = DeviceEntry::fromSettings(info, QStringLiteral("0"));
        const DeviceEntry mouse = DeviceEntry::fromSettings(info, QStringLiteral("1"));
        QCOMPARE(keyboard.type, 0);
        QCOMPARE(keyboard.pid, 0x8008);
        QCOMPARE(keyboard.usagePage, 0xff01);
        QCOMPARE(keyboard.usage, 0x0001);
        QCOMPARE(keyboard.usagePage2, 0xff02);
        QCOMPARE(keyboard.usage2, 0x0001);
        QCOMPARE(keyboard.reportLength, 64);
        QCOMPARE(mouse.type, 1);
        QCOMPARE(mouse.vid, 0x04d9);
        QCOMPARE(mouse.pid, 0xa1ee);
        QCOMPARE(mouse.usagePage, 0xff00);
        QCOMPARE(mouse.usage2, 0xff01);
        QCOMPARE(mouse.reportLength, 32);
    }
};

QTEST_GUILESS_MAIN(TestInstalledData)
#include "test_installeddata.moc"
