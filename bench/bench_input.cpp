// Cost of one key event from the capture to the callback: scan code and flags
// through both tables and the key state, and the Linux path that starts from
// an evdev code. Counts heap allocations while events flow (goal: none).
#include "evdevscancodes.h"
#include "hookdispatcher.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

long long s_allocations = 0;

struct Event
{
    unsigned code;
    bool extended;
    bool pressed;
};

volatile long long s_sink = 0;

void onKey(int usage, bool pressed, void *)
{
    s_sink = s_sink + usage + (pressed ? 1 : 0);
}

void onButton(int button, bool pressed, int x, int y, void *)
{
    s_sink = s_sink + button + (pressed ? 1 : 0) + x + y;
}

template<typename Feed>
void measure(const char *what, const std::vector<Event> &events, int rounds, Feed feed)
{
    // Warm up, then measure.
    for (const Event &event : events)
        feed(event);
    const long long allocationsBefore = s_allocations;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (const Event &event : events)
            feed(event);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const long long allocations = s_allocations - allocationsBefore;
    const double count = double(events.size()) * rounds;
    const double ns = double(std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count()) / count;
    std::printf("%s: %.1f ns/event (goal < 1000 ns), %lld allocations in %.0f events (goal 0)\n", what, ns,
                allocations, count);
}

} // namespace

void *operator new(std::size_t size)
{
    ++s_allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

int main()
{
    HookDispatcher dispatcher(0);
    dispatcher.registerKeyboardCallback(onKey, nullptr);
    dispatcher.registerMouseCallback(onButton, nullptr);

    // Every key of the tables typed with three auto-repeats, plus keys no
    // table knows.
    std::vector<Event> scanEvents;
    for (const KeyTables::ScanRow &row : KeyTables::scanRows()) {
        for (int i = 0; i < 4; ++i)
            scanEvents.push_back({row.scan, row.extended, true});
        scanEvents.push_back({row.scan, row.extended, false});
    }
    scanEvents.push_back({0x70, false, true});
    scanEvents.push_back({0x70, false, false});
    scanEvents.push_back({0x5C, true, true});
    scanEvents.push_back({0x5C, true, false});

    std::vector<Event> evdevEvents;
    for (std::size_t i = 0; i < EvdevScanCodes::rowCount(); ++i) {
        const EvdevScanCodes::Row &row = EvdevScanCodes::rows()[i];
        for (int j = 0; j < 4; ++j)
            evdevEvents.push_back({row.evdev, false, true});
        evdevEvents.push_back({row.evdev, false, false});
    }

    std::vector<Event> buttonEvents;
    for (unsigned message = 0x0200; message <= 0x020A; ++message)
        buttonEvents.push_back({message, false, false});

    // Proof that the counter counts: filling the lists above allocated.
    std::printf("allocations while preparing the events: %lld\n", s_allocations);

    constexpr int kRounds = 20000;
    measure("scan code -> usage -> callback", scanEvents, kRounds, [&dispatcher](const Event &e) {
        dispatcher.keyEvent(e.code, e.extended, false, e.pressed);
    });
    measure("evdev code -> scan code -> usage -> callback", evdevEvents, kRounds,
            [&dispatcher](const Event &e) {
                const ScanCode code = EvdevScanCodes::forEvdev(e.code);
                if (code.isValid())
                    dispatcher.keyEvent(code.scan, code.extended, false, e.pressed);
            });
    measure("button message -> button code -> callback", buttonEvents, kRounds * 10,
            [&dispatcher](const Event &e) {
                dispatcher.buttonEvent(e.code, 10, 20);
            });
    std::fflush(stdout);
    return 0;
}
