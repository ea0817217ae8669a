#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a call on the event loop's thread, so a
// long-running command can stop cleanly: the handler only writes a byte to a
// socket that the event loop watches. One watcher at a time; the previous
// handlers are restored when it goes.
class SignalWatcher
{
public:
    explicit SignalWatcher(std::function<void(int signal)> onSignal);
    ~SignalWatcher();
    SignalWatcher(const SignalWatcher &) = delete;
    SignalWatcher &operator=(const SignalWatcher &) = delete;

    bool isWatching() const { return m_notifier != nullptr; }

private:
    void received();

    std::function<void(int)> m_onSignal;
    int m_fds[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
};
