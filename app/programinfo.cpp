#include "programinfo.h"

#include <cstdio>
#include <cstring>

#ifndef KX20_VERSION
#error "KX20_VERSION comes from the build"
#endif

namespace ProgramInfo {

const Texts kProgram = {
    "kx20-config",
    "Usage: kx20-config [OPTION]\n"
    "Sets up the KX20 gaming mouse: the function of each button, keyboard macros,\n"
    "up to eight DPI stages, the report rate, lighting, gun data and the on-board\n"
    "profiles. It runs in the system tray; starting it again brings the window back.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are accepted as well.\n"
    "\n"
    "Settings are kept in modules/ beside the program; where that folder cannot be\n"
    "written (an installed package) the program works on its own copy in\n"
    "~/.local/share/kx20-config/modules. The language follows the system until one\n"
    "is chosen in the help menu. Diagnostics go to standard error.\n"
    "See kx20-config(1) and kx20ctl(1).\n",
};

const Texts kDemo = {
    "kx20-config-demo",
    "Usage: kx20-config-demo [OPTION]...\n"
    "kx20-config with an emulated KX20 mouse plugged in from the start, to try\n"
    "the program without the mouse. It keeps its settings as kx20-config does.\n"
    "\n"
    "      --mouse-state FILE  keep FILE showing what the emulated mouse has stored\n"
    "                          (report rate, DPI stage, profile, key matrix, macro\n"
    "                          slots, in hex)\n"
    "      --dpi-button-stdin  control the emulated mouse from standard input, one\n"
    "                          line at a time: \"dpi\" (or an empty line) presses its\n"
    "                          DPI button, \"unplug\" and \"plug\" pull and put back\n"
    "                          the cable, \"hang\" stops it answering, \"answer\" makes\n"
    "                          it answer again\n"
    "      --fault FAULT       give the emulated mouse a fault, as kx20ctl --fault\n"
    "                          does: unplug@N, silent@N, or CALL@N to fail the Nth\n"
    "                          call of one kind (repeatable)\n"
    "  -h, --help              show this help and exit\n"
    "      --version           show the version and exit\n"
    "\n"
    "See kx20-config-demo(1).\n",
};

std::optional<int> answer(int argc, char **argv, const Texts &texts)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(texts.usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", texts.name, KX20_VERSION);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace ProgramInfo
