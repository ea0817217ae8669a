#pragma once

#include "ctlcommands.h"
#include "ctloptions.h"
#include "hidthread.h"
#include "mousemodel.h"
#include "mouseoperations.h"
#include "pauseclock.h"
#include "tracingbackend.h"

#include <QString>

#include <memory>

class EmulatorBackend;
class SettingsFiles;

// One run of kx20ctl against a mouse: the settings files of a modules/
// folder, the configured mouse model, the HID backend (real, or the emulated
// mouse that apConfig.bin describes) behind the tracing decorator, and the
// program's own device link and device operations on top.
class CtlSession
{
public:
    struct Setup
    {
        QString modulesRoot;
        CtlOptions::Emulate emulate = CtlOptions::Emulate::Off;
        bool skipPauses = false;
        // Set: every HID call is described to it.
        TracingBackend::Sink trace;
        TracingBackend::Format traceFormat = TracingBackend::Format::Text;
        // Given to the emulated mouse before the first HID call.
        QList<CtlFault> faults;
    };

    explicit CtlSession(const Setup &setup);
    ~CtlSession();
    CtlSession(const CtlSession &) = delete;
    CtlSession &operator=(const CtlSession &) = delete;

    SettingsFiles &files() { return *m_files; }
    // The language of the program's texts: the user's pick, else the system's.
    QString language() const;
    QString apConfigPath() const;
    // The configured mouse; with --emulate=553|560 of that family.
    const MouseModel &model() const { return m_model; }
    CtlCommands::ConfigSnapshot config() const;
    bool hasProfileFile(int profile) const;
    QString profileFileName(int profile) const;
    CtlCommands::ProfileData profileData(int profile);
    CtlCommands::GunRecords gunRecords() const;

    bool isEmulated() const { return m_emulator != nullptr; }
    // Null unless emulated.
    EmulatorBackend *emulator() { return m_emulator.get(); }
    Hid_Thread &hid() { return m_hid; }
    MouseOperations &operations() { return m_operations; }
    TracingBackend &backend() { return *m_tracer; }
    PauseClock &clock() { return m_clock; }

    // One discovery run, as the program makes it; the row that connected, or -1.
    int connectMouse();
    int connectedRow() const { return m_row; }
    // The images a 560-family mouse has read back at connection: 0 and 1, and
    // 2..4 on gun models. Returns the images that could not be read.
    QList<int> readImagesBack();
    // Conformance complaints of the emulated mouse; empty for a real one.
    QStringList emulatorViolations();
    // For the fault tests: whether the link is free, the handles left open,
    // and the commands as the emulated mouse understood them.
    QStringList emulatorReport();

private:
    void plugInEmulatedMouse(const QList<CtlFault> &faults);
    // A feature report as the mouse reads it: unscrambled when the connected
    // row scrambles.
    QByteArray inClear(const QByteArray &onWire) const;

    // Declared in the order they must be built; destroyed the other way round,
    // so the link lets go of its handles before the backends go.
    PauseClock m_clock;
    std::unique_ptr<EmulatorBackend> m_emulator;
    std::unique_ptr<TracingBackend> m_tracer;
    std::unique_ptr<SettingsFiles> m_files;
    MouseModel m_model;
    Hid_Thread m_hid;
    MouseOperations m_operations;
    int m_row = -1;
};
