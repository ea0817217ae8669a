#pragma once

#include <QSocketNotifier>

class EmulatorBackend;

// The emulated mouse's DPI button pressed from outside: each line read from
// a file descriptor (standard input) presses it once. Reading stops at the
// end of the input.
class DpiButtonLines : public QSocketNotifier
{
    Q_OBJECT

public:
    DpiButtonLines(int fd, EmulatorBackend &mouse, QObject *parent = nullptr);

private:
    void readLines();

    int m_fd;
    EmulatorBackend &m_mouse;
};
