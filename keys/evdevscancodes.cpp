#include "evdevscancodes.h"

#include <array>

namespace EvdevScanCodes {
namespace {

constexpr bool E = true;
constexpr bool N = false;

// The main block of a PC keyboard has evdev codes equal to its set-1 scan
// codes; the keys Windows reports with the E0 prefix, and the few whose code
// differs, are spelled out.
constexpr Row kRows[] = {
    {1, 0x01, N}, // Esc
    {2, 0x02, N},   {3, 0x03, N},   {4, 0x04, N},   {5, 0x05, N},   {6, 0x06, N},
    {7, 0x07, N},   {8, 0x08, N},   {9, 0x09, N},   {10, 0x0A, N},  {11, 0x0B, N}, // 1 .. 0
    {12, 0x0C, N},                                                                 // -
    {13, 0x0D, N},                                                                 // =
    {14, 0x0E, N},                                                                 // Backspace
    {15, 0x0F, N},                                                                 // Tab
    {16, 0x10, N},  {17, 0x11, N},  {18, 0x12, N},  {19, 0x13, N},  {20, 0x14, N},
    {21, 0x15, N},  {22, 0x16, N},  {23, 0x17, N},  {24, 0x18, N},  {25, 0x19, N}, // Q .. P
    {26, 0x1A, N},                                                                 // [
    {27, 0x1B, N},                                                                 // ]
    {28, 0x1C, N},                                                                 // Enter
    {29, 0x1D, N},                                                                 // left Ctrl
    {30, 0x1E, N},  {31, 0x1F, N},  {32, 0x20, N},  {33, 0x21, N},  {34, 0x22, N},
    {35, 0x23, N},  {36, 0x24, N},  {37, 0x25, N},  {38, 0x26, N}, // A .. L
    {39, 0x27, N},                                                 // ;
    {40, 0x28, N},                                                 // '
    {41, 0x29, N},                                                 // `
    {42, 0x2A, N},                                                 // left Shift
    {43, 0x2B, N},                                                 // backslash
    {44, 0x2C, N},  {45, 0x2D, N},  {46, 0x2E, N},  {47, 0x2F, N},  {48, 0x30, N},
    {49, 0x31, N},  {50, 0x32, N}, // Z .. M
    {51, 0x33, N},                 // ,
    {52, 0x34, N},                 // .
    {53, 0x35, N},                 // /
    {54, 0x36, E},                 // right Shift: the low-level hook reports it extended
    {55, 0x37, N},                 // keypad *
    {56, 0x38, N},                 // left Alt
    {57, 0x39, N},                 // Space
    {58, 0x3A, N},                 // Caps Lock
    {59, 0x3B, N},  {60, 0x3C, N},  {61, 0x3D, N},  {62, 0x3E, N},  {63, 0x3F, N},
    {64, 0x40, N},  {65, 0x41, N},  {66, 0x42, N},  {67, 0x43, N},  {68, 0x44, N}, // F1 .. F10
    {69, 0x45, E},                                                                 // Num Lock
    {70, 0x46, N},                                                                 // Scroll Lock
    {71, 0x47, N},  {72, 0x48, N},  {73, 0x49, N},                                 // keypad 7 8 9
    {74, 0x4A, N},                                                                 // keypad -
    {75, 0x4B, N},  {76, 0x4C, N},  {77, 0x4D, N},                                 // keypad 4 5 6
    {78, 0x4E, N},                                                                 // keypad +
    {79, 0x4F, N},  {80, 0x50, N},  {81, 0x51, N},                                 // keypad 1 2 3
    {82, 0x52, N},                                                                 // keypad 0
    {83, 0x53, N},                                                                 // keypad .
    {86, 0x56, N},  // the 102nd key (between left Shift and Z)
    {87, 0x57, N},  // F11
    {88, 0x58, N},  // F12
    {89, 0x73, N},  // Ro
    {92, 0x79, N},  // Henkan
    {93, 0x70, N},  // Katakana/Hiragana
    {94, 0x7B, N},  // Muhenkan
    {95, 0x5C, N},  // keypad Japanese comma
    {96, 0x1C, E},  // keypad Enter
    {97, 0x1D, E},  // right Ctrl
    {98, 0x35, E},  // keypad /
    {99, 0x37, E},  // Print Screen / SysRq
    {100, 0x38, E}, // right Alt
    {102, 0x47, E}, // Home
    {103, 0x48, E}, // Up
    {104, 0x49, E}, // Page Up
    {105, 0x4B, E}, // Left
    {106, 0x4D, E}, // Right
    {107, 0x4F, E}, // End
    {108, 0x50, E}, // Down
    {109, 0x51, E}, // Page Down
    {110, 0x52, E}, // Insert
    {111, 0x53, E}, // Delete
    {117, 0x59, N}, // keypad =
    {119, 0x45, N}, // Pause
    {121, 0x7E, N}, // keypad comma (Brazilian)
    {124, 0x7D, N}, // Yen
    {125, 0x5B, E}, // left Windows
    {126, 0x5C, E}, // right Windows
    {127, 0x5D, E}, // Menu
    {183, 0x64, N}, {184, 0x65, N}, {185, 0x66, N}, {186, 0x67, N}, {187, 0x68, N},
    {188, 0x69, N}, {189, 0x6A, N}, {190, 0x6B, N}, {191, 0x6C, N}, {192, 0x6D, N},
    {193, 0x6E, N}, {194, 0x76, N}, // F13 .. F24
};

constexpr std::size_t kCodeCount = 256;

constexpr std::array<ScanCode, kCodeCount> makeIndex()
{
    std::array<ScanCode, kCodeCount> index{};
    for (const Row &row : kRows)
        index[row.evdev] = ScanCode{row.scan, row.extended};
    return index;
}

// Filled at compile time: a lookup is one bounds check and one load.
constexpr std::array<ScanCode, kCodeCount> kIndex = makeIndex();

} // namespace

ScanCode forEvdev(unsigned evdevCode)
{
    return evdevCode < kCodeCount ? kIndex[evdevCode] : ScanCode{};
}

const Row *rows()
{
    return kRows;
}

std::size_t rowCount()
{
    return std::size(kRows);
}

} // namespace EvdevScanCodes
