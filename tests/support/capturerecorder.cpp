#include "capturerecorder.h"

void CaptureRecorder::onKey(int usage, bool pressed, void *context)
{
    static_cast<CaptureRecorder *>(context)->keys.push_back({usage, pressed, context});
}

void CaptureRecorder::onButton(int button, bool pressed, int x, int y, void *context)
{
    static_cast<CaptureRecorder *>(context)->buttons.push_back({button, pressed, x, y});
}

std::vector<std::pair<int, bool>> CaptureRecorder::keyPairs() const
{
    std::vector<std::pair<int, bool>> pairs;
    for (const KeyCall &call : keys)
        pairs.emplace_back(call.usage, call.pressed);
    return pairs;
}

void CaptureRecorder::clear()
{
    keys.clear();
    buttons.clear();
}
