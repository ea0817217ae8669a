#include "xvfbserver.h"

#include <QByteArrayList>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

XvfbServer::XvfbServer(const QString &program)
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const QByteArray path = program.toLocal8Bit();
    QByteArrayList arguments{path,        "-displayfd",  QByteArray::number(fds[1]),
                             "-nolisten", "tcp",         "-screen",
                             "0",         "1280x800x24", "-noreset"};
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
        // The server goes with the test, however the test ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        close(fds[0]);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execv(path.constData(), argv.data());
        _exit(127);
    }
    close(fds[1]);
    if (m_pid < 0) {
        close(fds[0]);
        return;
    }

    // Xvfb writes the display number once it accepts connections.
    QByteArray number;
    pollfd ready{fds[0], POLLIN, 0};
    while (!number.endsWith('\n') && poll(&ready, 1, 30000) > 0) {
        char buffer[16];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        number.append(buffer, n);
    }
    close(fds[0]);
    number = number.trimmed();
    if (!number.isEmpty())
        m_display = ':' + number;
}

XvfbServer::~XvfbServer()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
}
