#pragma once

#include "ctlcommands.h"

class CtlSession;

// kx20ctl's sending of what a profile file holds, with the device operations
// the program uses, in the order the program sends a profile after a profile
// change.
namespace CtlApply {

// The button table (with the gun matrices when a button is a gun button).
// The device operation also stores the table in the profile it is given; it
// gets a copy, so the user's file is not rewritten by a send. False, with
// `error`, when the copy could not be made.
bool sendButtons(CtlSession &session, int profile, const CtlCommands::ButtonsPlan &plan, QString &error);

// The buttons, the report rate, the DPI stages and the lighting, in the
// program's order and as one group of changes (MouseOperations::sendProfile):
// each changed profile image goes out once.
bool sendProfile(CtlSession &session, int profile, const CtlCommands::ApplyPlan &plan,
                 const CtlCommands::ConfigSnapshot &config, QString &error);

} // namespace CtlApply
