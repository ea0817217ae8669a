// The program and kx20ctl send a profile alike: generated profiles go out
// once through the real scene's profile change and once through kx20ctl
// apply, each to its own emulated mouse; both mice must receive the same
// commands and end in the same state.
#include "ctlapply.h"
#include "ctlsession.h"
#include "lighteffects.h"
#include "myqquickview.h"
#include "operationsfixture.h"
#include "scenefixture.h"

#include <QApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

namespace {

struct Variant
{
    const char *name;
    bool isColorful;
    bool is55328;
    bool is571;
    bool isGun = false;
};

const Variant kVariants[] = {
    {"single colour", false, false, false}, {"full colour", true, false, false},
    {"55328", false, true, false},          {"571", false, false, true},
    {"571 full colour", true, false, true}, {"full colour gun", true, false, false, true},
};

// What a mouse was sent (code, parameters, bulk data) and what it ends with.
struct Received
{
    QList<QByteArray> commands;
    QList<QByteArray> state;
};

Received receivedBy(const EmulatedMouse &mouse)
{
    Received r;
    for (const EmulatedMouse::Command &c : mouse.commands())
        r.commands.append(c.block.toHex(' ') + " | " + c.bulk.toHex(' '));
    for (int n = 0; n < 5; ++n)
        r.state.append(mouse.profileImage(n));
    for (int n = 1; n <= 4; ++n)
        r.state.append(mouse.keyMatrix(n));
    const auto effect = mouse.rgbEffect();
    const auto fixed = mouse.fixedLedColor();
    r.state << mouse.dpiTable() << mouse.ledColors() << QByteArray::number(mouse.dpiStageCount())
            << QByteArray::number(mouse.reportRate()) << QByteArray::number(mouse.ledColorType())
            << QByteArray(reinterpret_cast<const char *>(effect.data()), 3)
            << QByteArray(reinterpret_cast<const char *>(fixed.data()), 3);
    return r;
}

QStringList numbers(const QList<int> &values)
{
    QStringList list;
    for (int v : values)
        list.append(QString::number(v));
    return list;
}

// A profile of stored values that both must accept: DPI stages within the
// sensor's range in its steps, any effect of the mouse, any colours.
void writeProfile(const QString &path, const MouseModel &model, quint32 seed)
{
    QRandomGenerator random(seed);
    QSettings profile(path, QSettings::IniFormat);
    QList<int> dpi;
    for (int i = 0; i < 8; ++i)
        dpi.append(50 * random.bounded(2, 321));
    QList<int> colours;
    for (int i = 0; i < 36; ++i)
        colours.append(random.bounded(256));
    // Block 8 lit, so that the 55328 rule shows.
    colours[21] = colours[22] = colours[23] = 0xFF;
    const int effects = int(LightEffects::rows(model).size());
    profile.setValue(QStringLiteral("mouse/reportRate"), random.bounded(4));
    profile.setValue(QStringLiteral("mouse/dpiCount"), 8);
    profile.setValue(QStringLiteral("mouse/currentDpiCount"), random.bounded(1, 9));
    profile.setValue(QStringLiteral("mouse/dpiValueArray"), numbers(dpi));
    profile.setValue(QStringLiteral("mouse/lightValue"),
                     numbers({random.bounded(effects), random.bounded(5), random.bounded(5)}));
    profile.setValue(QStringLiteral("mouse/colorValue"), numbers(colours));
    profile.setValue(QStringLiteral("mouse/fixColor"),
                     numbers({random.bounded(256), random.bounded(256), random.bounded(256)}));
}

void configure(ModulesTree &tree, const Variant &v)
{
    QSettings config(tree.path(QStringLiteral("modules/setting/apConfig.bin")), QSettings::IniFormat);
    config.setValue(QStringLiteral("mouse/isGun"), v.isGun);
    config.setValue(QStringLiteral("mouse/isColorful"), v.isColorful);
    config.setValue(QStringLiteral("mouse/is55328"), v.is55328);
    config.setValue(QStringLiteral("mouse/is571"), v.is571);
}

} // namespace

class TestSceneAgreement : public QObject
{
    Q_OBJECT

private slots:
    void sceneAndApplySendAlike_data()
    {
        QTest::addColumn<ChipFamily>("family");
        QTest::addColumn<int>("variant");
        QTest::addColumn<quint32>("seed");
        for (ChipFamily family : {ChipFamily::F553, ChipFamily::F560}) {
            for (int v = 0; v < int(std::size(kVariants)); ++v) {
                for (quint32 seed = 1; seed <= 3; ++seed)
                    QTest::addRow("%s %s, seed %u", family == ChipFamily::F553 ? "553" : "560",
                                  kVariants[v].name, seed)
                        << family << v << seed;
            }
        }
    }
    void sceneAndApplySendAlike()
    {
        QFETCH(ChipFamily, family);
        QFETCH(int, variant);
        QFETCH(quint32, seed);
        const Variant &v = kVariants[variant];
        const int profileNo = 1;

        SceneFixture scene(family, [&](ModulesTree &tree, EmulatedMouse &mouse) {
            configure(tree, v);
            for (int n = 0; n < 5; ++n)
                mouse.setProfileImage(n, sampleImage(n));
        });
        const MouseModel model = scene.view().model();
        writeProfile(scene.tree.path(QStringLiteral("modules/setting/p2.bin")), model, seed);

        // kx20ctl first: the program's Save stores what it sends, and kx20ctl
        // must read the profile as written.
        CtlSession::Setup setup;
        setup.modulesRoot = scene.tree.path(QStringLiteral("modules"));
        setup.emulate =
            family == ChipFamily::F553 ? CtlOptions::Emulate::Family553 : CtlOptions::Emulate::Family560;
        setup.skipPauses = true;
        CtlSession session(setup);
        EmulatedMouse &ctlMouse = session.emulator()->mouse();
        for (int n = 0; n < 5; ++n)
            ctlMouse.setProfileImage(n, sampleImage(n));
        QVERIFY(session.connectMouse() >= 0);
        QVERIFY(session.readImagesBack().isEmpty());
        ctlMouse.clearCommands();
        QString error;
        const CtlCommands::ConfigSnapshot config = session.config();
        const std::optional<CtlCommands::ApplyPlan> plan =
            CtlCommands::planApply(session.profileData(profileNo), config, session.gunRecords(), error);
        QVERIFY2(plan, qPrintable(error));
        QVERIFY2(CtlApply::sendProfile(session, profileNo, *plan, config, error), qPrintable(error));
        const Received byCtl = receivedBy(ctlMouse);

        QVERIFY(scene.start());
        scene.link.forgetHistory();
        QVERIFY(QMetaObject::invokeMethod(scene.root(), "changeProfile", Q_ARG(QVariant, profileNo)));
        QTRY_VERIFY(scene.view().isEnabled());
        const Received byScene = receivedBy(*scene.mouse);

        QVERIFY(byScene.commands.size() >= 4);
        QCOMPARE(byCtl.commands, byScene.commands);
        QCOMPARE(byCtl.state, byScene.state);
        QVERIFY(session.emulatorViolations().isEmpty());
    }
};

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    TestSceneAgreement test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_sceneagreement.moc"
