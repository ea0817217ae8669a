// kx20ctl's commands: the table of names, synopses and help texts.
#include "ctlcommands.h"

namespace CtlCommands {

namespace {

const QList<CommandInfo> kCommands = {
    {CommandId::List, "list", "list", "device rows, their interfaces and the handshake",
     "Shows every device row of apConfig.bin, the HID interfaces found for its vendor and\n"
     "product id (marked command or event where they match the row's usage pairs), and\n"
     "the result of the secrecy-code handshake. Exits with 1 when no row connects.\n"
     "With --json the same as one JSON object."},
    {CommandId::Info, "info", "info", "chip family, flags, DPI stage, profile, keyboard options",
     "Connects and shows the configured chip family and variant flags, the sensor and\n"
     "its DPI limits, the profile in use (mouse/profileNo), and what the mouse reports:\n"
     "its current DPI stage, its current on-board profile (560 family) and its keyboard\n"
     "options. With --json the same as one JSON object."},
    {CommandId::Rate, "rate", "rate 125|250|500|1000", "set the report rate (Hz)",
     "Sets the mouse's report rate. The rate is sent as the report interval in\n"
     "milliseconds (8, 4, 2, 1), as the program does."},
    {CommandId::Stage, "stage", "stage N", "switch to DPI stage N (1-8)",
     "Makes DPI stage N (1 to 8) the mouse's current stage."},
    {CommandId::Dpi, "dpi", "dpi V1 [V2 ... V8] | dpi COUNT V1 ... V8", "set the DPI stages",
     "Sets the DPI stages, converted for the sensor named by mouse/sensorType.\n"
     "  dpi V1 [V2 ... V8]      the values of the first stages; as many stages are in use\n"
     "                          as values are given, the others keep the values stored in\n"
     "                          the profile in use (mouse/dpiValueArray)\n"
     "  dpi COUNT V1 ... V8     how many stages are in use (1 to 8) and all eight values\n"
     "Values must lie within mouse/minDPI and mouse/maxDPI and be multiples of\n"
     "mouse/dpiBase where apConfig.bin sets them. The profile file is only read."},
    {CommandId::Light, "light", "light [EFFECT SPEED BRIGHTNESS]", "set the lighting effect, or list them",
     "Sets the lighting effect, its speed (0-4) and its brightness (0-4). EFFECT is the\n"
     "row of the program's effect list (from 0) or its name in the configured language\n"
     "(case, spaces and dashes do not count: finger-moving). Which effects exist depends\n"
     "on the mouse's variant flags. Without arguments, lists the effects of the\n"
     "configured mouse with the settings each one uses."},
    {CommandId::Colors, "colors", "colors R,G,B [R,G,B ...]", "set the lighting colours",
     "Sets up to twelve lighting colours (eight on a 560-family mouse), each as R,G,B\n"
     "with values 0-255 or as #RRGGBB. Colours not given are sent as black."},
    {CommandId::Gun, "gun", "gun SLOT REPEAT X Y", "set one gun slot",
     "Sets gun slot SLOT (1-3): REPEAT shots (0-255, 0 = endless), the horizontal\n"
     "correction X (-128 to 127) and the vertical pull-down Y (0-64). Only for mice\n"
     "with gun functions (mouse/isGun)."},
    {CommandId::Buttons, "buttons", "buttons [PROFILE]", "send a profile's button table",
     "Sends the button table stored in profile PROFILE (0-9, the file p1.bin to\n"
     "p10.bin; default: the profile in use), with the gun matrices when a button is a\n"
     "gun button. The profile file is only read."},
    {CommandId::Apply, "apply", "apply [PROFILE]", "send everything a profile holds",
     "Sends what profile PROFILE (0-9; default: the profile in use) holds, as the\n"
     "program does after a profile change: the button table with the gun matrices,\n"
     "the report rate, the DPI stages, the lighting effect and the colours, and on a\n"
     "mouse with gun functions the factory gun matrices with matrix 1 made current.\n"
     "Each changed profile image of a 560-family mouse goes out once, after the other\n"
     "commands. Every stored value is checked before the first byte goes out. The\n"
     "profile file is only read."},
    {CommandId::Profile, "profile", "profile [N] [--link NAME | --unlink NAME]",
     "list the profiles, switch to one, link applications",
     "Without N, prints the profiles of the program's profile list: number, name and\n"
     "the applications linked to each, with '*' before the profile in use\n"
     "(mouse/profileNo). Needs no mouse. With --json the same as one JSON object.\n"
     "  profile N               changes to profile N as the window's profile list does:\n"
     "                          sends what the profile holds (as apply N) and, once the\n"
     "                          mouse has taken all of it, stores N as the profile in use.\n"
     "                          Every stored value is checked before the first byte goes\n"
     "                          out. When the mouse fails part-way, the profile in use\n"
     "                          stays as it was, the exit code is 3, and the mouse may\n"
     "                          hold part of profile N until a profile is sent again.\n"
     "  profile N --link NAME   links the application NAME (its window class or\n"
     "                          executable name, any case) to profile N: the program\n"
     "                          changes to N while that application is in front. A NAME\n"
     "                          linked to another profile moves to N.\n"
     "  profile N --unlink NAME removes the link of NAME to profile N.\n"
     "Linking needs no mouse and changes no profile. A switch to or a link to a profile\n"
     "the list lacks, an unusable NAME and an --unlink of a NAME not linked to N are\n"
     "refused with exit code 2, and nothing is stored or sent."},
    {CommandId::Slots, "slots", "slots [PROFILE]", "print a profile's sixteen button slots in words",
     "Prints what each of the sixteen button slots (0-15; button n is slot n-1) of\n"
     "profile PROFILE (0-9; default: the profile in use) does, in words, with its four\n"
     "codes: \"4 LCtrl+C\", \"5 macro m1, runs once\", \"7 DPI+\". Key names follow the\n"
     "language of the program (common/language). Needs no mouse. With --json the same\n"
     "as one JSON object."},
    {CommandId::SendMacro, "send-macro", "send-macro NAME SLOT", "send a stored macro for a button slot",
     "Sends the macro NAME of the macro library (modules/macro/NAME.bin) to the mouse as\n"
     "the macro of button slot SLOT (0-11; the mouse's macro slot SLOT+1), encoded as the\n"
     "macro editor does, with the macro's own repeat count. The profile is not changed:\n"
     "a button runs it once its slot is given the macro (kx20-config's button dialog)."},
    {CommandId::ReadProfile, "read-profile", "read-profile N", "print on-board profile image N",
     "Reads the 128-byte on-board profile image N (0-4) of a 560-family mouse and\n"
     "prints it as hex, sixteen bytes a line."},
    {CommandId::Raw, "raw", "raw CODE [P0 ... P5] [--bulk HEX | --recv N]", "send a raw command",
     "Sends one command report through the device link: CODE and up to six parameters\n"
     "as hex bytes (missing ones are 00; the checksum is added). --bulk HEX sends up to\n"
     "128 bytes of bulk data after it, paced as the program paces that command (a code\n"
     "the family does not know with the settle pauses). --recv N reads the answer report\n"
     "and N bulk bytes (0-128) instead. Prints what was sent (before the scrambling a\n"
     "mouse with isEncode gets) with the command's name, the answer and the received\n"
     "bulk data in hex."},
    {CommandId::Listen, "listen", "listen", "print DPI-button switches until interrupted",
     "Switches the mouse's event reports on and prints 'stage N' each time the DPI\n"
     "button on the mouse selects stage N, until Ctrl+C (SIGINT) or SIGTERM; exits with\n"
     "3 when the event reports cannot be switched on. With --emulate, each line on\n"
     "standard input presses the emulated mouse's DPI button."},
    {CommandId::Help, "help", "help [COMMAND]", "this help, or a command's",
     "Shows the help of the tool or of COMMAND."},
};

} // namespace

const QList<CommandInfo> &commands()
{
    return kCommands;
}

const CommandInfo *find(const QString &name)
{
    for (const CommandInfo &c : kCommands) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

QString toolHelp()
{
    QString text =
        QStringLiteral("Usage: kx20ctl [OPTIONS] COMMAND [ARGUMENTS]\n"
                       "\n"
                       "Drives the KX20 mouse from the command line, with the device link and the\n"
                       "settings files of kx20-config.\n"
                       "\n"
                       "Options:\n"
                       "  --emulate[=553|560]  use the emulated mouse that apConfig.bin describes (its\n"
                       "                       first device row), of the configured or the given family\n"
                       "  --trace              print every HID call on standard error: time since start,\n"
                       "                       direction, interface and report bytes in hex; each command\n"
                       "                       is named, with its request, before its reports\n"
                       "  --trace=json         the same as one JSON object a line: time, direction, call,\n"
                       "                       interface, command, bytes as sent and in the clear\n"
                       "  --fault FAULT        with --emulate, a fault of the emulated mouse (repeatable):\n"
                       "                       unplug@N     unplugged at the Nth HID call\n"
                       "                       silent[@N]   stops answering at the Nth HID call\n"
                       "                       CALL@N       the Nth call of CALL fails; CALL is one of\n"
                       "                                    enumerate, open, nonblocking, send-feature,\n"
                       "                                    get-feature, write, read, read-timeout, close\n"
                       "  --modules DIR        the modules/ folder to use (default: the program's, beside\n"
                       "                       kx20ctl or, where that is read-only, the user's copy)\n"
                       "  --json               JSON output for list, info, slots and profile\n"
                       "  -h, --help           this help; after a command, the command's help\n"
                       "\n"
                       "Commands:\n");
    for (const CommandInfo &c : kCommands)
        text += QStringLiteral("  %1%2\n")
                    .arg(QString::fromLatin1(c.synopsis).leftJustified(46), QLatin1String(c.summary));
    text +=
        QStringLiteral("\n"
                       "Exit codes: 0 success, 1 no device, 2 usage error, 3 device or file error.\n"
                       "Run 'kx20ctl help COMMAND' or 'kx20ctl COMMAND --help' for a command's details.\n");
    return text;
}

QString commandHelp(const CommandInfo &command)
{
    return QStringLiteral("Usage: kx20ctl [OPTIONS] %1\n\n%2\n")
        .arg(QLatin1String(command.synopsis), QLatin1String(command.details));
}

} // namespace CtlCommands
