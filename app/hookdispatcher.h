#pragma once

#include "inputsink.h"
#include "keytables.h"

#include <array>

// Turns the raw events of the capture backends into what the scene wants:
// HID usage codes with press and release, auto-repeat dropped, and the three
// main mouse buttons. Calls the registered callbacks directly, on the thread
// the events arrive on (the GUI thread); a callback should only queue work.
class HookDispatcher final : public InputSink
{
public:
    using KeyboardCallback = void (*)(int usage, bool pressed, void *context);
    using MouseCallback = void (*)(int button, bool pressed, int x, int y, void *context);

    explicit HookDispatcher(quint8 layoutOption = 0);

    // A null function clears the slot.
    void registerKeyboardCallback(KeyboardCallback callback, void *context);
    void registerMouseCallback(MouseCallback callback, void *context);

    // A key transition: reported once per change of its usage's state, so a
    // held key's repeats give nothing.
    void keyEvent(unsigned scan, bool extended, bool altDown, bool pressed) override;
    // A button message: every down and up is reported.
    void buttonEvent(quint32 message, int x, int y) override;

    // Reports the release of every usage held down. For captures that can
    // miss a release (focus leaving our window).
    void releaseAllKeys();

    bool isPressed(quint8 usage) const { return m_keyState[usage]; }
    const KeyTables &tables() const { return m_tables; }

private:
    KeyTables m_tables;
    std::array<bool, 256> m_keyState{};
    KeyboardCallback m_keyboardCallback = nullptr;
    void *m_keyboardContext = nullptr;
    MouseCallback m_mouseCallback = nullptr;
    void *m_mouseContext = nullptr;
};
