// Groups of changes (a Save, a Reset, a profile change): what they send, that
// the mouse ends exactly as when every change went out at once, and that a
// group the mouse did not take says so and is sent again.
#include "operationsfixture.h"

#include <QRandomGenerator>
#include <QTest>

#include <functional>

namespace {

// One user step of a Save or a profile change, as the scene makes it.
using Step = std::function<void(MouseOperations &, QSettings &)>;

QVariantList randomList(QRandomGenerator &random, int count, int low, int high)
{
    QVariantList list;
    for (int i = 0; i < count; ++i)
        list.append(random.bounded(low, high + 1));
    return list;
}

// A seeded sequence of steps: DPI, lighting, colours, gun data, buttons with
// a gun button, macros, a profile switch, in any order and repeated.
QList<Step> randomSteps(quint32 seed, int count)
{
    QRandomGenerator random(seed);
    QList<Step> steps;
    for (int i = 0; i < count; ++i) {
        switch (random.bounded(7)) {
        case 0: {
            const int stages = random.bounded(1, 9);
            QVariantList dpi;
            for (int s = 0; s < 8; ++s)
                dpi.append(100 * random.bounded(1, 160));
            steps.append([stages, dpi](MouseOperations &ops, QSettings &) {
                ops.mouseSetDpi(stages, QStringLiteral("3389"), dpi);
            });
            break;
        }
        case 1: {
            LightingChoice light;
            light.effect = random.bounded(0, 12);
            light.speed = random.bounded(0, 5);
            light.brightness = random.bounded(0, 5);
            light.colours = randomList(random, 36, 0, 255);
            light.fixColour = randomList(random, 3, 0, 255);
            steps.append([light](MouseOperations &ops, QSettings &) {
                ops.sendLighting(light);
            });
            break;
        }
        case 2: {
            const QVariantList colours = randomList(random, 36, 0, 255);
            steps.append([colours](MouseOperations &ops, QSettings &) {
                ops.mouseSetRGBColor(1, colours);
            });
            break;
        }
        case 3: {
            const int slot = random.bounded(1, 4);
            const QVariantList values = randomList(random, 3, 0, 64);
            steps.append([slot, values](MouseOperations &ops, QSettings &) {
                ops.mouseSendGundata(slot, values);
            });
            break;
        }
        case 4: {
            QVariantList src64;
            for (int b = 0; b < 16; ++b)
                src64 << 0 << b << 0xF0 + b << 0;
            // Sometimes a gun button on slot 3: the gun option of image 0 and
            // the gun matrices go out as well.
            if (random.bounded(2) == 1) {
                src64[12] = 8;
                src64[13] = random.bounded(1, 4);
            }
            const QVariantList periods = randomList(random, 3, 1, 200);
            steps.append([src64, periods](MouseOperations &ops, QSettings &profile) {
                ops.mouseSetKeyMatrix(profile, src64, true, periods);
            });
            break;
        }
        case 5: {
            const QVariantList macro = randomList(random, 128, 0, 255);
            const int slot = random.bounded(0, 12);
            steps.append([macro, slot](MouseOperations &ops, QSettings &) {
                ops.mouseSendMacroData(macro, slot);
            });
            break;
        }
        default: {
            const int rate = random.bounded(0, 4);
            steps.append([rate](MouseOperations &ops, QSettings &) {
                ops.mouseSetReportRate(uchar(rate));
            });
            break;
        }
        }
    }
    return steps;
}

struct Variant
{
    const char *name;
    ChipFamily family;
    MouseModel model;
};

QList<Variant> variants()
{
    return {
        {"560 plain", ChipFamily::F560, model560()},
        {"560 gun", ChipFamily::F560, model560(true)},
        {"560 colourful gun", ChipFamily::F560, model560(true, true)},
        {"560 571", ChipFamily::F560, model560(false, true, true)},
        {"553 plain", ChipFamily::F553, model553()},
        {"553 colourful gun", ChipFamily::F553, model553(true, true)},
        {"553 55328", ChipFamily::F553, model553(false, false, false, true)},
        {"553 571", ChipFamily::F553, model553(false, false, true)},
    };
}

struct Ending
{
    QList<QByteArray> images;
    QList<QByteArray> matrices;
    QList<QByteArray> macros;
    QByteArray other;
};

Ending endingOf(const EmulatedMouse &mouse)
{
    Ending e;
    for (int n = 0; n < 5; ++n)
        e.images.append(mouse.profileImage(n));
    for (int n = 1; n <= 4; ++n)
        e.matrices.append(mouse.keyMatrix(n));
    for (int n = 1; n <= 12; ++n)
        e.macros.append(mouse.macro(n));
    const auto effect = mouse.rgbEffect();
    const auto fixed = mouse.fixedLedColor();
    const auto gun = mouse.gunData();
    e.other = mouse.dpiTable() + mouse.ledColors() + QByteArray::number(mouse.dpiStageCount())
              + QByteArray::number(mouse.reportRate()) + QByteArray::number(mouse.ledColorType())
              + QByteArray(reinterpret_cast<const char *>(effect.data()), 3)
              + QByteArray(reinterpret_cast<const char *>(fixed.data()), 3)
              + QByteArray(reinterpret_cast<const char *>(gun.data()), 4);
    return e;
}

// The profile numbers of the 0CH writes, in order.
QList<int> imageWrites(const OperationsFixture &f)
{
    QList<int> written;
    for (const auto &[code, first] : f.commands()) {
        if (code == 0x0C)
            written.append(first);
    }
    return written;
}

} // namespace

class TestChangeGroups : public QObject
{
    Q_OBJECT

private slots:
    // Generated Saves and profile changes: sent as one group each, the mouse
    // ends with exactly the bytes it ends with when every change goes out at
    // once, and a 560 writes each image at most once per group, in order.
    void groupedChangesEndAsSentOneByOne_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<quint32>("seed");
        const QList<Variant> all = variants();
        for (int v = 0; v < all.size(); ++v) {
            for (quint32 seed = 1; seed <= 6; ++seed)
                QTest::addRow("%s, seed %u", all.at(v).name, seed) << v << seed;
        }
    }
    void groupedChangesEndAsSentOneByOne()
    {
        QFETCH(int, variant);
        QFETCH(quint32, seed);
        const Variant v = variants().at(variant);

        OperationsFixture oneByOne(v.family, 32, v.model);
        OperationsFixture grouped(v.family, 32, v.model);
        for (OperationsFixture *f : {&oneByOne, &grouped}) {
            f->storeFactoryMatrix();
            if (v.family == ChipFamily::F560)
                f->readImages();
        }

        QRandomGenerator random(seed);
        for (int group = 0; group < 4; ++group) {
            const QList<Step> steps = randomSteps(random.generate(), random.bounded(1, 8));
            for (const Step &step : steps)
                step(oneByOne.ops, *oneByOne.profile);

            grouped.link.forgetHistory();
            grouped.ops.beginChanges();
            for (const Step &step : steps)
                step(grouped.ops, *grouped.profile);
            QVERIFY(grouped.ops.endChanges());

            // 0CH is a profile image on a 560 only.
            const QList<int> written = v.family == ChipFamily::F560 ? imageWrites(grouped) : QList<int>{};
            for (int i = 1; i < written.size(); ++i)
                QVERIFY2(written.at(i - 1) < written.at(i), "each image once, in image order");
            if (!written.isEmpty()) {
                // The images go out last, after every other command of the group.
                const auto commands = grouped.commands();
                const int firstImage = int(commands.indexOf({0x0C, written.first()}));
                for (int i = firstImage; i < commands.size(); ++i)
                    QCOMPARE(commands.at(i).first, 0x0C);
            }

            const Ending a = endingOf(*oneByOne.mouse);
            const Ending b = endingOf(*grouped.mouse);
            QCOMPARE(b.images, a.images);
            QCOMPARE(b.matrices, a.matrices);
            QCOMPARE(b.macros, a.macros);
            QCOMPARE(b.other, a.other);
        }
        for (OperationsFixture *f : {&oneByOne, &grouped}) {
            const QString leftovers = f->link.leftovers();
            QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
        }
    }

    // An image whose bytes the mouse already holds (as read, or as written
    // last) is not written again; a change and its undoing cost nothing.
    void imageTheMouseHoldsIsNotSent()
    {
        OperationsFixture f(ChipFamily::F560, 32, model560(true));
        f.readImages();
        const ProfileImage before = f.ops.images().image(1);

        f.ops.beginChanges();
        f.ops.mouseSetRGBEffect(1, 2, 3);
        f.ops.images().image(1) = before; // the user went back
        QVERIFY(f.ops.endChanges());
        QCOMPARE(imageWrites(f), (QList<int>{2, 3, 4}));

        f.link.forgetHistory();
        f.ops.beginChanges();
        f.ops.mouseSetRGBEffect(1, 2, 3);
        QVERIFY(f.ops.endChanges());
        QCOMPARE(imageWrites(f), QList<int>{1});

        // Nested brackets send at the outermost end only.
        f.link.forgetHistory();
        f.ops.beginChanges();
        f.ops.beginChanges();
        f.ops.mouseSetDpi(2, QStringLiteral("3389"), {400, 800, 1600, 3200, 4800, 6400, 7200, 8000});
        QVERIFY(f.ops.endChanges());
        QCOMPARE(imageWrites(f), QList<int>{});
        QVERIFY(f.ops.endChanges());
        QCOMPARE(imageWrites(f), (QList<int>{1, 2, 3, 4}));
        const QString leftovers = f.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }

    // The mouse stops answering or goes away during a group: the group says
    // it did not reach the mouse; the images are written again next time,
    // and a macro that did not arrive goes out with the next group.
    void groupTheMouseDidNotTakeIsSentAgain_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<bool>("silent");
        QTest::newRow("553 unplugged") << int(ChipFamily::F553) << false;
        QTest::newRow("553 silent") << int(ChipFamily::F553) << true;
        QTest::newRow("560 unplugged") << int(ChipFamily::F560) << false;
        QTest::newRow("560 silent") << int(ChipFamily::F560) << true;
    }
    void groupTheMouseDidNotTakeIsSentAgain()
    {
        QFETCH(int, family);
        QFETCH(bool, silent);
        const auto chip = ChipFamily(family);
        OperationsFixture f(chip, 32, chip == ChipFamily::F560 ? model560(true) : model553(true));
        if (chip == ChipFamily::F560)
            f.readImages();
        const QVariantList dpi{400, 800, 1600, 3200, 4800, 6400, 7200, 8000};
        const QVariantList macro = randomList(*QRandomGenerator::global(), 128, 1, 255);

        if (silent)
            f.link.backend.stopAnswering();
        else
            f.link.backend.unplug();
        // A macro sent on its own, as the editor sends it.
        QCOMPARE(f.ops.mouseSendMacroData(macro, 4).toBool(), false);
        QCOMPARE(f.ops.pendingMacroCount(), 1);
        f.ops.beginChanges();
        f.ops.mouseSetDpi(3, QStringLiteral("3389"), dpi);
        QVERIFY(!f.ops.endChanges());

        // Back, as after a reconnection.
        f.link.backend.plugIn();
        f.link.hid.setDeviceTable(
            f.link.hid.locateInterfaces({DeviceLinkFixture::rowFor(f.mouse->identity())}));
        QVERIFY(f.link.hid.chkDeviceIsEnCode(0));
        f.ops.resetForConnection();
        if (chip == ChipFamily::F560) {
            for (uint n = 0; n < 5; ++n)
                QVERIFY(f.ops.mouseReadProfile(n));
        }
        f.link.forgetHistory();
        f.ops.beginChanges();
        f.ops.mouseSetDpi(3, QStringLiteral("3389"), dpi);
        QVERIFY(f.ops.endChanges());
        QCOMPARE(f.ops.pendingMacroCount(), 0);
        QByteArray expected;
        for (const QVariant &b : macro)
            expected.append(char(b.toInt()));
        QCOMPARE(f.mouse->macro(5), expected);
        if (chip == ChipFamily::F560)
            QCOMPARE(uchar(f.mouse->profileImage(1).at(100)), uchar(0x07));
        else
            QCOMPARE(f.mouse->dpiStageCount(), 3);
        const QString leftovers = f.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }
};

QTEST_GUILESS_MAIN(TestChangeGroups)
#include "test_changegroups.moc"
