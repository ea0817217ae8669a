// The demo reached from its command line, without a tray: lines on standard
// input press the DPI button, unplug, plug, hang the mouse and make it
// answer again; --fault gives it the faults kx20ctl --emulate takes; SIGTERM
// ends it as the tray's Quit does.
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

class Demo
{
public:
    explicit Demo(const QStringList &arguments)
    {
        QProcess copy;
        copy.start(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(KX20_SOURCE_DIR "/modules"),
                                          QStringLiteral(KX20_BIN_DIR "/kx20-config-demo"), m_dir.path()});
        copy.waitForFinished(30000);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir.filePath(QStringLiteral("cache")));
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        process.setProcessEnvironment(env);
        process.start(m_dir.filePath(QStringLiteral("kx20-config-demo")), arguments);
    }
    ~Demo()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    // Waits until the program's output has said `text` `times` times.
    bool waitFor(const QByteArray &text, int times = 1)
    {
        QElapsedTimer timer;
        timer.start();
        while (log.count(text) < times && timer.elapsed() < 20000) {
            process.waitForReadyRead(200);
            log += process.readAllStandardError();
        }
        return log.count(text) >= times;
    }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    QProcess process;
    QByteArray log;

private:
    QTemporaryDir m_dir;
};

} // namespace

class TestDemoControl : public QObject
{
    Q_OBJECT

private slots:
    void linesReachEveryStateOfTheTrayMenu()
    {
        Demo demo({QStringLiteral("--dpi-button-stdin")});
        QVERIFY(demo.waitFor("Main screen shown"));
        demo.process.write("\n");
        QVERIFY(demo.waitFor("DPI switched to stage 2"));
        // A hung mouse sends nothing; once it answers, the press arrives.
        demo.process.write("hang\n\n");
        QTest::qWait(700);
        demo.log += demo.process.readAllStandardError();
        QVERIFY(!demo.log.contains("stage 3"));
        demo.process.write("answer\n");
        QVERIFY(demo.waitFor("DPI switched to stage 3"));
        demo.process.write("unplug\n");
        QVERIFY(demo.waitFor("Device removed"));
        demo.process.write("plug\n");
        QVERIFY(demo.waitFor("Device Connect", 2));
        QVERIFY(QFileInfo::exists(demo.path(QStringLiteral("modules/.kx20-config.lock"))));

        // The end of a session: the loop ends as from Quit, nothing is left.
        ::kill(pid_t(demo.process.processId()), SIGTERM);
        QVERIFY(demo.process.waitForFinished(10000));
        QCOMPARE(demo.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(demo.process.exitCode(), 0);
        QVERIFY(!QFileInfo::exists(demo.path(QStringLiteral("modules/.kx20-config.lock"))));
    }

    void faultsAsKx20ctlTakesThem()
    {
        Demo bad({QStringLiteral("--fault"), QStringLiteral("melt@2")});
        QVERIFY(bad.process.waitForFinished(10000));
        QCOMPARE(bad.process.exitCode(), 2);
        QVERIFY(bad.process.readAllStandardError().contains("--fault 'melt@2'"));

        // The first open fails: the mouse is not found at start.
        Demo unplugged({QStringLiteral("--fault=open@1")});
        QVERIFY(unplugged.waitFor("Device DisConnect"));
        QVERIFY(!unplugged.log.contains("Device Connect"));
        ::kill(pid_t(unplugged.process.processId()), SIGINT);
        QVERIFY(unplugged.process.waitForFinished(10000));
        QCOMPARE(unplugged.process.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDemoControl)
#include "test_democontrol.moc"
