// Real-time pacing of the report transport against the emulated mouse: how
// close a 128-byte write with settle comes to the pauses the mouse demands,
// and what a 128-byte read costs when the mouse answers at once.
#include "emulatorbackend.h"
#include "hidthread.h"
#include "systemclock.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Link
{
    SystemClock clock;
    EmulatorBackend backend{clock};
    Hid_Thread hid;

    explicit Link(int reportLength)
    {
        EmulatedMouse::Identity id;
        id.family = ChipFamily::F560;
        id.reportLength = reportLength;
        backend.addMouse(id);
        hid.setBackend(&backend);
        hid.setClock(&clock);
        hid.setDeviceTable(hid.locateInterfaces({id.toEntry()}));
        if (!hid.chkDeviceIsEnCode(0))
            qFatal("emulated mouse did not answer");
    }
};

double writeImageMs(Link &link)
{
    link.hid.waitLinkFree();
    link.hid.prepareRequest(0x0C, {0x00, 0x80, 0, 0, 0, 0});
    QElapsedTimer timer;
    timer.start();
    link.hid.hidSend(128, true);
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double readImageMs(Link &link, int repetitions)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repetitions; ++i) {
        link.hid.waitLinkFree();
        link.hid.prepareRequest(0x8C, {0x00, 0, 0, 0, 0, 0});
        link.hid.hidSendRecv(128);
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6 / repetitions;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kRuns = 5;
    for (const auto &[reportLength, mandatedMs] : {std::pair{32, 736.0}, std::pair{64, 496.0}}) {
        Link link(reportLength);
        std::vector<double> runs;
        for (int run = 0; run < kRuns; ++run)
            runs.push_back(writeImageMs(link));
        std::sort(runs.begin(), runs.end());
        const double median = runs[runs.size() / 2];
        std::printf("hidSend(128, settle), %d-byte reports: median %.1f ms / %.0f ms mandated = %.4f (goal "
                    "<= 1.02)\n",
                    reportLength, median, mandatedMs, median / mandatedMs);
    }
    Link link(64);
    const double readMs = readImageMs(link, 200);
    std::printf("hidSendRecv(128), 64-byte reports: %.3f ms (goal < 5 ms)\n", readMs);
    std::fflush(stdout);
    return 0;
}
