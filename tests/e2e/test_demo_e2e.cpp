// The real program on a real X server: kx20-config-demo started under an Xvfb
// of the test's own, looked at with xdotool. Skipped (77) only when Xvfb or
// xdotool cannot be found.
#include "otherapplications.h"
#include "xvfbserver.h"

#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
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

// The window's picture on the X server, taken from the root window: the
// main window's 1024 x 640, or the window's own size.
QImage windowShot(const QString &window, bool ownSize = false)
{
    const QString geometry = xdotool({QStringLiteral("getwindowgeometry"), window});
    const QRegularExpressionMatch at =
        QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+)")).match(geometry);
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Geometry: (\\d+)x(\\d+)")).match(geometry);
    if (!at.hasMatch() || (ownSize && !size.hasMatch()))
        return {};
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, at.captured(1).toInt(), at.captured(2).toInt(),
                     ownSize ? size.captured(1).toInt() : 1024, ownSize ? size.captured(2).toInt() : 640)
        .toImage();
}

// A visible window named `name`, once it shows; empty when none does within
// `timeoutMs`.
QString dialogWindow(const QString &name, int timeoutMs = 10000)
{
    QString found;
    // Found or not, `found` says.
    (void)QTest::qWaitFor(
        [&] {
            found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--name"), QLatin1Char('^') + name + QLatin1Char('$')})
                        .section(QLatin1Char('\n'), 0, 0);
            return !found.isEmpty();
        },
        timeoutMs);
    return found;
}

// Readable: the dialog's most common colour (its background) is light, and
// there are dark pixels on it (the labels and the list's texts).
bool readable(const QImage &shot)
{
    QHash<QRgb, int> counts;
    int dark = 0;
    for (int y = 0; y < shot.height(); y += 2) {
        for (int x = 0; x < shot.width(); x += 2) {
            const QRgb pixel = shot.pixel(x, y) | 0xff000000u;
            ++counts[pixel];
            dark += qGray(pixel) < 80;
        }
    }
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    return qGray(background) > 160 && dark > 20;
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

// A click (or a double click) at window coordinates, as a person's pointer;
// button 3 is the right button.
void clickAt(const QString &window, int x, int y, int repeat = 1, int button = 1)
{
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x),
             QString::number(y), QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(repeat),
             QStringLiteral("--delay"), QStringLiteral("80"), QString::number(button)});
}

constexpr QRgb kOrange = qRgb(0xcf, 0x3e, 0x00);
constexpr QRgb kBlue = qRgb(0x09, 0x34, 0x7f);

} // namespace

class TestDemoEndToEnd : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_install;
    QString m_program;

    void start(QProcess &process, const QStringList &arguments = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(s_display));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process.setProcessEnvironment(env);
        process.start(m_program, arguments);
    }

    // The demo's window once its scene is ready; empty when it never gets
    // there.
    static QString readyWindow(QProcess &demo)
    {
        QByteArray log;
        if (!QTest::qWaitFor(
                [&] {
                    return (log += demo.readAllStandardError()).contains("Scene ready");
                },
                30000))
            return {};
        return xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--pid"), QString::number(demo.processId())})
            .section(QLatin1Char('\n'), 0, 0);
    }

    // The demo's window once its main screen shows (Save drawn blue).
    static QString mainScreen(QProcess &demo, QImage &shot)
    {
        const QString window = readyWindow(demo);
        if (window.isEmpty()
            || !QTest::qWaitFor(
                [&] {
                    return near((shot = windowShot(window)).pixel(950, 620), kBlue);
                },
                10000))
            return {};
        return window;
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
        const QString window = readyWindow(demo);
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

        clickAt(window, 188, 479);
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(140, 551), qRgb(0x1a, 0x1a, 0x1a)), 5000);
        keep(windowShot(window), "report-rate-open.png");
        clickAt(window, 188, 551);
        const QString profile = m_install.filePath(QStringLiteral("modules/setting/p1.bin"));
        QTRY_VERIFY_WITH_TIMEOUT(fileText(profile).contains(QLatin1String("reportRate=2")), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(fileText(statePath).contains(QLatin1String("reportRate=2\n")), 10000);

        demo.terminate();
        QVERIFY(finished(demo));
    }

    // Profiles and guns as a person meets them: Config opens the profile
    // page, New adds profile_0, a double click renames it, the title-area
    // list switches to it; the gun page opens from the editor box.
    void profileJourney()
    {
        QProcess demo;
        start(demo);
        const QString window = readyWindow(demo);
        QVERIFY(!window.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(950, 620), qRgb(0x09, 0x34, 0x7f)), 10000);

        // The profile page, centred: its list at (321, 225), rows 27 high.
        clickAt(window, 718, 620);
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(330, 230), kOrange), 5000);
        clickAt(window, 353, 425);
        const QString names = m_install.filePath(QStringLiteral("modules/setting/name.bin"));
        QTRY_VERIFY_WITH_TIMEOUT(fileText(names).contains(QLatin1String("profile_01")), 10000);
        clickAt(window, 421, 265, 2);
        xdotool({QStringLiteral("type"), QStringLiteral("--window"), window, QStringLiteral("Work")});
        xdotool({QStringLiteral("key"), QStringLiteral("--window"), window, QStringLiteral("Return")});
        QTRY_VERIFY_WITH_TIMEOUT(fileText(names).contains(QLatin1String("Work1")), 10000);
        keep(windowShot(window), "profile-page.png");

        // Closed, then the title-area list's second row: profile 1.
        clickAt(window, 696, 196);
        clickAt(window, 832, 24);
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(780, 72), qRgb(0x1a, 0x1a, 0x1a)), 5000);
        keep(windowShot(window), "profile-list-open.png");
        clickAt(window, 832, 72);
        const QString config = m_install.filePath(QStringLiteral("modules/setting/apConfig.bin"));
        QTRY_VERIFY_WITH_TIMEOUT(fileText(config).contains(QLatin1String("profileNo=1")), 10000);

        // The gun page, centred the first time: its record list at
        // (216, 177), the first row (M416, slot 1's record) orange.
        // The window takes no clicks while the switch sends the profile to
        // the mouse; once open, the mask takes the repeated clicks.
        QTRY_VERIFY_WITH_TIMEOUT(
            (clickAt(window, 140, 427), near(windowShot(window).pixel(222, 183), kOrange)), 20000);
        keep(windowShot(window), "gun-page.png");

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

    // Recording a macro by typing while the editor records, binding it to
    // button 5 in the dialog and saving: the macro file holds the keys, the
    // emulated mouse the macro's bytes and the button that runs it.
    void macroJourney()
    {
        const QString statePath = m_install.filePath(QStringLiteral("macro-state.txt"));
        QProcess demo;
        start(demo, {QStringLiteral("--mouse-state"), statePath});
        QImage shot;
        const QString window = mainScreen(demo, shot);
        QVERIFY(!window.isEmpty());

        // The editor (640 x 448 at 192, 96): New, then record A and B.
        clickAt(window, 140, 402);
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(200, 110), qRgb(0, 0, 0)), 5000);
        clickAt(window, 240, 521);
        const QString macroFile = m_install.filePath(QStringLiteral("modules/macro/Macro_0.bin"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(macroFile), 5000);
        clickAt(window, 452, 521);
        // The record button turns orange while recording.
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(400, 515), kOrange), 5000);
        xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60"), QStringLiteral("a"),
                 QStringLiteral("b")});
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(430, 250), qRgb(0, 0, 0)), 5000);
        keep(windowShot(window), "macro-recording.png");
        clickAt(window, 452, 521);
        QTRY_VERIFY_WITH_TIMEOUT(fileText(macroFile).contains(QLatin1String("total=4")), 5000);
        const QString macro = fileText(macroFile);
        for (const char *event : {"0=\"1,A\"", "1=\"2,A\"", "2=\"1,B\"", "3=\"2,B\""})
            QVERIFY2(macro.contains(QLatin1String(event)), qPrintable(macro));
        clickAt(window, 808, 116);

        // The dialog (416 x 404 at 304, 118) for button 5: drag the scroll
        // handle down to the macro section and pick the macro.
        clickAt(window, 140, 244);
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(310, 130), qRgb(0, 0, 0)), 5000);
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QStringLiteral("712"),
                 QStringLiteral("234"), QStringLiteral("mousedown"), QStringLiteral("1")});
        for (int y = 244; y <= 369; y += 25)
            xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QStringLiteral("712"),
                     QString::number(y)});
        xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
        // The first run-mode mark (selected: an orange dot) lies under the
        // list's first row: hidden while the list is open, back when it has
        // closed and chosen.
        constexpr QPoint runModeMark{333, 285};
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(runModeMark), kOrange), 5000);
        clickAt(window, 408, 253);
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(runModeMark), qRgb(0x1a, 0x1a, 0x1a)), 5000);
        keep(windowShot(window), "key-dialog-macros.png");
        // The choice counts once the list has closed: the title then names
        // the macro instead of the button's function.
        const QRect title{360, 126, 120, 22};
        const QImage titleBefore = windowShot(window).copy(title);
        clickAt(window, 408, 277);
        QTRY_VERIFY_WITH_TIMEOUT(windowShot(window).copy(title) != titleBefore, 5000);
        QVERIFY(near(windowShot(window).pixel(runModeMark), kOrange));
        clickAt(window, 696, 138);
        QTRY_VERIFY_WITH_TIMEOUT(
            fileText(statePath).contains(QLatin1String("macro5=00 01 01 04 81 04 01 05 81 05 00 00")), 10000);
        // Save turns red for the waiting table, and sends it.
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(950, 620), qRgb(0xff, 0x30, 0x30)), 5000);
        keep(windowShot(window), "macro-bound.png");
        clickAt(window, 950, 620);
        QTRY_VERIFY_WITH_TIMEOUT(fileText(statePath).contains(QRegularExpression(
                                     QStringLiteral("keyMatrix1=(\\S\\S ){16}09 00 05 00"))),
                                 10000);
        // In the profile in use (an earlier journey may have switched it).
        const int profileNo = QSettings(m_install.filePath(QStringLiteral("modules/setting/apConfig.bin")),
                                        QSettings::IniFormat)
                                  .value(QStringLiteral("mouse/profileNo"))
                                  .toInt();
        const QString profile = QStringLiteral("modules/setting/p%1.bin").arg(profileNo + 1);
        QVERIFY2(fileText(m_install.filePath(profile)).contains(QLatin1String("[mouseMacroKey]\n4=Macro_0")),
                 qPrintable(profile));

        demo.terminate();
        QVERIFY(finished(demo));
    }

    // Import and export as a person meets them: the import dialog is
    // readable (a light background with dark labels, not the main window's
    // transparent black), and an export named without extension writes
    // NAME.pf (in a folder of the test's, reached through the dialog).
    void fileDialogsAreReadableAndAddTheExtension()
    {
        QTemporaryDir there;
        QProcess demo;
        QImage shot;
        // Away from Save, where the last journey left the pointer: its
        // hover colour would hide the main screen's blue.
        xdotool({QStringLiteral("mousemove"), QStringLiteral("0"), QStringLiteral("0")});
        start(demo);
        const QString window = mainScreen(demo, shot);
        QVERIFY(!window.isEmpty());

        // Config, then Export from the first row's menu; "Mine" typed
        // without extension.
        clickAt(window, 718, 620);
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(330, 230), kOrange), 5000);
        clickAt(window, 340, 235, 1, 3);
        // The menu: grey over the orange row.
        QTRY_VERIFY_WITH_TIMEOUT(near(windowShot(window).pixel(436, 249), qRgb(0x1a, 0x1a, 0x1a)), 5000);
        clickAt(window, 390, 271);
        const QString save = dialogWindow(QStringLiteral("Save File"));
        QVERIFY(!save.isEmpty());
        keep(windowShot(save, true), "export-dialog.png");
        // A folder typed and Enter opens it; then the bare name.
        for (const QString &typed : {there.path() + QLatin1Char('/'), QStringLiteral("Mine")}) {
            xdotool({QStringLiteral("key"), QStringLiteral("--window"), save, QStringLiteral("ctrl+a")});
            xdotool({QStringLiteral("type"), QStringLiteral("--window"), save, typed});
            xdotool({QStringLiteral("key"), QStringLiteral("--window"), save, QStringLiteral("Return")});
        }
        const QString written = QDir(there.path()).filePath(QStringLiteral("Mine.pf"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(written), 10000);
        QVERIFY(!QFile::exists(QDir(there.path()).filePath(QStringLiteral("Mine"))));
        QCOMPARE(fileText(written), fileText(m_install.filePath(QStringLiteral("modules/setting/p1.bin"))));

        // Then Import on the profile page, once the window takes input
        // again (New turns orange under the pointer).
        QTRY_VERIFY_WITH_TIMEOUT((xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                                           QStringLiteral("353"), QStringLiteral("425")}),
                                  near(windowShot(window).pixel(330, 418), kOrange)),
                                 10000);
        clickAt(window, 433, 425);
        const QString open = dialogWindow(QStringLiteral("Open File"));
        QVERIFY(!open.isEmpty());
        QImage dialog;
        QTRY_VERIFY_WITH_TIMEOUT(!(dialog = windowShot(open, true)).isNull() && readable(dialog), 10000);
        keep(dialog, "import-dialog.png");
        xdotool({QStringLiteral("key"), QStringLiteral("--window"), open, QStringLiteral("Escape")});
        QTRY_VERIFY_WITH_TIMEOUT(dialogWindow(QStringLiteral("Open File"), 500).isEmpty(), 10000);

        demo.terminate();
        QVERIFY(finished(demo));
    }

    // The mouse follows the application in front: two windows of other
    // applications, linked in apConfig.bin to profiles 1 and 2 before the
    // demo starts, take the focus in turn as a window manager gives it; each
    // time the profile in use (apConfig.bin) and the emulated mouse's report
    // rate follow, and a window without a link brings profile 0 back. Without
    // a tray each change is told on standard error.
    void mouseFollowsTheApplicationInFront()
    {
        const QString settings = m_install.filePath(QStringLiteral("modules/setting"));
        const QStringList touched = {QStringLiteral("apConfig.bin"), QStringLiteral("name.bin"),
                                     QStringLiteral("p1.bin"), QStringLiteral("p2.bin"),
                                     QStringLiteral("p3.bin")};
        QHash<QString, QByteArray> installed;
        for (const QString &name : touched) {
            QFile file(settings + QLatin1Char('/') + name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            installed[name] = file.readAll();
        }
        // Put back whatever happens, for the journeys after this one.
        const auto restore = qScopeGuard([&] {
            for (const QString &name : touched) {
                QFile file(settings + QLatin1Char('/') + name);
                if (file.open(QIODevice::WriteOnly))
                    file.write(installed[name]);
            }
        });
        {
            QSettings names(settings + QStringLiteral("/name.bin"), QSettings::IniFormat);
            names.setValue(
                QStringLiteral("profile/profileName"),
                QStringList{QStringLiteral("Standard0"), QStringLiteral("Work1"), QStringLiteral("Game2")});
            // Each profile its own report rate (rows 3, 1, 2: 1000, 250, 500 Hz).
            for (int profile : {0, 1, 2}) {
                QSettings file(settings + QStringLiteral("/p%1.bin").arg(profile + 1), QSettings::IniFormat);
                file.setValue(QStringLiteral("mouse/reportRate"), profile == 0 ? 3 : profile);
            }
            QSettings ap(settings + QStringLiteral("/apConfig.bin"), QSettings::IniFormat);
            ap.setValue(QStringLiteral("mouse/profileNo"), 0);
            ap.setValue(QStringLiteral("profileLinks/alpha"), 1);
            ap.setValue(QStringLiteral("profileLinks/beta"), 2);
        }
        const QString config = settings + QStringLiteral("/apConfig.bin");
        // Read from the file's text: this process's QSettings may answer
        // from its cache.
        const auto profileInUse = [&config] {
            const QRegularExpressionMatch stored =
                QRegularExpression(QStringLiteral("\nprofileNo=(\\d+)")).match(fileText(config));
            return stored.hasMatch() ? stored.captured(1).toInt() : -1;
        };
        const QString statePath = m_install.filePath(QStringLiteral("follow-state.txt"));
        // The report interval in ms the mouse holds: 1 for 1000 Hz, 4 for
        // 250 Hz, 2 for 500 Hz.
        const auto mouseRate = [&statePath](int code) {
            return fileText(statePath).contains(QStringLiteral("reportRate=%1\n").arg(code));
        };

        OtherApplications others(s_display.constData());
        QVERIFY(others.isOpen());
        const unsigned long alpha = others.open("alpha", "Alpha");
        const unsigned long beta = others.open("beta", "Beta");
        const unsigned long gamma = others.open("gamma", "Gamma");

        QProcess demo;
        start(demo, {QStringLiteral("--mouse-state"), statePath});
        QImage shot;
        const QString window = mainScreen(demo, shot);
        QVERIFY(!window.isEmpty());
        QByteArray log;
        const auto told = [&demo, &log](const char *line) {
            return (log += demo.readAllStandardError()).contains(line);
        };

        // A profile change on this mouse takes seconds of protocol pauses; the
        // stored number and the report rate go first, the notice comes last.
        constexpr int kSwitchMs = 30000;
        others.activate(alpha);
        QTRY_COMPARE_WITH_TIMEOUT(profileInUse(), 1, kSwitchMs);
        QTRY_VERIFY_WITH_TIMEOUT(mouseRate(4), kSwitchMs);
        QTRY_VERIFY_WITH_TIMEOUT(told("Profile \u201cWork\u201d chosen: Alpha is in front"), kSwitchMs);

        others.activate(beta);
        QTRY_COMPARE_WITH_TIMEOUT(profileInUse(), 2, kSwitchMs);
        QTRY_VERIFY_WITH_TIMEOUT(mouseRate(2), kSwitchMs);
        QTRY_VERIFY_WITH_TIMEOUT(told("Profile \u201cGame\u201d chosen: Beta is in front"), kSwitchMs);
        // The title area names the profile in use once the window takes
        // input again.
        QTRY_VERIFY_WITH_TIMEOUT(near((shot = windowShot(window)).pixel(950, 620), kBlue), 10000);
        keep(shot, "follow-game.png");

        others.activate(gamma);
        QTRY_COMPARE_WITH_TIMEOUT(profileInUse(), 0, kSwitchMs);
        QTRY_VERIFY_WITH_TIMEOUT(mouseRate(1), kSwitchMs);
        QTRY_VERIFY_WITH_TIMEOUT(told("Back to profile \u201cStandard\u201d"), kSwitchMs);

        demo.terminate();
        QVERIFY(finished(demo));
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
