// The focus watch on a real X server: Xvfb started here, and a fake window
// manager on a connection of its own that makes windows and moves the focus
// between them through the root window's properties. Qt's own platform is
// X11 on that server, as on a user's X11 desktop.
#include "activewindowwatcher.h"
#include "fakewindowmanager.h"
#include "xvfbserver.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

#include <unistd.h>

namespace {

constexpr int kSkipCode = 77;
constexpr int kWaitMs = 10000;

QString s_xvfb;

QByteArray cardinal(quint32 value)
{
    return QByteArray(reinterpret_cast<const char *>(&value), 4);
}

QString describe(const WindowApplication &application)
{
    return QStringLiteral("{%1, %2, %3}")
        .arg(application.instanceName, application.windowClass, application.executable);
}

} // namespace

class TestActiveWindowX11 : public QObject
{
    Q_OBJECT

private:
    const quint32 m_ownPid = quint32(getpid());
    const QString m_ownExecutable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();

private slots:
    // One walk through focus changes of every kind, each with the application
    // the watcher must report, or none when it must stay silent.
    void followsTheFocusThroughEveryKindOfWindow()
    {
        FakeWindowManager wm;
        QVERIFY(wm.isConnected());
        wm.deleteRootProperty("_NET_ACTIVE_WINDOW");
        wm.sync();

        ActiveWindowWatcher watcher;
        QVERIFY(watcher.isActive());
        QCOMPARE(describe(watcher.activeApplication()), describe({}));
        QSignalSpy spy(&watcher, &ActiveWindowWatcher::activeApplicationChanged);

        const quint32 alpha = wm.createWindow(QByteArrayLiteral("alpha\0Alpha\0"), m_ownPid);
        const quint32 alphaAgain = wm.createWindow(QByteArrayLiteral("alpha\0Alpha\0"), m_ownPid);
        const quint32 beta = wm.createWindow(QByteArrayLiteral("beta\0Beta\0"));
        // No terminator and no class half.
        const quint32 gamma = wm.createWindow(QByteArrayLiteral("gamma"), 0x7ffffff0);
        // A client on another machine: its process is not ours to look at.
        const quint32 remote =
            wm.createWindow(QByteArrayLiteral("delta\0Delta\0"), m_ownPid, "elsewhere.invalid");
        // WM_CLASS of the wrong type; only the process names it.
        const quint32 odd = wm.createWindow({}, m_ownPid);
        wm.setProperty(odd, "WM_CLASS", FakeWindowManager::kInteger, 32, cardinal(7));
        // A name with a control character in it is no name.
        const quint32 control = wm.createWindow(QByteArrayLiteral("ep\x01silon\0Epsilon\0"));
        // Not UTF-8: read as Latin-1.
        const quint32 latin = wm.createWindow(QByteArrayLiteral("z\xe9ta\0Z\xe9ta\0"));

        const WindowApplication alphaApp{QStringLiteral("alpha"), QStringLiteral("Alpha"), m_ownExecutable};
        const WindowApplication none;
        struct Step
        {
            const char *what;
            std::function<void()> act;
            std::optional<WindowApplication> expected; // none: no signal
        };
        const auto activate = [&wm](quint32 window) {
            return std::function<void()>([&wm, window] {
                wm.setActiveWindow(window);
            });
        };
        const auto named = [](const char *instance, const char *windowClass, const QString &executable = {}) {
            return WindowApplication{QString::fromUtf8(instance), QString::fromUtf8(windowClass), executable};
        };
        const std::optional<WindowApplication> silent;
        std::vector<Step> steps{
            {"first window", activate(alpha), alphaApp},
            {"another window of the same application", activate(alphaAgain), silent},
            {"another application, no process", activate(beta), named("beta", "Beta")},
            {"the same window stated again", activate(beta), silent},
            {"another root property",
             [&] {
                 wm.setClientList({alpha, beta});
             },
             silent},
            {"instance only, process gone", activate(gamma), named("gamma", "")},
            {"client on another machine", activate(remote), named("delta", "Delta")},
            {"class of the wrong type", activate(odd), named("", "", m_ownExecutable)},
            {"control character", activate(control), named("", "Epsilon")},
            {"Latin-1 names", activate(latin), named("z\u00e9ta", "Z\u00e9ta")},
            {"back to the first", activate(alpha), alphaApp},
            {"no window", activate(0), none},
            {"first again", activate(alpha), alphaApp},
            {"window gone before it is looked at",
             [&] {
                 const quint32 gone = wm.createWindow(QByteArrayLiteral("gone\0Gone\0"), m_ownPid);
                 wm.setActiveWindow(gone);
                 wm.destroyWindow(gone);
                 wm.sync();
             },
             none},
            {"first again", activate(alpha), alphaApp},
            {"active window of the wrong type",
             [&] {
                 wm.setProperty(wm.root(), "_NET_ACTIVE_WINDOW", FakeWindowManager::kCardinal, 32,
                                cardinal(beta));
             },
             none},
            {"first again", activate(alpha), alphaApp},
            {"active window in bytes",
             [&] {
                 wm.setProperty(wm.root(), "_NET_ACTIVE_WINDOW", FakeWindowManager::kWindow, 8, "xy");
             },
             none},
            {"first again", activate(alpha), alphaApp},
            {"a window id that never existed", activate(0x7abcdef), none},
            {"first again", activate(alpha), alphaApp},
            {"property deleted",
             [&] {
                 wm.deleteRootProperty("_NET_ACTIVE_WINDOW");
             },
             none},
            {"several changes at once: the last counts",
             [&] {
                 wm.setActiveWindow(beta);
                 wm.setActiveWindow(gamma);
                 wm.setActiveWindow(alpha);
                 wm.sync();
             },
             alphaApp},
        };
        // A stray pid that names a kernel thread, where this system has one
        // at the usual place: a process without an executable names nothing.
        QFile kernelThread(QStringLiteral("/proc/2/comm"));
        if (kernelThread.open(QIODevice::ReadOnly) && kernelThread.readAll().trimmed() == "kthreadd") {
            const quint32 kernel = wm.createWindow(QByteArrayLiteral("kernel\0Kernel\0"), 2);
            steps.push_back({"process without an executable", activate(kernel), named("kernel", "Kernel")});
        }

        // The signals are counted over the whole walk: one that should not
        // have come shows as a wrong count or a wrong application at the
        // next step that expects one.
        int emitted = 0;
        WindowApplication current;
        for (const Step &step : steps) {
            step.act();
            if (!step.expected)
                continue;
            ++emitted;
            current = *step.expected;
            QVERIFY2(spy.size() >= emitted || spy.wait(kWaitMs), step.what);
            QCOMPARE(spy.size(), emitted);
            QVERIFY2(spy.last().at(0).value<WindowApplication>() == current,
                     qPrintable(QStringLiteral("%1: %2").arg(
                         QLatin1String(step.what), describe(spy.last().at(0).value<WindowApplication>()))));
            QCOMPARE(describe(watcher.activeApplication()), describe(current));
        }
        // Nothing more is on its way: a last round trip through the server
        // brings any late signal first.
        wm.setActiveWindow(beta);
        QVERIFY(spy.wait(kWaitMs));
        QCOMPARE(spy.size(), emitted + 1);
    }

    // The user picks from the applications with windows now: each once, by
    // name, never this program, and nothing from a list that is missing or
    // not a list of windows.
    void listsTheOpenApplicationsOnceEachWithoutThisProgram()
    {
        // A process of another program, for a window whose executable is read.
        QProcess sleeper;
        sleeper.start(QStandardPaths::findExecutable(QStringLiteral("sleep")), {QStringLiteral("60")});
        QVERIFY(sleeper.waitForStarted());
        const auto sleeperPid = quint32(sleeper.processId());

        FakeWindowManager wm;
        QVERIFY(wm.isConnected());
        const quint32 own = wm.createWindow(QByteArrayLiteral("kx20\0Own\0"), m_ownPid);
        const quint32 ownAgain = wm.createWindow(QByteArrayLiteral("other\0Another\0"), m_ownPid);
        const quint32 beta = wm.createWindow(QByteArrayLiteral("beta\0Beta\0"));
        const quint32 betaAgain = wm.createWindow(QByteArrayLiteral("beta\0Beta\0"));
        const quint32 sleeping = wm.createWindow(QByteArrayLiteral("fox\0foxtrot\0"), sleeperPid);
        const quint32 gamma = wm.createWindow(QByteArrayLiteral("gamma"));
        const quint32 nameless = wm.createWindow({});
        const quint32 gone = wm.createWindow(QByteArrayLiteral("gone\0Gone\0"));
        wm.destroyWindow(gone);
        const quint32 remote =
            wm.createWindow(QByteArrayLiteral("delta\0Delta\0"), m_ownPid, "elsewhere.invalid");

        ActiveWindowWatcher watcher;
        QVERIFY(watcher.isActive());
        const auto listed = [&watcher] {
            QStringList names;
            for (const WindowApplication &application : watcher.openApplications())
                names << describe(application);
            return names.join(QLatin1Char(' '));
        };

        wm.setClientList({gamma, own, beta, 0, sleeping, betaAgain, ownAgain, nameless, gone, remote});
        wm.sync();
        QCOMPARE(listed(),
                 QStringLiteral("{beta, Beta, } {delta, Delta, } {fox, foxtrot, sleep} {gamma, , }"));

        wm.setProperty(wm.root(), "_NET_CLIENT_LIST", FakeWindowManager::kCardinal, 32, cardinal(beta));
        wm.sync();
        QCOMPARE(listed(), QString());
        wm.deleteRootProperty("_NET_CLIENT_LIST");
        wm.sync();
        QCOMPARE(listed(), QString());

        sleeper.kill();
        sleeper.waitForFinished();
    }

    // A focus change that reaches us while the list's replies are read waits
    // inside the connection, where the socket no longer shows it; it must
    // still come out.
    void focusChangeReadWithTheListIsNotLost()
    {
        FakeWindowManager wm;
        const quint32 first = wm.createWindow(QByteArrayLiteral("first\0First\0"));
        const quint32 second = wm.createWindow(QByteArrayLiteral("second\0Second\0"));
        wm.setActiveWindow(first);
        wm.sync();
        ActiveWindowWatcher watcher;
        QSignalSpy spy(&watcher, &ActiveWindowWatcher::activeApplicationChanged);
        QCOMPARE(watcher.activeApplication().windowClass, QStringLiteral("First"));
        // A first change through the event loop, so that nothing is left
        // from the start.
        wm.setActiveWindow(second);
        QVERIFY(spy.wait(kWaitMs));

        wm.setClientList({first, second});
        wm.setActiveWindow(first);
        wm.sync();
        QCOMPARE(watcher.openApplications().size(), 2);
        QVERIFY(spy.size() == 2 || spy.wait(kWaitMs));
        QCOMPARE(spy.last().at(0).value<WindowApplication>().windowClass, QStringLiteral("First"));
    }

    // Where the program does not itself run on X11 it has no say about the
    // focus, even with an X server about: silent and inactive.
    void inactiveWhereTheProgramIsNotOnX11()
    {
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("KX20_FOCUS_PROBE"), QStringLiteral("1"));
        probe.setProcessEnvironment(environment);
        probe.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(probe.waitForFinished(kWaitMs));
        QCOMPARE(probe.readAllStandardOutput().trimmed(), QByteArray("inactive 0"));
    }

    // The X server ending takes the focus with it; the watcher stops and does
    // not spin on the closed connection.
    void endedServerLeavesNothingInFront()
    {
        auto server = std::make_unique<XvfbServer>(s_xvfb);
        QVERIFY(!server->display().isEmpty());
        const QByteArray ownDisplay = qgetenv("DISPLAY");
        qputenv("DISPLAY", server->display());
        ActiveWindowWatcher watcher;
        qputenv("DISPLAY", ownDisplay);
        QVERIFY(watcher.isActive());
        QSignalSpy spy(&watcher, &ActiveWindowWatcher::activeApplicationChanged);
        {
            FakeWindowManager wm(server->display());
            wm.setActiveWindow(wm.createWindow(QByteArrayLiteral("last\0Last\0")));
            QVERIFY(spy.wait(kWaitMs));
        }
        QCOMPARE(watcher.activeApplication().windowClass, QStringLiteral("Last"));

        server.reset();
        QVERIFY(spy.size() == 2 || spy.wait(kWaitMs));
        QVERIFY(spy.last().at(0).value<WindowApplication>().isEmpty());
        QVERIFY(!watcher.isActive());
        QVERIFY(watcher.openApplications().isEmpty());
    }
};

int main(int argc, char **argv)
{
    // Run again by the test itself on another platform: tells what the
    // watcher makes of it.
    if (qEnvironmentVariableIsSet("KX20_FOCUS_PROBE")) {
        QGuiApplication app(argc, argv);
        ActiveWindowWatcher watcher;
        std::printf("%s %lld\n", watcher.isActive() ? "active" : "inactive",
                    static_cast<long long>(watcher.openApplications().size()));
        return 0;
    }
    s_xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (s_xvfb.isEmpty()) {
        fprintf(stderr, "SKIP: Xvfb not found\n");
        return kSkipCode;
    }
    XvfbServer server(s_xvfb);
    const QByteArray display = server.display();
    if (display.isEmpty()) {
        fprintf(stderr, "FAIL: Xvfb did not start\n");
        return 1;
    }
    // The watch follows the focus only where the program itself runs on X11.
    qputenv("DISPLAY", display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result = 1;
    {
        QGuiApplication app(argc, argv);
        TestActiveWindowX11 test;
        result = QTest::qExec(&test, argc, argv);
    }
    return result;
}

#include "test_activewindow_x11.moc"
