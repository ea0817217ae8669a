#pragma once

#include "emulatorfault.h"

#include <QList>
#include <QString>
#include <QStringList>

// Exit codes of kx20ctl, for scripts.
enum CtlExit : int {
    kExitOk = 0,
    kExitNoDevice = 1,
    kExitUsage = 2,
    kExitDeviceOrFile = 3,
};

// A fault the emulated mouse is given before the first HID call.
using CtlFault = EmulatorFault;

// The options that apply to every command, and the command with its own words.
struct CtlOptions
{
    // Which mouse to talk to: the real one, or the emulated mouse that the
    // installed apConfig.bin describes, with its chip family as configured or
    // overridden.
    enum class Emulate { Off, Configured, Family553, Family560 };

    Emulate emulate = Emulate::Off;
    bool trace = false;
    // --trace=json: the trace as one JSON object a line.
    bool traceJson = false;
    bool json = false;
    QList<CtlFault> faults;
    // --help or -h anywhere: help for the command, or for the tool.
    bool help = false;
    // Empty: the modules/ folder beside the executable.
    QString modulesDir;
    // Developer options, not in the help: skip the protocol pauses (emulated
    // mouse only) and report what the pauses added up to.
    bool devNoPauses = false;
    bool devPauseTotal = false;
    // Developer option for the fault tests (emulated mouse only): report at
    // the end whether the link is free, the handles left open and the
    // commands as the mouse understood them.
    bool devMouseReport = false;

    QString command;
    // The command's own words and options, in order.
    QStringList arguments;

    bool emulated() const { return emulate != Emulate::Off; }
};

struct OptionsResult
{
    CtlOptions options;
    // Empty when the words made sense.
    QString error;
};

// `words` are the command-line arguments without the program name. Options
// that apply to every command may stand anywhere before a "--"; everything
// else belongs to the command, whose first word is the command name.
OptionsResult parseOptions(const QStringList &words);

// A word that scripts pass as a number, such as "-5", is never an option.
bool looksLikeNumber(const QString &word);
