#include "operationsfixture.h"

#include <QTest>

OperationsFixture::OperationsFixture(ChipFamily family, int reportLength, const MouseModel &model)
{
    mouse = &link.connect(DeviceLinkFixture::identity(family, reportLength));
    ops.setModel(model);
    ops.setHidThread(&link.hid);
    profile = std::make_unique<QSettings>(dir.filePath(QStringLiteral("p1.bin")), QSettings::IniFormat);
}

void OperationsFixture::readImages()
{
    for (int n = 0; n < ProfileImages::kCount; ++n) {
        mouse->setProfileImage(n, sampleImage(n));
        QVERIFY(ops.mouseReadProfile(static_cast<uint>(n)));
    }
    link.forgetHistory();
}

void OperationsFixture::storeFactoryMatrix()
{
    for (int i = 0; i < 16; ++i)
        profile->setValue(QStringLiteral("mouseFwKeyMatrix/%1").arg(i), QVariantList{1, i, 0xF0 + i, 2});
    profile->sync();
}

QList<QPair<int, int>> OperationsFixture::commands() const
{
    QList<QPair<int, int>> result;
    for (const EmulatedMouse::Command &c : mouse->commands())
        result.append({uchar(c.block.at(0)), uchar(c.block.at(1))});
    return result;
}

QVariant OperationsFixture::storedOnDisk(const QString &key)
{
    profile->sync();
    return QSettings(profile->fileName(), QSettings::IniFormat).value(key);
}

MouseModel model560(bool isGun, bool isColorful, bool is571)
{
    MouseModel m;
    m.icType = QStringLiteral("560");
    m.isGun = isGun;
    m.isColorful = isColorful;
    m.is571 = is571;
    return m;
}

MouseModel model553(bool isGun, bool isColorful, bool is571, bool is55328)
{
    MouseModel m = model560(isGun, isColorful, is571);
    m.icType = QStringLiteral("553");
    m.is55328 = is55328;
    return m;
}

QByteArray sampleImage(int n)
{
    QByteArray image;
    for (int i = 0; i < 128; ++i)
        image.append(static_cast<char>(n * 40 + i * 3 + 1));
    return image;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}
