#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <optional>

// The fixed tables that turn a key's hardware scan code into the HID keyboard
// usage code the mouse stores in macros and key assignments: scan code (with
// the extended flag) to Windows virtual-key code, then virtual-key code to
// usage. Both tables are filled once, by the constructor; a lookup is two
// array loads and never allocates.
class KeyTables
{
public:
    struct ScanRow
    {
        quint8 scan;
        bool extended;
        quint8 virtualKey;
    };
    struct UsageRow
    {
        quint8 virtualKey;
        quint8 usage;
    };

    static constexpr std::size_t kScanRowCount = 105;
    static constexpr std::size_t kUsageRowCount = 121;

    // layoutOption: 0 maps the key left of Enter on the US layout (virtual
    // key DC) to usage 31, anything else to usage 32 (the non-US position).
    explicit KeyTables(quint8 layoutOption = 0);

    quint8 layoutOption() const { return m_layoutOption; }

    // The virtual-key code of a key, 0 when the table has no row for it. Scan
    // codes above 255 count as no key. Two keys are fixed: Ctrl+Break (scan
    // 46 extended) is Pause, and Alt+Print Screen (scan 54, which the
    // keyboard sends while Alt is held) is Print Screen.
    quint8 virtualKey(unsigned scan, bool extended, bool altDown) const;
    // The usage code of a virtual-key code, 0 when there is none.
    quint8 usage(quint8 virtualKey) const { return m_usage[virtualKey]; }
    // Both steps; 0 when the key yields nothing.
    quint8 usageForKey(unsigned scan, bool extended, bool altDown) const;

    // The rows as filled, for checks: every scan row, and every usage row
    // (with the row for DC as the layout option sets it).
    static const std::array<ScanRow, kScanRowCount> &scanRows();
    std::array<UsageRow, kUsageRowCount> usageRows() const;
    std::size_t scanTableSize() const;
    std::size_t usageTableSize() const;

private:
    quint8 m_layoutOption;
    std::array<quint8, 512> m_virtualKey{}; // index: scan * 2 + extended
    std::array<quint8, 256> m_usage{};
};

// The three main mouse buttons as the mouse and the scene name them.
namespace MouseButton {
constexpr quint8 Left = 0xF0;
constexpr quint8 Right = 0xF1;
constexpr quint8 Middle = 0xF2;
} // namespace MouseButton

struct ButtonTransition
{
    quint8 button;
    bool pressed;
};

// The button and transition a mouse message stands for. Double-click messages
// and every other message give nothing: a double click is reported by its
// downs and ups.
std::optional<ButtonTransition> buttonForMessage(quint32 message);
