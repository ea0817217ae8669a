// Waits for the first top-level window to be mapped on the display and prints
// the CLOCK_MONOTONIC time of that moment in milliseconds. The start-up
// benchmark runs it beside the program on a private Xvfb.
#include <X11/Xlib.h>

#include <cstdio>
#include <ctime>

int main()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return 2;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    std::printf("ready\n");
    std::fflush(stdout);
    XEvent event;
    for (;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("%.3f\n",
                        static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6);
            break;
        }
    }
    XCloseDisplay(display);
    return 0;
}
