#include "singleapplication.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char kSecondStart[] = "--second-start";

QString programPath()
{
    return QStringLiteral(KX20_BIN_DIR "/kx20-config");
}

void startProgram(QProcess &process, const QString &workingDirectory)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDirectory);
    process.start(programPath(), {});
}

// waitForFinished() is false for a process that has already ended.
bool finished(QProcess &process)
{
    return process.state() == QProcess::NotRunning || process.waitForFinished(10000);
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondStartHandsOverAndExitsWithOne()
    {
        auto *app = qobject_cast<SingleApplication *>(QCoreApplication::instance());
        QVERIFY(app && !app->isRunning());
        QSignalSpy messages(app, &SingleApplication::messageReceived);

        QProcess second;
        second.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kSecondStart)});
        QTRY_COMPARE_WITH_TIMEOUT(messages.count(), 1, 10000);
        QCOMPARE(messages.at(0).at(0).toString(), QString());
        QVERIFY(finished(second));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 1);
    }

    // The real program: with no mouse it reports the disconnected outcome once
    // and keeps running, whatever folder it was started from; a second start
    // leaves at once with 1; a crashed first instance does not block the next.
    void programRunsOnceFromAnyFolder()
    {
        QTemporaryDir elsewhere;
        QProcess first;
        startProgram(first, elsewhere.path());
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT((log += first.readAllStandardError()).contains("Device DisConnect"), 20000);

        QProcess second;
        startProgram(second, elsewhere.path());
        QVERIFY(finished(second));
        QCOMPARE(second.exitCode(), 1);

        log += first.readAllStandardError();
        QCOMPARE(log.count("Device DisConnect"), 1);
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        QVERIFY(finished(first));

        QProcess restarted;
        startProgram(restarted, elsewhere.path());
        QByteArray restartLog;
        QTRY_VERIFY_WITH_TIMEOUT(
            (restartLog += restarted.readAllStandardError()).contains("Device DisConnect"), 20000);
        restarted.kill();
        QVERIFY(finished(restarted));
    }
};

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], kSecondStart) == 0) {
        SingleApplication app(argc, argv);
        if (!app.isRunning())
            return 0;
        app.sendMessage(QString(), 5000);
        return 1;
    }
    SingleApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_singleinstance.moc"
