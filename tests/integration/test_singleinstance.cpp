#include "singleapplication.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QSocketNotifier>
#include <QTest>
#include <QTextStream>

#include <memory>
#include <unistd.h>

namespace {

const char kSecondStart[] = "--second-start";
// A start that says what it found ("first" or "running"), then, when first,
// serves until its standard input closes, printing each message it receives.
const char kProbe[] = "--probe";

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

struct Probe
{
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();

    Probe(const QProcessEnvironment &env)
    {
        process->setProcessEnvironment(env);
        process->start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kProbe)});
    }
    // The first line: "first", or "running" with the message handed over.
    QByteArray verdict()
    {
        while (!process->canReadLine() && process->waitForReadyRead(10000)) {
        }
        return process->readLine().trimmed();
    }
    ~Probe()
    {
        process->closeWriteChannel();
        if (!process->waitForFinished(10000))
            process->kill();
        process->waitForFinished();
    }
};

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    // What could stand in the guard's place: another user's (or a killed
    // instance's) lock and socket. None of it may stop the start, and the
    // next start must reach this instance and nothing else.
    void nothingPlantedStopsTheStart_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow("shared temp names taken") << "temp";
        QTest::newRow("folder at the lock") << "lock folder";
        QTest::newRow("foreign listener at the socket") << "listener";
        QTest::newRow("killed instance") << "killed";
        QTest::newRow("runtime folder open to all") << "open runtime";
        QTest::newRow("no runtime folder") << "no runtime";
    }

    void nothingPlantedStopsTheStart()
    {
        QFETCH(QString, planted);
        QTemporaryDir runtime, temp, cache;
        QFile::setPermissions(runtime.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("TMPDIR"), temp.path());
        env.insert(QStringLiteral("XDG_CACHE_HOME"), cache.path());
        const QString key = SingleApplication::instanceKey(QCoreApplication::applicationFilePath());
        QLocalServer foreign;
        if (planted == QLatin1String("temp")) {
            QVERIFY(QDir(temp.path()).mkdir(key + QStringLiteral(".lock")));
            QVERIFY(foreign.listen(temp.filePath(key)));
        } else if (planted == QLatin1String("lock folder")) {
            QVERIFY(QDir(runtime.path()).mkdir(key + QStringLiteral(".lock")));
        } else if (planted == QLatin1String("listener")) {
            QVERIFY(foreign.listen(runtime.filePath(key)));
        } else if (planted == QLatin1String("killed")) {
            Probe killed(env);
            QCOMPARE(killed.verdict(), QByteArray("first"));
            killed.process->kill();
            QVERIFY(killed.process->waitForFinished());
            QVERIFY(QFileInfo::exists(runtime.filePath(key)));
        } else if (planted == QLatin1String("open runtime")) {
            QFile::setPermissions(runtime.path(), QFileDevice::Permissions(0x7777));
        } else {
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        }

        Probe first(env);
        QCOMPARE(first.verdict(), QByteArray("first"));
        Probe second(env);
        QCOMPARE(second.verdict(), QByteArray("running handed over"));
        QVERIFY(second.process->waitForFinished(10000));
        QCOMPARE(second.process->exitCode(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(first.process->canReadLine(), 10000);
        QCOMPARE(first.process->readLine(), QByteArray("message probe\n"));
        QVERIFY(!foreign.hasPendingConnections());
    }

    void theChannelFolderIsPrivate()
    {
        const QFileInfo folder(SingleApplication::channelFolder());
        QVERIFY(folder.isDir());
        QCOMPARE(folder.ownerId(), ::getuid());
        QCOMPARE(int(folder.permissions() & 0x0077), 0);
    }

    // Where the guard has no private folder (here the cache folder is
    // another's open folder), the lock on modules/ still keeps a second
    // instance from writing the same files, and the open folder keeps its
    // mode.
    void twoInstancesNeverShareTheSettingsFolder_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow("open folder") << QStringLiteral("folder");
        QTest::newRow("file") << QStringLiteral("file");
        QTest::newRow("link") << QStringLiteral("link");
    }
    void twoInstancesNeverShareTheSettingsFolder()
    {
        QFETCH(QString, planted);
        QTemporaryDir cache;
        const QString own = cache.filePath(QStringLiteral("kx20-config"));
        if (planted == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(own));
            QVERIFY(QFile::setPermissions(own, QFileDevice::Permissions::fromInt(0x7755)));
        } else if (planted == QLatin1String("file")) {
            QFile file(own);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QFile::link(cache.path(), own));
        }
        const QFileDevice::Permissions modeBefore = QFileInfo(own).permissions();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), cache.path());

        QProcess first;
        first.setProcessEnvironment(env);
        first.start(programPath(), {});
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT((log += first.readAllStandardError()).contains("Device DisConnect"), 20000);
        QVERIFY(log.contains("Single instance guard unavailable"));

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(programPath(), {});
        QVERIFY(finished(second));
        QCOMPARE(second.exitCode(), 1);
        const QByteArray refusal = second.readAllStandardError();
        QVERIFY2(refusal.contains("already uses the settings in"), refusal.constData());
        QVERIFY(!refusal.contains("Device"));
        QCOMPARE(first.state(), QProcess::Running);
        QCOMPARE(QFileInfo(own).permissions(), modeBefore);
        first.kill();
        QVERIFY(finished(first));
    }

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
    if (argc > 1 && qstrcmp(argv[1], kProbe) == 0) {
        SingleApplication app(argc, argv);
        QTextStream out(stdout);
        if (app.isRunning()) {
            out << (app.sendMessage(QStringLiteral("probe"), 5000) ? "running handed over" : "running")
                << Qt::endl;
            return 1;
        }
        out << "first" << Qt::endl;
        QObject::connect(&app, &SingleApplication::messageReceived, [&out](const QString &message) {
            out << "message " << message << Qt::endl;
        });
        QSocketNotifier input(0, QSocketNotifier::Read);
        QObject::connect(&input, &QSocketNotifier::activated, &app, [&app] {
            char buffer[64];
            if (::read(0, buffer, sizeof buffer) <= 0)
                app.quit();
        });
        return app.exec();
    }
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
