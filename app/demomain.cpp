// kx20-config with the emulated mouse plugged in from the start, so the whole
// program can be seen working without the mouse.
#include "demomouse.h"
#include "emulatorfault.h"
#include "programinfo.h"
#include "programmain.h"
#include "widget.h"

#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    if (const auto answered = ProgramInfo::answer(argc, argv, ProgramInfo::kDemo))
        return *answered;
    // --mouse-state FILE: keep FILE showing what the emulated mouse stored.
    // --dpi-button-stdin: lines on standard input press its DPI button,
    //   unplug, plug, hang it or make it answer again (MouseControlLines).
    // --fault FAULT (or --fault=FAULT), as often as needed: a fault given to
    //   the mouse before the first HID call, as kx20ctl --emulate takes it.
    QString statePath;
    bool dpiButtonStdin = false;
    QList<EmulatorFault> faults;
    for (int i = 1; i < argc; ++i) {
        const QString word = QString::fromLocal8Bit(argv[i]);
        if (word == QLatin1String("--mouse-state") && i + 1 < argc)
            statePath = QFileInfo(QString::fromLocal8Bit(argv[i + 1])).absoluteFilePath();
        dpiButtonStdin = dpiButtonStdin || word == QLatin1String("--dpi-button-stdin");
        if (word == QLatin1String("--fault") || word.startsWith(QLatin1String("--fault="))) {
            const QString given = word.contains(QLatin1Char('=')) ? word.section(QLatin1Char('='), 1)
                                  : i + 1 < argc                  ? QString::fromLocal8Bit(argv[++i])
                                                                  : QString();
            EmulatorFault fault;
            if (const QString error = EmulatorFault::parse(given, fault); !error.isEmpty()) {
                std::fprintf(stderr, "kx20-config-demo: %s\n", qPrintable(error));
                return 2;
            }
            faults.append(fault);
        }
    }
    DemoMouse demo;
    return runKx20Config(argc, argv, [&demo, &statePath, dpiButtonStdin, &faults](Widget &window) {
        demo.plugInto(window);
        for (const EmulatorFault &fault : faults)
            fault.applyTo(demo.backend());
        if (!statePath.isEmpty())
            demo.publishStateTo(statePath);
        if (dpiButtonStdin)
            demo.controlFromInputLines(window);
    });
}
