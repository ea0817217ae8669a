// The real program on a real X server: kx20-config-demo started under an Xvfb
// of the test's own, looked at with xdotool. Skipped (77) only when Xvfb or
// xdotool cannot be found.
#include "xvfbserver.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

constexpr int kSkipCode = 77;
QString s_xdotool;
QByteArray s_display;

// xdotool's answer, or empty when it failed.
QString xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(s_xdotool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// The window's picture on the X server, taken from the root window.
QImage windowShot(const QString &window)
{
    const QString geometry = xdotool({QStringLiteral("getwindowgeometry"), window});
    const QRegularExpressionMatch at =
        QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+)")).match(geometry);
    if (!at.hasMatch())
        return {};
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, at.captured(1).toInt(), at.captured(2).toInt(), 1024, 640)
        .toImage();
}

// Kept with the build for a person to look at.
void keep(const QImage &shot, const char *name)
{
    const QString folder = QStringLiteral(KX20_BIN_DIR "/../tests/artefacts");
    QDir().mkpath(folder);
    shot.save(folder + QLatin1Char('/') + QLatin1String(name));
}

bool near(QRgb pixel, QRgb expected)
{
    return qAbs(qRed(pixel) - qRed(expected)) <= 8 && qAbs(qGreen(pixel) - qGreen(expected)) <= 8
           && qAbs(qBlue(pixel) - qBlue(expected)) <= 8;
}

QString fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The DPI page's slider of stage `stage` (0-based) with four stages shown:
// a point of its track just above the bottom end, inside the filled part
// whatever the stage's value.
QPoint stageTrack(int stage)
{
    constexpr int pageX = 768;
    constexpr int pageY = 56;
    constexpr int pitch = 39;
    return {pageX + 116 + (2 * stage - 3) * pitch / 2, pageY + 44 + 176 - 4};
}

bool finished(QProcess &process)
{
    return process.state() == QProcess::NotRunning || process.waitForFinished(10000);
}

} // namespace

class TestDemoEndToEnd : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_install;
    QString m_program;

    // The demo's window once its main screen shows (Save drawn blue).
    QString mainScreen(QProcess &demo, QImage &shot)
    {
        QByteArray log;
        if (!QTest::qWaitFor(
                [&] {
                    return (log += demo.readAllStandardError()).contains("Scene ready");
                },
                30000))
            return {};
        const QString window =
            xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--pid"), QString::number(demo.processId())})
                .section(QLatin1Char('\n'), 0, 0);
        if (window.isEmpty()
            || !QTest::qWaitFor(
                [&] {
                    return near((shot = windowShot(window)).pixel(950, 620), qRgb(0x09, 0x34, 0x7f));
                },
                10000))
            return {};
        return window;
    }

    void start(QProcess &process, const QStringList &arguments = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(s_display));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process.setProcessEnvironment(env);
        process.start(m_program, arguments);
    }

private slots:
    void initTestCase()
    {
        // A copy of its own: the build tree's settings and a running demo
        // are left alone.
        for (const QString &name : {QStringLiteral("kx20-config-demo")})
            QVERIFY(QFile::copy(QStringLiteral(KX20_BIN_DIR "/") + name, m_install.filePath(name)));
        QProcess copy;
        copy.start(QStringLiteral("cp"),
                   {QStringLiteral("-r"), QStringLiteral(KX20_SOURCE_DIR "/modules"), m_install.path()});
        QVERIFY(copy.waitForFinished(30000) && copy.exitCode() == 0);
        m_program = m_install.filePath(QStringLiteral("kx20-config-demo"));
        QFile::setPermissions(m_program, QFile::permissions(m_program) | QFile::ExeOwner);
    }

    void showsTheFramelessSceneAndConnects()
    {
        QProcess demo;
        start(demo);
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT((log += demo.readAllStandardError()).contains("Scene ready"), 30000);
        QVERIFY(log.contains("Device Connect"));
        QVERIFY(log.contains("Input capture: system-wide, X11 RECORD"));

        const QString window =
            xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--pid"), QString::number(demo.processId())})
                .section(QLatin1Char('\n'), 0, 0);
        QVERIFY(!window.isEmpty());
        QCOMPARE(xdotool({QStringLiteral("getwindowname"), window}), QStringLiteral("KX20"));
        const QString geometry = xdotool({QStringLiteral("getwindowgeometry"), window});
        QVERIFY2(geometry.contains(QLatin1String("Geometry: 1024x640")), qPrintable(geometry));

        // A second start hands over and leaves; the first keeps running.
        QProcess second;
        start(second);
        QVERIFY(finished(second));
        QCOMPARE(second.exitCode(), 1);
        QCOMPARE(demo.state(), QProcess::Running);

        demo.terminate();
        QVERIFY(finished(demo));
    }

    // A person's journey: the power-on picture, then the main screen; the
    // report-rate box set to 500Hz reaches the profile file and the mouse.
    void reportRateJourney()
    {
        const QString statePath = m_install.filePath(QStringLiteral("mouse-state.txt"));
        QProcess demo;
        start(demo, {QStringLiteral("--mouse-state"), statePath});
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT((log += demo.readAllStandardError()).contains("Scene ready"), 30000);
        const QString window =
            xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--pid"), QString::number(demo.processId())})
                .section(QLatin1Char('\n'), 0, 0);
        QVERIFY(!window.isEmpty());
        keep(windowShot(window), "power-on.png");

        // The main screen shows when the first lock ends: Save is blue.
        constexpr QPoint save{950, 620};
        QImage shot;
        QTRY_VERIFY_WITH_TIMEOUT(near((shot = windowShot(window)).pixel(save), qRgb(0x09, 0x34, 0x7f)),
                                 10000);
        keep(shot, "main-screen.png");
        // The report-rate box: black panel at the left, the list's head at
        // the right of it.
        QVERIFY(near(shot.pixel(30, 470), qRgb(0, 0, 0)));
        QVERIFY(near(shot.pixel(140, 470), qRgb(0x1a, 0x1a, 0x1a)));

        const auto clickAt = [&window](int x, int y) {
            xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x),
                     QString::number(y), QStringLiteral("click"), QStringLiteral("1")});
        };
        clickAt(188, 479);
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(140, 551), qRgb(0x1a, 0x1a, 0x1a)), 5000);
        keep(windowShot(window), "report-rate-open.png");
        clickAt(188, 551);
        const QString profile = m_install.filePath(QStringLiteral("modules/setting/p1.bin"));
        QTRY_VERIFY_WITH_TIMEOUT(fileText(profile).contains(QLatin1String("reportRate=2")), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(fileText(statePath).contains(QLatin1String("reportRate=2\n")), 10000);

        demo.terminate();
        QVERIFY(finished(demo));
    }

    // The DPI button on the mouse moves the orange stage on the DPI page.
    void dpiButtonMovesTheOrangeStage()
    {
        const QString statePath = m_install.filePath(QStringLiteral("mouse-state-dpi.txt"));
        QProcess demo;
        start(demo, {QStringLiteral("--mouse-state"), statePath, QStringLiteral("--dpi-button-stdin")});
        QImage shot;
        const QString window = mainScreen(demo, shot);
        QVERIFY(!window.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(fileText(statePath).contains(QLatin1String("stage=")), 10000);
        const int before =
            QRegularExpression(QStringLiteral("stage=(\\d)")).match(fileText(statePath)).captured(1).toInt();
        QVERIFY(before >= 1 && before < 4);
        const QRgb orange = qRgb(0xcf, 0x3e, 0x00);
        const QRgb blue = qRgb(0x09, 0x34, 0x7f);
        QVERIFY(near(shot.pixel(stageTrack(before - 1)), orange));
        QVERIFY(near(shot.pixel(stageTrack(before)), blue));

        demo.write("\n");
        const QString after = QStringLiteral("stage=%1\n").arg(before + 1);
        QTRY_VERIFY_WITH_TIMEOUT(fileText(statePath).contains(after), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(near((shot = windowShot(window)).pixel(stageTrack(before)), orange), 10000);
        QVERIFY(near(shot.pixel(stageTrack(before - 1)), blue));
        keep(shot, "dpi-stage-switched.png");

        demo.terminate();
        QVERIFY(finished(demo));
    }

    // Each lighting variant as a person sees it first.
    void lightingVariants_data()
    {
        QTest::addColumn<bool>("colourful");
        QTest::addColumn<bool>("v55328");
        QTest::addColumn<bool>("v571");
        QTest::addColumn<QString>("name");
        QTest::newRow("full colour") << true << false << false << QStringLiteral("lighting-colourful.png");
        QTest::newRow("single colour") << false << false << false << QStringLiteral("lighting-single.png");
        QTest::newRow("55328") << false << true << false << QStringLiteral("lighting-55328.png");
        QTest::newRow("571") << true << false << true << QStringLiteral("lighting-571.png");
    }
    void lightingVariants()
    {
        QFETCH(bool, colourful);
        QFETCH(bool, v55328);
        QFETCH(bool, v571);
        QFETCH(QString, name);
        const QString config = m_install.filePath(QStringLiteral("modules/setting/apConfig.bin"));
        const QByteArray installed = [&config] {
            QFile file(config);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        {
            QSettings ap(config, QSettings::IniFormat);
            ap.setValue(QStringLiteral("mouse/isColorful"), colourful);
            ap.setValue(QStringLiteral("mouse/is55328"), v55328);
            ap.setValue(QStringLiteral("mouse/is571"), v571);
        }
        QProcess demo;
        start(demo);
        QImage shot;
        const QString window = mainScreen(demo, shot);
        keep(shot, qPrintable(name));
        demo.terminate();
        QVERIFY(finished(demo));
        QFile restore(config);
        QVERIFY(restore.open(QIODevice::WriteOnly) && restore.write(installed) == installed.size());
        QVERIFY(!window.isEmpty());
        // The lighting page, black, below the DPI page.
        QVERIFY(near(shot.pixel(770, 400), qRgb(0, 0, 0)));
    }
};

int main(int argc, char **argv)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    s_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || s_xdotool.isEmpty()) {
        std::fprintf(stderr, "SKIP: Xvfb or xdotool not found\n");
        return kSkipCode;
    }
    XvfbServer server(xvfb);
    if (server.display().isEmpty()) {
        std::fprintf(stderr, "FAIL: Xvfb did not start\n");
        return 1;
    }
    s_display = server.display();
    qputenv("DISPLAY", s_display);
    // The test looks at the screen of its own X server.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    TestDemoEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_demo_e2e.moc"
