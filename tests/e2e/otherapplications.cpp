#include "otherapplications.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

Display *x(void *display)
{
    return static_cast<Display *>(display);
}

} // namespace

OtherApplications::OtherApplications(const char *display)
    : m_display(XOpenDisplay(display))
{}

OtherApplications::~OtherApplications()
{
    if (m_display)
        XCloseDisplay(x(m_display));
}

unsigned long OtherApplications::open(const char *instance, const char *windowClass)
{
    Display *display = x(m_display);
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 120, 80, 0,
                                              BlackPixel(display, screen), WhitePixel(display, screen));
    XClassHint hint;
    hint.res_name = const_cast<char *>(instance);
    hint.res_class = const_cast<char *>(windowClass);
    XSetClassHint(display, window, &hint);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
}

void OtherApplications::activate(unsigned long window)
{
    Display *display = x(m_display);
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    const Window value = window;
    XChangeProperty(display, DefaultRootWindow(display), active, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&value), 1);
    XSync(display, False);
}
