#include "lightingencoding.h"
#include "operationsfixture.h"

#include <QTest>

using Commands = QList<QPair<int, int>>;

// The device operations on a 553-family mouse: one command per kind of setting.
class TestMouseOperations553 : public QObject
{
    Q_OBJECT

    std::unique_ptr<OperationsFixture> f;

    void start(const MouseModel &model)
    {
        f = std::make_unique<OperationsFixture>(ChipFamily::F553, 32, model);
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

    void keyMatrixStoredAndSentOnce()
    {
        start(model553());
        QVariantList src64;
        for (int i = 0; i < 16; ++i)
            src64 << 0x02 << 0 << 0x04 + i << 0;
        src64[0] = 0x04; // button 0: macro in slot 3
        src64[1] = 1;
        src64[2] = 3;
        src64[4] = 0x05; // button 1: DPI loop
        src64[6] = 4;
        f->ops.mouseSetKeyMatrix(*f->profile, src64, true, {9, 9, 9});

        QCOMPARE(f->link.sent(HidCall::SendFeature), QList<QByteArray>{commandReport({0x12, 1, 0x40, 0x08})});
        QCOMPARE(f->mouse->keyMatrix(1).left(12), bytes({0x09, 1, 4, 0, 0x07, 0, 4, 1, 0x00, 0, 0x06, 0}));
        QCOMPARE(f->storedOnDisk(QStringLiteral("mouseKeyMatrix/0")).toStringList(),
                 (QStringList{"4", "1", "3", "0"}));
        QCOMPARE(f->storedOnDisk(QStringLiteral("mouseKeyMatrix/15")).toStringList(),
                 (QStringList{"2", "0", "19", "0"}));

        // Stored but not sent.
        f->link.forgetHistory();
        f->ops.mouseSetKeyMatrix(*f->profile, {0xFF, 0, 1}, false, {});
        QVERIFY(f->commands().isEmpty());
        QCOMPARE(f->storedOnDisk(QStringLiteral("mouseKeyMatrix/0")).toStringList(),
                 (QStringList{"255", "0", "1", "0"}));
        QCOMPARE(f->storedOnDisk(QStringLiteral("mouseKeyMatrix/1")).toStringList(),
                 (QStringList{"0", "0", "0", "0"}));
    }

    void gunButtonsSendFourMatrices()
    {
        start(model553());
        f->storeFactoryMatrix();
        // Factory entry 5 is short: its missing values count as 0.
        f->profile->setValue(QStringLiteral("mouseFwKeyMatrix/5"), QVariantList{7, 7});
        QVariantList src64;
        for (int i = 0; i < 64; ++i)
            src64 << 0;
        src64[4 * 5] = 0x08; // button 5: gun, option 3
        src64[4 * 5 + 1] = 9;
        src64[4 * 5 + 2] = 3;
        src64[4 * 6] = 0x08; // button 6: gun, no option
        f->ops.mouseSetKeyMatrix(*f->profile, src64, true, {1, 2, 3});

        QCOMPARE(f->commands(), (Commands{{0x12, 1}, {0x12, 2}, {0x12, 3}, {0x12, 4}, {0x02, 1}}));
        QCOMPARE(f->mouse->keyMatrix(1).mid(20, 8), bytes({0x08, 0, 1, 1, 0x08, 0, 1, 0}));
        QCOMPARE(f->mouse->keyMatrix(2).mid(20, 8), bytes({0x08, 0, 1, 2, 0x08, 0, 1, 2}));
        QCOMPARE(f->mouse->keyMatrix(3).mid(20, 8), bytes({0x08, 0, 1, 3, 0x08, 0, 1, 2}));
        QCOMPARE(f->mouse->keyMatrix(4).mid(20, 8), bytes({0x08, 0, 1, 0, 0x08, 0, 1, 2}));
        QCOMPARE(f->mouse->keyMatrix(4).left(4), bytes({0x0B, 2, 3, 0}));
        QCOMPARE(f->mouse->currentKeyMatrix(), 1);
    }

    void resetKeyMatrixLeavesMatrixOne()
    {
        start(model553());
        // As installed: lists of texts; a one-value entry reads back as plain text.
        QFile file(f->profile->fileName());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[mouseFwKeyMatrix]\n0=1, 0, 240, 2\n1=7\n2=3, 258, 4\n");
        file.close();
        f->profile = std::make_unique<QSettings>(file.fileName(), QSettings::IniFormat);
        f->ops.mouseResetKeyMatrix(*f->profile);
        QCOMPARE(f->commands(), (Commands{{0x12, 2}, {0x12, 3}, {0x12, 4}}));
        QCOMPARE(f->mouse->keyMatrix(3).left(12), bytes({1, 0, 0xF0, 2, 7, 0, 0, 0, 3, 2, 4, 0}));
        QCOMPARE(f->mouse->keyMatrix(3).mid(12), QByteArray(52, '\0'));
        QCOMPARE(f->mouse->keyMatrix(1), QByteArray(64, '\0'));
    }

    void macroSlots()
    {
        start(model553());
        QCOMPARE(f->ops.mouseSendMacroData({1, 2}, 12), QVariant(true));
        QCOMPARE(f->ops.mouseSendMacroData({1, 2}, QStringLiteral("first")), QVariant(true));
        QVERIFY(f->commands().isEmpty());
        QVariantList long130;
        for (int i = 0; i < 130; ++i)
            long130 << i + 256;
        QCOMPARE(f->ops.mouseSendMacroData(long130, 0), QVariant(true));
        QCOMPARE(f->commands(), (Commands{{0x13, 1}}));
        QCOMPARE(f->mouse->macro(1), countingBytes(128, 0));
    }

    // A profile change: the buttons, the macros they run, the rate, the
    // stages, the lighting and, on a gun model, the matrices back in order;
    // stages that could not be loaded are not sent.
    void profileSendOrder_data()
    {
        QTest::addColumn<bool>("withDpi");
        QTest::newRow("with stages") << true;
        QTest::newRow("without stages") << false;
    }
    void profileSendOrder()
    {
        QFETCH(bool, withDpi);
        start(model553(true));
        f->storeFactoryMatrix();
        ProfileSend send;
        for (int i = 0; i < 64; ++i)
            send.src64 << 0;
        send.src64[0] = 0x04; // button 0: macro in slot 3
        send.src64[2] = 3;
        send.macros.append({3, {7, 8, 9}});
        send.rateCode = 2;
        send.withDpi = withDpi;
        send.dpiCount = 4;
        send.sensorType = QStringLiteral("3360");
        send.dpiValues = {400, 800, 1600, 3200, 6400, 12000, 16000, 100};
        QVERIFY(f->ops.sendProfile(*f->profile, send));

        const Commands sent = f->commands();
        QVERIFY(sent.size() > 7);
        QCOMPARE(sent.mid(0, 2), (Commands{{0x12, 1}, {0x13, 4}}));
        QCOMPARE(f->mouse->macro(4).left(4), bytes({7, 8, 9, 0}));
        QCOMPARE(f->mouse->reportRate(), 2);
        QCOMPARE(sent.contains({0x11, 4}), withDpi);
        if (withDpi)
            QCOMPARE(sent.indexOf({0x11, 4}), 3);
        QCOMPARE(sent.mid(sent.size() - 3), (Commands{{0x12, 2}, {0x12, 3}, {0x12, 4}}));
        QCOMPARE(f->storedOnDisk(QStringLiteral("mouseKeyMatrix/0")).toStringList(),
                 (QStringList{"4", "0", "3", "0"}));
    }

    void dpiStages()
    {
        start(model553());
        f->ops.mouseSetDpi(4, QStringLiteral("3360"), {400, 800, 1600, 3200, 6400, 12000, 16000, 100});
        QCOMPARE(f->commands(), (Commands{{0x11, 4}}));
        QCOMPARE(f->mouse->dpiTable(), bytes({3, 7, 15, 31, 0x80, 0x80, 0x80, 0x80}));
        QCOMPARE(f->mouse->dpiStageCount(), 4);

        // A short list: the missing stages count as 0 DPI.
        f->ops.mouseSetDpi(8, QStringLiteral("3050"), {1600});
        QCOMPARE(f->mouse->dpiTable(), bytes({0x07, 1, 1, 1, 1, 1, 1, 1}));
    }

    void lightingEffects()
    {
        start(model553(false, true, true));
        f->ops.mouseSetRGBEffect(20, 2, 4);
        QCOMPARE(f->mouse->rgbEffect(), (std::array<uchar, 3>{9, 255, 0x20}));
        f->ops.mouseSetRGBEffect(1, 0, 9); // brightness beyond the five levels
        QCOMPARE(f->mouse->rgbEffect(), (std::array<uchar, 3>{1, 0, 0}));

        f->ops.setModel(model553(false, true));
        f->ops.mouseSetRGBEffect(0, 0, 0);
        QCOMPARE(f->mouse->rgbEffect(), (std::array<uchar, 3>{1, 0, 0}));

        f->ops.setModel(model553());
        f->ops.mouseSetRGBEffect(4, 1, 0);
        QCOMPARE(f->mouse->rgbEffect(), (std::array<uchar, 3>{2, 2, 2}));
        f->ops.setModel(model553(false, false, false, true));
        f->ops.mouseSetRGBEffect(4, 1, 0);
        QCOMPARE(f->mouse->rgbEffect(), (std::array<uchar, 3>{2, 2, 3}));
    }

    void colourVariants()
    {
        QVariantList colours;
        for (int i = 0; i < 36; ++i)
            colours << (i >= 21 && i <= 23 ? 0 : i + 1);
        start(model553(false, false, false, true));
        f->ops.mouseSetRGBColor(1, colours);
        QCOMPARE(f->commands(), (Commands{{0x0C, 1}}));
        QCOMPARE(f->mouse->fixedLedColor(), (std::array<uchar, 3>{1, 2, 3}));

        colours[22] = 5;
        f->link.forgetHistory();
        f->ops.mouseSetRGBColor(1, colours);
        QCOMPARE(f->commands(), (Commands{{0x10, 0}}));
        QCOMPARE(f->mouse->ledColors().at(22), char(5));

        f->ops.setModel(model553(false, false, true));
        f->link.forgetHistory();
        f->ops.mouseSetRGBColor(1, colours);
        f->ops.mouseSetFixColor({7, 8});
        QCOMPARE(f->commands(), (Commands{{0x10, 0}, {0x0C, 7}}));
        QCOMPARE(f->mouse->fixedLedColor(), (std::array<uchar, 3>{7, 8, 0}));

        f->ops.setModel(model553());
        f->link.forgetHistory();
        f->ops.mouseSetRGBColor(1, colours);
        QCOMPARE(f->commands(), (Commands{{0x10, 1}, {0x10, 1}}));
        QCOMPARE(
            f->mouse->ledColors(),
            QByteArray(reinterpret_cast<const char *>(LightingEncoding::colourBuffer(colours).data()), 36));
    }

    void gunDataFollowsTheYAxisOption()
    {
        start(model553(true));
        f->mouse->setKeyboardOptions553({0, 0, 1, 0});
        f->ops.mouseSendGundata(2, {6, 2, 5});
        QCOMPARE(f->commands(), (Commands{{0x83, 0}, {0x04, 0}}));
        QCOMPARE(f->mouse->gunData(), (std::array<uchar, 4>{6, 2, 0xFB, 1}));

        f->mouse->setKeyboardOptions553({0, 0, 0, 0});
        f->ops.mouseSendGundata(3, {6, 2});
        QCOMPARE(f->mouse->gunData(), (std::array<uchar, 4>{6, 2, 0, 2}));

        f->ops.setModel(model553(false));
        f->link.forgetHistory();
        f->ops.mouseSendGundata(1, {6, 2, 5});
        QVERIFY(f->commands().isEmpty());
    }

    void smallCommands()
    {
        start(model553());
        f->mouse->setCurrentStage(6);
        QCOMPARE(f->ops.mouseGetCurrentDPI(), QVariant(6));
        f->ops.mouseSwitchKeyMatrix(1);
        f->ops.mouseSetReportRate(4);
        f->ops.mouseSetCurrentDPI(2);
        f->ops.mouseSetKeyboardoption(1, 2, 3, 0x40);
        QCOMPARE(f->ops.GetKeyboardoption(), (QVariantList{1, 2, 3, 0x40}));
        QCOMPARE(f->commands(), (Commands{{0x8B, 0}, {0x02, 0}, {0x01, 4}, {0x0B, 2}, {0x03, 1}, {0x83, 0}}));
        QCOMPARE(f->mouse->currentKeyMatrix(), 0);
        QCOMPARE(f->mouse->reportRate(), 4);
        QCOMPARE(f->mouse->currentStage(), 2);

        // No on-board profiles on this family: nothing asked, nothing written.
        f->link.forgetHistory();
        QCOMPARE(f->ops.mouseReadCurrentProfile(), QVariant(0));
        QVERIFY(!f->ops.mouseReadProfile(0));
        QTest::ignoreMessage(QtDebugMsg, "Profile image 0 not read from the mouse, not sent");
        f->ops.mouseSetProfile(0);
        QVERIFY(f->commands().isEmpty());

        f->link.backend.unplug();
        QCOMPARE(f->ops.mouseGetCurrentDPI(), QVariant(0));
        QCOMPARE(f->ops.GetKeyboardoption(), (QVariantList{0, 0, 0, 0}));
    }

    void withoutALinkNothingHappens()
    {
        MouseOperations ops(nullptr, model553(true));
        QTemporaryDir dir;
        QSettings profile(dir.filePath(QStringLiteral("p.bin")), QSettings::IniFormat);
        ops.mouseSetKeyMatrix(profile, {1, 2, 3, 4}, true, {});
        QCOMPARE(profile.value(QStringLiteral("mouseKeyMatrix/0")).toList().size(), 4);
        QCOMPARE(ops.mouseGetCurrentDPI(), QVariant(0));
        QCOMPARE(ops.GetKeyboardoption(), (QVariantList{0, 0, 0, 0}));
        QCOMPARE(ops.mouseSendMacroData({1}, 0), QVariant(true));
        ops.mouseSendGundata(1, {1, 2, 3});
        QVERIFY(!ops.mouseReadProfile(0));
    }
};

QTEST_GUILESS_MAIN(TestMouseOperations553)
#include "test_mouseoperations553.moc"
