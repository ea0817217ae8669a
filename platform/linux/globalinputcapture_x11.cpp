#include "globalinputcapture.h"

#include "evdevscancodes.h"

#include <QSocketNotifier>

#include <memory>

// Xlib's macros (None, Bool, KeyPress, ...) would clash with Qt's names:
// the X headers come last.
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>

namespace {

// evdev codes of the two Alt keys, whose state the hook reports with each key.
constexpr unsigned kLeftAltEvdev = 56;
constexpr unsigned kRightAltEvdev = 100;

int s_lastXError = 0;

int recordXError(Display *, XErrorEvent *event)
{
    s_lastXError = event->error_code;
    return 0;
}

// Runs a few requests on a connection with X errors caught instead of the
// default handler's exit, and tells whether any failed.
class XErrorTrap
{
public:
    explicit XErrorTrap(Display *display)
        : m_display(display)
        , m_previous(XSetErrorHandler(recordXError))
    {
        s_lastXError = 0;
    }
    ~XErrorTrap() { XSetErrorHandler(m_previous); }

    bool failed()
    {
        XSync(m_display, False);
        return s_lastXError != 0;
    }

private:
    Display *m_display;
    XErrorHandler m_previous;
};

} // namespace

// The RECORD extension copies every key and button event the X server
// processes to a second connection of ours. The control connection creates
// and later disables the context; the data connection receives the recorded
// events, and a socket notifier reads them on the GUI thread.
struct GlobalInputCapture::Impl
{
    InputSink &sink;
    Display *control = nullptr;
    Display *data = nullptr;
    XRecordContext context = 0;
    std::unique_ptr<QSocketNotifier> notifier;
    bool leftAltDown = false;
    bool rightAltDown = false;
    QString failure;

    explicit Impl(InputSink &s)
        : sink(s)
    {}

    bool install();
    void remove();
    void closeConnections();
    void handleEvent(const xEvent &event);

    static void intercept(XPointer closure, XRecordInterceptData *recorded);
};

bool GlobalInputCapture::Impl::install()
{
    failure.clear();
    control = XOpenDisplay(nullptr);
    if (!control) {
        failure = QStringLiteral("no X server reachable");
        return false;
    }
    int major = 0;
    int minor = 0;
    if (!XRecordQueryVersion(control, &major, &minor)) {
        failure = QStringLiteral("the X server has no RECORD extension");
        closeConnections();
        return false;
    }
    data = XOpenDisplay(DisplayString(control));
    if (!data) {
        failure = QStringLiteral("no second X connection");
        closeConnections();
        return false;
    }

    {
        XErrorTrap trap(control);
        XRecordRange *range = XRecordAllocRange();
        if (!range) {
            failure = QStringLiteral("out of memory");
            closeConnections();
            return false;
        }
        range->device_events.first = KeyPress;
        range->device_events.last = ButtonRelease;
        XRecordClientSpec clients = XRecordAllClients;
        context = XRecordCreateContext(control, 0, &clients, 1, &range, 1);
        XFree(range);
        if (trap.failed() || !context) {
            failure = QStringLiteral("the X server refused a RECORD context");
            context = 0;
            closeConnections();
            return false;
        }
    }

    // From here until the recording ends, the server answers no other request
    // on the data connection: it must never be synced, only flushed.
    if (!XRecordEnableContextAsync(data, context, &Impl::intercept, reinterpret_cast<XPointer>(this))) {
        failure = QStringLiteral("the X server refused to record");
        XRecordFreeContext(control, context);
        context = 0;
        closeConnections();
        return false;
    }
    XFlush(data);

    notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(data), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [this] {
        XRecordProcessReplies(data);
    });
    // Replies that arrived while the context was being enabled are already
    // buffered and would not wake the notifier.
    XRecordProcessReplies(data);
    return true;
}

void GlobalInputCapture::Impl::remove()
{
    if (!control)
        return;
    notifier.reset();
    if (context) {
        XErrorTrap trap(control);
        XRecordDisableContext(control, context);
        XSync(control, False);
        // The end-of-data reply comes on the data connection; reading it
        // ends the recording there before the context goes.
        if (data)
            XRecordProcessReplies(data);
        const XRecordContext recording = context;
        context = 0; // late replies are dropped from here on
        XRecordFreeContext(control, recording);
        trap.failed();
    }
    closeConnections();
}

void GlobalInputCapture::Impl::closeConnections()
{
    notifier.reset();
    if (data) {
        XCloseDisplay(data);
        data = nullptr;
    }
    if (control) {
        XCloseDisplay(control);
        control = nullptr;
    }
}

void GlobalInputCapture::Impl::intercept(XPointer closure, XRecordInterceptData *recorded)
{
    auto *self = reinterpret_cast<Impl *>(closure);
    if (self && self->context && recorded->category == XRecordFromServer && recorded->data
        && recorded->data_len * 4 >= sizeof(xEvent)) {
        self->handleEvent(*reinterpret_cast<const xEvent *>(recorded->data));
    }
    XRecordFreeData(recorded);
}

void GlobalInputCapture::Impl::handleEvent(const xEvent &event)
{
    const int type = event.u.u.type & 0x7F;
    const unsigned detail = event.u.u.detail;
    switch (type) {
    case KeyPress:
    case KeyRelease: {
        const bool pressed = type == KeyPress;
        const unsigned evdev = detail >= 8 ? detail - 8 : 0;
        if (evdev == kLeftAltEvdev)
            leftAltDown = pressed;
        else if (evdev == kRightAltEvdev)
            rightAltDown = pressed;
        const ScanCode code = EvdevScanCodes::forEvdev(evdev);
        if (code.isValid())
            sink.keyEvent(code.scan, code.extended, leftAltDown || rightAltDown, pressed);
        break;
    }
    case ButtonPress:
    case ButtonRelease: {
        const bool pressed = type == ButtonPress;
        quint32 message = 0;
        switch (detail) {
        case 1:
            message = pressed ? MouseMessage::LeftDown : MouseMessage::LeftUp;
            break;
        case 2:
            message = pressed ? MouseMessage::MiddleDown : MouseMessage::MiddleUp;
            break;
        case 3:
            message = pressed ? MouseMessage::RightDown : MouseMessage::RightUp;
            break;
        default: // wheel steps and side buttons are not captured
            return;
        }
        sink.buttonEvent(message, event.u.keyButtonPointer.rootX, event.u.keyButtonPointer.rootY);
        break;
    }
    default:
        break;
    }
}

GlobalInputCapture::GlobalInputCapture(InputSink &sink)
    : d(std::make_unique<Impl>(sink))
{}

GlobalInputCapture::~GlobalInputCapture()
{
    remove();
}

bool GlobalInputCapture::install()
{
    remove();
    return d->install();
}

void GlobalInputCapture::remove()
{
    // One recording carries keys and buttons: removing it ends both.
    d->remove();
    d->leftAltDown = false;
    d->rightAltDown = false;
}

bool GlobalInputCapture::isInstalled() const
{
    return d->context != 0;
}

QString GlobalInputCapture::mechanism()
{
    return QStringLiteral("X11 RECORD");
}

QString GlobalInputCapture::failureReason() const
{
    return d->failure;
}
