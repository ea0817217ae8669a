#pragma once

#include <functional>

class HidBackend;
class Widget;

// The whole program from start to exit. `prepare` runs once the window
// exists, before the first discovery (the demo plugs in its emulated mouse
// there).
int runKx20Config(int &argc, char **argv, const std::function<void(Widget &)> &prepare = {});
