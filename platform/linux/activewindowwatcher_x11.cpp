#include "activewindowwatcher.h"

#include "platformlog.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QStringDecoder>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// Larger values are not names or window lists we can use: a WM_CLASS of
// 1 KiB, 4096 client windows.
constexpr uint32_t kMaxClassLongs = 256;
constexpr uint32_t kMaxClientWindows = 4096;
constexpr uint32_t kMaxMachineLongs = 64;
constexpr int kMaxNameLength = 255;

struct FreeDeleter
{
    void operator()(void *pointer) const { std::free(pointer); }
};
template<typename T> using XcbPointer = std::unique_ptr<T, FreeDeleter>;
using PropertyReply = XcbPointer<xcb_get_property_reply_t>;

// The property's reply when it holds values of `type` and `format` bits,
// else null: a window that vanished, a property that is missing or of
// another shape all read as nothing. Errors come back here, never to a
// process-wide handler.
PropertyReply propertyReply(xcb_connection_t *connection, xcb_get_property_cookie_t cookie, xcb_atom_t type,
                            uint8_t format)
{
    xcb_generic_error_t *error = nullptr;
    PropertyReply reply(xcb_get_property_reply(connection, cookie, &error));
    std::free(error);
    if (!reply || reply->type != type || reply->format != format
        || xcb_get_property_value_length(reply.get()) <= 0)
        return nullptr;
    return reply;
}

xcb_get_property_cookie_t askProperty(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property,
                                      xcb_atom_t type, uint32_t longs)
{
    return xcb_get_property(connection, 0, window, property, type, 0, longs);
}

// A name as a window states it: UTF-8 where it is valid, else Latin-1 as
// X strings were meant to be. Text with control characters, or too long to
// be a name, is not one.
QString nameFrom(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString name = utf8(bytes);
    if (utf8.hasError())
        name = QString::fromLatin1(bytes);
    name = name.trimmed();
    if (name.size() > kMaxNameLength)
        return {};
    for (const QChar c : std::as_const(name)) {
        if (c.category() == QChar::Other_Control)
            return {};
    }
    return name;
}

// The file name of the process's executable; its short name from the kernel
// when the executable's link is not ours to read (another user's process);
// empty when the process is gone or has no executable (a kernel thread, as a
// stray pid may name).
QString executableOf(uint32_t pid)
{
    if (pid == 0 || pid > uint32_t(INT_MAX))
        return {};
    const QByteArray folder = "/proc/" + QByteArray::number(pid);
    char target[PATH_MAX];
    const ssize_t length = readlink((folder + "/exe").constData(), target, sizeof target);
    const bool refused = length < 0 && (errno == EACCES || errno == EPERM);
    if (length > 0 && size_t(length) < sizeof target) {
        QByteArray path(target, int(length));
        // The program was replaced on disk while it runs.
        const QByteArray deleted = " (deleted)";
        if (path.endsWith(deleted))
            path.chop(deleted.size());
        const QString name = nameFrom(path.mid(path.lastIndexOf('/') + 1));
        if (!name.isEmpty())
            return name;
    }
    QFile comm(QString::fromLatin1(folder + "/comm"));
    if (!refused || !comm.open(QIODevice::ReadOnly))
        return {};
    return nameFrom(comm.read(64));
}

QByteArray hostName()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return QByteArray(name);
}

// The names of one window, asked for in one go and read later, so that many
// windows cost one round trip.
class WindowQuery
{
public:
    WindowQuery(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t pidAtom)
        : m_class(askProperty(connection, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, kMaxClassLongs))
        , m_pid(askProperty(connection, window, pidAtom, XCB_ATOM_CARDINAL, 1))
        , m_machine(
              askProperty(connection, window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, kMaxMachineLongs))
    {}

    // Reads the replies; every query is read exactly once.
    void finish(xcb_connection_t *connection, const QByteArray &localHost)
    {
        if (PropertyReply reply = propertyReply(connection, m_class, XCB_ATOM_STRING, 8)) {
            // "instance\0class\0"; a missing terminator ends at the value's end.
            const QByteArray value(static_cast<const char *>(xcb_get_property_value(reply.get())),
                                   xcb_get_property_value_length(reply.get()));
            const int split = value.indexOf('\0');
            application.instanceName = nameFrom(split < 0 ? value : value.left(split));
            if (split >= 0) {
                const QByteArray rest = value.mid(split + 1);
                const int end = rest.indexOf('\0');
                application.windowClass = nameFrom(end < 0 ? rest : rest.left(end));
            }
        }
        PropertyReply pidReply = propertyReply(connection, m_pid, XCB_ATOM_CARDINAL, 32);
        PropertyReply machineReply = propertyReply(connection, m_machine, XCB_ATOM_STRING, 8);
        bool local = true;
        if (machineReply) {
            // A window from another machine names a process there, not here.
            QByteArray machine(static_cast<const char *>(xcb_get_property_value(machineReply.get())),
                               xcb_get_property_value_length(machineReply.get()));
            const int end = machine.indexOf('\0');
            if (end >= 0)
                machine.truncate(end);
            local = machine.compare(localHost, Qt::CaseInsensitive) == 0;
        }
        if (pidReply && local) {
            pid = *static_cast<const uint32_t *>(xcb_get_property_value(pidReply.get()));
            application.executable = executableOf(pid);
        }
    }

    WindowApplication application;
    // The window's process here, 0 when unknown or on another machine.
    uint32_t pid = 0;

private:
    xcb_get_property_cookie_t m_class;
    xcb_get_property_cookie_t m_pid;
    xcb_get_property_cookie_t m_machine;
};

// The windows a property of the root window lists (_NET_ACTIVE_WINDOW holds
// one, _NET_CLIENT_LIST many); None is left out.
std::vector<xcb_window_t> windowsIn(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t property,
                                    uint32_t most)
{
    std::vector<xcb_window_t> windows;
    const PropertyReply reply = propertyReply(
        connection, askProperty(connection, root, property, XCB_ATOM_WINDOW, most), XCB_ATOM_WINDOW, 32);
    if (!reply)
        return windows;
    const auto *values = static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_window_t));
    for (int i = 0; i < count; ++i) {
        if (values[i] != XCB_WINDOW_NONE)
            windows.push_back(values[i]);
    }
    return windows;
}

} // namespace

// Our own connection to the X server, separate from Qt's, selects property
// changes on the root window; a socket notifier wakes us for the window
// manager's _NET_ACTIVE_WINDOW updates, and nothing runs in between.
struct ActiveWindowWatcher::Impl
{
    ActiveWindowWatcher *owner;
    xcb_connection_t *connection = nullptr;
    xcb_window_t root = XCB_WINDOW_NONE;
    xcb_atom_t activeWindowAtom = XCB_ATOM_NONE;
    xcb_atom_t clientListAtom = XCB_ATOM_NONE;
    xcb_atom_t pidAtom = XCB_ATOM_NONE;
    QByteArray localHost = hostName();
    std::unique_ptr<QSocketNotifier> notifier;
    WindowApplication active;
    bool drainPending = false;

    explicit Impl(ActiveWindowWatcher *o)
        : owner(o)
    {}
    ~Impl() { disconnect(); }

    bool connect();
    void disconnect();
    void drain();
    void drainLater();
    WindowApplication applicationInFront();
};

bool ActiveWindowWatcher::Impl::connect()
{
    // Only an X11 desktop tells which window has the focus; a Wayland one
    // keeps it to itself.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    int screen = 0;
    connection = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(connection)) {
        disconnect();
        return false;
    }
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem;
         xcb_screen_next(&it), --screen) {
        if (screen == 0)
            root = it.data->root;
    }
    if (root == XCB_WINDOW_NONE) {
        disconnect();
        return false;
    }

    const char *names[] = {"_NET_ACTIVE_WINDOW", "_NET_CLIENT_LIST", "_NET_WM_PID"};
    xcb_atom_t *atoms[] = {&activeWindowAtom, &clientListAtom, &pidAtom};
    xcb_intern_atom_cookie_t cookies[3];
    for (int i = 0; i < 3; ++i)
        cookies[i] = xcb_intern_atom(connection, 0, uint16_t(strlen(names[i])), names[i]);
    for (int i = 0; i < 3; ++i) {
        XcbPointer<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookies[i], nullptr));
        if (reply)
            *atoms[i] = reply->atom;
    }
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    XcbPointer<xcb_generic_error_t> error(xcb_request_check(
        connection, xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask)));
    if (error || activeWindowAtom == XCB_ATOM_NONE || xcb_connection_has_error(connection)) {
        disconnect();
        return false;
    }

    active = applicationInFront();
    notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, owner, [this] {
        drain();
    });
    // Events read while the replies above were awaited are queued inside xcb
    // and would not wake the notifier.
    drainLater();
    return true;
}

void ActiveWindowWatcher::Impl::disconnect()
{
    notifier.reset();
    if (connection)
        xcb_disconnect(connection);
    connection = nullptr;
}

// Reads every event there is; the focus is looked up once for any number of
// changes, since only the last one counts.
void ActiveWindowWatcher::Impl::drain()
{
    drainPending = false;
    while (connection) {
        bool focusMoved = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                const auto *change = reinterpret_cast<const xcb_property_notify_event_t *>(event);
                focusMoved = focusMoved || (change->window == root && change->atom == activeWindowAtom);
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection)) {
            // The X server went away: nothing has the focus any more, and an
            // ended connection would wake the notifier without end.
            qCDebug(lcPlatform, "Focus watch ended: the X server closed the connection");
            disconnect();
            if (!active.isEmpty()) {
                active = {};
                emit owner->activeApplicationChanged(active);
            }
            return;
        }
        if (!focusMoved)
            return;
        const WindowApplication now = applicationInFront();
        if (now != active) {
            active = now;
            emit owner->activeApplicationChanged(active);
        }
    }
}

void ActiveWindowWatcher::Impl::drainLater()
{
    if (drainPending || !connection)
        return;
    drainPending = true;
    QMetaObject::invokeMethod(
        owner,
        [this] {
            drain();
        },
        Qt::QueuedConnection);
}

WindowApplication ActiveWindowWatcher::Impl::applicationInFront()
{
    const std::vector<xcb_window_t> windows = windowsIn(connection, root, activeWindowAtom, 1);
    if (windows.empty())
        return {};
    WindowQuery query(connection, windows.front(), pidAtom);
    query.finish(connection, localHost);
    return query.application;
}

ActiveWindowWatcher::ActiveWindowWatcher(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Impl>(this))
{
    if (!d->connect()) {
        static bool told = false;
        if (!told)
            qCDebug(lcPlatform,
                    "Focus watch unavailable (no X11 desktop): profiles do not follow the application "
                    "in front");
        told = true;
    }
}

ActiveWindowWatcher::~ActiveWindowWatcher() = default;

bool ActiveWindowWatcher::isActive() const
{
    return d->connection != nullptr;
}

WindowApplication ActiveWindowWatcher::activeApplication() const
{
    return d->active;
}

QList<WindowApplication> ActiveWindowWatcher::openApplications() const
{
    if (!d->connection)
        return {};
    const std::vector<xcb_window_t> windows =
        windowsIn(d->connection, d->root, d->clientListAtom, kMaxClientWindows);
    std::vector<WindowQuery> queries;
    queries.reserve(windows.size());
    for (xcb_window_t window : windows)
        queries.emplace_back(d->connection, window, d->pidAtom);
    QList<WindowApplication> found;
    const auto ownPid = uint32_t(getpid());
    for (WindowQuery &query : queries) {
        query.finish(d->connection, d->localHost);
        // The user links other applications, never this program.
        if (query.pid != ownPid)
            found << query.application;
    }
    // Focus changes that arrived with the replies wait inside xcb.
    d->drainLater();
    return distinctApplications(found);
}
