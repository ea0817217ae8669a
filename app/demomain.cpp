// kx20-config with the emulated mouse plugged in from the start, so the whole
// program can be seen working without the mouse.
#include "demomouse.h"
#include "programmain.h"
#include "widget.h"

#include <QFileInfo>

int main(int argc, char **argv)
{
    // --mouse-state FILE: keep FILE showing what the emulated mouse stored.
    QString statePath;
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--mouse-state") == 0)
            statePath = QFileInfo(QString::fromLocal8Bit(argv[i + 1])).absoluteFilePath();
    }
    DemoMouse demo;
    return runKx20Config(argc, argv, [&demo, &statePath](Widget &window) {
        demo.plugInto(window);
        if (!statePath.isEmpty())
            demo.publishStateTo(statePath);
    });
}
