#pragma once

#include "profileimages.h"

#include <QVariantList>

#include <array>

// What the lighting page holds (effect, speed step, brightness step, colours)
// in the bytes the mouse takes.
struct LightingTriple
{
    uchar mode = 0;
    uchar first = 0;
    uchar second = 0;

    bool operator==(const LightingTriple &other) const
    {
        return mode == other.mode && first == other.first && second == other.second;
    }
};

namespace LightingEncoding {

// Level tables; an index outside a table gives 0.
uchar fourLevelBrightness(int brightness); // 1..4
uchar fiveLevelBrightness(int brightness); // 0..4
uchar speedT1(int speed);                  // speed 0..4 for T1..T5
uchar speedT2(int speed);
uchar speedT3(int speed);
uchar speedT4(int speed);
uchar speedT5(int speed);
uchar brightnessT6(int brightness); // 0..4

// Full-colour mice of the 571 variant: 27 effects.
LightingTriple colourful571Triple(int effect, int speed, int brightness);
// Other full-colour mice: 11 effects.
LightingTriple colourfulTriple(int effect, int speed, int brightness);
// Single-colour mice: (mode, value, extra).
LightingTriple plainTriple(int effect, int speed, int brightness);

// Triple into bytes 71..73 of an image.
void patchTriple(ProfileImage &image, const LightingTriple &triple);

// The scene's colour list (red, green, blue per colour), low bytes kept, at
// most 48 values, zero-filled.
using ColourBuffer = std::array<uchar, 48>;
ColourBuffer colourBuffer(const QVariantList &values);
// Buffer bytes 0..23 (eight colours) into the image from byte `firstByte`.
void patchColours(ProfileImage &image, int firstByte, const ColourBuffer &buffer);

} // namespace LightingEncoding
