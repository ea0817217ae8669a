#include "emulatorbackend.h"

#include "virtualclock.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include <algorithm>
#include <map>

namespace {

QByteArray interfacePath(int mouse, const char *kind)
{
    return QByteArrayLiteral("emu:") + QByteArray::number(mouse) + ':' + kind;
}

QByteArray bytes(const unsigned char *data, int length)
{
    if (!data || length <= 0)
        return {};
    return QByteArray(reinterpret_cast<const char *>(data), length);
}

} // namespace

struct EmulatorBackend::Impl
{
    struct Mouse
    {
        std::unique_ptr<EmulatedMouse> model;
        bool plugged = true;
        bool answering = true;
    };

    // Position in enumeration order: a mouse (both interfaces) or a foreign device.
    struct Slot
    {
        int mouse = -1;
        int foreign = -1;
    };

    struct Handle
    {
        QByteArray path;
        int mouse = -1; // -1: a foreign device
        bool event = false;
        bool nonblocking = false;
        bool dead = false; // the mouse was unplugged while it was open
    };

    // Something that happens to a mouse at a given call: it is unplugged,
    // or it stops answering.
    struct ScheduledEvent
    {
        int remaining = 0;
        int mouse = 0;
        bool unplug = true;
    };

    struct ScheduledFailure
    {
        HidCall kind = HidCall::Enumerate;
        int remaining = 0;
    };

    explicit Impl(ProtocolClock &c)
        : clock(c)
        , virtualClock(dynamic_cast<VirtualClock *>(&c))
    {}

    ProtocolClock &clock;
    VirtualClock *virtualClock;
    // Standard primitives rather than Qt's, so ThreadSanitizer sees them.
    mutable std::mutex mutex;
    // Woken by whatever may end a wait for a report: a button press, an
    // unplug, a closed handle.
    std::condition_variable changed;
    bool realTime = false;

    std::vector<Mouse> mice;
    std::vector<HidDeviceInfo> foreign;
    std::vector<Slot> order;
    std::map<quintptr, Handle> handles;
    quintptr nextHandle = 1;

    QList<EmulatorCall> calls;
    // 0: every call is kept.
    qsizetype callLimit = 0;
    QStringList violations;
    std::vector<ScheduledEvent> events;
    std::vector<ScheduledFailure> failures;

    EmulatorCall begin(HidCall kind)
    {
        EmulatorCall call;
        call.time = clock.elapsed();
        call.kind = kind;
        call.result = -1;
        return call;
    }

    // Counts the call against the scheduled faults; true when it must fail.
    bool countCall(HidCall kind)
    {
        for (auto it = events.begin(); it != events.end();) {
            if (--it->remaining <= 0) {
                if (it->unplug)
                    unplugMouse(it->mouse);
                else
                    silenceMouse(it->mouse);
                it = events.erase(it);
            } else {
                ++it;
            }
        }
        bool fail = false;
        for (auto it = failures.begin(); it != failures.end();) {
            if (it->kind == kind && --it->remaining <= 0) {
                fail = true;
                it = failures.erase(it);
            } else {
                ++it;
            }
        }
        return fail;
    }

    void unplugMouse(int index)
    {
        if (index < 0 || index >= static_cast<int>(mice.size()))
            return;
        Mouse &m = mice[static_cast<std::size_t>(index)];
        m.plugged = false;
        m.model->powerLoss();
        for (auto &entry : handles) {
            if (entry.second.mouse == index)
                entry.second.dead = true;
        }
        changed.notify_all();
    }

    void silenceMouse(int index)
    {
        if (index < 0 || index >= static_cast<int>(mice.size()))
            return;
        mice[static_cast<std::size_t>(index)].answering = false;
        changed.notify_all();
    }

    bool answers(const Handle &h) const
    {
        return h.mouse < 0 || mice[static_cast<std::size_t>(h.mouse)].answering;
    }

    static quintptr idOf(HidHandle handle) { return reinterpret_cast<quintptr>(handle); }

    // The open handle, or null (with a violation) for a null or closed one.
    Handle *lookup(HidHandle handle, EmulatorCall &call)
    {
        if (!handle) {
            violations.append(QStringLiteral("call on a null handle"));
            return nullptr;
        }
        const auto it = handles.find(idOf(handle));
        if (it == handles.end()) {
            violations.append(QStringLiteral("call on a closed handle"));
            return nullptr;
        }
        call.path = it->second.path;
        return &it->second;
    }

    EmulatedMouse *mouseOf(const Handle &h)
    {
        if (h.dead || h.mouse < 0)
            return nullptr;
        return mice[static_cast<std::size_t>(h.mouse)].model.get();
    }

    int finish(const EmulatorCall &call)
    {
        calls.append(call);
        // Dropped in halves, so a long run pays little for keeping the end.
        if (callLimit > 0 && calls.size() >= 2 * callLimit)
            calls.remove(0, calls.size() - callLimit);
        return call.result;
    }

    int readLocked(std::unique_lock<std::mutex> &lock, HidCall kind, HidHandle handle, unsigned char *data,
                   size_t length, int milliseconds);

    // A transfer on the command interface: logged, subject to injected
    // faults, refused (as `misuse`) on the event interface, else handed to
    // the mouse. `sent` is what the host put on the wire, if anything.
    template<typename Transfer>
    int commandTransfer(HidCall kind, HidHandle handle, const void *data, const QByteArray &sent,
                        const char *misuse, Transfer transfer)
    {
        EmulatorCall call = begin(kind);
        call.data = sent;
        const bool fail = countCall(kind);
        Handle *h = lookup(handle, call);
        EmulatedMouse *m = h ? mouseOf(*h) : nullptr;
        if (fail || !m || !data)
            return finish(call);
        if (h->event) {
            violations.append(QString::fromLatin1(misuse));
            return finish(call);
        }
        if (!answers(*h)) {
            if (virtualClock)
                virtualClock->advance(kTransferTimeoutMs);
            return finish(call);
        }
        transfer(*m, call);
        return finish(call);
    }
};

EmulatorBackend::EmulatorBackend(ProtocolClock &clock)
    : d(std::make_unique<Impl>(clock))
{}

EmulatorBackend::~EmulatorBackend() = default;

EmulatedMouse &EmulatorBackend::addMouse(const EmulatedMouse::Identity &identity)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    Impl::Mouse m;
    m.model = std::make_unique<EmulatedMouse>(identity);
    d->mice.push_back(std::move(m));
    Impl::Slot slot;
    slot.mouse = static_cast<int>(d->mice.size()) - 1;
    d->order.push_back(slot);
    return *d->mice.back().model;
}

void EmulatorBackend::addForeignDevice(const HidDeviceInfo &info)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    d->foreign.push_back(info);
    Impl::Slot slot;
    slot.foreign = static_cast<int>(d->foreign.size()) - 1;
    d->order.push_back(slot);
}

EmulatedMouse &EmulatorBackend::mouse(int index)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    Q_ASSERT(index >= 0 && index < static_cast<int>(d->mice.size()));
    return *d->mice.at(static_cast<std::size_t>(index)).model;
}

int EmulatorBackend::mouseCount() const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return static_cast<int>(d->mice.size());
}

QList<HidDeviceInfo> EmulatorBackend::enumerate(quint16 vendorId, quint16 productId)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    EmulatorCall call = d->begin(HidCall::Enumerate);
    QList<HidDeviceInfo> found;
    if (d->countCall(HidCall::Enumerate)) {
        d->finish(call);
        return found;
    }
    auto matches = [vendorId, productId](quint16 vid, quint16 pid) {
        return (vendorId == 0 || vendorId == vid) && (productId == 0 || productId == pid);
    };
    for (const Impl::Slot &slot : d->order) {
        if (slot.foreign >= 0) {
            const HidDeviceInfo &info = d->foreign[static_cast<std::size_t>(slot.foreign)];
            if (matches(info.vendorId, info.productId))
                found.append(info);
            continue;
        }
        const Impl::Mouse &m = d->mice[static_cast<std::size_t>(slot.mouse)];
        const EmulatedMouse::Identity &id = m.model->identity();
        if (!m.plugged || !matches(id.vid, id.pid))
            continue;
        HidDeviceInfo info;
        info.vendorId = id.vid;
        info.productId = id.pid;
        info.product = id.product;
        info.path = interfacePath(slot.mouse, "command");
        info.usagePage = id.usagePage;
        info.usage = id.usage;
        info.interfaceNumber = 0;
        found.append(info);
        if (id.hasEventInterface) {
            info.path = interfacePath(slot.mouse, "event");
            info.usagePage = id.usagePage2;
            info.usage = id.usage2;
            info.interfaceNumber = 1;
            found.append(info);
        }
    }
    call.result = static_cast<int>(found.size());
    d->finish(call);
    return found;
}

HidHandle EmulatorBackend::openPath(const QByteArray &path)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    EmulatorCall call = d->begin(HidCall::Open);
    call.path = path;
    if (d->countCall(HidCall::Open)) {
        d->finish(call);
        return nullptr;
    }

    Impl::Handle h;
    h.path = path;
    bool found = false;
    for (int i = 0; i < static_cast<int>(d->mice.size()) && !found; ++i) {
        const Impl::Mouse &m = d->mice[static_cast<std::size_t>(i)];
        if (!m.plugged)
            continue;
        if (path == interfacePath(i, "command")) {
            found = true;
        } else if (m.model->identity().hasEventInterface && path == interfacePath(i, "event")) {
            found = true;
            h.event = true;
        }
        if (found)
            h.mouse = i;
    }
    for (const HidDeviceInfo &info : d->foreign) {
        if (!found && info.path == path)
            found = true;
    }
    if (!found) {
        d->finish(call);
        return nullptr;
    }
    const quintptr id = d->nextHandle++;
    d->handles.emplace(id, h);
    call.result = 0;
    d->finish(call);
    return reinterpret_cast<HidHandle>(id);
}

int EmulatorBackend::setNonblocking(HidHandle handle, int nonblock)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    EmulatorCall call = d->begin(HidCall::SetNonblocking);
    const bool fail = d->countCall(HidCall::SetNonblocking);
    Impl::Handle *h = d->lookup(handle, call);
    if (!fail && h && !h->dead) {
        h->nonblocking = nonblock != 0;
        call.result = 0;
    }
    return d->finish(call);
}

int EmulatorBackend::sendFeatureReport(HidHandle handle, const unsigned char *data, size_t length)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->commandTransfer(HidCall::SendFeature, handle, data, bytes(data, static_cast<int>(length)),
                              "feature report sent to the event interface",
                              [&](EmulatedMouse &m, EmulatorCall &call) {
                                  call.result = m.setFeature(call.time, data, length);
                              });
}

int EmulatorBackend::getFeatureReport(HidHandle handle, unsigned char *data, size_t length)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->commandTransfer(HidCall::GetFeature, handle, data, {},
                              "feature report read from the event interface",
                              [&](EmulatedMouse &m, EmulatorCall &call) {
                                  call.result = m.getFeature(call.time, data, length);
                                  call.data = bytes(data, call.result);
                              });
}

int EmulatorBackend::write(HidHandle handle, const unsigned char *data, size_t length)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->commandTransfer(HidCall::Write, handle, data, bytes(data, static_cast<int>(length)),
                              "output report sent to the event interface",
                              [&](EmulatedMouse &m, EmulatorCall &call) {
                                  call.result = m.writeOutput(call.time, data, length);
                              });
}

int EmulatorBackend::read(HidHandle handle, unsigned char *data, size_t length)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->readLocked(lock, HidCall::Read, handle, data, length, -1);
}

int EmulatorBackend::readTimeout(HidHandle handle, unsigned char *data, size_t length, int milliseconds)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->readLocked(lock, HidCall::ReadTimeout, handle, data, length, milliseconds);
}

// Called with the mutex held; a real-time wait releases it while waiting.
int EmulatorBackend::Impl::readLocked(std::unique_lock<std::mutex> &lock, HidCall kind, HidHandle handle,
                                      unsigned char *data, size_t length, int milliseconds)
{
    EmulatorCall call = begin(kind);
    const bool fail = countCall(kind);
    if (!lookup(handle, call) || fail || !data)
        return finish(call);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        // Looked up afresh after every wait: the handle may have been closed
        // or its mouse unplugged meanwhile.
        const auto it = handles.find(idOf(handle));
        EmulatedMouse *m = it == handles.end() ? nullptr : mouseOf(it->second);
        if (!m) {
            call.result = -1;
            return finish(call);
        }
        const Handle &h = it->second;

        const qint64 now = clock.elapsed();
        int n = 0;
        if (answers(h))
            n = h.event ? m->readEvent(now, data, length) : m->readInput(now, data, length);
        if (n > 0) {
            call.result = n;
            call.data = bytes(data, n);
            return finish(call);
        }
        call.result = 0;
        if (h.nonblocking || milliseconds == 0)
            return finish(call);

        if (milliseconds < 0) {
            if (!h.event) {
                // Input reports only follow a command, and the host that
                // would send it is the one now blocked: it would hang forever.
                violations.append(
                    QStringLiteral("blocking read on the command interface, no input report coming"));
                call.result = -1;
                return finish(call);
            }
            if (!realTime)
                return finish(call);
            changed.wait(lock);
            continue;
        }

        if (!realTime) {
            if (virtualClock)
                virtualClock->advance(milliseconds);
            return finish(call);
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return finish(call);
        changed.wait_until(lock, deadline);
    }
}

void EmulatorBackend::close(HidHandle handle)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    EmulatorCall call = d->begin(HidCall::Close);
    d->countCall(HidCall::Close);
    // Closing a null handle does nothing, as in hidapi.
    if (!handle) {
        call.result = 0;
        d->finish(call);
        return;
    }
    if (d->lookup(handle, call)) {
        d->handles.erase(Impl::idOf(handle));
        call.result = 0;
        d->changed.notify_all();
    }
    d->finish(call);
}

void EmulatorBackend::pressDpiButton(int mouseIndex)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    if (mouseIndex < 0 || mouseIndex >= static_cast<int>(d->mice.size()))
        return;
    Impl::Mouse &m = d->mice[static_cast<std::size_t>(mouseIndex)];
    // An unplugged mouse has no power to notice the press.
    if (!m.plugged)
        return;
    m.model->pressDpiButton();
    d->changed.notify_all();
}

void EmulatorBackend::sendEventReport(const QByteArray &report, int mouseIndex)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    if (mouseIndex < 0 || mouseIndex >= static_cast<int>(d->mice.size()))
        return;
    Impl::Mouse &m = d->mice[static_cast<std::size_t>(mouseIndex)];
    if (!m.plugged)
        return;
    m.model->sendEventReport(report);
    d->changed.notify_all();
}

void EmulatorBackend::unplug(int mouseIndex)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    d->unplugMouse(mouseIndex);
}

void EmulatorBackend::plugIn(int mouseIndex)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    if (mouseIndex < 0 || mouseIndex >= static_cast<int>(d->mice.size()))
        return;
    Impl::Mouse &m = d->mice[static_cast<std::size_t>(mouseIndex)];
    m.plugged = true;
    // Power comes back: a hung firmware starts afresh.
    m.answering = true;
}

bool EmulatorBackend::isPluggedIn(int mouseIndex) const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return mouseIndex >= 0 && mouseIndex < static_cast<int>(d->mice.size())
           && d->mice[static_cast<std::size_t>(mouseIndex)].plugged;
}

void EmulatorBackend::unplugAtCall(int n, int mouseIndex)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    d->events.push_back({std::max(n, 1), mouseIndex, true});
}

void EmulatorBackend::stopAnswering(int mouseIndex)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    d->silenceMouse(mouseIndex);
}

bool EmulatorBackend::isAnswering(int mouseIndex) const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return mouseIndex >= 0 && mouseIndex < static_cast<int>(d->mice.size())
           && d->mice[static_cast<std::size_t>(mouseIndex)].answering;
}

void EmulatorBackend::resumeAnswering(int mouseIndex)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    if (mouseIndex < 0 || mouseIndex >= static_cast<int>(d->mice.size()))
        return;
    d->mice[static_cast<std::size_t>(mouseIndex)].answering = true;
    d->changed.notify_all();
}

void EmulatorBackend::stopAnsweringAtCall(int n, int mouseIndex)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    d->events.push_back({std::max(n, 1), mouseIndex, false});
}

void EmulatorBackend::failCall(HidCall kind, int nth)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    Impl::ScheduledFailure f;
    f.kind = kind;
    f.remaining = std::max(nth, 1);
    d->failures.push_back(f);
}

void EmulatorBackend::setRealTimeWaits(bool realTime)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    d->realTime = realTime;
    d->changed.notify_all();
}

QList<EmulatorCall> EmulatorBackend::calls() const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->calls;
}

QList<EmulatorCall> EmulatorBackend::calls(HidCall kind) const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    QList<EmulatorCall> selected;
    for (const EmulatorCall &call : d->calls) {
        if (call.kind == kind)
            selected.append(call);
    }
    return selected;
}

void EmulatorBackend::setCallLogLimit(int calls)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    d->callLimit = std::max(calls, 0);
}

void EmulatorBackend::clearCalls()
{
    std::unique_lock<std::mutex> lock(d->mutex);
    d->calls.clear();
}

int EmulatorBackend::openHandleCount() const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return static_cast<int>(d->handles.size());
}

QStringList EmulatorBackend::violations()
{
    std::unique_lock<std::mutex> lock(d->mutex);
    QStringList all;
    for (Impl::Mouse &m : d->mice) {
        m.model->finishPendingBulk();
        all += m.model->violations();
    }
    all += d->violations;
    return all;
}

void EmulatorBackend::clearViolations()
{
    std::unique_lock<std::mutex> lock(d->mutex);
    for (Impl::Mouse &m : d->mice)
        m.model->clearViolations();
    d->violations.clear();
}
