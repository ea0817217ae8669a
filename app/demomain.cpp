// kx20-config with the emulated mouse plugged in from the start, so the whole
// program can be seen working without the mouse.
#include "demomouse.h"
#include "programmain.h"
#include "widget.h"

int main(int argc, char **argv)
{
    DemoMouse demo;
    return runKx20Config(argc, argv, [&demo](Widget &window) {
        demo.plugInto(window);
    });
}
