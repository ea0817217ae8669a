#pragma once

#include "ctlcommands.h"
#include "ctlmacros.h"
#include "ctloptions.h"
#include "ctlsession.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

// Runs one kx20ctl command line: judges every word, opens the settings files,
// checks the values against the configured mouse and the stored profile,
// connects, and only then sends. Results go to `out` as plain lines (or JSON),
// errors to `err` as one line each.
class CtlRunner
{
public:
    CtlRunner(std::FILE *out, std::FILE *err);

    // `words`: the arguments without the program name. Returns the exit code.
    int run(const QStringList &words);

    // The device link's diagnostics are debug lines; kx20ctl shows them only
    // with --trace, and keeps warnings always.
    static void installMessageFilter();

private:
    int usage(const QString &message);
    int fail(int code, const QString &message);
    void print(const QString &text);
    void printLine(const QString &line);

    int help(const CtlOptions &options);
    // `typed`: the command as parsed; names and omitted stages are filled in
    // from the configuration before anything is checked or sent.
    int execute(const CtlOptions &options, const CtlCommands::CommandRequest &typed,
                const QString &modulesRoot);
    CtlSession::Setup sessionSetup(const CtlOptions &options, const QString &modulesRoot) const;
    // What the configuration fills in or refuses before anything is planned;
    // an exit code when that ends the run.
    std::optional<int> completeRequest(CtlSession &session, const CtlCommands::ConfigSnapshot &config,
                                       CtlCommands::CommandRequest &request);
    // What a command sends, read and checked before the mouse is opened.
    struct Prepared
    {
        int profile = 0;
        std::optional<CtlCommands::ButtonsPlan> buttons;
        std::optional<CtlCommands::ApplyPlan> apply;
        CtlMacros::MacroBytes macro;
    };
    std::optional<int> prepare(CtlSession &session, const CtlCommands::ConfigSnapshot &config,
                               const CtlCommands::CommandRequest &request, const QString &modulesRoot,
                               Prepared &prepared);
    int dispatch(CtlSession &session, const CtlOptions &options, const CtlCommands::CommandRequest &request,
                 const CtlCommands::ConfigSnapshot &config, const Prepared &prepared);
    int finish(CtlSession &session, const CtlOptions &options, int code, bool strict);

    int runList(CtlSession &session, const CtlOptions &options);
    int runInfo(CtlSession &session, const CtlOptions &options);
    int runSet(CtlSession &session, const CtlCommands::CommandRequest &request,
               const CtlCommands::ConfigSnapshot &config);
    int runButtons(CtlSession &session, int profile, const CtlCommands::ButtonsPlan &plan);
    int runApply(CtlSession &session, int profile, const CtlCommands::ApplyPlan &plan,
                 const CtlCommands::ConfigSnapshot &config);
    // profile N: what apply N sends, and "mouse/profileNo" once the mouse
    // took all of it.
    int runSwitch(CtlSession &session, int profile, const CtlCommands::ApplyPlan &plan,
                  const CtlCommands::ConfigSnapshot &config);
    // profile without N, or with --link/--unlink: the files only.
    int runProfiles(CtlSession &session, const CtlOptions &options,
                    const CtlCommands::CommandRequest &request);
    // The button table through the device operations, on a copy of the
    // profile file so the user's file is only read.
    int runSlots(CtlSession &session, const CtlOptions &options, int profile);
    int runSendMacro(CtlSession &session, const CtlCommands::CommandRequest &request,
                     const QByteArray &bytes);
    int runReadProfile(CtlSession &session, int image);
    int runRaw(CtlSession &session, const CtlCommands::RawRequest &raw);
    int runListen(CtlSession &session);

    // After sending: a device error when HID calls failed since `failedBefore`.
    int checkSent(CtlSession &session, int failedBefore, const QString &done);
    QString noDeviceMessage(CtlSession &session) const;

    std::FILE *m_out;
    std::FILE *m_err;
};
