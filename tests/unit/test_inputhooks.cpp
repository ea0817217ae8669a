#include "capturerecorder.h"
#include "copydatafilter.h"
#include "hookdispatcher.h"
#include "inputhookholder.h"
#include "ownwindowcapture.h"
#include "qtkeyscancodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <vector>

namespace {

using Recorder = CaptureRecorder;
using Pairs = std::vector<std::pair<int, bool>>;

constexpr quint32 kXKeycodeA = 38;
constexpr quint32 kXKeycodeKeypadEnter = 104;

QKeyEvent nativeKey(QEvent::Type type, int key, quint32 nativeScanCode, bool autoRepeat = false,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return QKeyEvent(type, key, modifiers, nativeScanCode, 0, 0, QString(), autoRepeat);
}

QStringList s_messages;

void collectMessages(QtMsgType, const QMessageLogContext &, const QString &message)
{
    s_messages << message;
}

} // namespace

class TestInputHooks : public QObject
{
    Q_OBJECT

private slots:
    // --- the dispatcher: what the hooks hand to the scene

    void heldKeyReportsOnePressAndOneRelease()
    {
        HookDispatcher dispatcher(0);
        Recorder recorder;
        recorder.attach(dispatcher);
        for (int repeat = 0; repeat < 30; ++repeat)
            dispatcher.keyEvent(0x1E, false, false, true);
        QCOMPARE(recorder.keyPairs(), (Pairs{{0x04, true}}));
        QVERIFY(dispatcher.isPressed(0x04));
        dispatcher.keyEvent(0x1E, false, false, false);
        dispatcher.keyEvent(0x1E, false, false, false);
        QCOMPARE(recorder.keyPairs(), (Pairs{{0x04, true}, {0x04, false}}));
        QCOMPARE(recorder.keys.front().context, static_cast<void *>(&recorder));
    }

    void enterKeysAndPrintScreen()
    {
        HookDispatcher dispatcher(0);
        Recorder recorder;
        recorder.attach(dispatcher);
        dispatcher.keyEvent(0x1C, false, false, true);
        dispatcher.keyEvent(0x1C, false, false, false);
        dispatcher.keyEvent(0x1C, true, false, true);
        dispatcher.keyEvent(0x1C, true, false, false);
        // Alt+SysRq and Print Screen are one usage: a press of either while
        // the other is held is no new transition.
        dispatcher.keyEvent(0x54, false, true, true);
        dispatcher.keyEvent(0x54, false, true, false);
        dispatcher.keyEvent(0x37, true, false, true);
        dispatcher.keyEvent(0x37, true, false, false);
        dispatcher.keyEvent(0x54, false, false, true); // SysRq without Alt
        dispatcher.keyEvent(0x54, false, false, false);
        dispatcher.keyEvent(0x5C, true, false, true); // right Windows
        dispatcher.keyEvent(0x70, false, false, true);
        QCOMPARE(recorder.keyPairs(), (Pairs{{0x28, true},
                                             {0x28, false},
                                             {0x58, true},
                                             {0x58, false},
                                             {0x46, true},
                                             {0x46, false},
                                             {0x46, true},
                                             {0x46, false}}));
    }

    void layoutOptionReachesTheDispatcher()
    {
        for (const auto &[option, usage] : {std::pair{0, 0x31}, std::pair{1, 0x32}}) {
            HookDispatcher dispatcher{quint8(option)};
            Recorder recorder;
            recorder.attach(dispatcher);
            dispatcher.keyEvent(0x2B, false, false, true);
            QCOMPARE(recorder.keyPairs(), (Pairs{{usage, true}}));
        }
    }

    // The state is kept whether or not anyone listens: a key pressed before
    // the callback was registered reports only its release.
    void keyStateIsKeptWithoutCallback()
    {
        HookDispatcher dispatcher(0);
        dispatcher.keyEvent(0x2A, false, false, true);
        Recorder recorder;
        recorder.attach(dispatcher);
        dispatcher.keyEvent(0x2A, false, false, true);
        dispatcher.keyEvent(0x2A, false, false, false);
        QCOMPARE(recorder.keyPairs(), (Pairs{{0xE1, false}}));

        // A null function clears the slot.
        dispatcher.registerKeyboardCallback(nullptr, &recorder);
        dispatcher.keyEvent(0x2A, false, false, true);
        QCOMPARE(recorder.keys.size(), std::size_t(1));
    }

    void releaseAllReportsHeldKeysOnce()
    {
        HookDispatcher dispatcher(0);
        Recorder recorder;
        recorder.attach(dispatcher);
        dispatcher.keyEvent(0x2A, false, false, true); // left Shift
        dispatcher.keyEvent(0x1E, false, false, true); // A
        dispatcher.keyEvent(0x30, false, false, true); // B
        dispatcher.keyEvent(0x30, false, false, false);
        recorder.keys.clear();
        dispatcher.releaseAllKeys();
        dispatcher.releaseAllKeys();
        QCOMPARE(recorder.keyPairs(), (Pairs{{0x04, false}, {0xE1, false}}));
        dispatcher.keyEvent(0x1E, false, false, true);
        QCOMPARE(recorder.keyPairs().back(), (std::pair{0x04, true}));
    }

    void buttonsAndDoubleClicks()
    {
        HookDispatcher dispatcher(0);
        Recorder recorder;
        recorder.attach(dispatcher);
        // A double click as the window messages give it: the double-click
        // message stands in for the second down and is ignored.
        dispatcher.buttonEvent(0x0201, 10, 20);
        dispatcher.buttonEvent(0x0202, 10, 20);
        dispatcher.buttonEvent(0x0203, 10, 20);
        dispatcher.buttonEvent(0x0202, 10, 20);
        dispatcher.buttonEvent(0x0204, -5, 7); // right, on a monitor left of the primary
        dispatcher.buttonEvent(0x0206, -5, 7);
        dispatcher.buttonEvent(0x0205, -5, 7);
        dispatcher.buttonEvent(0x0207, 0, 0);
        dispatcher.buttonEvent(0x0208, 0, 0);
        dispatcher.buttonEvent(0x0200, 1, 1); // move
        dispatcher.buttonEvent(0x020A, 1, 1); // wheel
        // No state: a second down is reported again.
        dispatcher.buttonEvent(0x0201, 3, 4);
        dispatcher.buttonEvent(0x0201, 3, 4);
        QCOMPARE(recorder.buttons, (std::vector<ButtonCall>{{0xF0, true, 10, 20},
                                                            {0xF0, false, 10, 20},
                                                            {0xF0, false, 10, 20},
                                                            {0xF1, true, -5, 7},
                                                            {0xF1, false, -5, 7},
                                                            {0xF2, true, 0, 0},
                                                            {0xF2, false, 0, 0},
                                                            {0xF0, true, 3, 4},
                                                            {0xF0, true, 3, 4}}));
        QVERIFY(recorder.keys.empty());
    }

    // --- the copy-data filter's decision

    void copyDataIsHandledOnceACallbackIsSet()
    {
        struct Seen
        {
            int calls = 0;
            CopyDataMessage data;
        } seen;
        CopyDataFilter filter(nullptr, nullptr);
        const char text[] = "abc";
        const CopyDataMessage data{0x250F, 3, text};
        qintptr result = 0;
        QVERIFY(!filter.handleMessage(CopyDataFilter::kWmCopyData, data, &result));
        QCOMPARE(result, qintptr(0));

        filter.setHandler(
            [](const CopyDataMessage &d, void *context) {
                auto *s = static_cast<Seen *>(context);
                ++s->calls;
                s->data = d;
            },
            &seen);
        // Any tag is handled: checking it is the callback's business.
        for (quintptr tag : {quintptr(0x250F), quintptr(7)}) {
            result = 0;
            QVERIFY(
                filter.handleMessage(CopyDataFilter::kWmCopyData, CopyDataMessage{tag, 3, text}, &result));
            QCOMPARE(result, qintptr(1));
            QCOMPARE(seen.data.tag, tag);
        }
        QCOMPARE(seen.calls, 2);
        QCOMPARE(seen.data.size, quint32(3));
        QCOMPARE(seen.data.data, static_cast<const void *>(text));
        QVERIFY(!filter.handleMessage(0x004B, data, &result));
        QVERIFY(filter.handleMessage(CopyDataFilter::kWmCopyData, data, nullptr));
        QCOMPARE(seen.calls, 3);
    }

    // --- the fallback: keys and buttons that reach our own windows

    void ownWindowKeysGoThroughTheTables()
    {
        HookDispatcher dispatcher(0);
        Recorder recorder;
        recorder.attach(dispatcher);
        OwnWindowCapture capture(dispatcher);
        QWidget widget;

        QKeyEvent press = nativeKey(QEvent::KeyPress, Qt::Key_A, kXKeycodeA);
        QKeyEvent repeat = nativeKey(QEvent::KeyPress, Qt::Key_A, kXKeycodeA, true);
        QKeyEvent repeatRelease = nativeKey(QEvent::KeyRelease, Qt::Key_A, kXKeycodeA, true);
        QKeyEvent release = nativeKey(QEvent::KeyRelease, Qt::Key_A, kXKeycodeA);
        // Qt hands one key event to the window and then along the widget chain.
        QApplication::sendEvent(&widget, &press);
        QApplication::sendEvent(&widget, &press);
        QApplication::sendEvent(&widget, &repeatRelease);
        QApplication::sendEvent(&widget, &repeat);
        QApplication::sendEvent(&widget, &release);
        QKeyEvent keypadEnter = nativeKey(QEvent::KeyPress, Qt::Key_Enter, kXKeycodeKeypadEnter);
        QKeyEvent keypadEnterUp = nativeKey(QEvent::KeyRelease, Qt::Key_Enter, kXKeycodeKeypadEnter);
        QApplication::sendEvent(&widget, &keypadEnter);
        QApplication::sendEvent(&widget, &keypadEnterUp);
        QCOMPARE(recorder.keyPairs(), (Pairs{{0x04, true}, {0x04, false}, {0x58, true}, {0x58, false}}));

        // Without a native scan code (synthetic events, some platforms) the
        // Qt key stands in.
        recorder.keys.clear();
        QTest::keyClick(&widget, Qt::Key_B);
        QTest::keyClick(&widget, Qt::Key_Return);
        QTest::keyClick(&widget, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(
            recorder.keyPairs(),
            (Pairs{{0x05, true}, {0x05, false}, {0x28, true}, {0x28, false}, {0x58, true}, {0x58, false}}));
    }

    void ownWindowButtonsAreReportedOncePerChange()
    {
        HookDispatcher dispatcher(0);
        Recorder recorder;
        recorder.attach(dispatcher);
        OwnWindowCapture capture(dispatcher);
        QWidget widget;
        widget.resize(200, 100);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));

        const QPoint local(20, 30);
        const QPoint global = widget.mapToGlobal(local);
        QTest::mouseClick(&widget, Qt::LeftButton, {}, local);
        QTest::mouseClick(&widget, Qt::RightButton, {}, local);
        QTest::mouseClick(&widget, Qt::MiddleButton, {}, local);
        // Through the window, as the window system delivers a double click.
        QTest::mouseDClick(widget.windowHandle(), Qt::LeftButton, {}, local);
        QTest::mouseClick(&widget, Qt::BackButton, {}, local);

        std::vector<ButtonCall> expected{
            {0xF0, true, global.x(), global.y()}, {0xF0, false, global.x(), global.y()},
            {0xF1, true, global.x(), global.y()}, {0xF1, false, global.x(), global.y()},
            {0xF2, true, global.x(), global.y()}, {0xF2, false, global.x(), global.y()}};
        // The double click: its downs and ups, whatever Qt adds between them.
        const std::vector<ButtonCall> clicks(recorder.buttons.begin()
                                                 + std::min<std::size_t>(6, recorder.buttons.size()),
                                             recorder.buttons.end());
        recorder.buttons.resize(std::min<std::size_t>(6, recorder.buttons.size()));
        QCOMPARE(recorder.buttons, expected);
        QVERIFY(!clicks.empty() && clicks.size() % 2 == 0);
        for (std::size_t i = 0; i < clicks.size(); ++i)
            QCOMPARE(clicks[i], (ButtonCall{0xF0, i % 2 == 0, global.x(), global.y()}));

        // One press delivered to the window and again to the widget.
        recorder.buttons.clear();
        QMouseEvent down(QEvent::MouseButtonPress, QPointF(local), QPointF(global), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&widget, &down);
        QApplication::sendEvent(&widget, &down);
        QCOMPARE(recorder.buttons, (std::vector<ButtonCall>{{0xF0, true, global.x(), global.y()}}));
    }

    // Releases made in another program's window never reach ours: when the
    // program loses the focus, what it saw held is released.
    void losingTheFocusReleasesWhatIsHeld()
    {
        HookDispatcher dispatcher(0);
        Recorder recorder;
        recorder.attach(dispatcher);
        OwnWindowCapture capture(dispatcher);
        QWidget widget;
        QKeyEvent press = nativeKey(QEvent::KeyPress, Qt::Key_A, kXKeycodeA);
        QApplication::sendEvent(&widget, &press);
        QMouseEvent down(QEvent::MouseButtonPress, QPointF(1, 2), QPointF(41, 42), Qt::RightButton,
                         Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(&widget, &down);

        QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
        QApplication::sendEvent(qApp, &inactive);
        QCOMPARE(recorder.keyPairs(), (Pairs{{0x04, true}, {0x04, false}}));
        QCOMPARE(recorder.buttons, (std::vector<ButtonCall>{{0xF1, true, 41, 42}, {0xF1, false, 41, 42}}));
        QApplication::sendEvent(qApp, &inactive);
        QCOMPARE(recorder.keys.size(), std::size_t(2));
        QCOMPARE(recorder.buttons.size(), std::size_t(2));
    }

    void nativeScanCodesByPlatform()
    {
        QKeyEvent windowsKeypadEnter = nativeKey(QEvent::KeyPress, Qt::Key_Enter, 0x11C);
        QCOMPARE(scanCodeForKeyEvent(windowsKeypadEnter, OwnWindowCapture::NativeCodes::WindowsScanCode),
                 (ScanCode{0x1C, true}));
        QKeyEvent xPrint = nativeKey(QEvent::KeyPress, Qt::Key_Print, 107);
        QCOMPARE(scanCodeForKeyEvent(xPrint, OwnWindowCapture::NativeCodes::XKeycode),
                 (ScanCode{0x37, true}));
        QCOMPARE(scanCodeForQtKey(Qt::Key_Home, Qt::NoModifier), (ScanCode{0x47, true}));
        QCOMPARE(scanCodeForQtKey(Qt::Key_Home, Qt::KeypadModifier), (ScanCode{0x47, false}));
        QCOMPARE(scanCodeForQtKey(Qt::Key_7, Qt::KeypadModifier), (ScanCode{0x47, false}));
        QCOMPARE(scanCodeForQtKey(Qt::Key_0, Qt::NoModifier), (ScanCode{0x0B, false}));
        QCOMPARE(scanCodeForQtKey(Qt::Key_1, Qt::NoModifier), (ScanCode{0x02, false}));
        QCOMPARE(scanCodeForQtKey(Qt::Key_Z, Qt::NoModifier), (ScanCode{0x2C, false}));
        QCOMPARE(scanCodeForQtKey(Qt::Key_F12, Qt::NoModifier), (ScanCode{0x58, false}));
        QVERIFY(!scanCodeForQtKey(Qt::Key_VolumeUp, Qt::NoModifier).isValid());
    }

    // --- the holder

    // No X server here: the holder falls back to our own windows, says so
    // once, and nothing it logs carries a key.
    void holderFallsBackToOwnWindowAndLogsNoKeys()
    {
        Recorder recorder;
        s_messages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectMessages);
        {
            InputHookHolder holder(0);
            QCOMPARE(holder.capture(), InputHookHolder::Capture::OwnWindow);
            holder.registerKeyboardCallback(&Recorder::onKey, &recorder);
            holder.registerMouseCallback(&Recorder::onButton, &recorder);
            holder.registerCopyDataCallback([](const CopyDataMessage &, void *) {}, &recorder, qApp);
            QCOMPARE(s_messages.size(), 1);
            QVERIFY(s_messages.front().startsWith(QLatin1String("Input capture: own window only")));
            s_messages.clear();

            QWidget widget;
            widget.show();
            QVERIFY(QTest::qWaitForWindowExposed(&widget));
            for (quint32 keycode : {38u, 104u, 50u, 107u}) {
                QKeyEvent press = nativeKey(QEvent::KeyPress, 0, keycode);
                QKeyEvent release = nativeKey(QEvent::KeyRelease, 0, keycode);
                QApplication::sendEvent(&widget, &press);
                QApplication::sendEvent(&widget, &release);
            }
            QTest::mouseClick(&widget, Qt::LeftButton);
        }
        qInstallMessageHandler(previous);
        QCOMPARE(recorder.keyPairs(), (Pairs{{0x04, true},
                                             {0x04, false},
                                             {0x58, true},
                                             {0x58, false},
                                             {0xE1, true},
                                             {0xE1, false},
                                             {0x46, true},
                                             {0x46, false}}));
        QCOMPARE(recorder.buttons.size(), std::size_t(2));
        QVERIFY2(s_messages.isEmpty(), qPrintable(s_messages.join(QLatin1Char('\n'))));

        // Gone with the holder: later events reach nobody.
        recorder.keys.clear();
        QWidget widget;
        QKeyEvent press = nativeKey(QEvent::KeyPress, Qt::Key_A, kXKeycodeA);
        QApplication::sendEvent(&widget, &press);
        QVERIFY(recorder.keys.empty());
    }
};

int main(int argc, char **argv)
{
    // Deterministic: no X server, whatever the environment offers.
    qunsetenv("DISPLAY");
    QApplication app(argc, argv);
    TestInputHooks test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_inputhooks.moc"
