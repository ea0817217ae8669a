#include "signalwatcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The write end for the handler; a plain int is all a signal handler may touch.
volatile std::sig_atomic_t g_writeFd = -1;
struct sigaction g_previousInt;
struct sigaction g_previousTerm;

void onSignal(int signal)
{
    const unsigned char byte = static_cast<unsigned char>(signal);
    if (g_writeFd >= 0) {
        // Nothing to do if the socket is full: a stop is already pending.
        [[maybe_unused]] const ssize_t written = ::write(g_writeFd, &byte, 1);
    }
}

} // namespace

SignalWatcher::SignalWatcher(std::function<void(int)> onSignalCallback)
    : m_onSignal(std::move(onSignalCallback))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, m_fds) != 0)
        return;
    g_writeFd = m_fds[0];
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &g_previousInt);
    sigaction(SIGTERM, &action, &g_previousTerm);
    m_notifier = std::make_unique<QSocketNotifier>(m_fds[1], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] {
        received();
    });
}

SignalWatcher::~SignalWatcher()
{
    if (m_notifier) {
        sigaction(SIGINT, &g_previousInt, nullptr);
        sigaction(SIGTERM, &g_previousTerm, nullptr);
        m_notifier.reset();
    }
    g_writeFd = -1;
    for (int fd : m_fds) {
        if (fd >= 0)
            ::close(fd);
    }
}

void SignalWatcher::received()
{
    unsigned char byte = 0;
    if (::read(m_fds[1], &byte, 1) == 1 && m_onSignal)
        m_onSignal(byte);
}
