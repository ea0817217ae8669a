#include "buttonencoding.h"
#include "operationsfixture.h"

#include <QTest>

using Commands = QList<QPair<int, int>>;

// The device operations on a 560-family mouse: settings travel inside the
// profile images, which must have been read from the mouse first.
class TestMouseOperations560 : public QObject
{
    Q_OBJECT

    std::unique_ptr<OperationsFixture> f;

    void start(const MouseModel &model, int reportLength = 64)
    {
        f = std::make_unique<OperationsFixture>(ChipFamily::F560, reportLength, model);
    }

private slots:
    void cleanup()
    {
        if (!f)
            return;
        const QString leftovers = f->link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
        f.reset();
    }

    void readProfileImages_data()
    {
        QTest::addColumn<int>("reportLength");
        QTest::newRow("32-byte reports") << 32;
        QTest::newRow("64-byte reports") << 64;
    }
    void readProfileImages()
    {
        QFETCH(int, reportLength);
        start(model560(true), reportLength);
        f->readImages();
        for (int n = 0; n < 5; ++n) {
            QVERIFY(f->ops.images().isRead(n));
            const ProfileImage &image = f->ops.images().image(n);
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(image.data()), 128), sampleImage(n));
        }
        // A new connection: nothing is known to match the mouse any more.
        f->ops.resetForConnection();
        QVERIFY(!f->ops.images().isRead(0));
        QVERIFY(!f->ops.mouseReadProfile(5));
    }

    // An image that was never read, or whose read failed, is never written
    // back: the mouse keeps its own profile.
    void unreadImageIsNeverSent_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("never read") << 0;
        QTest::newRow("input reports withheld") << 1;
        QTest::newRow("second piece lost") << 2;
        QTest::newRow("unplugged") << 3;
    }
    void unreadImageIsNeverSent()
    {
        QFETCH(int, fault);
        start(model560(), 32);
        f->mouse->setProfileImage(1, sampleImage(1));
        if (fault == 1)
            f->mouse->setWithholdInputReports(true);
        if (fault == 2)
            f->link.backend.failCall(HidCall::ReadTimeout, 2);
        if (fault == 3)
            f->link.backend.unplug();
        if (fault != 0) {
            QTest::ignoreMessage(QtDebugMsg, "Profile image 1 could not be read from the mouse");
            QVERIFY(!f->ops.mouseReadProfile(1));
        }
        QVERIFY(!f->ops.images().isRead(1));
        if (fault == 1)
            f->mouse->setWithholdInputReports(false);
        f->link.forgetHistory();

        QTest::ignoreMessage(QtDebugMsg, "Profile image 1 not read from the mouse, not sent");
        f->ops.mouseSetDpi(2, QStringLiteral("3360"), {400, 800});
        QTest::ignoreMessage(QtDebugMsg, "Profile image 1 not read from the mouse, not sent");
        f->ops.mouseSetProfile(1);
        QVERIFY(f->mouse->commands().isEmpty());
        QCOMPARE(f->mouse->profileImage(1), sampleImage(1));
        // Patching the image in memory is still allowed.
        QCOMPARE(f->ops.images().image(1)[84], uchar(3));
    }

    void gunButtonSendsImageZeroThenMatrices()
    {
        start(model560());
        f->readImages();
        f->storeFactoryMatrix();
        QVariantList src64;
        for (int i = 0; i < 16; ++i)
            src64 << 0x02 << 0 << 0x04 + i << 0;
        src64[12] = 0x08; // button 3: gun, option 2
        src64[14] = 2;
        f->ops.mouseSetKeyMatrix(*f->profile, src64, true, {10, 20, 300});

        QCOMPARE(f->link.sent(HidCall::SendFeature),
                 (QList<QByteArray>{commandReport({0x0C, 0, 0x80}), commandReport({0x0D, 1, 0x80}),
                                    commandReport({0x0D, 2, 0x80}), commandReport({0x0D, 3, 0x80}),
                                    commandReport({0x0D, 4, 0x80}), commandReport({0x02, 1})}));
        QByteArray image0 = sampleImage(0);
        image0[2] = 0x0F;
        QCOMPARE(f->link.sent(HidCall::Write).first(), QByteArray(1, '\0') + image0.left(64));
        QCOMPARE(f->mouse->profileImage(0), image0);
        QCOMPARE(f->mouse->keyMatrix(1).mid(12, 4), bytes({0x08, 0, 1, 0}));
        QCOMPARE(f->mouse->keyMatrix(2).mid(12, 4), bytes({0x08, 3, 3, 2}));
        QCOMPARE(f->mouse->keyMatrix(3).mid(12, 4), bytes({0x08, 3, 0, 2}));
        QCOMPARE(f->mouse->keyMatrix(4).mid(12, 4), bytes({0x08, 3, 0, 2}));
        QCOMPARE(f->mouse->keyMatrix(2).left(8), bytes({0x0B, 0, 10, 0, 1, 1, 0xF1, 2}));
        QCOMPARE(f->mouse->keyMatrix(3).left(4), bytes({0x0B, 1, 20, 0}));
        QCOMPARE(f->mouse->keyMatrix(4).left(4), bytes({0x0B, 2, 44, 0}));
        QCOMPARE(f->mouse->currentProfile(), 1);
    }

    void keyMatrixWithoutGunAndReset()
    {
        start(model560());
        f->storeFactoryMatrix();
        f->ops.mouseSetKeyMatrix(*f->profile, {0x05, 0, 4, 0}, true, {});
        QCOMPARE(f->commands(), (Commands{{0x0D, 1}}));
        QCOMPARE(f->mouse->keyMatrix(1).left(8), bytes({0x0B, 0, 1, 1, 0x01, 0, 0, 0}));

        f->link.forgetHistory();
        f->ops.mouseResetKeyMatrix(*f->profile);
        QCOMPARE(f->commands(), (Commands{{0x0D, 2}, {0x0D, 3}, {0x0D, 4}}));
        QCOMPARE(f->mouse->keyMatrix(4).mid(4 * 15, 4), bytes({1, 15, 0xFF, 2}));
        QCOMPARE(f->mouse->keyMatrix(1).left(4), bytes({0x0B, 0, 1, 1}));
    }

    void macroSlot()
    {
        start(model560());
        QCOMPARE(f->ops.mouseSendMacroData({1, 0x84, 0x04}, 0), QVariant(true));
        QCOMPARE(f->commands(), (Commands{{0x0F, 1}}));
        QCOMPARE(f->mouse->macro(1).left(4), bytes({1, 0x84, 0x04, 0}));
    }

    void dpiStagesGoToImagesOneToFour_data()
    {
        QTest::addColumn<bool>("isGun");
        QTest::newRow("plain") << false;
        QTest::newRow("gun") << true;
    }
    void dpiStagesGoToImagesOneToFour()
    {
        QFETCH(bool, isGun);
        start(model560(isGun));
        f->readImages();
        f->ops.mouseSetDpi(4, QStringLiteral("3360"), {400, 800, 1600, 3200, 6400, 12000, 16000, 100});
        QCOMPARE(f->commands(),
                 isGun ? (Commands{{0x0C, 1}, {0x0C, 2}, {0x0C, 3}, {0x0C, 4}}) : (Commands{{0x0C, 1}}));
        const QByteArray stages = bytes({3, 7, 15, 31, 63, 119, 159, 0});
        for (int n = 1; n <= 4; ++n) {
            QByteArray expected = sampleImage(n);
            expected.replace(84, 8, stages);
            expected.replace(92, 8, stages);
            expected[100] = 0x0F;
            const ProfileImage &held = f->ops.images().image(n);
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(held.data()), 128), expected);
            QCOMPARE(f->mouse->profileImage(n), isGun || n == 1 ? expected : sampleImage(n));
        }
        QCOMPARE(f->mouse->profileImage(0), sampleImage(0));
    }

    void highRangeBoundaryOf3389()
    {
        start(model560());
        f->readImages();
        f->ops.mouseSetDpi(2, QStringLiteral("3389"), {12750, 12800});
        const QByteArray image = f->mouse->profileImage(1);
        QCOMPARE(image.mid(82, 4), bytes({0x02, 0x02, 255, 0}));
        QCOMPARE(image[100], char(0x03));
    }

    void lightingTriples()
    {
        start(model560(false, true, true));
        f->readImages();
        f->ops.mouseSetRGBEffect(20, 2, 4);
        QCOMPARE(f->commands(), (Commands{{0x0C, 1}}));
        QCOMPARE(f->mouse->profileImage(1).mid(71, 3), bytes({9, 255, 0x20}));
        QCOMPARE(f->ops.images().image(4)[73], uchar(0x20));

        // Single-colour mouse without gun functions: image 1 takes 3 as its
        // last byte, the others keep 2.
        f->ops.setModel(model560());
        f->link.forgetHistory();
        f->ops.mouseSetRGBEffect(2, 1, 0);
        QCOMPARE(f->commands(), (Commands{{0x0C, 1}}));
        QCOMPARE(f->mouse->profileImage(1).mid(71, 3), bytes({3, 24, 3}));
        QCOMPARE(f->ops.images().image(2)[73], uchar(2));

        f->ops.setModel(model560(true));
        f->link.forgetHistory();
        f->ops.mouseSetRGBEffect(4, 2, 0);
        QCOMPARE(f->commands(), (Commands{{0x0C, 1}, {0x0C, 2}, {0x0C, 3}, {0x0C, 4}}));
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(f->mouse->profileImage(n).mid(71, 3), bytes({2, 3, 2}));
    }

    void colours()
    {
        start(model560(false, true));
        f->readImages();
        QVariantList colours;
        for (int i = 0; i < 36; ++i)
            colours << i + 200;
        f->ops.mouseSetRGBColor(0, colours);
        QCOMPARE(f->commands(), (Commands{{0x0C, 0}}));
        QByteArray expected;
        for (int i = 0; i < 24; ++i)
            expected.append(static_cast<char>(i + 200));
        QCOMPARE(f->mouse->profileImage(0).mid(24, 24), expected);
        QCOMPARE(f->mouse->profileImage(0).left(24), sampleImage(0).left(24));

        f->ops.setModel(model560());
        f->link.forgetHistory();
        f->ops.mouseSetRGBColor(1, colours);
        QCOMPARE(f->commands(), (Commands{{0x0C, 1}}));
        QCOMPARE(f->mouse->profileImage(1).mid(104), expected);

        // No fixed-colour command on this family: 0CH would write a profile.
        f->link.forgetHistory();
        QTest::ignoreMessage(QtDebugMsg, "No fixed colour command on the 560 family, not sent");
        f->ops.mouseSetFixColor({1, 2, 3});
        QVERIFY(f->commands().isEmpty());
    }

    void gunData()
    {
        start(model560(true));
        f->readImages();
        f->ops.mouseSendGundata(1, {6, 2, 5});
        QCOMPARE(f->commands(), (Commands{{0x0C, 2}}));
        QByteArray expected = sampleImage(2);
        expected[65] = static_cast<char>(expected[65] & ~0x04);
        expected.replace(78, 4, bytes({0xF0, 6, 2, 5}));
        QCOMPARE(f->mouse->profileImage(2), expected);

        f->link.forgetHistory();
        QTest::ignoreMessage(QtDebugMsg, "Gun slot 4 does not exist, not sent");
        f->ops.mouseSendGundata(4, {6, 2, 5});
        f->ops.setModel(model560(false));
        f->ops.mouseSendGundata(1, {6, 2, 5});
        QVERIFY(f->commands().isEmpty());
    }

    // A mouse found on another on-board profile is switched to profile 1;
    // one already on it, or of the other family, is only asked or left alone.
    void startsOnProfileOne_data()
    {
        QTest::addColumn<bool>("family560");
        QTest::addColumn<int>("current");
        QTest::addColumn<Commands>("expected");
        QTest::newRow("on profile 3") << true << 3 << Commands{{0x82, 0}, {0x02, 1}};
        QTest::newRow("on profile 1") << true << 1 << Commands{{0x82, 0}};
        QTest::newRow("553 model") << false << 3 << Commands{};
    }
    void startsOnProfileOne()
    {
        QFETCH(bool, family560);
        QFETCH(int, current);
        QFETCH(Commands, expected);
        start(model560());
        f->ops.mouseSwitchKeyMatrix(current);
        f->link.forgetHistory();
        if (!family560)
            f->ops.setModel(model553());
        f->ops.useProfileOne();
        QCOMPARE(f->commands(), expected);
        f->ops.setModel(model560());
        QCOMPARE(f->ops.mouseReadCurrentProfile(), QVariant(family560 ? 1 : current));
    }

    void smallCommands()
    {
        start(model560());
        f->mouse->setCurrentStage(3);
        QCOMPARE(f->ops.mouseGetCurrentDPI(), QVariant(3));
        f->ops.mouseSwitchKeyMatrix(1);
        QCOMPARE(f->ops.mouseReadCurrentProfile(), QVariant(1));
        f->ops.mouseSetReportRate(2);
        f->ops.mouseSetCurrentDPI(5);
        QCOMPARE(f->commands(), (Commands{{0x84, 1},
                                          {0x02, 1},
                                          {0x82, 0},
                                          {0x03, 1},
                                          {0x03, 2},
                                          {0x03, 3},
                                          {0x03, 4},
                                          {0x04, 1},
                                          {0x04, 2},
                                          {0x04, 3},
                                          {0x04, 4}}));
        QCOMPARE(f->mouse->reportRateOfSeries(4), 2);
        QCOMPARE(f->mouse->stageOfSeries(4), 5);

        // Keyboard options go through this family's own two-byte commands.
        f->link.forgetHistory();
        f->ops.mouseSetKeyboardoption(0x08, 0x01, 0x55, 0x66);
        QCOMPARE(f->ops.GetKeyboardoption(), (QVariantList{0x08, 0x01, 0, 0}));
        QCOMPARE(f->commands(), (Commands{{0x01, 0x08}, {0x81, 0}}));

        f->link.backend.unplug();
        QCOMPARE(f->ops.mouseGetCurrentDPI(), QVariant(0));
        QCOMPARE(f->ops.mouseReadCurrentProfile(), QVariant(0));
        QCOMPARE(f->ops.GetKeyboardoption(), (QVariantList{0, 0, 0, 0}));
    }
};

QTEST_GUILESS_MAIN(TestMouseOperations560)
#include "test_mouseoperations560.moc"
