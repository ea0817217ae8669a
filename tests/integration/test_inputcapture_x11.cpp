// System-wide capture on a real X server: Xvfb started here, keys and clicks
// made by xdotool, and the holder must report them as usage codes and button
// codes with their press and release.
#include "capturerecorder.h"
#include "globalinputcapture.h"
#include "inputhookholder.h"
#include "xvfbserver.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <memory>
#include <vector>

namespace {

constexpr int kSkipCode = 77;

using Recorder = CaptureRecorder;

// Each usage pressed once and then released once, the presses in the given
// order. Empty when so, otherwise what differs.
QString checkPairs(const std::vector<KeyCall> &calls, const std::vector<int> &pressOrder)
{
    std::vector<int> presses;
    for (const KeyCall &call : calls) {
        if (call.pressed)
            presses.push_back(call.usage);
    }
    if (presses != pressOrder) {
        QStringList seen;
        for (const KeyCall &call : calls)
            seen << QStringLiteral("%1%2")
                        .arg(call.usage, 2, 16, QLatin1Char('0'))
                        .arg(call.pressed ? '+' : '-');
        return QStringLiteral("presses differ; seen: ") + seen.join(QLatin1Char(' '));
    }
    for (int usage : pressOrder) {
        std::vector<bool> transitions;
        for (const KeyCall &call : calls) {
            if (call.usage == usage)
                transitions.push_back(call.pressed);
        }
        if (transitions != std::vector<bool>{true, false})
            return QStringLiteral("usage %1 not one press and one release").arg(usage, 2, 16);
    }
    return {};
}

// Collects the debug output while it lives, passing it on as well.
class MessageCollector
{
public:
    MessageCollector()
    {
        s_messages.clear();
        s_previous = qInstallMessageHandler(collect);
    }
    ~MessageCollector() { qInstallMessageHandler(s_previous); }

    static QStringList messages() { return s_messages; }

private:
    static void collect(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        s_messages << message;
        s_previous(type, context, message);
    }

    static inline QStringList s_messages;
    static inline QtMessageHandler s_previous = nullptr;
};

// Counts what the X server records, before any table or state: the repeats
// of a held key show up here as further presses.
class RawKeyCounter : public InputSink
{
public:
    int presses = 0;
    int releases = 0;

    void keyEvent(unsigned, bool, bool, bool pressed) override { ++(pressed ? presses : releases); }
    void buttonEvent(quint32, int, int) override {}
};

QString s_xdotool;

} // namespace

class TestInputCaptureX11 : public QObject
{
    Q_OBJECT

private:
    Recorder m_recorder;
    std::unique_ptr<InputHookHolder> m_holder;

    // Runs xdotool with space-separated arguments while the event loop keeps
    // reading what the capture records.
    bool xdotool(const char *arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(s_xdotool, QString::fromLatin1(arguments).split(QLatin1Char(' ')));
        if (!process.waitForStarted(10000))
            return false;
        const auto finished = [&process] {
            return process.state() == QProcess::NotRunning;
        };
        return QTest::qWaitFor(finished, 30000) && process.exitStatus() == QProcess::NormalExit
               && process.exitCode() == 0;
    }

    void installHolder()
    {
        m_holder = std::make_unique<InputHookHolder>(0);
        m_holder->registerKeyboardCallback(&Recorder::onKey, &m_recorder);
        m_holder->registerMouseCallback(&Recorder::onButton, &m_recorder);
    }

private slots:
    void initTestCase()
    {
        installHolder();
        QCOMPARE(m_holder->capture(), InputHookHolder::Capture::SystemWide);
    }

    void init() { m_recorder.clear(); }

    // A key left held by a failed test would spoil the next ones.
    void cleanup()
    {
        if (QTest::currentTestFailed())
            xdotool("keyup a");
    }

    void keysGiveUsagesInPressReleasePairs()
    {
        MessageCollector collector;
        QVERIFY(
            xdotool("key --delay 5 a Return KP_Enter shift+b Print F1 F12 Up Down Left Right Home End Prior "
                    "Next Insert Delete Escape BackSpace Tab space Pause Scroll_Lock Control_R Alt_R Super_L "
                    "Menu backslash KP_Divide KP_Multiply"));
        // xdotool presses a right-hand Ctrl or Alt together with the left one
        // of the same modifier.
        const std::vector<int> expected{0x04, 0x28, 0x58, 0xE1, 0x05, 0x46, 0x3A, 0x45, 0x52, 0x51, 0x50,
                                        0x4F, 0x4A, 0x4D, 0x4B, 0x4E, 0x49, 0x4C, 0x29, 0x2A, 0x2B, 0x2C,
                                        0x48, 0x47, 0xE0, 0xE4, 0xE2, 0xE6, 0xE3, 0x65, 0x31, 0x54, 0x55};
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder.keys.size() >= expected.size() * 2, 10000);
        QCOMPARE(m_recorder.keys.size(), expected.size() * 2);
        const QString difference = checkPairs(m_recorder.keys, expected);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QVERIFY(m_recorder.buttons.empty());
        // Nothing about the keys went anywhere but the callback.
        QVERIFY2(MessageCollector::messages().isEmpty(),
                 qPrintable(MessageCollector::messages().join(QLatin1Char('\n'))));
    }

    void mainButtonsGiveTheirCodesAndRootCoordinates()
    {
        // Wheel steps (4 to 6) are no buttons the scene records.
        QVERIFY(xdotool("mousemove 100 200 click 1 click 3 click 2 click 4 click 5 click 6 "
                        "mousemove 300 40 click --repeat 2 --delay 30 1"));
        const std::vector<ButtonCall> expected{
            {0xF0, true, 100, 200}, {0xF0, false, 100, 200}, {0xF1, true, 100, 200}, {0xF1, false, 100, 200},
            {0xF2, true, 100, 200}, {0xF2, false, 100, 200}, {0xF0, true, 300, 40},  {0xF0, false, 300, 40},
            {0xF0, true, 300, 40},  {0xF0, false, 300, 40}};
        QTRY_COMPARE_WITH_TIMEOUT(m_recorder.buttons.size(), expected.size(), 10000);
        QCOMPARE(m_recorder.buttons, expected);
        QVERIFY(m_recorder.keys.empty());
    }

    // The X server repeats a held key as further presses; the scene sees one
    // press and one release. A second, raw capture watches the repeats.
    void heldKeyGivesOnePressAndOneRelease()
    {
        RawKeyCounter raw;
        GlobalInputCapture rawCapture(raw);
        QVERIFY(rawCapture.install());

        QVERIFY(xdotool("keydown a"));
        QTRY_VERIFY_WITH_TIMEOUT(raw.presses >= 4, 10000);
        QVERIFY(xdotool("keyup a"));
        QTRY_COMPARE(raw.releases, 1);
        QTRY_COMPARE(m_recorder.keys.size(), std::size_t(2));
        const QString difference = checkPairs(m_recorder.keys, {0x04});
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // Removing the capture ends the recording; a new holder records anew and
    // nothing is reported twice.
    void reinstalledCaptureReportsOnce()
    {
        m_holder.reset();
        QVERIFY(xdotool("key z"));
        installHolder();
        QCOMPARE(m_holder->capture(), InputHookHolder::Capture::SystemWide);
        QVERIFY(xdotool("key a"));
        QTRY_COMPARE(m_recorder.keys.size(), std::size_t(2));
        const QString difference = checkPairs(m_recorder.keys, {0x04});
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void cleanupTestCase() { m_holder.reset(); }
};

int main(int argc, char **argv)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    s_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || s_xdotool.isEmpty()) {
        fprintf(stderr, "SKIP: Xvfb or xdotool not found\n");
        return kSkipCode;
    }
    XvfbServer server(xvfb);
    const QByteArray display = server.display();
    if (display.isEmpty()) {
        fprintf(stderr, "FAIL: Xvfb did not start\n");
        return 1;
    }
    // The capture talks to the X server itself; Qt's own windows stay
    // offscreen.
    qputenv("DISPLAY", display);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int result = 1;
    {
        QApplication app(argc, argv);
        TestInputCaptureX11 test;
        result = QTest::qExec(&test, argc, argv);
    }
    return result;
}

#include "test_inputcapture_x11.moc"
