#pragma once

#include <QString>

#include <vector>

// Every command the program can send to the mouse, in one table: its code,
// chip family, name, what its six parameters carry, the bulk data that
// follows it and how it is paced. The command layer builds its requests from
// it, and the trace and kx20ctl raw name commands by it.
namespace ProtocolTable {

enum class Family { F553, F560 };

// How a command paces itself: the 128 ms settle around its transfer, a plain
// 8 ms after it, or none (a read waits for its answer instead).
enum class Pace { Settle, Short, None };
constexpr int kShortPauseMs = 8;

enum class Direction { Set, Read };

struct Command
{
    unsigned char code;
    Family family;
    // The device link's name of the command: "hid553_01H_SetReportRate".
    const char *name;
    // What parameters P0..P5 carry, in the order sent.
    const char *layout;
    Direction direction;
    Pace pace;
    // Bulk bytes sent after a set, or read after a read's answer; 0 for none.
    // Where the request says how many (10H of the 553 family) the most.
    int bulkLength;
    // The code as the failure line names it ("cmd Failed 8BH").
    const char *failureCode;
};

const std::vector<Command> &commands();
// The row of `code` in the family; null when the family has no such command.
const Command *find(Family family, unsigned char code);
// The command's name, or "hid560_5AH" for a code the family does not know.
QString name(Family family, unsigned char code);
inline Family familyOf(bool is560)
{
    return is560 ? Family::F560 : Family::F553;
}

} // namespace ProtocolTable
