#include "pointerscales.h"

#include <algorithm>
#include <cmath>

namespace PointerScales {

namespace {

constexpr uint kMaxWindowsSpeed = 20;
constexpr uint kSlowestDoubleClickMs = 900;
constexpr uint kDoubleClickStepMs = 70;
constexpr double kAccelerationStep = 0.2;
constexpr int kDefaultSpeedStep = 5;

uint clampStep(long step)
{
    return static_cast<uint>(std::clamp<long>(step, 0, kLastStep));
}

} // namespace

uint windowsCursorSpeed(uint step)
{
    if (step == 0)
        return 1;
    return step >= kMaxWindowsSpeed / 2 ? kMaxWindowsSpeed : 2 * step;
}

uint stepOfWindowsCursorSpeed(uint speed)
{
    // Speed 1 is step 0; an odd speed set elsewhere reads as the step below.
    return clampStep(speed / 2);
}

double acceleration(uint step)
{
    // Steps are exact tenths, so 0.2 x (step - 5) lands on -1.0 and 1.0.
    return (static_cast<int>(std::min(step, kLastStep)) - kDefaultSpeedStep) * kAccelerationStep;
}

uint stepOfAcceleration(double value)
{
    if (std::isnan(value))
        return kDefaultSpeedStep;
    return clampStep(std::lround(value / kAccelerationStep) + kDefaultSpeedStep);
}

uint doubleClickTimeMs(uint step)
{
    // Beyond the last step the time would shrink below 200 ms and then wrap.
    return kSlowestDoubleClickMs - kDoubleClickStepMs * std::min(step, kLastStep);
}

uint stepOfDoubleClickTimeMs(int milliseconds)
{
    return clampStep(
        std::lround((static_cast<double>(kSlowestDoubleClickMs) - milliseconds) / kDoubleClickStepMs));
}

uint wheelScrollLines(uint lines)
{
    return lines;
}

uint linesOfWheelScrollLines(int lines)
{
    if (lines > static_cast<int>(kMaxLines))
        return kOneScreen;
    return static_cast<uint>(std::max(lines, 1));
}

} // namespace PointerScales
