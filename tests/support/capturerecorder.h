#pragma once

#include <utility>
#include <vector>

// One key the capture reported, with the context it was registered with.
struct KeyCall
{
    int usage;
    bool pressed;
    void *context;
    friend bool operator==(const KeyCall &a, const KeyCall &b)
    {
        return a.usage == b.usage && a.pressed == b.pressed && a.context == b.context;
    }
};

// One mouse button the capture reported.
struct ButtonCall
{
    int button;
    bool pressed;
    int x;
    int y;
    friend bool operator==(const ButtonCall &a, const ButtonCall &b)
    {
        return a.button == b.button && a.pressed == b.pressed && a.x == b.x && a.y == b.y;
    }
};

// What the key and button callbacks saw; the context points at one of these.
struct CaptureRecorder
{
    std::vector<KeyCall> keys;
    std::vector<ButtonCall> buttons;

    static void onKey(int usage, bool pressed, void *context);
    static void onButton(int button, bool pressed, int x, int y, void *context);

    // Registers both callbacks with a dispatcher or a hook holder.
    template<class Capture> void attach(Capture &capture)
    {
        capture.registerKeyboardCallback(&CaptureRecorder::onKey, this);
        capture.registerMouseCallback(&CaptureRecorder::onButton, this);
    }
    std::vector<std::pair<int, bool>> keyPairs() const;
    void clear();
};
