#include "fakewindowmanager.h"

#include <cstdlib>
#include <cstring>

#include <xcb/xcb.h>

FakeWindowManager::FakeWindowManager(const QByteArray &display)
{
    int screen = 0;
    m_connection = xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screen);
    if (xcb_connection_has_error(m_connection))
        return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (; it.rem && screen > 0; --screen)
        xcb_screen_next(&it);
    if (it.rem)
        m_root = it.data->root;
}

FakeWindowManager::~FakeWindowManager()
{
    xcb_disconnect(m_connection);
}

bool FakeWindowManager::isConnected() const
{
    return m_root != 0 && !xcb_connection_has_error(m_connection);
}

quint32 FakeWindowManager::atom(const char *name)
{
    if (const auto known = m_atoms.constFind(name); known != m_atoms.cend())
        return *known;
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(strlen(name)), name), nullptr);
    const quint32 value = reply ? reply->atom : 0;
    std::free(reply);
    m_atoms.insert(name, value);
    return value;
}

quint32 FakeWindowManager::createWindow(const QByteArray &wmClass, quint32 pid, const QByteArray &machine)
{
    const xcb_window_t window = xcb_generate_id(m_connection);
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, 0, 0, 16, 16, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    setProperty(window, "WM_CLASS", kString, 8, wmClass);
    if (pid != 0)
        setProperty(window, "_NET_WM_PID", kCardinal, 32,
                    QByteArray(reinterpret_cast<const char *>(&pid), 4));
    if (!machine.isEmpty())
        setProperty(window, "WM_CLIENT_MACHINE", kString, 8, machine);
    sync();
    return window;
}

void FakeWindowManager::destroyWindow(quint32 window)
{
    xcb_destroy_window(m_connection, window);
    xcb_flush(m_connection);
}

void FakeWindowManager::setActiveWindow(quint32 window)
{
    setProperty(m_root, "_NET_ACTIVE_WINDOW", kWindow, 32,
                QByteArray(reinterpret_cast<const char *>(&window), 4));
}

void FakeWindowManager::setClientList(const QList<quint32> &windows)
{
    setProperty(m_root, "_NET_CLIENT_LIST", kWindow, 32,
                QByteArray(reinterpret_cast<const char *>(windows.constData()), int(windows.size() * 4)));
}

void FakeWindowManager::setProperty(quint32 window, const char *name, quint32 type, quint8 format,
                                    const QByteArray &value)
{
    const uint32_t units = uint32_t(value.size()) / (format / 8u);
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom(name), type, format, units,
                        value.constData());
    xcb_flush(m_connection);
}

void FakeWindowManager::deleteRootProperty(const char *name)
{
    xcb_delete_property(m_connection, m_root, atom(name));
    xcb_flush(m_connection);
}

void FakeWindowManager::sync()
{
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}
