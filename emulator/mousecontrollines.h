#pragma once

#include <QByteArray>
#include <QSocketNotifier>

class EmulatorBackend;

// The emulated mouse driven from outside, one line at a time on a file
// descriptor (standard input), so a person or a test without a tray reaches
// every state the tray menu reaches:
//   unplug    the mouse is pulled out
//   plug      it is plugged in again (a hung mouse starts afresh)
//   hang      it stays attached but stops answering
//   answer    it answers again
// Any other line, an empty one too, presses its DPI button. Reading stops at
// the end of the input.
class MouseControlLines : public QSocketNotifier
{
    Q_OBJECT

public:
    MouseControlLines(int fd, EmulatorBackend &mouse, QObject *parent = nullptr);

signals:
    // The mouse was unplugged or plugged in: the system would announce it.
    void pluggingChanged();

private:
    void readLines();
    void perform(const QByteArray &line);

    int m_fd;
    EmulatorBackend &m_mouse;
    QByteArray m_pending;
};
