#include "mousecontrollines.h"

#include "emulatorbackend.h"

#include <unistd.h>

MouseControlLines::MouseControlLines(int fd, EmulatorBackend &mouse, QObject *parent)
    : QSocketNotifier(fd, QSocketNotifier::Read, parent)
    , m_fd(fd)
    , m_mouse(mouse)
{
    connect(this, &QSocketNotifier::activated, this, &MouseControlLines::readLines);
}

void MouseControlLines::readLines()
{
    char buffer[256];
    const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
    if (n <= 0) {
        setEnabled(false);
        return;
    }
    m_pending.append(buffer, n);
    for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
        const QByteArray line = m_pending.left(end).trimmed();
        m_pending.remove(0, end + 1);
        perform(line);
    }
    // A line far longer than any command is no command: it presses once.
    if (m_pending.size() > 1024) {
        m_pending.clear();
        perform(QByteArray());
    }
}

void MouseControlLines::perform(const QByteArray &line)
{
    if (line == "unplug") {
        m_mouse.unplug();
        emit pluggingChanged();
    } else if (line == "plug") {
        m_mouse.plugIn();
        emit pluggingChanged();
    } else if (line == "hang") {
        m_mouse.stopAnswering();
    } else if (line == "answer") {
        m_mouse.resumeAnswering();
    } else {
        m_mouse.pressDpiButton();
    }
}
