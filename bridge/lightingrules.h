#pragma once

#include "mousemodel.h"

#include <QVariantList>

// What the lighting page's choice becomes on the wire: the rules that decide
// which lighting commands go out and with which values. One place for the
// program's Save and for kx20ctl.
struct LightingChoice
{
    int effect = 0;
    int speed = 0;
    int brightness = 0;
    // The colour row as the page holds it: red, green, blue per block.
    QVariantList colours;
    // The single colour ("S" marker).
    QVariantList fixColour;
};

namespace LightingRules {

// Which parts a send carries: the effect and colours, the effect alone, or
// the colours alone.
enum class Part { All = 0, Effect = 1, Colours = 2 };

// The steps of the speed and brightness sliders run from 0 to 4; anything
// else is taken as the nearest step.
int clampStep(int step);
// The colour list type of mouseSetRGBColor: 0 for full-colour mice, else 1.
uchar colourType(const MouseModel &model);
// The colour row as stored and sent: block 8 of a 55328 mouse lights only
// with that mouse's own effect (row 4), so with any other effect it is black.
QVariantList coloursForEffect(const MouseModel &model, int effect, QVariantList colours);
// Only a 553-family 571 mouse has a command of its own for the single colour.
bool sendsFixColour(const MouseModel &model);

} // namespace LightingRules
