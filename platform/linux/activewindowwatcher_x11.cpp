#include "activewindowwatcher.h"

// Focus changes are not watched on this system yet: the watcher stays
// inactive and the stored links wait.
struct ActiveWindowWatcher::Impl
{
};

ActiveWindowWatcher::ActiveWindowWatcher(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Impl>())
{}

ActiveWindowWatcher::~ActiveWindowWatcher() = default;

bool ActiveWindowWatcher::isActive() const
{
    return false;
}

WindowApplication ActiveWindowWatcher::activeApplication() const
{
    return {};
}

QList<WindowApplication> ActiveWindowWatcher::openApplications() const
{
    return {};
}
