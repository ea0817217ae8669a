#pragma once

#include <optional>

// The answers to --help and --version, given before the application object
// exists, so that they work without a display.
namespace ProgramInfo {

// What a program says about itself.
struct Texts
{
    const char *name;  // "kx20-config"
    const char *usage; // the whole help text, ending in a newline
};

// When the arguments ask for help or the version, prints it on standard
// output and gives the exit code (0); otherwise nothing.
std::optional<int> answer(int argc, char **argv, const Texts &texts);

extern const Texts kProgram;
extern const Texts kDemo;

} // namespace ProgramInfo
