// The real program on a real X server: kx20-config-demo started under an Xvfb
// of the test's own, looked at with xdotool. Skipped (77) only when Xvfb or
// xdotool cannot be found.
#include "xvfbserver.h"

#include <QCoreApplication>
#include <QDir>
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

    void start(QProcess &process)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(s_display));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process.setProcessEnvironment(env);
        process.start(m_program, {});
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
    QCoreApplication app(argc, argv);
    TestDemoEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_demo_e2e.moc"
