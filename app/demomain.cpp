// kx20-config with the emulated mouse plugged in from the start, so the whole
// program can be seen working without the mouse.
#include "demomouse.h"
#include "programinfo.h"
#include "programmain.h"
#include "widget.h"

#include <QFileInfo>

int main(int argc, char **argv)
{
    if (const auto answered = ProgramInfo::answer(argc, argv, ProgramInfo::kDemo))
        return *answered;
    // --mouse-state FILE: keep FILE showing what the emulated mouse stored.
    // --dpi-button-stdin: each line on standard input presses its DPI button.
    QString statePath;
    bool dpiButtonStdin = false;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--mouse-state") == 0 && i + 1 < argc)
            statePath = QFileInfo(QString::fromLocal8Bit(argv[i + 1])).absoluteFilePath();
        dpiButtonStdin = dpiButtonStdin || qstrcmp(argv[i], "--dpi-button-stdin") == 0;
    }
    DemoMouse demo;
    return runKx20Config(argc, argv, [&demo, &statePath, dpiButtonStdin](Widget &window) {
        demo.plugInto(window);
        if (!statePath.isEmpty())
            demo.publishStateTo(statePath);
        if (dpiButtonStdin)
            demo.pressDpiButtonOnInputLines();
    });
}
