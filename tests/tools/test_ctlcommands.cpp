// kx20ctl's plain parts: option and argument parsing, the checks against the
// configured mouse and the stored profile, the tracing backend and the clock.
#include "ctlcommands.h"
#include "ctloptions.h"
#include "emulatorbackend.h"
#include "pauseclock.h"
#include "tracingbackend.h"
#include "virtualclock.h"

#include <QElapsedTimer>
#include <QTest>

using namespace CtlCommands;

namespace {

CtlOptions optionsOf(const QStringList &words)
{
    const OptionsResult parsed = parseOptions(words);
    if (!parsed.error.isEmpty())
        qWarning("unexpected option error: %s", qPrintable(parsed.error));
    return parsed.options;
}

RequestResult requestOf(const QStringList &words)
{
    return parseRequest(optionsOf(words));
}

ConfigSnapshot config3389()
{
    ConfigSnapshot c;
    c.model.icType = QStringLiteral("560");
    c.model.isColorful = true;
    c.model.isGun = true;
    c.sensorType = QStringLiteral("3389");
    c.minDpi = 100;
    c.maxDpi = 16000;
    c.dpiBase = 50;
    c.profileNo = QStringLiteral("0");
    c.selectGun = QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")};
    return c;
}

QVariantList texts(const QList<int> &values)
{
    QVariantList out;
    for (int v : values)
        out.append(QString::number(v));
    return out;
}

// A profile as installed: every value well formed.
ProfileData goodProfile()
{
    ProfileData p;
    p.name = QStringLiteral("p1.bin");
    for (int i = 0; i < kButtons; ++i)
        p.keyMatrix[static_cast<std::size_t>(i)] = texts({0, 0, 240, 0});
    p.reportRate = QStringLiteral("3");
    p.dpiCount = QStringLiteral("8");
    p.currentDpiCount = QStringLiteral("4");
    p.dpiValueArray = texts({400, 800, 1600, 3200, 4800, 6400, 12800, 16000});
    p.lightValue = texts({0, 2, 4});
    QList<int> colours;
    for (int i = 0; i < 36; ++i)
        colours.append(i * 7 % 256);
    p.colorValue = texts(colours);
    p.fixColor = texts({255, 0, 0});
    return p;
}

GunRecords sixGuns()
{
    GunRecords guns;
    for (int i = 0; i < 6; ++i)
        guns.append(QVariantList{QStringLiteral("G%1").arg(i), QStringLiteral("L-Click"),
                                 QString::number(10 + i), QStringLiteral("0"), QStringLiteral("5"),
                                 QStringLiteral("0")});
    return guns;
}

} // namespace

class TestCtlCommands : public QObject
{
    Q_OBJECT

private slots:
    // --- options ---------------------------------------------------------------
    void globalOptionsStandAnywhere()
    {
        const CtlOptions o =
            optionsOf({QStringLiteral("info"), QStringLiteral("--json"), QStringLiteral("--emulate=553"),
                       QStringLiteral("--modules"), QStringLiteral("/tmp/m"), QStringLiteral("--trace")});
        QCOMPARE(o.command, QStringLiteral("info"));
        QVERIFY(o.arguments.isEmpty());
        QVERIFY(o.json);
        QVERIFY(o.trace);
        QCOMPARE(o.emulate, CtlOptions::Emulate::Family553);
        QCOMPARE(o.modulesDir, QStringLiteral("/tmp/m"));
    }

    void emulateWithoutFamilyUsesTheConfiguredOne()
    {
        QCOMPARE(optionsOf({QStringLiteral("--emulate"), QStringLiteral("list")}).emulate,
                 CtlOptions::Emulate::Configured);
        QCOMPARE(optionsOf({QStringLiteral("--emulate=560"), QStringLiteral("list")}).emulate,
                 CtlOptions::Emulate::Family560);
        QCOMPARE(optionsOf({QStringLiteral("list")}).emulate, CtlOptions::Emulate::Off);
    }

    void badOptionsAreUsageErrors_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::newRow("family") << QStringList{QStringLiteral("--emulate=554"), QStringLiteral("info")};
        QTest::newRow("modules without folder")
            << QStringList{QStringLiteral("info"), QStringLiteral("--modules")};
        QTest::newRow("empty modules") << QStringList{QStringLiteral("--modules="), QStringLiteral("info")};
        QTest::newRow("unknown before command")
            << QStringList{QStringLiteral("--frobnicate"), QStringLiteral("info")};
        QTest::newRow("no pauses on a real mouse")
            << QStringList{QStringLiteral("--dev-no-pauses"), QStringLiteral("info")};
    }

    void badOptionsAreUsageErrors()
    {
        QFETCH(QStringList, words);
        QVERIFY(!parseOptions(words).error.isEmpty());
    }

    void negativeNumbersAreArgumentsNotOptions()
    {
        const CtlOptions o = optionsOf({QStringLiteral("gun"), QStringLiteral("1"), QStringLiteral("5"),
                                        QStringLiteral("-12"), QStringLiteral("30")});
        QCOMPARE(o.arguments, (QStringList{QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("-12"),
                                           QStringLiteral("30")}));
        const RequestResult r = parseRequest(o);
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QCOMPARE(r.request.gunX, -12);
    }

    void doubleDashEndsOptions()
    {
        const CtlOptions o =
            optionsOf({QStringLiteral("raw"), QStringLiteral("--"), QStringLiteral("--trace")});
        QVERIFY(!o.trace);
        QCOMPARE(o.arguments, QStringList{QStringLiteral("--trace")});
    }

    void helpAfterACommand()
    {
        const CtlOptions o = optionsOf({QStringLiteral("rate"), QStringLiteral("--help")});
        QVERIFY(o.help);
        QCOMPARE(o.command, QStringLiteral("rate"));
        QVERIFY(commandHelp(*find(QStringLiteral("rate"))).contains(QStringLiteral("rate 125|250|500|1000")));
        // Every command is in the tool's help.
        for (const CommandInfo &c : commands())
            QVERIFY2(toolHelp().contains(QLatin1String(c.synopsis)), c.name);
    }

    // --- arguments -----------------------------------------------------------------
    void rateTakesTheFourRates()
    {
        const RequestResult r = requestOf({QStringLiteral("rate"), QStringLiteral("500")});
        QVERIFY(r.error.isEmpty());
        QCOMPARE(r.request.rateHz, 500);
        QVERIFY(requestOf({QStringLiteral("rate"), QStringLiteral("1000Hz")}).error.isEmpty());
        QVERIFY(!requestOf({QStringLiteral("rate"), QStringLiteral("300")}).error.isEmpty());
        QVERIFY(!requestOf({QStringLiteral("rate"), QStringLiteral("2")}).error.isEmpty());
        QVERIFY(!requestOf({QStringLiteral("rate")}).error.isEmpty());
        QVERIFY(!requestOf({QStringLiteral("rate"), QStringLiteral("500"), QStringLiteral("1000")})
                     .error.isEmpty());
    }

    void argumentErrors_data()
    {
        QTest::addColumn<QStringList>("words");
        auto w = [](const char *line) {
            return QString::fromLatin1(line).split(QLatin1Char(' '));
        };
        QTest::newRow("stage 0") << w("stage 0");
        QTest::newRow("stage 9") << w("stage 9");
        QTest::newRow("stage word") << w("stage two");
        QTest::newRow("dpi none") << QStringList{QStringLiteral("dpi")};
        QTest::newRow("dpi long") << w("dpi 4 1 2 3 4 5 6 7 8 9");
        QTest::newRow("dpi count 0") << w("dpi 0 400 800 1600 3200 4800 6400 12800 16000");
        QTest::newRow("dpi negative") << w("dpi 2 -400 800 1600 3200 4800 6400 12800 16000");
        QTest::newRow("light speed") << w("light 1 5 0");
        QTest::newRow("light brightness") << w("light 1 0 -1");
        QTest::newRow("light count") << w("light 1 0");
        QTest::newRow("light named speed") << w("light wave 5 0");
        QTest::newRow("light empty name")
            << QStringList{QStringLiteral("light"), QString(), QStringLiteral("2"), QStringLiteral("4")};
        QTest::newRow("light blank name") << QStringList{QStringLiteral("light"), QStringLiteral("  "),
                                                         QStringLiteral("2"), QStringLiteral("4")};
        QTest::newRow("colors none") << w("colors");
        QTest::newRow("colors component") << w("colors 1,2,256");
        QTest::newRow("colors pair") << w("colors 1,2");
        QTest::newRow("colors hash") << w("colors #12345");
        QTest::newRow("colors thirteen")
            << w("colors 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1 "
                 "1,1,1 1,1,1");
        QTest::newRow("gun slot") << w("gun 0 1 0 5");
        QTest::newRow("gun repeat") << w("gun 1 256 0 5");
        QTest::newRow("gun x") << w("gun 1 1 128 5");
        QTest::newRow("gun y") << w("gun 1 1 0 65");
        QTest::newRow("buttons profile") << w("buttons 10");
        QTest::newRow("apply two") << w("apply 1 2");
        QTest::newRow("read-profile 5") << w("read-profile 5");
        QTest::newRow("info args") << w("info now");
        QTest::newRow("list option") << w("list --fast");
        QTest::newRow("raw no code") << w("raw");
        QTest::newRow("raw three digits") << w("raw 100");
        QTest::newRow("raw seven params") << w("raw 1 1 2 3 4 5 6 7");
        QTest::newRow("raw odd bulk") << w("raw 0c --bulk 123");
        QTest::newRow("raw bulk too long")
            << QStringList{QStringLiteral("raw"), QStringLiteral("0c"), QStringLiteral("--bulk"),
                           QString(258, QLatin1Char('a'))};
        QTest::newRow("raw both") << w("raw 0c --bulk 00 --recv 1");
        QTest::newRow("raw recv") << w("raw 8c --recv 129");
        QTest::newRow("raw unknown option") << w("raw 8c --send 1");
        QTest::newRow("json elsewhere") << w("rate 500 --json");
        QTest::newRow("unknown command") << w("reboot");
        QTest::newRow("help unknown") << w("help reboot");
    }

    void argumentErrors()
    {
        QFETCH(QStringList, words);
        const RequestResult r = requestOf(words);
        QVERIFY2(!r.error.isEmpty(), qPrintable(words.join(QLatin1Char(' '))));
        QVERIFY(!r.error.contains(QLatin1Char('\n')));
    }

    // profile's words: what each line asks, or that it is refused.
    void profileForms_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("action"); // -1: refused
        QTest::addColumn<int>("profile");
        QTest::addColumn<QString>("name");
        const int list = int(ProfileAction::List);
        const int switchTo = int(ProfileAction::Switch);
        const int link = int(ProfileAction::Link);
        const int unlink = int(ProfileAction::Unlink);
        auto w = [](const char *line) {
            return QString::fromUtf8(line).split(QLatin1Char(' '));
        };
        QTest::newRow("list") << w("profile") << list << -1 << QString();
        QTest::newRow("list as JSON") << w("profile --json") << list << -1 << QString();
        QTest::newRow("switch") << w("profile 9") << switchTo << 9 << QString();
        QTest::newRow("link") << w("profile 2 --link Firefox") << link << 2 << "Firefox";
        QTest::newRow("link first") << w("profile --link=Firefox 2") << link << 2 << "Firefox";
        QTest::newRow("unlink") << w("profile 0 --unlink steam") << unlink << 0 << "steam";
        QTest::newRow("name like an option") << w("profile 1 --link -x") << link << 1 << "-x";
        QTest::newRow("profile 10") << w("profile 10") << -1 << -1 << QString();
        QTest::newRow("negative") << w("profile -1") << -1 << -1 << QString();
        QTest::newRow("two profiles") << w("profile 1 2") << -1 << -1 << QString();
        QTest::newRow("link without profile") << w("profile --link x") << -1 << -1 << QString();
        QTest::newRow("link without name") << w("profile 1 --link") << -1 << -1 << QString();
        QTest::newRow("empty name") << w("profile 1 --link=") << -1 << -1 << QString();
        QTest::newRow("slash in name") << w("profile 1 --link a/b") << -1 << -1 << QString();
        QTest::newRow("link and unlink") << w("profile 1 --link a --unlink b") << -1 << -1 << QString();
        QTest::newRow("JSON with a switch") << w("profile 1 --json") << -1 << -1 << QString();
        QTest::newRow("unknown option") << w("profile 1 --now") << -1 << -1 << QString();
    }

    void profileForms()
    {
        QFETCH(QStringList, words);
        QFETCH(int, action);
        QFETCH(int, profile);
        QFETCH(QString, name);
        const RequestResult r = requestOf(words);
        if (action < 0) {
            QVERIFY2(!r.error.isEmpty(), qPrintable(words.join(QLatin1Char(' '))));
            QVERIFY(r.error.startsWith(QStringLiteral("profile")));
            return;
        }
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QCOMPARE(int(r.request.profileAction), action);
        QCOMPARE(r.request.profile.value_or(-1), profile);
        QCOMPARE(r.request.applicationName, name);
    }

    // Nine words are a count and eight values; fewer are the values of the
    // stages in use, the count being how many there are.
    void dpiForms_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("count and eight") << "dpi 3 400 800 1600 3200 4800 6400 12800 16000" << 3
                                         << QList<int>{400, 800, 1600, 3200, 4800, 6400, 12800, 16000};
        QTest::newRow("one") << "dpi 800" << 1 << QList<int>{800};
        QTest::newRow("three") << "dpi 4 400 800" << 3 << QList<int>{4, 400, 800};
        QTest::newRow("eight") << "dpi 100 200 300 400 500 600 700 800" << 8
                               << QList<int>{100, 200, 300, 400, 500, 600, 700, 800};
    }
    void dpiForms()
    {
        QFETCH(QString, line);
        QFETCH(int, count);
        QFETCH(QList<int>, values);
        const RequestResult d = requestOf(line.split(QLatin1Char(' ')));
        QVERIFY2(d.error.isEmpty(), qPrintable(d.error));
        QCOMPARE(d.request.dpiCount, count);
        QCOMPARE(d.request.dpiValues, values);
    }

    // The stages not given keep the stored ones; a stored list that is not
    // eight numbers is not guessed at.
    void dpiOtherStagesFromTheProfile()
    {
        CommandRequest r =
            requestOf({QStringLiteral("dpi"), QStringLiteral("900"), QStringLiteral("1800")}).request;
        QVERIFY(
            completeDpi(r, texts({400, 800, 1600, 3200, 4800, 6400, 12800, 16000}), QStringLiteral("p1.bin"))
                .isEmpty());
        QCOMPARE(r.dpiCount, 2);
        QCOMPARE(r.dpiValues, (QList<int>{900, 1800, 1600, 3200, 4800, 6400, 12800, 16000}));
        QVERIFY(checkAgainstModel(r, config3389()).isEmpty());

        CommandRequest short_ = requestOf({QStringLiteral("dpi"), QStringLiteral("900")}).request;
        const QString error = completeDpi(short_, texts({400, 800}), QStringLiteral("p1.bin"));
        QVERIFY(error.contains(QLatin1String("p1.bin")) && error.contains(QLatin1String("dpiValueArray")));
        QVERIFY(!completeDpi(short_, {QStringLiteral("x"), 2, 3, 4, 5, 6, 7, 8}, QStringLiteral("p1.bin"))
                     .isEmpty());
    }

    // An effect by name, in the configured language, whatever its case.
    void lightByName()
    {
        ConfigSnapshot c = config3389();
        c.effectNames = effectNames(c.model, {});
        QCOMPARE(c.effectNames.size(), 11);
        QCOMPARE(c.effectNames.at(5), QStringLiteral("Wave"));
        const RequestResult named =
            requestOf(QStringLiteral("light finger-moving 2 4").split(QLatin1Char(' ')));
        QVERIFY2(named.error.isEmpty(), qPrintable(named.error));
        CommandRequest r = named.request;
        QVERIFY(resolveEffect(r, c).isEmpty());
        QCOMPARE(r.effect, 7);
        QCOMPARE(r.speed, 2);
        QCOMPARE(r.brightness, 4);
        r.effectName = QStringLiteral("Marquee");
        QVERIFY(resolveEffect(r, c).contains(QLatin1String("kx20ctl light")));

        // A language's texts replace the built-in ones where it has them.
        QStringList french(45);
        french[1] = QStringLiteral("Fixe");
        c.effectNames = effectNames(c.model, french);
        QCOMPARE(c.effectNames.first(), QStringLiteral("Fixe"));
        QCOMPARE(c.effectNames.at(1), QStringLiteral("Breath"));
        // The English name holds in any language, the language's own too.
        for (const char *name : {"Static", "fixe"}) {
            r.effectName = QLatin1String(name);
            r.effect = -1;
            QVERIFY2(resolveEffect(r, c).isEmpty(), name);
            QCOMPARE(r.effect, 0);
        }

        QVERIFY(requestOf({QStringLiteral("light")}).request.listEffects);
        const QStringList lines = effectListing(c);
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.first(), QStringLiteral(" 0  Fixe  (brightness)"));
        QCOMPARE(lines.at(3), QStringLiteral(" 3  OFF"));
        QCOMPARE(lines.at(5), QStringLiteral(" 5  Wave  (speed, brightness)"));
    }

    void coloursParse()
    {
        const RequestResult c =
            requestOf({QStringLiteral("colors"), QStringLiteral("255, 0,16"), QStringLiteral("#0A0B0c")});
        QVERIFY2(c.error.isEmpty(), qPrintable(c.error));
        QCOMPARE(colourList(c.request.colours), (QVariantList{255, 0, 16, 10, 11, 12}));
    }

    void rawTakesHexBytes()
    {
        const RequestResult r =
            requestOf({QStringLiteral("raw"), QStringLiteral("0x0C"), QStringLiteral("1"),
                       QStringLiteral("80"), QStringLiteral("--bulk"), QStringLiteral("01:02 ff")});
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QCOMPARE(r.request.raw.code, uchar(0x0C));
        QCOMPARE(r.request.raw.params[0], uchar(0x01));
        QCOMPARE(r.request.raw.params[1], uchar(0x80));
        QCOMPARE(r.request.raw.params[2], uchar(0));
        QCOMPARE(r.request.raw.bulk, QByteArray::fromHex("0102ff"));
        QVERIFY(!r.request.raw.receive);

        const RequestResult recv =
            requestOf({QStringLiteral("raw"), QStringLiteral("8c"), QStringLiteral("--recv=128")});
        QVERIFY(recv.error.isEmpty());
        QCOMPARE(recv.request.raw.receive.value_or(-1), 128);
    }

    // --- against the configured mouse ---------------------------------------------------
    void dpiAgainstSensorAndLimits_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<bool>("accepted");
        const QList<int> fine{400, 800, 1600, 3200, 4800, 6400, 12800, 16000};
        QTest::newRow("fine") << QStringLiteral("3389") << fine << true;
        QTest::newRow("below min") << QStringLiteral("3389")
                                   << QList<int>{50, 800, 1600, 3200, 4800, 6400, 12800, 16000} << false;
        QTest::newRow("above max") << QStringLiteral("3389")
                                   << QList<int>{400, 800, 1600, 3200, 4800, 6400, 12800, 16050} << false;
        QTest::newRow("off the step")
            << QStringLiteral("3389") << QList<int>{400, 825, 1600, 3200, 4800, 6400, 12800, 16000} << false;
        QTest::newRow("unknown sensor") << QStringLiteral("9999") << fine << false;
        QTest::newRow("no sensor") << QString() << fine << false;
        // 3050 takes its registers from a table that ends at 4000.
        QTest::newRow("3050 in table")
            << QStringLiteral("3050") << QList<int>{400, 800, 1600, 3200, 4000, 1000, 2000, 3000} << true;
        QTest::newRow("3050 past table")
            << QStringLiteral("3050") << QList<int>{400, 800, 1600, 3200, 4050, 1000, 2000, 3000} << false;
        QTest::newRow("3320 past table")
            << QStringLiteral("3320") << QList<int>{400, 800, 1600, 3200, 7050, 1000, 2000, 3000} << false;
    }

    void dpiAgainstSensorAndLimits()
    {
        QFETCH(QString, sensor);
        QFETCH(QList<int>, values);
        QFETCH(bool, accepted);
        ConfigSnapshot c = config3389();
        c.sensorType = sensor;
        const QString error = checkDpi(4, values, c);
        QVERIFY2(error.isEmpty() == accepted, qPrintable(error));
    }

    void dpiLimitsOnlyWherePresent()
    {
        ConfigSnapshot c = config3389();
        c.minDpi.reset();
        c.maxDpi.reset();
        c.dpiBase.reset();
        QVERIFY(checkDpi(2, {50, 825, 1600, 3200, 4800, 6400, 12800, 20000}, c).isEmpty());
        // Below what sensor 3389 encodes (its register would be 0).
        QVERIFY(!checkDpi(2, {30, 825, 1600, 3200, 4800, 6400, 12800, 20000}, c).isEmpty());
        QVERIFY(!checkDpi(2, {0, 825, 1600, 3200, 4800, 6400, 12800, 20000}, c).isEmpty());
        QVERIFY(!checkDpi(2, {400, 800}, c).isEmpty());
    }

    void effectsFollowTheVariantFlags()
    {
        MouseModel m;
        QCOMPARE(effectCount(m), 4);
        m.is55328 = true;
        QCOMPARE(effectCount(m), 5);
        m = MouseModel();
        m.isColorful = true;
        QCOMPARE(effectCount(m), 11);
        m.is571 = true;
        QCOMPARE(effectCount(m), 27);

        ConfigSnapshot c = config3389();
        CommandRequest light;
        light.id = CommandId::Light;
        light.effect = 10;
        QVERIFY(checkAgainstModel(light, c).isEmpty());
        light.effect = 11;
        QVERIFY(!checkAgainstModel(light, c).isEmpty());
    }

    void familyAndFlagBoundCommands()
    {
        ConfigSnapshot c = config3389();
        CommandRequest r;
        r.id = CommandId::ReadProfile;
        QVERIFY(checkAgainstModel(r, c).isEmpty());
        r.id = CommandId::Colors;
        r.colours = QList<Rgb>(9);
        QVERIFY2(!checkAgainstModel(r, c).isEmpty(), "a 560 image holds eight colours");
        r.id = CommandId::Gun;
        QVERIFY(checkAgainstModel(r, c).isEmpty());

        c.model.icType = QStringLiteral("553");
        c.model.isGun = false;
        r.id = CommandId::ReadProfile;
        QVERIFY(!checkAgainstModel(r, c).isEmpty());
        r.id = CommandId::Colors;
        r.colours = QList<Rgb>(12);
        QVERIFY(checkAgainstModel(r, c).isEmpty());
        r.id = CommandId::Gun;
        QVERIFY(!checkAgainstModel(r, c).isEmpty());
    }

    void profileChoice()
    {
        QCOMPARE(chooseProfile(4, QStringLiteral("2")).profile, 4);
        QCOMPARE(chooseProfile(std::nullopt, QStringLiteral("2")).profile, 2);
        QCOMPARE(chooseProfile(std::nullopt, QVariant()).profile, 0);
        QVERIFY(!chooseProfile(std::nullopt, QStringLiteral("12")).error.isEmpty());
        QVERIFY(!chooseProfile(std::nullopt, QStringLiteral("first")).error.isEmpty());
        QVERIFY(chooseProfile(5, QStringLiteral("first")).error.isEmpty());
    }

    // --- stored profiles -----------------------------------------------------------------
    void buttonsWithoutGunButtonNeedNoGunLibrary()
    {
        QString error;
        const std::optional<ButtonsPlan> plan = planButtons(goodProfile(), config3389(), {}, error);
        QVERIFY2(plan, qPrintable(error));
        QCOMPARE(plan->src64.size(), 64);
        QCOMPARE(plan->src64.at(2), QVariant(240));
        QVERIFY(!plan->hasGunButton);
    }

    void gunButtonTakesThePeriodsOfTheChosenRecords()
    {
        ProfileData p = goodProfile();
        p.keyMatrix[8] = texts({8, 0, 2, 0});
        ConfigSnapshot c = config3389();
        c.selectGun = QStringList{QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("3")};
        QString error;
        const std::optional<ButtonsPlan> plan = planButtons(p, c, sixGuns(), error);
        QVERIFY2(plan, qPrintable(error));
        QVERIFY(plan->hasGunButton);
        QCOMPARE(plan->firePeriods, (QVariantList{15, 10, 13}));

        // Without a stored choice, the records the gun page resets to.
        c.selectGun = QVariant();
        QCOMPARE(planButtons(p, c, sixGuns(), error)->firePeriods, (QVariantList{10, 11, 12}));

        // A gun button whose record has no period is not sent.
        GunRecords guns = sixGuns();
        guns[0] = {};
        QVERIFY(!planButtons(p, c, guns, error));
        QVERIFY(error.contains(QStringLiteral("gun record 0")));
        c.selectGun = QStringList{QStringLiteral("0"), QStringLiteral("9"), QStringLiteral("1")};
        QVERIFY(!planButtons(p, c, sixGuns(), error));
    }

    void malformedButtonEntriesAreFileErrors()
    {
        for (const QVariantList &bad : {QVariantList(), texts({0, 0, 240}), texts({0, 0, 256, 0}),
                                        QVariantList{QStringLiteral("x"), 0, 0, 0}}) {
            ProfileData p = goodProfile();
            p.keyMatrix[5] = bad;
            QString error;
            QVERIFY(!planButtons(p, config3389(), {}, error));
            QVERIFY2(error.contains(QStringLiteral("p1.bin: mouseKeyMatrix/5")), qPrintable(error));
        }
    }

    void applyPlanHoldsEveryStoredSetting()
    {
        QString error;
        const std::optional<ApplyPlan> plan = planApply(goodProfile(), config3389(), {}, error);
        QVERIFY2(plan, qPrintable(error));
        QCOMPARE(plan->rateIndex, 3);
        QCOMPARE(plan->dpiCount, 4);
        QCOMPARE(plan->dpiValues, (QList<int>{400, 800, 1600, 3200, 4800, 6400, 12800, 16000}));
        QCOMPARE(plan->light.effect, 0);
        QCOMPARE(plan->light.speed, 2);
        QCOMPARE(plan->light.brightness, 4);
        QCOMPARE(plan->light.colours.size(), 36);
        QVERIFY(plan->light.fixColour.isEmpty());

        // A 553 571 mouse takes the single colour as well.
        ConfigSnapshot c = config3389();
        c.model.icType = QStringLiteral("553");
        c.model.is571 = true;
        c.model.isColorful = false;
        const std::optional<ApplyPlan> plan571 = planApply(goodProfile(), c, {}, error);
        QVERIFY2(plan571, qPrintable(error));
        QCOMPARE(plan571->light.fixColour, (QVariantList{255, 0, 0}));
    }

    void applyRefusesAnyBadStoredValue_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("rate 7") << QStringLiteral("reportRate") << QVariant(QStringLiteral("7"));
        QTest::newRow("rate missing") << QStringLiteral("reportRate") << QVariant();
        QTest::newRow("dpiCount 9") << QStringLiteral("dpiCount") << QVariant(QStringLiteral("9"));
        QTest::newRow("stages above offered")
            << QStringLiteral("currentDpiCount") << QVariant(QStringLiteral("9"));
        QTest::newRow("stages 0") << QStringLiteral("currentDpiCount") << QVariant(QStringLiteral("0"));
        QTest::newRow("seven values")
            << QStringLiteral("dpiValueArray") << QVariant(texts({400, 800, 1600, 3200, 4800, 6400, 12800}));
        QTest::newRow("value above max") << QStringLiteral("dpiValueArray")
                                         << QVariant(texts({400, 800, 1600, 3200, 4800, 6400, 12800, 17000}));
        QTest::newRow("effect 11") << QStringLiteral("lightValue") << QVariant(texts({11, 0, 4}));
        QTest::newRow("speed 5") << QStringLiteral("lightValue") << QVariant(texts({1, 5, 4}));
        QTest::newRow("two light values") << QStringLiteral("lightValue") << QVariant(texts({1, 2}));
        QTest::newRow("colour 300") << QStringLiteral("colorValue") << QVariant(texts({300, 0, 0}));
        QTest::newRow("colour pair") << QStringLiteral("colorValue") << QVariant(texts({1, 2, 3, 4}));
        QTest::newRow("no colours") << QStringLiteral("colorValue") << QVariant(QVariantList());
    }

    void applyRefusesAnyBadStoredValue()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        ProfileData p = goodProfile();
        if (key == QLatin1String("reportRate"))
            p.reportRate = value;
        else if (key == QLatin1String("dpiCount"))
            p.dpiCount = value;
        else if (key == QLatin1String("currentDpiCount"))
            p.currentDpiCount = value;
        else if (key == QLatin1String("dpiValueArray"))
            p.dpiValueArray = value.toList();
        else if (key == QLatin1String("lightValue"))
            p.lightValue = value.toList();
        else if (key == QLatin1String("colorValue"))
            p.colorValue = value.toList();
        QString error;
        QVERIFY(!planApply(p, config3389(), {}, error));
        QVERIFY2(error.startsWith(QStringLiteral("p1.bin: mouse/") + key), qPrintable(error));
    }

    void hexFormatting()
    {
        const uchar bytes[] = {0x00, 0x01, 0xfc, 0xAB};
        QCOMPARE(hexBytes(bytes, 4), QStringLiteral("00 01 FC AB"));
        QCOMPARE(hexBytes(QByteArray()), QString());
        std::array<uchar, 20> many{};
        many[16] = 0x7f;
        const QStringList lines = hexLines(many.data(), int(many.size()));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(1), QStringLiteral("7F 00 00 00"));
    }

    // --- tracing backend and clock ---------------------------------------------------------
    void tracerDescribesAndCountsCalls()
    {
        VirtualClock clock;
        EmulatorBackend emulator(clock);
        emulator.addMouse(EmulatedMouse::Identity());
        TracingBackend tracer(emulator, clock);
        QStringList lines;
        tracer.setSink([&lines](const QString &line) {
            lines.append(line);
        });

        QCOMPARE(tracer.enumerate(0x04d9, 0xa1ee).size(), 2);
        QVERIFY(lines.last().contains(QStringLiteral("enumerate 04d9:a1ee -> 2 interface(s)")));
        clock.sleep(250);
        HidHandle h = tracer.openPath("emu:0:command");
        QVERIFY(h);
        QVERIFY(lines.last().contains(QStringLiteral("-- open      emu:0:command")));
        QVERIFY(lines.last().trimmed().startsWith(QStringLiteral("250 ms")));

        const unsigned char request[9] = {0x00, 0x01, 0x02, 0, 0, 0, 0, 0, 0xFC};
        QCOMPARE(tracer.sendFeatureReport(h, request, sizeof request), 9);
        QVERIFY(lines.last().contains(
            QStringLiteral("-> feature   emu:0:command  [9] 00 01 02 00 00 00 00 00 FC")));
        QCOMPARE(tracer.failedCalls(), 0);

        emulator.failCall(HidCall::Write);
        unsigned char report[33] = {};
        QVERIFY(tracer.write(h, report, sizeof report) < 0);
        QVERIFY(lines.last().contains(QStringLiteral("FAILED")));
        QCOMPARE(tracer.failedCalls(), 1);

        QVERIFY(!tracer.openPath("emu:9:command"));
        QCOMPARE(tracer.failedCalls(), 2);
        tracer.close(h);
        QVERIFY(lines.last().contains(QStringLiteral("close     emu:0:command")));
        QCOMPARE(emulator.openHandleCount(), 0);

        // Without a sink the calls are still counted, and nothing is said.
        const int said = int(lines.size());
        tracer.setSink({});
        QVERIFY(!tracer.openPath("emu:9:event"));
        QCOMPARE(tracer.failedCalls(), 3);
        QCOMPARE(lines.size(), said);
    }

    void skippedPausesStillMoveTheClock()
    {
        PauseClock clock(true);
        QElapsedTimer real;
        real.start();
        clock.sleep(120);
        clock.sleep(128);
        clock.sleep(0);
        QVERIFY(real.elapsed() < 120);
        QVERIFY(clock.elapsed() >= 248);
        QCOMPARE(clock.pauseTotal(), qint64(248));
        QCOMPARE(clock.pauseCount(), 2);

        PauseClock slept(false);
        real.restart();
        slept.sleep(5);
        QVERIFY(real.elapsed() >= 5);
        QCOMPARE(slept.pauseTotal(), qint64(5));
    }
};

QTEST_MAIN(TestCtlCommands)
#include "test_ctlcommands.moc"
