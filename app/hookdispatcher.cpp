#include "hookdispatcher.h"

HookDispatcher::HookDispatcher(quint8 layoutOption)
    : m_tables(layoutOption)
{}

void HookDispatcher::registerKeyboardCallback(KeyboardCallback callback, void *context)
{
    m_keyboardCallback = callback;
    m_keyboardContext = context;
}

void HookDispatcher::registerMouseCallback(MouseCallback callback, void *context)
{
    m_mouseCallback = callback;
    m_mouseContext = context;
}

void HookDispatcher::keyEvent(unsigned scan, bool extended, bool altDown, bool pressed)
{
    const quint8 usage = m_tables.usageForKey(scan, extended, altDown);
    if (usage == 0 || m_keyState[usage] == pressed)
        return;
    m_keyState[usage] = pressed;
    if (m_keyboardCallback)
        m_keyboardCallback(usage, pressed, m_keyboardContext);
}

void HookDispatcher::buttonEvent(quint32 message, int x, int y)
{
    const std::optional<ButtonTransition> transition = buttonForMessage(message);
    if (transition && m_mouseCallback)
        m_mouseCallback(transition->button, transition->pressed, x, y, m_mouseContext);
}

void HookDispatcher::releaseAllKeys()
{
    for (int usage = 0; usage < static_cast<int>(m_keyState.size()); ++usage) {
        if (!m_keyState[usage])
            continue;
        m_keyState[usage] = false;
        if (m_keyboardCallback)
            m_keyboardCallback(usage, false, m_keyboardContext);
    }
}
