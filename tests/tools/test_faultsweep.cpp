// Every kx20ctl command that writes to the mouse, on both chip families, with
// a fault at a HID call: the mouse unplugged there, the mouse no longer
// answering from there, or that one call failing. Whatever the fault: no
// crash, no hang, the link free and nothing left open, exit 0 only when the
// mouse took every command of a clean run and 3 (or 1, when the fault struck
// before the connection stood) otherwise, and no settings file written.
//
// The plain run samples the call numbers; KX20_FAULT_SWEEP=full tries every
// one (bench/bench_faultsweep.sh).
#include "modulestree.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <set>

namespace {

constexpr int kRunTimeoutMs = 30000;
// Call numbers tried in the plain run besides the first few and the last.
constexpr int kSampledCalls = 4;

struct Run
{
    int code = -1; // -1: crashed or hung
    QStringList errLines;

    // What the developer report says the mouse took, in order; the
    // handshake's challenge changes with the clock and is left out.
    QStringList taken() const
    {
        QStringList took = errLines.filter(QStringLiteral("kx20ctl: dev: mouse took "));
        took.removeIf([](const QString &line) {
            return line.startsWith(QStringLiteral("kx20ctl: dev: mouse took 00 "));
        });
        return took;
    }
    bool linkLeftFree() const
    {
        return errLines.contains(QStringLiteral("kx20ctl: dev: link free, 0 open handle(s)"));
    }
};

// The fault name of one traced call.
QString faultCall(const QJsonObject &call)
{
    const QString name = call.value(QStringLiteral("call")).toString();
    if (name == QLatin1String("blocking"))
        return QStringLiteral("nonblocking");
    if (name == QLatin1String("feature"))
        return call.value(QStringLiteral("direction")) == QLatin1String("out")
                   ? QStringLiteral("send-feature")
                   : QStringLiteral("get-feature");
    if (name == QLatin1String("output"))
        return QStringLiteral("write");
    if (name == QLatin1String("input"))
        return QStringLiteral("read-timeout");
    return name; // enumerate, open, close
}

QList<int> callNumbers(int total)
{
    std::set<int> numbers;
    if (qEnvironmentVariable("KX20_FAULT_SWEEP") == QLatin1String("full")) {
        for (int n = 1; n <= total + 1; ++n)
            numbers.insert(n);
    } else {
        for (int n = 1; n <= 2; ++n)
            numbers.insert(n);
        for (int i = 1; i <= kSampledCalls; ++i)
            numbers.insert(1 + i * total / (kSampledCalls + 1));
        numbers.insert(total);
    }
    return QList<int>(numbers.begin(), numbers.end());
}

} // namespace

class TestFaultSweep : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ModulesTree> m_tree;

    Run run(const QString &family, const QStringList &command, const QStringList &extra)
    {
        QProcess p;
        p.start(QStringLiteral(KX20_BIN_DIR "/kx20ctl"),
                QStringList{QStringLiteral("--emulate=") + family, QStringLiteral("--dev-no-pauses"),
                            QStringLiteral("--dev-mouse-report"), QStringLiteral("--modules"),
                            m_tree->path(QStringLiteral("modules"))}
                    + extra + command);
        Run r;
        if (!p.waitForFinished(kRunTimeoutMs)) {
            p.kill();
            p.waitForFinished();
        } else if (p.exitStatus() == QProcess::NormalExit) {
            r.code = p.exitCode();
        }
        r.errLines = QString::fromUtf8(p.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return r;
    }

private slots:
    void init()
    {
        m_tree = std::make_unique<ModulesTree>();
        m_tree->install(QStringLiteral("setting"));
        m_tree->install(QStringLiteral("gun"));
    }

    void cleanup() { m_tree.reset(); }

    void faultAtEveryCall_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("command");
        const QStringList commands = {
            QStringLiteral("rate 1000"),
            QStringLiteral("stage 3"),
            QStringLiteral("dpi 4 400 800 1600 3200 4800 6400 12800 16000"),
            QStringLiteral("light 1 2 3"),
            QStringLiteral("colors 255,0,0 0,255,0"),
            QStringLiteral("gun 1 10 -3 5"),
            QStringLiteral("buttons 1"),
            QStringLiteral("apply 1"),
            QStringLiteral("raw 10 02 04 --bulk 11223344"),
        };
        for (const char *family : {"553", "560"}) {
            for (const QString &command : commands)
                QTest::newRow(
                    qPrintable(QLatin1String(family) + QLatin1Char(' ') + command.section(' ', 0, 0)))
                    << QString::fromLatin1(family) << command;
        }
    }

    void faultAtEveryCall()
    {
        QFETCH(QString, family);
        QFETCH(QString, command);
        const QStringList words = command.split(QLatin1Char(' '));
        const QStringList files = m_tree->snapshot();

        // A clean run: the calls it makes, and what the mouse takes.
        const Run clean = run(family, words, {QStringLiteral("--trace=json")});
        QVERIFY2(clean.code == 0, qPrintable(clean.errLines.join(QLatin1Char('\n'))));
        QList<QJsonObject> calls;
        int connected = 0; // calls made until the handshake is through
        for (const QString &line : clean.errLines) {
            if (!line.startsWith(QLatin1Char('{')))
                continue;
            const QJsonObject call = QJsonDocument::fromJson(line.toUtf8()).object();
            if (call.value(QStringLiteral("call")) != QLatin1String("command"))
                calls.append(call);
            else if (connected == 0 && call.value(QStringLiteral("code")) != QLatin1String("00"))
                connected = int(calls.size());
        }
        QVERIFY(connected > 0);

        QElapsedTimer timer;
        timer.start();
        int runs = 0;
        for (int n : callNumbers(int(calls.size()))) {
            QStringList faults = {QStringLiteral("unplug@%1").arg(n), QStringLiteral("silent@%1").arg(n)};
            if (n <= calls.size()) {
                const QString kind = faultCall(calls.at(n - 1));
                int nth = 0;
                for (int i = 0; i < n; ++i)
                    nth += faultCall(calls.at(i)) == kind ? 1 : 0;
                faults.append(QStringLiteral("%1@%2").arg(kind).arg(nth));
            }
            for (const QString &fault : faults) {
                const Run r = run(family, words, {QStringLiteral("--fault"), fault});
                ++runs;
                const QString what = QStringLiteral("%1 with --fault %2: exit %3\n%4")
                                         .arg(command, fault)
                                         .arg(r.code)
                                         .arg(r.errLines.join(QLatin1Char('\n')));
                QVERIFY2(r.code >= 0, qPrintable(what));
                QVERIFY2(r.linkLeftFree(), qPrintable(what));
                const bool reached = r.taken() == clean.taken();
                if (reached)
                    QVERIFY2(r.code == 0 || r.code == 3, qPrintable(what));
                else
                    QVERIFY2(r.code == 3 || (r.code == 1 && n <= connected), qPrintable(what));
                QVERIFY2(m_tree->snapshot() == files, qPrintable(what));
            }
        }
        qInfo("%d runs over %lld calls in %lld ms", runs, qint64(calls.size()), timer.elapsed());
    }
};

QTEST_MAIN(TestFaultSweep)
#include "test_faultsweep.moc"
