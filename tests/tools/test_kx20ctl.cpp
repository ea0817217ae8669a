// kx20ctl as users and scripts run it: the built tool as a process, against
// the emulated mouse of both chip families, on a private copy of the
// installed modules/ folder.
#include "modulestree.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;

    QStringList errLines() const { return err.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
    // The report bytes that went to the mouse, from --trace.
    QStringList sentFeatures() const
    {
        QStringList sent;
        const QStringList lines = errLines();
        for (const QString &line : lines) {
            const int at = int(line.indexOf(QStringLiteral("-> feature")));
            if (at >= 0)
                sent.append(line.mid(line.indexOf(QLatin1Char(']'), at) + 2));
        }
        return sent;
    }
    // Feature and output reports that went to the mouse, without the
    // handshake (its challenge changes with the clock).
    QStringList sentReports() const
    {
        static const QRegularExpression sent(QStringLiteral("-> (feature|output) +(\\S+) +(.*)$"));
        QStringList reports;
        const QStringList lines = errLines();
        for (const QString &line : lines) {
            const QRegularExpressionMatch m = sent.match(line);
            if (m.hasMatch() && !m.captured(3).startsWith(QStringLiteral("[9] 00 00 ")))
                reports.append(m.captured(1) + QLatin1Char(' ') + m.captured(3));
        }
        return reports;
    }
    QStringList traceLines() const
    {
        return errLines().filter(QRegularExpression(QStringLiteral("^trace ")));
    }
};

QString kTool()
{
    return QStringLiteral(KX20_BIN_DIR "/kx20ctl");
}

bool copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}

} // namespace

class TestKx20ctl : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    // The system language kx20ctl sees; the test's own when empty.
    QString m_systemLanguage;

    QString modules() const { return m_dir->filePath(QStringLiteral("modules")); }
    QString setting(const QString &file) const { return modules() + QStringLiteral("/setting/") + file; }

    void setKey(const QString &file, const QString &key, const QVariant &value)
    {
        QSettings store(setting(file), QSettings::IniFormat);
        store.setValue(key, value);
        store.sync();
        QCOMPARE(store.status(), QSettings::NoError);
    }

    // Every file of the copy with its bytes.
    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(modules(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly))
                files.insert(f.fileName(), f.readAll());
        }
        return files;
    }

    Run run(const QStringList &args, bool withModules = true)
    {
        QProcess p;
        QStringList all = args;
        if (withModules)
            all << QStringLiteral("--modules") << modules();
        if (!m_systemLanguage.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
                env.remove(QLatin1String(name));
            env.insert(QStringLiteral("LANG"), m_systemLanguage);
            p.setProcessEnvironment(env);
        }
        p.start(kTool(), all);
        Run r;
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            qWarning("kx20ctl %s did not finish", qPrintable(all.join(QLatin1Char(' '))));
            return r;
        }
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    // The emulated mouse of `family`, without the protocol pauses.
    Run emulate(const QString &family, const QStringList &args)
    {
        return run(QStringList{QStringLiteral("--emulate=") + family, QStringLiteral("--dev-no-pauses")}
                   + args);
    }

    static QString show(const Run &r)
    {
        return QStringLiteral("exit %1\nout:\n%2\nerr:\n%3").arg(r.code).arg(r.out, r.err);
    }

    static int indexOf(const QStringList &lines, const QString &start, int from = 0)
    {
        for (int i = from; i < lines.size(); ++i) {
            if (lines.at(i).startsWith(start))
                return i;
        }
        return -1;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        for (const char *folder : {"setting", "gun"})
            QVERIFY(copyTree(QStringLiteral(KX20_SOURCE_DIR "/modules/") + QLatin1String(folder),
                             modules() + QLatin1Char('/') + QLatin1String(folder)));
    }

    void cleanup()
    {
        m_dir.reset();
        m_systemLanguage.clear();
    }

    void families_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("553") << QStringLiteral("553");
        QTest::newRow("560") << QStringLiteral("560");
    }

    // --- help -----------------------------------------------------------------------
    void helpForTheToolAndEachCommand()
    {
        const Run tool = run({QStringLiteral("--help")}, false);
        QCOMPARE(tool.code, 0);
        QVERIFY(tool.out.startsWith(QStringLiteral("Usage: kx20ctl")));
        for (const char *command : {"list", "info", "rate", "stage", "dpi", "light", "colors", "gun",
                                    "buttons", "apply", "profile", "read-profile", "raw", "listen"}) {
            const Run help = run({QStringLiteral("help"), QLatin1String(command)}, false);
            const Run dashed = run({QLatin1String(command), QStringLiteral("--help")}, false);
            QCOMPARE(help.code, 0);
            QCOMPARE(dashed.code, 0);
            QVERIFY(help.out.contains(QStringLiteral("kx20ctl [OPTIONS] ") + QLatin1String(command)));
            QCOMPARE(dashed.out, help.out);
        }
        QCOMPARE(run({QStringLiteral("help")}, false).out, tool.out);
    }

    void noCommandIsAUsageError()
    {
        const Run r = run({}, false);
        QCOMPARE(r.code, 2);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.errLines().size(), 1);
    }

    // --- bad input: a usage error, one line, and not a byte to the mouse --------------------
    void badArgumentsSendNothing_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("line");
        QTest::newRow("rate 300") << "560"
                                  << "rate 300";
        QTest::newRow("stage 9") << "553"
                                 << "stage 9";
        QTest::newRow("dpi short form below min") << "560"
                                                  << "dpi 4 400 800";
        QTest::newRow("dpi below min") << "553"
                                       << "dpi 4 50 800 1600 3200 4800 6400 12800 16000";
        QTest::newRow("dpi above max") << "560"
                                       << "dpi 4 400 800 1600 3200 4800 6400 12800 16050";
        QTest::newRow("dpi step") << "560"
                                  << "dpi 4 410 800 1600 3200 4800 6400 12800 16000";
        QTest::newRow("light effect") << "553"
                                      << "light 11 0 0";
        QTest::newRow("light speed") << "560"
                                     << "light 1 9 0";
        QTest::newRow("colors value") << "553"
                                      << "colors 1,2,300";
        QTest::newRow("nine colours on 560")
            << "560"
            << "colors 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1 1,1,1";
        QTest::newRow("gun y") << "560"
                               << "gun 1 10 0 99";
        QTest::newRow("read-profile on 553") << "553"
                                             << "read-profile 0";
        QTest::newRow("read-profile 5") << "560"
                                        << "read-profile 5";
        QTest::newRow("raw code") << "560"
                                  << "raw 1ff";
        QTest::newRow("raw both ways") << "560"
                                       << "raw 0c --bulk 00 --recv 4";
        QTest::newRow("buttons profile") << "553"
                                         << "buttons 10";
        QTest::newRow("unknown command") << "560"
                                         << "blink";
        QTest::newRow("json for rate") << "553"
                                       << "rate 500 --json";
        QTest::newRow("send-macro slot 12") << "553"
                                            << "send-macro m1 12";
        QTest::newRow("send-macro without slot") << "560"
                                                 << "send-macro m1";
        QTest::newRow("json for send-macro") << "560"
                                             << "send-macro m1 4 --json";
        QTest::newRow("profile 10") << "553"
                                    << "profile 10";
        QTest::newRow("profile not in the list") << "560"
                                                 << "profile 3";
        QTest::newRow("profile two numbers") << "553"
                                             << "profile 0 1";
        QTest::newRow("json for a switch") << "560"
                                           << "profile 0 --json";
        QTest::newRow("profile option") << "553"
                                        << "profile 0 --force";
    }

    void badArgumentsSendNothing()
    {
        QFETCH(QString, family);
        QFETCH(QString, line);
        const Run r = emulate(family, QStringList{QStringLiteral("--trace")} + line.split(QLatin1Char(' ')));
        QVERIFY2(r.code == 2, qPrintable(show(r)));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.errLines().size(), 1);
        QVERIFY(r.err.startsWith(QStringLiteral("kx20ctl: ")));
        QVERIFY(r.traceLines().isEmpty());
    }

    // A folder named on the command line that is not there is a usage error;
    // a file missing from the folder is a file error.
    void missingFilesAreFileErrors()
    {
        QVERIFY(QFile::remove(setting(QStringLiteral("p8.bin"))));
        const Run profile = emulate(
            QStringLiteral("560"), {QStringLiteral("--trace"), QStringLiteral("apply"), QStringLiteral("7")});
        QVERIFY2(profile.code == 3, qPrintable(show(profile)));
        QVERIFY(profile.err.contains(QStringLiteral("p8.bin")));
        QVERIFY(profile.traceLines().isEmpty());

        const Run folder = run({QStringLiteral("--emulate"), QStringLiteral("info"),
                                QStringLiteral("--modules"), m_dir->filePath(QStringLiteral("nowhere"))},
                               false);
        QCOMPARE(folder.code, 2);
        QVERIFY(QFile::remove(setting(QStringLiteral("apConfig.bin"))));
        const Run config = emulate(QStringLiteral("560"), {QStringLiteral("info")});
        QCOMPARE(config.code, 3);
        QVERIFY(config.err.contains(QStringLiteral("apConfig.bin")));
    }

    // A profile path that is a pipe, or a file far larger than ours, blocks
    // nothing: info runs, sending that profile is a file error naming it,
    // and the file stays as it is.
    void specialProfileFilesNeverBlock()
    {
        const QString pipe = setting(QStringLiteral("p3.bin"));
        QVERIFY(QFile::remove(pipe));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QFile huge(setting(QStringLiteral("p1.bin")));
        QVERIFY(huge.open(QIODevice::Append));
        huge.write(QByteArray(2 * 1024 * 1024, ';'));
        huge.close();
        const QMap<QString, QByteArray> before = snapshot();

        const Run info = emulate(QStringLiteral("560"), {QStringLiteral("info")});
        QVERIFY2(info.code == 0, qPrintable(show(info)));
        QVERIFY(info.err.contains(QStringLiteral("p3.bin ignored (not a regular file)")));
        const Run pipeApply = emulate(QStringLiteral("553"), {QStringLiteral("apply"), QStringLiteral("2")});
        QVERIFY2(pipeApply.code == 3, qPrintable(show(pipeApply)));
        QVERIFY(pipeApply.err.contains(QStringLiteral("p3.bin: not a regular file; not read")));
        const Run hugeApply = emulate(QStringLiteral("560"), {QStringLiteral("apply"), QStringLiteral("0")});
        QVERIFY2(hugeApply.code == 3, qPrintable(show(hugeApply)));
        QVERIFY(hugeApply.err.contains(QStringLiteral("more than a settings file holds; not read")));
        QCOMPARE(snapshot(), before);
        QVERIFY(!QFileInfo(pipe).isFile() && QFileInfo::exists(pipe));
    }

    void unknownSensorIsAUsageError()
    {
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("mouse/sensorType"), QStringLiteral("1234"));
        const Run r = emulate(QStringLiteral("553"),
                              {QStringLiteral("--trace"), QStringLiteral("dpi"), QStringLiteral("2"),
                               QStringLiteral("400"), QStringLiteral("800"), QStringLiteral("1600"),
                               QStringLiteral("3200"), QStringLiteral("4800"), QStringLiteral("6400"),
                               QStringLiteral("12800"), QStringLiteral("16000")});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("unknown sensor type '1234'")));
        QVERIFY(r.traceLines().isEmpty());
    }

    // The same check as the program's: damaged limits give way to sensor
    // 3389's own range (50 to 25550), told once naming apConfig.bin, so a
    // value the limits seemed to allow but the sensor would wrap is refused.
    void damagedDpiLimitsGiveWayToTheSensor()
    {
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("mouse/maxDPI"), QStringLiteral("2147483647"));
        const QStringList stages = {QStringLiteral("400"),  QStringLiteral("800"),  QStringLiteral("1600"),
                                    QStringLiteral("3200"), QStringLiteral("4800"), QStringLiteral("6400"),
                                    QStringLiteral("12800")};
        const Run refused =
            emulate(QStringLiteral("553"), QStringList{QStringLiteral("--trace"), QStringLiteral("dpi"),
                                                       QStringLiteral("2"), QStringLiteral("60000")}
                                               + stages);
        QCOMPARE(refused.code, 2);
        QVERIFY2(refused.err.contains(QStringLiteral("60000 DPI is above")), qPrintable(show(refused)));
        QCOMPARE(refused.errLines().filter(QStringLiteral("apConfig.bin: mouse/minDPI")).size(), 1);
        QVERIFY(refused.sentFeatures().isEmpty());
        const Run taken = emulate(
            QStringLiteral("553"),
            QStringList{QStringLiteral("dpi"), QStringLiteral("2"), QStringLiteral("25550")} + stages);
        QCOMPARE(taken.code, 0);
    }

    void gunNeedsAGunModel()
    {
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("mouse/isGun"), QStringLiteral("false"));
        const Run r =
            emulate(QStringLiteral("553"), {QStringLiteral("gun"), QStringLiteral("1"), QStringLiteral("10"),
                                            QStringLiteral("0"), QStringLiteral("5")});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("mouse/isGun")));
    }

    void badStoredValuesStopApplyBeforeTheFirstByte()
    {
        setKey(QStringLiteral("p1.bin"), QStringLiteral("mouse/reportRate"), QStringLiteral("7"));
        const QMap<QString, QByteArray> before = snapshot();
        const Run r = emulate(QStringLiteral("560"), {QStringLiteral("--trace"), QStringLiteral("apply")});
        QVERIFY2(r.code == 3, qPrintable(show(r)));
        QVERIFY(r.err.contains(QStringLiteral("p1.bin: mouse/reportRate '7'")));
        QVERIFY(r.traceLines().isEmpty());
        QCOMPARE(snapshot(), before);

        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("mouse/profileNo"), QStringLiteral("14"));
        const Run profileNo = emulate(QStringLiteral("553"), {QStringLiteral("buttons")});
        QCOMPARE(profileNo.code, 3);
        QVERIFY(profileNo.err.contains(QStringLiteral("mouse/profileNo")));
        // Naming the profile gets past it.
        QCOMPARE(emulate(QStringLiteral("553"), {QStringLiteral("buttons"), QStringLiteral("2")}).code, 0);
    }

    // --- no device -------------------------------------------------------------------
    void noDeviceRowsMeansNoDevice()
    {
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("common/deviceCount"), 0);
        const Run info = emulate(QStringLiteral("560"), {QStringLiteral("info")});
        QCOMPARE(info.code, 1);
        QVERIFY(info.out.isEmpty());
        QVERIFY(info.err.contains(QStringLiteral("no device")));
        const Run list = emulate(QStringLiteral("560"), {QStringLiteral("list")});
        QCOMPARE(list.code, 1);
        QVERIFY(list.out.contains(QStringLiteral("connected none")));
    }

    void withoutEmulationTheRealDevicesAreAsked()
    {
        // No KX20 is attached where the tests run (or hidraw is not readable).
        const Run r = run({QStringLiteral("info")});
        if (r.code == 0)
            QSKIP("a real mouse answered");
        QVERIFY2(r.code == 1, qPrintable(show(r)));
        QVERIFY(r.err.startsWith(QStringLiteral("kx20ctl: no device")));
        QVERIFY(!r.err.contains(QStringLiteral("emulated")));
    }

    // --- list and info -------------------------------------------------------------------
    void listShowsRowsInterfacesAndHandshake_data() { families_data(); }
    void listShowsRowsInterfacesAndHandshake()
    {
        QFETCH(QString, family);
        const Run r = emulate(family, {QStringLiteral("list")});
        QVERIFY2(r.code == 0, qPrintable(show(r)));
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(
            lines.value(0),
            QStringLiteral(
                "row 0 vid 04d9 pid a1ee command ff00:ff00 event ff01:ff01 reportLength 32 isEncode false"));
        QVERIFY(lines.contains(QStringLiteral("  interface 0 emu:0:command usage ff00:ff00 role command")));
        QVERIFY(lines.contains(QStringLiteral("  interface 0 emu:0:event usage ff01:ff01 role event")));
        QVERIFY(lines.contains(QStringLiteral("  handshake 0 passed")));
        QCOMPARE(lines.last(), QStringLiteral("connected row 0 (emulated)"));

        const Run json = emulate(family, {QStringLiteral("list"), QStringLiteral("--json")});
        QCOMPARE(json.code, 0);
        const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(root.value(QStringLiteral("connectedRow")).toInt(-1), 0);
        QCOMPARE(root.value(QStringLiteral("emulated")).toBool(), true);
        const QJsonObject row = root.value(QStringLiteral("rows")).toArray().at(0).toObject();
        QCOMPARE(row.value(QStringLiteral("handshake")).toString(), QStringLiteral("passed"));
        QCOMPARE(row.value(QStringLiteral("commandPath")).toString(), QStringLiteral("emu:0:command"));
        QCOMPARE(row.value(QStringLiteral("interfaces")).toArray().size(), 2);
    }

    void infoShowsModelAndMouseState_data() { families_data(); }
    void infoShowsModelAndMouseState()
    {
        QFETCH(QString, family);
        const Run r = emulate(family, {QStringLiteral("info")});
        QVERIFY2(r.code == 0, qPrintable(show(r)));
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(lines.contains(QStringLiteral("family ") + family));
        QVERIFY(lines.contains(QStringLiteral("isGun true")));
        QVERIFY(lines.contains(QStringLiteral("sensorType 3389")));
        QVERIFY(lines.contains(QStringLiteral("dpiStage 1")));
        QVERIFY(lines.contains(QStringLiteral("profileNo 0")));
        QCOMPARE(lines.contains(QStringLiteral("deviceProfile 0")), family == QLatin1String("560"));
        QVERIFY(lines.contains(family == QLatin1String("560")
                                   ? QStringLiteral("keyboardOptions 00 00")
                                   : QStringLiteral("keyboardOptions 00 00 00 00")));

        const Run json = emulate(family, {QStringLiteral("--json"), QStringLiteral("info")});
        QCOMPARE(json.code, 0);
        const QJsonObject info = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(info.value(QStringLiteral("family")).toString(), family);
        QCOMPARE(info.value(QStringLiteral("dpiStage")).toInt(), 1);
        QCOMPARE(info.value(QStringLiteral("maxDPI")).toInt(), 16000);
        QCOMPARE(info.value(QStringLiteral("keyboardOptions")).toArray().size(),
                 family == QLatin1String("560") ? 2 : 4);
        QCOMPARE(info.value(QStringLiteral("deviceProfile")).isNull(), family == QLatin1String("553"));
    }

    void scrambledRowIsTalkedToScrambled()
    {
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("0/isEncode"), QStringLiteral("true"));
        const Run r = emulate(QStringLiteral("560"), {QStringLiteral("--trace"), QStringLiteral("info")});
        QVERIFY2(r.code == 0, qPrintable(show(r)));
        QVERIFY(r.out.contains(QStringLiteral("dpiStage 1")));
        // The plain 81H request never travels as it is.
        QVERIFY(!r.sentFeatures().contains(QStringLiteral("00 81 00 00 00 00 00 00 7E")));
        QVERIFY(!r.sentFeatures().isEmpty());
    }

    // --- settings, with the bytes they send ------------------------------------------------
    void rateSendsTheIntervalCode()
    {
        // With the real pauses: the settle pause after the request.
        const Run r = run({QStringLiteral("--emulate=553"), QStringLiteral("--trace"), QStringLiteral("rate"),
                           QStringLiteral("500")});
        QVERIFY2(r.code == 0, qPrintable(show(r)));
        QCOMPARE(r.out, QStringLiteral("sent report rate 500 Hz\n"));
        QCOMPARE(r.sentFeatures().last(), QStringLiteral("00 01 02 00 00 00 00 00 FC"));
        QVERIFY(r.errLines().contains(QStringLiteral("pauses 128 ms in 2 sleeps")));

        // A 560 gun model takes one request, any other 560 the series of four.
        const Run gun = emulate(QStringLiteral("560"),
                                {QStringLiteral("--trace"), QStringLiteral("rate"), QStringLiteral("125")});
        QCOMPARE(gun.code, 0);
        QCOMPARE(gun.sentFeatures().filter(QRegularExpression(QStringLiteral("^00 03 "))),
                 QStringList{QStringLiteral("00 03 01 08 00 00 00 00 F3")});
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("mouse/isGun"), QStringLiteral("false"));
        const Run plain = emulate(QStringLiteral("560"),
                                  {QStringLiteral("--trace"), QStringLiteral("rate"), QStringLiteral("125")});
        QCOMPARE(plain.code, 0);
        QCOMPARE(plain.sentFeatures().filter(QRegularExpression(QStringLiteral("^00 03 "))).size(), 4);
        QVERIFY(plain.errLines().contains(QStringLiteral("pauses 512 ms in 8 sleeps (skipped)")));
    }

    void stageSendsTheStage()
    {
        const Run r553 = emulate(QStringLiteral("553"),
                                 {QStringLiteral("--trace"), QStringLiteral("stage"), QStringLiteral("3")});
        QCOMPARE(r553.code, 0);
        QCOMPARE(r553.sentFeatures().last(), QStringLiteral("00 0B 03 00 00 00 00 00 F1"));
        const Run r560 = emulate(QStringLiteral("560"),
                                 {QStringLiteral("--trace"), QStringLiteral("stage"), QStringLiteral("3")});
        QCOMPARE(r560.code, 0);
        QCOMPARE(r560.sentFeatures().last(), QStringLiteral("00 04 01 03 00 00 00 00 F7"));
    }

    void dpiSendsTheSensorRegisters()
    {
        const QStringList dpi = {QStringLiteral("--trace"), QStringLiteral("dpi"),  QStringLiteral("4"),
                                 QStringLiteral("400"),     QStringLiteral("800"),  QStringLiteral("1600"),
                                 QStringLiteral("3200"),    QStringLiteral("4800"), QStringLiteral("6400"),
                                 QStringLiteral("12800"),   QStringLiteral("16000")};
        const Run r553 = emulate(QStringLiteral("553"), dpi);
        QVERIFY2(r553.code == 0, qPrintable(show(r553)));
        QCOMPARE(r553.sentFeatures().last(), QStringLiteral("00 11 04 08 00 00 00 00 E2"));
        // Sensor 3389: DPI / 50; stages beyond the count are unused.
        QVERIFY(r553.err.contains(
            QStringLiteral("-> output    emu:0:command  [33] 00 08 10 20 40 80 80 80 80 00")));

        const Run r560 = emulate(QStringLiteral("560"), dpi);
        QVERIFY2(r560.code == 0, qPrintable(show(r560)));
        const QStringList sent = r560.sentFeatures();
        // The images are read back before any is patched, then 1..4 go out.
        const int read4 = int(sent.indexOf(QStringLiteral("00 8C 04 00 00 00 00 00 6F")));
        const int write1 = int(sent.indexOf(QStringLiteral("00 0C 01 80 00 00 00 00 72")));
        QVERIFY(read4 >= 0);
        QVERIFY(write1 > read4);
        QVERIFY(sent.contains(QStringLiteral("00 0C 04 80 00 00 00 00 6F")));
        // Image bytes 82..99: the high-range mask twice (stages 7 and 8), then the stages twice.
        QVERIFY(r560.err.contains(QStringLiteral("C0 C0 08 10 20 40 60 80 00 40 08 10 20 40")));
    }

    // Fewer than eight values: that many stages in use, the others as the
    // profile in use stores them (400 800 1600 3200 4800 6400 12800 16000).
    void dpiTakesTheStagesInUse()
    {
        const QMap<QString, QByteArray> before = snapshot();
        const Run r = emulate(QStringLiteral("560"), {QStringLiteral("--trace"), QStringLiteral("dpi"),
                                                      QStringLiteral("900"), QStringLiteral("1800")});
        QVERIFY2(r.code == 0, qPrintable(show(r)));
        QCOMPARE(r.out,
                 QStringLiteral("sent 2 DPI stages of 900 1800 1600 3200 4800 6400 12800 16000 (sensor "
                                "3389)\n"));
        // Bytes 82..99 of the images: high-range mask twice, the stages twice.
        QVERIFY(r.err.contains(QStringLiteral("C0 C0 12 24 20 40 60 80 00 40 12 24 20 40")));
        // The profile file is only read.
        QCOMPARE(snapshot(), before);
    }

    // The effects of the configured mouse by name, and an effect chosen by it.
    void lightListsAndTakesNames()
    {
        const Run list = run({QStringLiteral("--emulate=560"), QStringLiteral("light")});
        QVERIFY2(list.code == 0, qPrintable(show(list)));
        const QStringList lines = list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.at(5), QStringLiteral(" 5  Wave  (speed, brightness)"));

        const Run named = emulate(QStringLiteral("553"),
                                  {QStringLiteral("--trace"), QStringLiteral("light"), QStringLiteral("WAVE"),
                                   QStringLiteral("2"), QStringLiteral("4")});
        QVERIFY2(named.code == 0, qPrintable(show(named)));
        QCOMPARE(named.sentFeatures().last(), QStringLiteral("00 0D 05 FF 05 00 00 00 E9"));
        const Run unknown = emulate(QStringLiteral("553"), {QStringLiteral("light"), QStringLiteral("disco"),
                                                            QStringLiteral("2"), QStringLiteral("4")});
        QCOMPARE(unknown.code, 2);
        QVERIFY(unknown.sentFeatures().isEmpty());
    }

    // Effect names follow the system's language until the program's
    // language is picked (common/language), as in the program.
    void namesFollowTheChosenLanguage()
    {
        QVERIFY(
            copyTree(QStringLiteral(KX20_SOURCE_DIR "/modules/i18n"), modules() + QStringLiteral("/i18n")));
        const auto fifthEffect = [this] {
            const Run list = run({QStringLiteral("--emulate=560"), QStringLiteral("light")});
            return list.out.split(QLatin1Char('\n')).value(5);
        };
        m_systemLanguage = QStringLiteral("fr_FR.UTF-8");
        QCOMPARE(fifthEffect(), QStringLiteral(" 5  Vague  (speed, brightness)"));
        m_systemLanguage = QStringLiteral("de_DE.UTF-8");
        QCOMPARE(fifthEffect(), QStringLiteral(" 5  Wave  (speed, brightness)"));
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("common/language"), QStringLiteral("French"));
        QCOMPARE(fifthEffect(), QStringLiteral(" 5  Vague  (speed, brightness)"));
        // A pick whose file is gone: the system's language again.
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("common/language"), QStringLiteral("Klingon"));
        QCOMPARE(fifthEffect(), QStringLiteral(" 5  Wave  (speed, brightness)"));
    }

    void lightingColoursAndGun_data() { families_data(); }
    void lightingColoursAndGun()
    {
        QFETCH(QString, family);
        const bool is560 = family == QLatin1String("560");
        const Run light = emulate(family, {QStringLiteral("--trace"), QStringLiteral("light"),
                                           QStringLiteral("5"), QStringLiteral("2"), QStringLiteral("4")});
        QVERIFY2(light.code == 0, qPrintable(show(light)));
        QCOMPARE(light.out, QStringLiteral("sent lighting effect 5 speed 2 brightness 4\n"));
        // Colourful, not 571: effect 5 is (5, brightness 0xFF, T1 of speed 2 = 5).
        if (is560)
            QVERIFY(light.err.contains(QStringLiteral("05 FF 05")));
        else
            QCOMPARE(light.sentFeatures().last(), QStringLiteral("00 0D 05 FF 05 00 00 00 E9"));

        const Run colours = emulate(family, {QStringLiteral("--trace"), QStringLiteral("colors"),
                                             QStringLiteral("255,0,0"), QStringLiteral("#00FF10")});
        QVERIFY2(colours.code == 0, qPrintable(show(colours)));
        QVERIFY(colours.sentFeatures().last().startsWith(is560 ? QStringLiteral("00 0C 00 80")
                                                               : QStringLiteral("00 10 00 24")));
        QVERIFY(colours.err.contains(QStringLiteral("FF 00 00 00 FF 10 00 00")));

        const Run gun =
            emulate(family, {QStringLiteral("--trace"), QStringLiteral("gun"), QStringLiteral("2"),
                             QStringLiteral("10"), QStringLiteral("-3"), QStringLiteral("20")});
        QVERIFY2(gun.code == 0, qPrintable(show(gun)));
        if (is560) {
            // Gun slot 2 lives in image 3: F0, then repetitions, X, Y.
            QCOMPARE(gun.sentFeatures().last(), QStringLiteral("00 0C 03 80 00 00 00 00 70"));
            QVERIFY(gun.err.contains(QStringLiteral("F0 0A FD 14")));
        } else {
            QCOMPARE(gun.sentFeatures().last(), QStringLiteral("00 04 00 0A FD 14 01 00 DF"));
        }
    }

    void buttonsAndApplyOnlyReadTheProfile_data() { families_data(); }
    void buttonsAndApplyOnlyReadTheProfile()
    {
        QFETCH(QString, family);
        const QMap<QString, QByteArray> before = snapshot();
        const Run buttons = emulate(family, {QStringLiteral("--trace"), QStringLiteral("buttons")});
        QVERIFY2(buttons.code == 0, qPrintable(show(buttons)));
        QCOMPARE(buttons.out, QStringLiteral("sent button table of profile 0 (p1.bin)\n"));
        QCOMPARE(buttons.sentFeatures().last(), family == QLatin1String("560")
                                                    ? QStringLiteral("00 0D 01 80 00 00 00 00 71")
                                                    : QStringLiteral("00 12 01 40 08 00 00 00 A4"));
        // Button 0 (left, 00 00 F0 00) as the mouse takes it.
        QVERIFY(buttons.err.contains(QStringLiteral("[33] 00 01 00 F0 00 01 00 F1 00")));

        const Run apply =
            emulate(family, {QStringLiteral("--trace"), QStringLiteral("apply"), QStringLiteral("2")});
        QVERIFY2(apply.code == 0, qPrintable(show(apply)));
        QVERIFY(apply.out.startsWith(
            QStringLiteral("sent profile 2 (p3.bin): buttons, report rate 1000 Hz, 4 DPI stages")));
        const QStringList sent = apply.sentFeatures();
        if (family == QLatin1String("553")) {
            // Buttons, rate, DPI, effect, colours (twice), in the program's order.
            const int keys = indexOf(sent, QStringLiteral("00 12 01"));
            const int rate = indexOf(sent, QStringLiteral("00 01 01"), keys);
            const int dpi = indexOf(sent, QStringLiteral("00 11 04"), rate);
            const int effect = indexOf(sent, QStringLiteral("00 0D "), dpi);
            const int colours = indexOf(sent, QStringLiteral("00 10 00 24"), effect);
            QVERIFY2(keys >= 0 && rate > keys && dpi > rate && effect > dpi && colours > effect,
                     qPrintable(sent.join(QLatin1Char('\n'))));
        } else {
            // Buttons and rate, then each changed image once, in image
            // order: the colours in image 0, the DPI stages in image 1.
            const int keys = indexOf(sent, QStringLiteral("00 0D 01 80"));
            const int rate = indexOf(sent, QStringLiteral("00 03 01 01"), keys);
            const int colours = indexOf(sent, QStringLiteral("00 0C 00 80"), rate);
            const int dpi = indexOf(sent, QStringLiteral("00 0C 01 80"), colours);
            QVERIFY2(keys >= 0 && rate > keys && colours > rate && dpi > colours
                         && int(sent.filter(QStringLiteral("00 0C 01 80")).size()) == 1,
                     qPrintable(sent.join(QLatin1Char('\n'))));
        }
        QCOMPARE(snapshot(), before);
    }

    // The slots in words, with the profile's macro names and the
    // program's language; no mouse is needed and nothing is written.
    void slotsInWords()
    {
        setKey(QStringLiteral("p2.bin"), QStringLiteral("mouseKeyMatrix/4"), QVariantList{4, 0, 4, 0});
        setKey(QStringLiteral("p2.bin"), QStringLiteral("mouseMacroKey/4"), QStringLiteral("m1"));
        setKey(QStringLiteral("p2.bin"), QStringLiteral("mouseKeyMatrix/5"), QVariantList{2, 1, 6, 0});
        setKey(QStringLiteral("p2.bin"), QStringLiteral("mouseKeyMatrix/6"), QVariantList{1, 0x2C, 20, 0});
        setKey(QStringLiteral("p2.bin"), QStringLiteral("mouseKeyMatrix/8"), QVariantList{4, 2, 8, 0});
        setKey(QStringLiteral("p2.bin"), QStringLiteral("mouseKeyMatrix/9"), QVariantList{1, 2});
        const QMap<QString, QByteArray> before = snapshot();
        const Run r = run({QStringLiteral("slots"), QStringLiteral("1")});
        QVERIFY2(r.code == 0, qPrintable(show(r)));
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 16);
        QCOMPARE(
            lines.mid(3, 7),
            (QStringList{QStringLiteral("3 Forward Key"), QStringLiteral("4 macro m1, runs once"),
                         QStringLiteral("5 LCtrl+C"), QStringLiteral("6 fire Space every 20 ms, endless"),
                         QStringLiteral("7 Double Fire"),
                         QStringLiteral("8 macro , loops until the button is released"),
                         QStringLiteral("9 damaged entry")}));
        QCOMPARE(lines.last(), QStringLiteral("15 none (FF 00 02 00)"));

        const Run json = run({QStringLiteral("--json"), QStringLiteral("slots"), QStringLiteral("1")});
        QVERIFY2(json.code == 0, qPrintable(show(json)));
        const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(root.value(QStringLiteral("file")).toString(), QStringLiteral("p2.bin"));
        const QJsonObject slot4 = root.value(QStringLiteral("slots")).toArray().at(4).toObject();
        QCOMPARE(slot4.value(QStringLiteral("category")).toString(), QStringLiteral("macro"));
        QCOMPARE(slot4.value(QStringLiteral("text")).toString(), QStringLiteral("macro m1, runs once"));
        QCOMPARE(slot4.value(QStringLiteral("codes")).toArray(), (QJsonArray{4, 0, 4, 0}));
        QCOMPARE(snapshot(), before);
    }

    // A stored macro goes to the mouse's macro slot SLOT+1 in the editor's
    // encoding; a missing macro sends nothing.
    void sendMacroSendsTheEncodedMacro_data() { families_data(); }
    void sendMacroSendsTheEncodedMacro()
    {
        QFETCH(QString, family);
        QDir().mkpath(modules() + QStringLiteral("/macro"));
        {
            QSettings macro(modules() + QStringLiteral("/macro/m1.bin"), QSettings::IniFormat);
            macro.setValue(QStringLiteral("config/total"), 3);
            macro.setValue(QStringLiteral("config/repeat"), 2);
            macro.setValue(QStringLiteral("macro/0"), QStringLiteral("1,A"));
            macro.setValue(QStringLiteral("macro/1"), QStringLiteral("0,120"));
            macro.setValue(QStringLiteral("macro/2"), QStringLiteral("2,A"));
        }
        const Run r = emulate(family, {QStringLiteral("--trace"), QStringLiteral("send-macro"),
                                       QStringLiteral("m1"), QStringLiteral("4")});
        QVERIFY2(r.code == 0, qPrintable(show(r)));
        QCOMPARE(r.out, QStringLiteral("sent macro m1 (8 bytes) for button slot 4 (macro slot 5)\n"));
        const QString command =
            family == QLatin1String("560") ? QStringLiteral("00 0F 05") : QStringLiteral("00 13 05");
        QVERIFY2(indexOf(r.sentFeatures(), command) >= 0,
                 qPrintable(r.sentFeatures().join(QLatin1Char('\n'))));
        QVERIFY2(r.err.contains(QStringLiteral("] 00 00 02 0C 04 81 04 00 00 00")), qPrintable(r.err));

        const Run missing = emulate(family, {QStringLiteral("--trace"), QStringLiteral("send-macro"),
                                             QStringLiteral("nope"), QStringLiteral("4")});
        QCOMPARE(missing.code, 3);
        QVERIFY(missing.traceLines().isEmpty());
    }

    void gunButtonSendsTheGunMatrices()
    {
        setKey(
            QStringLiteral("p2.bin"), QStringLiteral("mouseKeyMatrix/8"),
            QStringList{QStringLiteral("8"), QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("0")});
        const QMap<QString, QByteArray> before = snapshot();
        const Run r = emulate(QStringLiteral("560"),
                              {QStringLiteral("--trace"), QStringLiteral("buttons"), QStringLiteral("1")});
        QVERIFY2(r.code == 0, qPrintable(show(r)));
        QVERIFY(r.out.contains(QStringLiteral("with gun matrices")));
        const QStringList sent = r.sentFeatures();
        const int image0 = int(sent.indexOf(QStringLiteral("00 0C 00 80 00 00 00 00 73")));
        const int user = int(sent.indexOf(QStringLiteral("00 0D 01 80 00 00 00 00 71")));
        const int gun3 = int(sent.indexOf(QStringLiteral("00 0D 04 80 00 00 00 00 6E")));
        QVERIFY(image0 >= 0 && user > image0 && gun3 > user);
        QCOMPARE(sent.last(), QStringLiteral("00 02 01 00 00 00 00 00 FC"));
        // Gun matrix 1 starts with 0B 00 and the fire period of record 0 (M416: 9).
        const QStringList lines = r.errLines();
        int at = -1;
        for (int i = 0; i < lines.size(); ++i) {
            if (lines.at(i).contains(QStringLiteral("00 0D 02 80 00 00 00 00 70")))
                at = i;
        }
        QVERIFY(at >= 0);
        const int output = [&] {
            for (int i = at; i < lines.size(); ++i) {
                if (lines.at(i).contains(QStringLiteral("-> output")))
                    return i;
            }
            return -1;
        }();
        QVERIFY(output > at);
        QVERIFY2(lines.at(output).contains(QStringLiteral("[33] 00 0B 00 09 00")),
                 qPrintable(lines.at(output)));
        QCOMPARE(snapshot(), before);
    }

    // --- profile images and raw commands ---------------------------------------------------
    void readProfilePrintsTheImage()
    {
        const Run r = emulate(QStringLiteral("560"), {QStringLiteral("read-profile"), QStringLiteral("1")});
        QVERIFY2(r.code == 0, qPrintable(show(r)));
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 8);
        for (const QString &line : lines)
            QCOMPARE(line.split(QLatin1Char(' ')).size(), 16);
        // The emulated mouse enables four stages (byte 100).
        QCOMPARE(lines.at(6), QStringLiteral("00 00 00 00 0F 00 00 00 00 00 00 00 00 00 00 00"));
    }

    void rawSendsAndReceives()
    {
        const Run read =
            emulate(QStringLiteral("560"), {QStringLiteral("raw"), QStringLiteral("8c"), QStringLiteral("01"),
                                            QStringLiteral("--recv"), QStringLiteral("128")});
        QVERIFY2(read.code == 0, qPrintable(show(read)));
        const QStringList lines = read.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0), QStringLiteral("sent 00 8C 01 00 00 00 00 00 72 (hid560_8CH_readProfile)"));
        QCOMPARE(lines.value(1), QStringLiteral("answer 00 8C 01 00 00 00 00 00 72"));
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^bulk "))).size(), 8);
        QCOMPARE(lines.value(8), QStringLiteral("bulk 00 00 00 00 0F 00 00 00 00 00 00 00 00 00 00 00"));

        const Run set =
            emulate(QStringLiteral("553"), {QStringLiteral("--trace"), QStringLiteral("raw"),
                                            QStringLiteral("0x10"), QStringLiteral("2"), QStringLiteral("4"),
                                            QStringLiteral("--bulk"), QStringLiteral("11223344")});
        QVERIFY2(set.code == 0, qPrintable(show(set)));
        QCOMPARE(set.out,
                 QStringLiteral("sent 00 10 02 04 00 00 00 00 E9 (hid553_10H_SetLED8StageColor)\nsent bulk "
                                "11 22 33 44\n"));
        QVERIFY(set.err.contains(QStringLiteral("-> output    emu:0:command  [33] 00 11 22 33 44 00")));
    }

    // --- listen --------------------------------------------------------------------------
    void listenPrintsStageSwitchesUntilTerminated_data() { families_data(); }
    void listenPrintsStageSwitchesUntilTerminated()
    {
        QFETCH(QString, family);
        QProcess p;
        p.start(kTool(), {QStringLiteral("--emulate=") + family, QStringLiteral("listen"),
                          QStringLiteral("--modules"), modules()});
        QVERIFY(p.waitForStarted());
        QByteArray err;
        QDeadlineTimer deadline(60000);
        p.setReadChannel(QProcess::StandardError);
        while (!err.contains("listening") && !deadline.hasExpired()) {
            p.waitForReadyRead(int(deadline.remainingTime()));
            err += p.readAllStandardError();
        }
        QVERIFY2(err.contains("listening"), err.constData());
        // Two presses of the emulated DPI button.
        p.write("\n\n");
        QVERIFY(p.waitForBytesWritten(30000));
        QByteArray out;
        p.setReadChannel(QProcess::StandardOutput);
        while (!out.contains("stage 3\n") && !deadline.hasExpired()) {
            p.waitForReadyRead(int(deadline.remainingTime()));
            out += p.readAllStandardOutput();
        }
        QCOMPARE(out, QByteArray("stage 2\nstage 3\n"));
        p.terminate();
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        err += p.readAllStandardError();
        QVERIFY2(!err.contains("emulated mouse:"), err.constData());
    }

    void traceStampsEveryCall()
    {
        const Run r = emulate(QStringLiteral("560"), {QStringLiteral("--trace"), QStringLiteral("info")});
        QCOMPARE(r.code, 0);
        const QStringList trace = r.traceLines();
        QVERIFY(trace.size() > 10);
        qint64 last = 0;
        static const QRegularExpression stamp(QStringLiteral("^trace +(\\d+) ms (->|<-|--|==) "));
        for (const QString &line : trace) {
            const QRegularExpressionMatch m = stamp.match(line);
            QVERIFY2(m.hasMatch(), qPrintable(line));
            const qint64 t = m.captured(1).toLongLong();
            QVERIFY(t >= last);
            last = t;
        }
        // Each command is named, with its request, before its reports.
        const auto find = [&trace](const QString &text) {
            for (int i = 0; i < trace.size(); ++i) {
                if (trace.at(i).contains(text))
                    return i;
            }
            return -1;
        };
        const int command =
            find(QStringLiteral("== command   hid560_84H_GetCurrentDPI  00 84 01 00 00 00 00 00 7A"));
        const int answer = find(QStringLiteral("<- feature   emu:0:command  [9] 00 84 01 01"));
        QVERIFY(command >= 0 && answer > command);
        QVERIFY(
            !trace.mid(command + 1, answer - command).join(QString()).contains(QStringLiteral("== command")));
    }

    // --trace=json: one object a line, the bytes in the clear beside the bytes
    // as sent (scrambled for a row with isEncode), each report with its command.
    void jsonTraceHasClearAndSentBytes()
    {
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("0/isEncode"), QStringLiteral("1"));
        const Run r = emulate(QStringLiteral("553"), {QStringLiteral("--trace=json"), QStringLiteral("rate"),
                                                      QStringLiteral("500")});
        QVERIFY2(r.code == 0, qPrintable(show(r)));
        QString command;
        int features = 0;
        for (const QString &line : r.errLines()) {
            QJsonParseError error;
            const QJsonObject o = QJsonDocument::fromJson(line.toUtf8(), &error).object();
            QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(line));
            for (const char *key : {"time", "direction", "call", "interface", "command"})
                QVERIFY2(o.contains(QLatin1String(key)), qPrintable(line));
            if (o.value(QStringLiteral("call")) == QStringLiteral("command")) {
                command = o.value(QStringLiteral("clear")).toString();
                continue;
            }
            if (o.value(QStringLiteral("call")) != QStringLiteral("feature")
                || o.value(QStringLiteral("direction")) != QStringLiteral("out"))
                continue;
            ++features;
            QCOMPARE(o.value(QStringLiteral("clear")).toString(), command);
            QVERIFY(o.value(QStringLiteral("bytes")).toString() != command);
            QVERIFY(!o.value(QStringLiteral("command")).toString().isEmpty());
        }
        QCOMPARE(features, 2); // the handshake, then the report rate
        QCOMPARE(command, QStringLiteral("00 01 02 00 00 00 00 00 FC"));
    }

    // --- profile ---------------------------------------------------------------------------
    // The list the window shows: "Standard", "Game" as profile 2, "Work" as 5.
    void setProfileList(const QStringList &names = {QStringLiteral("Standard0"), QStringLiteral("Game2"),
                                                    QStringLiteral("Work5")})
    {
        setKey(QStringLiteral("name.bin"), QStringLiteral("profile/profileName"), names);
    }

    QByteArray apConfig() const
    {
        QFile file(setting(QStringLiteral("apConfig.bin")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The [profileLinks] lines of apConfig.bin as they are on disk.
    QStringList storedLinks() const { return ModulesTree::groupLines(apConfig(), "profileLinks"); }

    // A switch sends exactly what apply sends for the profile, then stores
    // it as the profile in use; nothing else is written.
    void profileSwitchSendsWhatApplySends_data() { families_data(); }
    void profileSwitchSendsWhatApplySends()
    {
        QFETCH(QString, family);
        setProfileList();
        // In the order the settings store writes it.
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("mouse/profileNo"), 0);
        const QMap<QString, QByteArray> before = snapshot();
        const Run apply =
            emulate(family, {QStringLiteral("--trace"), QStringLiteral("apply"), QStringLiteral("2")});
        QVERIFY2(apply.code == 0, qPrintable(show(apply)));
        QCOMPARE(snapshot(), before);

        const Run switched =
            emulate(family, {QStringLiteral("--trace"), QStringLiteral("profile"), QStringLiteral("2")});
        QVERIFY2(switched.code == 0, qPrintable(show(switched)));
        QVERIFY(switched.sentReports().size() > 10);
        QCOMPARE(switched.sentReports(), apply.sentReports());
        QCOMPARE(switched.out, apply.out + QStringLiteral("profile 2 (Game) in use\n"));

        QMap<QString, QByteArray> expected = before;
        QByteArray &config = expected[setting(QStringLiteral("apConfig.bin"))];
        QVERIFY(config.contains("\nprofileNo=0\n"));
        config.replace("\nprofileNo=0\n", "\nprofileNo=2\n");
        QCOMPARE(snapshot(), expected);
        // Switching to the profile in use sends it again.
        const Run again = emulate(family, {QStringLiteral("profile"), QStringLiteral("2")});
        QVERIFY2(again.code == 0, qPrintable(show(again)));
        QCOMPARE(snapshot(), expected);
    }

    // Wherever the mouse fails during a switch, the profile in use changes
    // only with exit 0: a switch that did not reach the mouse never looks
    // done.
    void profileSwitchThatFailsKeepsTheProfileInUse_data() { families_data(); }
    void profileSwitchThatFailsKeepsTheProfileInUse()
    {
        QFETCH(QString, family);
        setProfileList();
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("mouse/profileNo"), 0);
        const QByteArray before = apConfig();
        const QByteArray stored = QByteArray(before).replace("\nprofileNo=0\n", "\nprofileNo=5\n");
        const QStringList words = {QStringLiteral("profile"), QStringLiteral("5")};
        const Run clean = emulate(family, QStringList{QStringLiteral("--trace=json")} + words);
        QVERIFY2(clean.code == 0, qPrintable(show(clean)));
        int calls = 0;
        for (const QString &line : clean.errLines())
            calls +=
                line.startsWith(QLatin1Char('{')) && !line.contains(QStringLiteral("\"call\":\"command\""));
        QVERIFY(calls > 20);
        QCOMPARE(apConfig(), stored);

        int failures = 0;
        for (int n : {calls / 3, calls / 2, calls - 10, calls - 2, calls - 1, calls}) {
            for (const QString &fault : {QStringLiteral("silent@%1"), QStringLiteral("write@%1"),
                                         QStringLiteral("send-feature@%1")}) {
                QVERIFY(QFile::remove(setting(QStringLiteral("apConfig.bin"))));
                QFile restore(setting(QStringLiteral("apConfig.bin")));
                QVERIFY(restore.open(QIODevice::WriteOnly));
                restore.write(before);
                restore.close();
                // The write and send-feature faults count those calls only.
                const int nth = fault.startsWith(QLatin1String("silent")) ? n : std::max(1, n / 4);
                const Run r = emulate(family, QStringList{QStringLiteral("--fault"), fault.arg(nth)} + words);
                const QString what = fault.arg(nth) + QLatin1Char('\n') + show(r);
                QVERIFY2(r.code == 0 || r.code == 3, qPrintable(what));
                if (r.code == 0) {
                    QVERIFY2(apConfig() == stored, qPrintable(what));
                    QVERIFY2(r.out.endsWith(QStringLiteral("profile 5 (Work) in use\n")), qPrintable(what));
                } else {
                    ++failures;
                    QVERIFY2(apConfig() == before, qPrintable(what));
                    QVERIFY2(!r.out.contains(QStringLiteral("in use")), qPrintable(what));
                    QVERIFY2(r.err.contains(QStringLiteral("the profile in use stays 0")), qPrintable(what));
                }
            }
        }
        QVERIFY(failures > 0);
    }

    // The list with names, links and the one in use, as lines and as JSON;
    // needs no mouse and writes nothing.
    void profileListsNamesLinksAndTheOneInUse()
    {
        setProfileList();
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("mouse/profileNo"), 2);
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("profileLinks/firefox"), 2);
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("profileLinks/Steam"), 5);
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("profileLinks/code"), 2);
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("profileLinks/old"), 7);
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("profileLinks/broken"), QStringLiteral("x"));
        const QMap<QString, QByteArray> before = snapshot();
        const Run r = run({QStringLiteral("profile")});
        QVERIFY2(r.code == 0, qPrintable(show(r)));
        QCOMPARE(r.out, QStringLiteral("  0  Standard\n"
                                       "* 2  Game      links: code, firefox\n"
                                       "  5  Work      links: steam\n"
                                       "profile 7 is not in the list; linked to it: old\n"));

        const Run json = run({QStringLiteral("profile"), QStringLiteral("--json")});
        QVERIFY2(json.code == 0, qPrintable(show(json)));
        const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(root.value(QStringLiteral("inUse")).toInt(-1), 2);
        const QJsonArray profiles = root.value(QStringLiteral("profiles")).toArray();
        QCOMPARE(profiles.size(), 3);
        const QJsonObject game = profiles.at(1).toObject();
        QCOMPARE(game.value(QStringLiteral("profile")).toInt(), 2);
        QCOMPARE(game.value(QStringLiteral("name")).toString(), QStringLiteral("Game"));
        QCOMPARE(game.value(QStringLiteral("file")).toString(), QStringLiteral("p3.bin"));
        QCOMPARE(game.value(QStringLiteral("inUse")).toBool(), true);
        QCOMPARE(game.value(QStringLiteral("links")).toArray(),
                 (QJsonArray{QStringLiteral("code"), QStringLiteral("firefox")}));
        QCOMPARE(profiles.at(0).toObject().value(QStringLiteral("inUse")).toBool(true), false);
        QCOMPARE(root.value(QStringLiteral("unlistedLinks")).toObject(),
                 (QJsonObject{{QStringLiteral("old"), 7}}));
        QCOMPARE(snapshot(), before);

        // The installed list: one entry and the filler; the first row in the
        // program's language; a profile in use that the list lacks.
        setProfileList({QStringLiteral("Default0"), QStringLiteral("loadersentry")});
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("mouse/profileNo"), 4);
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("common/language"), QStringLiteral("French"));
        const Run installed = run({QStringLiteral("profile")});
        QVERIFY2(installed.code == 0, qPrintable(show(installed)));
        QVERIFY2(installed.out.startsWith(QStringLiteral("  0  Standard\n"
                                                         "the profile in use, 4 (mouse/profileNo), is not in "
                                                         "the list\n")),
                 qPrintable(show(installed)));
        const Run installedJson = run({QStringLiteral("--json"), QStringLiteral("profile")});
        const QJsonArray one = QJsonDocument::fromJson(installedJson.out.toUtf8())
                                   .object()
                                   .value(QStringLiteral("profiles"))
                                   .toArray();
        QCOMPARE(one.size(), 1);

        QVERIFY(QFile::remove(setting(QStringLiteral("name.bin"))));
        const Run none = run({QStringLiteral("profile")});
        QCOMPARE(none.code, 0);
        QVERIFY(none.out.startsWith(QStringLiteral("no profiles in the list")));
    }

    // Links for scripts: each step's output and exit code, and the links
    // apConfig.bin holds afterwards. Nothing else in the file changes.
    void profileLinksAndUnlinks()
    {
        setProfileList();
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("profileLinks/Steam"), 5);
        const QByteArray untouched = apConfig().left(apConfig().indexOf("[profileLinks]"));
        struct Step
        {
            const char *line;
            int code;
            const char *said; // the start of the output or the error line
            QStringList links;
        };
        const QList<Step> steps = {
            {"profile 2 --link Firefox",
             0,
             "linked firefox to profile 2 (Game)\n",
             {QStringLiteral("Steam=5"), QStringLiteral("firefox=2")}},
            {"profile 2 --link=FIREFOX",
             0,
             "firefox is already linked to profile 2 (Game)\n",
             {QStringLiteral("Steam=5"), QStringLiteral("firefox=2")}},
            {"profile 0 --link steam",
             0,
             "linked steam to profile 0 (Standard), moved from profile 5 (Work)\n",
             {QStringLiteral("firefox=2"), QStringLiteral("steam=0")}},
            {"profile --link=code 5",
             0,
             "linked code to profile 5 (Work)\n",
             {QStringLiteral("code=5"), QStringLiteral("firefox=2"), QStringLiteral("steam=0")}},
            {"profile 3 --link code",
             2,
             "kx20ctl: profile: 3 is not in the profile list (it holds 0, 2, 5)",
             {QStringLiteral("code=5"), QStringLiteral("firefox=2"), QStringLiteral("steam=0")}},
            {"profile 2 --unlink steam",
             2,
             "kx20ctl: profile: steam is not linked to profile 2 (it is linked to "
             "profile 0 (Standard))",
             {QStringLiteral("code=5"), QStringLiteral("firefox=2"), QStringLiteral("steam=0")}},
            {"profile 2 --unlink vlc",
             2,
             "kx20ctl: profile: vlc is not linked to profile 2 (it has no link)",
             {QStringLiteral("code=5"), QStringLiteral("firefox=2"), QStringLiteral("steam=0")}},
            {"profile 2 --link usr/bin/vlc",
             2,
             "kx20ctl: profile: 'usr/bin/vlc' cannot be an application name",
             {QStringLiteral("code=5"), QStringLiteral("firefox=2"), QStringLiteral("steam=0")}},
            {"profile --link vlc",
             2,
             "kx20ctl: profile: --link needs the profile N",
             {QStringLiteral("code=5"), QStringLiteral("firefox=2"), QStringLiteral("steam=0")}},
            {"profile 2 --link",
             2,
             "kx20ctl: profile: --link needs an application NAME",
             {QStringLiteral("code=5"), QStringLiteral("firefox=2"), QStringLiteral("steam=0")}},
            {"profile 2 --link a --unlink b",
             2,
             "kx20ctl: profile: give one --link or --unlink",
             {QStringLiteral("code=5"), QStringLiteral("firefox=2"), QStringLiteral("steam=0")}},
            {"profile 2 --unlink Firefox",
             0,
             "unlinked firefox from profile 2 (Game)\n",
             {QStringLiteral("code=5"), QStringLiteral("steam=0")}},
        };
        for (const Step &step : steps) {
            const Run r = run(QString::fromLatin1(step.line).split(QLatin1Char(' ')));
            const QString what = QLatin1String(step.line) + QLatin1Char('\n') + show(r);
            QVERIFY2(r.code == step.code, qPrintable(what));
            QVERIFY2((step.code == 0 ? r.out : r.err).startsWith(QLatin1String(step.said)), qPrintable(what));
            QVERIFY2(step.code == 0 ? r.err.isEmpty() : r.out.isEmpty(), qPrintable(what));
            QCOMPARE(storedLinks(), step.links);
            QVERIFY(apConfig().startsWith(untouched));
        }

        // A link to a profile the list no longer has can still be removed.
        setKey(QStringLiteral("apConfig.bin"), QStringLiteral("profileLinks/old"), 7);
        const Run stale = run({QStringLiteral("profile"), QStringLiteral("7"), QStringLiteral("--unlink"),
                               QStringLiteral("old")});
        QVERIFY2(stale.code == 0, qPrintable(show(stale)));
        QCOMPARE(stale.out, QStringLiteral("unlinked old from profile 7 (not in the list)\n"));
        QCOMPARE(storedLinks(), (QStringList{QStringLiteral("code=5"), QStringLiteral("steam=0")}));

        // A file that cannot be written: the link is refused, the file stays.
        QFile huge(setting(QStringLiteral("apConfig.bin")));
        QVERIFY(huge.open(QIODevice::Append));
        huge.write("\n[padding]\nx=" + QByteArray(2 * 1024 * 1024, 'p') + "\n");
        huge.close();
        const QMap<QString, QByteArray> before = snapshot();
        const Run refused = run({QStringLiteral("profile"), QStringLiteral("2"), QStringLiteral("--link"),
                                 QStringLiteral("vlc")});
        QVERIFY2(refused.code == 3, qPrintable(show(refused)));
        QCOMPARE(snapshot(), before);
    }

    // Faults given on the command line reach the emulated mouse; every one
    // ends in its own exit code and one clear line, never in a hang.
    void faultOptions_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("553 listen, options not written")
            << "--emulate=553 --fault send-feature@3 listen" << 3 << "event reports on";
        QTest::newRow("560 listen, options not read")
            << "--emulate=560 --fault get-feature@2 listen" << 3 << "event reports on";
        QTest::newRow("560 listen, mouse hangs")
            << "--emulate=560 --fault silent@13 listen" << 3 << "event reports on";
        QTest::newRow("unplugged at once") << "--emulate=553 --fault unplug@1 rate 500" << 1 << "no device";
        QTest::newRow("hangs after the handshake")
            << "--emulate=560 --fault silent@12 info" << 3 << "did not answer";
        QTest::newRow("write fails") << "--emulate=553 --fault write@1 dpi 4 400 800 1600 3200 4800 6400 "
                                        "12800 16000"
                                     << 3 << "HID call(s) failed";
        QTest::newRow("no such call") << "--emulate=553 --fault poke@1 info" << 2 << "--fault 'poke@1'";
        QTest::newRow("counted from 1") << "--emulate=553 --fault write@0 info" << 2 << "counts from 1";
        QTest::newRow("real mouse") << "--fault unplug@1 info" << 2 << "needs --emulate";
    }

    void faultOptions()
    {
        QFETCH(QString, line);
        QFETCH(int, code);
        QFETCH(QString, message);
        const Run r = run(QStringList{QStringLiteral("--dev-no-pauses")} + line.split(QLatin1Char(' ')));
        QVERIFY2(r.code == code, qPrintable(show(r)));
        QVERIFY2(r.errLines().filter(message).size() == 1, qPrintable(show(r)));
    }
};

QTEST_MAIN(TestKx20ctl)
#include "test_kx20ctl.moc"
