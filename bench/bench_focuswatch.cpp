// What the focus watch costs on X11, on a private Xvfb whose window manager's
// part the benchmark plays: the CPU the process uses while nothing changes,
// with and without the watcher (goal: no more with it, 0 % of one core), and
// the time from the window manager setting _NET_ACTIVE_WINDOW to the
// watcher's signal.
//
//     build/bench/bench_focuswatch [idle seconds]
#include "activewindowwatcher.h"
#include "fakewindowmanager.h"
#include "xvfbserver.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int kRounds = 101;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Lets the event loop run with nothing to do for `seconds` of wall time;
// returns the CPU share of one core used meanwhile, in percent.
double idleCpuPercent(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    const double before = cpuSeconds();
    wall.start();
    loop.exec();
    const double used = cpuSeconds() - before;
    return 100.0 * used / (double(wall.nsecsElapsed()) / 1e9);
}

} // namespace

int main(int argc, char **argv)
{
    const double idleSeconds = argc > 1 ? std::max(0.5, std::atof(argv[1])) : 3.0;
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        std::fprintf(stderr, "Xvfb not found\n");
        return 2;
    }
    XvfbServer server(xvfb);
    if (server.display().isEmpty()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 2;
    }
    qputenv("DISPLAY", server.display());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);

    FakeWindowManager wm;
    const quint32 windows[2] = {wm.createWindow(QByteArrayLiteral("one\0One\0"), quint32(getpid())),
                                wm.createWindow(QByteArrayLiteral("two\0Two\0"), quint32(getpid()))};
    // Windows of other applications, for the list the user picks from.
    QList<quint32> clients{windows[0], windows[1]};
    for (int i = 0; i < 48; ++i)
        clients << wm.createWindow(QByteArray("app") + QByteArray::number(i) + '\0' + "App"
                                   + QByteArray::number(i) + '\0');
    wm.setActiveWindow(windows[0]);
    wm.setClientList(clients);
    wm.sync();

    const double without = idleCpuPercent(idleSeconds);
    ActiveWindowWatcher watcher;
    if (!watcher.isActive()) {
        std::fprintf(stderr, "the focus watch did not start\n");
        return 1;
    }
    const double with = idleCpuPercent(idleSeconds);
    std::printf("idle CPU over %.1f s: %.3f %% of one core with the focus watch, %.3f %% without "
                "(goal 0 %%, difference %.3f %%)\n",
                idleSeconds, with, without, with - without);

    QSignalSpy spy(&watcher, &ActiveWindowWatcher::activeApplicationChanged);
    std::vector<double> latencies;
    QElapsedTimer clock;
    for (int round = 0; round < kRounds; ++round) {
        spy.clear();
        clock.start();
        wm.setActiveWindow(windows[(round + 1) % 2]);
        if (!spy.wait(5000)) {
            std::fprintf(stderr, "no signal in round %d\n", round);
            return 1;
        }
        latencies.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("focus change to signal over %d changes: median %.3f ms, slowest %.3f ms\n", kRounds,
                latencies[latencies.size() / 2], latencies.back());

    QElapsedTimer listing;
    listing.start();
    const qsizetype listed = watcher.openApplications().size();
    std::printf("open applications listed: %lld in %.3f ms\n", static_cast<long long>(listed),
                double(listing.nsecsElapsed()) / 1e6);
    return 0;
}
