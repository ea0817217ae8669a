#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>

struct xcb_connection_t;

// Plays the window manager's part on a private X server, on a connection of
// its own: makes small windows with the names and process an application
// would give them, and tells which has the focus through the root window's
// properties, as a real window manager does.
class FakeWindowManager
{
public:
    // Property types of the X protocol.
    static constexpr quint32 kCardinal = 6;
    static constexpr quint32 kInteger = 19;
    static constexpr quint32 kString = 31;
    static constexpr quint32 kWindow = 33;

    // Connects to `display`, or to $DISPLAY when empty.
    explicit FakeWindowManager(const QByteArray &display = {});
    ~FakeWindowManager();
    FakeWindowManager(const FakeWindowManager &) = delete;
    FakeWindowManager &operator=(const FakeWindowManager &) = delete;

    bool isConnected() const;

    // An unmapped window whose WM_CLASS holds `wmClass` as it stands
    // ("instance\0class\0"), with _NET_WM_PID when `pid` is not 0 and
    // WM_CLIENT_MACHINE when `machine` is not empty.
    quint32 createWindow(const QByteArray &wmClass, quint32 pid = 0, const QByteArray &machine = {});
    void destroyWindow(quint32 window);
    // _NET_ACTIVE_WINDOW; 0 says that no window has the focus.
    void setActiveWindow(quint32 window);
    // _NET_CLIENT_LIST.
    void setClientList(const QList<quint32> &windows);
    // Any value of any shape on a root or window property, to stand for a
    // misbehaving window manager or application.
    void setProperty(quint32 window, const char *name, quint32 type, quint8 format, const QByteArray &value);
    void deleteRootProperty(const char *name);
    quint32 root() const { return m_root; }
    // Returns once the server has carried out every request sent so far.
    void sync();

private:
    quint32 atom(const char *name);

    xcb_connection_t *m_connection = nullptr;
    quint32 m_root = 0;
    QHash<QByteArray, quint32> m_atoms;
};
