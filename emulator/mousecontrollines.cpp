#include "dpibuttonlines.h"

#include "emulatorbackend.h"

#include <unistd.h>

DpiButtonLines::DpiButtonLines(int fd, EmulatorBackend &mouse, QObject *parent)
    : QSocketNotifier(fd, QSocketNotifier::Read, parent)
    , m_fd(fd)
    , m_mouse(mouse)
{
    connect(this, &QSocketNotifier::activated, this, &DpiButtonLines::readLines);
}

void DpiButtonLines::readLines()
{
    char buffer[256];
    const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
    if (n <= 0) {
        setEnabled(false);
        return;
    }
    for (ssize_t i = 0; i < n; ++i) {
        if (buffer[i] == '\n')
            m_mouse.pressDpiButton();
    }
}
