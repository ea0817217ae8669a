#include "lightingrules.h"

#include <algorithm>

namespace {

constexpr int kMaxStep = 4;
// The 55328 mouse's own effect, the only one that lights block 8.
constexpr int kEffect55328 = 4;
// Red, green and blue of block 8 in the colour row.
constexpr int kBlockEightFirst = 21;
constexpr int kBlockEightEnd = 24;

} // namespace

namespace LightingRules {

int clampStep(int step)
{
    return std::clamp(step, 0, kMaxStep);
}

uchar colourType(const MouseModel &model)
{
    return model.isColorful ? 0 : 1;
}

QVariantList coloursForEffect(const MouseModel &model, int effect, QVariantList colours)
{
    if (!model.is55328 || effect == kEffect55328)
        return colours;
    while (colours.size() < kBlockEightEnd)
        colours.append(0);
    for (int i = kBlockEightFirst; i < kBlockEightEnd; ++i)
        colours[i] = 0;
    return colours;
}

bool sendsFixColour(const MouseModel &model)
{
    return model.is571 && !model.is560();
}

} // namespace LightingRules
