#pragma once

// Small windows of other applications on the test's X server, and the root
// window's _NET_ACTIVE_WINDOW set as a window manager sets it when the focus
// moves. Xlib stays in the .cpp: its macros clash with Qt's names.
class OtherApplications
{
public:
    explicit OtherApplications(const char *display);
    ~OtherApplications();
    OtherApplications(const OtherApplications &) = delete;
    OtherApplications &operator=(const OtherApplications &) = delete;

    bool isOpen() const { return m_display != nullptr; }
    // A mapped 120 x 80 window whose WM_CLASS is (`instance`, `windowClass`).
    unsigned long open(const char *instance, const char *windowClass);
    // `window` has the focus now; 0: no window has it.
    void activate(unsigned long window);

private:
    void *m_display;
};
