// Device time of a Save and of a profile change, per chip family, on the
// demo's mouse (colour lighting, gun functions, 32-byte reports): each step
// sent at once as it comes (the order before change groups) and as one group
// (each changed profile image once), against the least that the pauses the
// mouse demands allow for the commands that state needs. Device time is the
// sum of the protocol pauses on a virtual clock.
#include "emulatorbackend.h"
#include "hidthread.h"
#include "mouseoperations.h"
#include "virtualclock.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kReportLength = 32;
constexpr int kSettleMs = 128;
constexpr int kOutputReportMs = 120;
constexpr int kShortMs = 8;
const QString kSensor = QStringLiteral("3389");

struct Link
{
    VirtualClock clock;
    EmulatorBackend backend{clock};
    Hid_Thread hid;
    MouseOperations ops;
    QTemporaryDir dir;
    std::unique_ptr<QSettings> profile;
    EmulatedMouse *mouse = nullptr;

    explicit Link(ChipFamily family)
    {
        EmulatedMouse::Identity id;
        id.family = family;
        id.reportLength = kReportLength;
        mouse = &backend.addMouse(id);
        hid.setBackend(&backend);
        hid.setClock(&clock);
        hid.setDeviceTable(hid.locateInterfaces({id.toEntry()}));
        if (!hid.chkDeviceIsEnCode(0))
            qFatal("emulated mouse did not answer");
        MouseModel model;
        model.icType = family == ChipFamily::F560 ? QStringLiteral("560") : QStringLiteral("553");
        model.isGun = true;
        model.isColorful = true;
        hid.setChipFamily(model.icType);
        ops.setModel(model);
        ops.setHidThread(&hid);
        profile = std::make_unique<QSettings>(dir.filePath(QStringLiteral("p1.bin")), QSettings::IniFormat);
        for (int i = 0; i < 16; ++i)
            profile->setValue(QStringLiteral("mouseFwKeyMatrix/%1").arg(i), QVariantList{1, 0, 0xF0 + i, 0});
        if (family == ChipFamily::F560) {
            for (uint n = 0; n < 5; ++n)
                ops.mouseReadProfile(n);
        }
    }

    int pausedMs() const
    {
        int sum = 0;
        for (int pause : clock.pauses())
            sum += pause;
        return sum;
    }

    // The pauses the mouse demands for each command it received, alone.
    int leastMs() const
    {
        const bool is560 = mouse->identity().family == ChipFamily::F560;
        int sum = 0;
        for (const EmulatedMouse::Command &c : mouse->commands()) {
            const int code = uchar(c.block.at(0));
            if (code & 0x80)
                continue; // reads wait for nothing
            const bool shortPace = is560 ? (code == 0x01 || code == 0x02) : (code == 0x03 || code == 0x04);
            if (shortPace) {
                sum += kShortMs;
                continue;
            }
            // The settle before the bulk reports, and after them when there are any.
            const int trains = (int(c.bulk.size()) + kReportLength - 1) / kReportLength;
            sum += kSettleMs + (trains > 0 ? trains * kOutputReportMs + kSettleMs : 0);
        }
        return sum;
    }

    void forget()
    {
        clock.clearPauses();
        mouse->clearCommands();
    }
};

struct Values
{
    QVariantList dpi;
    int dpiCount;
    LightingChoice light;
    QVariantList keys;
    int rate;
};

Values baseline()
{
    Values v;
    v.dpi = {400, 800, 1600, 3200, 4800, 6400, 12800, 16000};
    v.dpiCount = 4;
    v.light.effect = 0;
    v.light.speed = 2;
    v.light.brightness = 4;
    for (int i = 0; i < 12; ++i)
        v.light.colours << 255 << 20 * i << 0;
    v.light.fixColour = {255, 0, 0};
    for (int b = 0; b < 16; ++b)
        v.keys << 0 << 0 << 0xF0 + b << 0;
    v.rate = 1;
    return v;
}

const QVariantList kFirePeriods{10, 20, 30};

// What the scene sends for a Save of the pages named, and for a profile
// change, in its order.
void saveKeys(Link &l, const Values &v)
{
    l.ops.mouseSetKeyMatrix(*l.profile, v.keys, true, kFirePeriods);
}
void saveDpi(Link &l, const Values &v)
{
    l.ops.mouseSetDpi(v.dpiCount, kSensor, v.dpi);
}
void saveLight(Link &l, const Values &v)
{
    l.ops.sendLighting(v.light);
}
void changeProfile(Link &l, const Values &v)
{
    saveKeys(l, v);
    l.ops.mouseSetReportRate(uchar(v.rate));
    saveDpi(l, v);
    saveLight(l, v);
}
// A gun model then makes matrix 1 current and puts the factory matrix back
// as the gun matrices.
void changeProfileResettingGunMatrices(Link &l, const Values &v)
{
    changeProfile(l, v);
    l.ops.mouseSwitchKeyMatrix(1);
    l.ops.mouseResetKeyMatrix(*l.profile);
}

struct Scenario
{
    const char *name;
    std::function<void(Values &)> change;
    std::function<void(Link &, const Values &)> send;
};

struct Timing
{
    int oneByOne;
    int grouped;
    int least;
};

Timing measure(ChipFamily family, const Scenario &s)
{
    Timing t{};
    for (bool grouped : {false, true}) {
        Link link(family);
        Values v = baseline();
        // The mouse holds what was saved before.
        changeProfile(link, v);
        link.forget();
        s.change(v);
        if (grouped)
            link.ops.beginChanges();
        s.send(link, v);
        if (grouped)
            link.ops.endChanges();
        if (grouped) {
            t.grouped = link.pausedMs();
            t.least = link.leastMs();
        } else {
            t.oneByOne = link.pausedMs();
        }
    }
    return t;
}

// What the user changed since the last Save: the second DPI stage, the
// effect, the first colour, a button, the report rate, in that order of
// reach.
void changeUpTo(Values &v, int what)
{
    v.dpi[1] = 1000;
    if (what >= 1)
        v.light.effect = 1;
    if (what >= 2)
        v.light.colours[0] = 7;
    if (what >= 3)
        v.keys[4 * 3 + 2] = 0x10;
    if (what >= 4)
        v.rate = 2;
}

void saveDpiAndLight(Link &l, const Values &v)
{
    saveDpi(l, v);
    saveLight(l, v);
}

void saveAll(Link &l, const Values &v)
{
    saveKeys(l, v);
    saveDpiAndLight(l, v);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QList<Scenario> scenarios = {
        {"Save: DPI only",
         [](Values &v) {
             changeUpTo(v, 0);
         },
         saveDpi},
        {"Save: DPI and lighting effect",
         [](Values &v) {
             changeUpTo(v, 1);
         },
         saveDpiAndLight},
        {"Save: DPI, lighting effect and colours",
         [](Values &v) {
             changeUpTo(v, 2);
         },
         saveDpiAndLight},
        {"Save: everything",
         [](Values &v) {
             changeUpTo(v, 3);
         },
         saveAll},
        {"Profile change",
         [](Values &v) {
             changeUpTo(v, 4);
         },
         changeProfile},
        {"Profile change, gun matrices reset",
         [](Values &v) {
             changeUpTo(v, 4);
         },
         changeProfileResettingGunMatrices},
    };
    for (ChipFamily family : {ChipFamily::F553, ChipFamily::F560}) {
        const char *name = family == ChipFamily::F553 ? "553" : "560";
        for (const Scenario &s : scenarios) {
            const Timing t = measure(family, s);
            std::printf("%s %-40s one by one %5d ms, grouped %5d ms, least %5d ms: grouped/least %.2f, "
                        "grouped/one by one %.2f\n",
                        name, s.name, t.oneByOne, t.grouped, t.least, double(t.grouped) / t.least,
                        double(t.grouped) / t.oneByOne);
        }
    }
    std::fflush(stdout);
    return 0;
}
