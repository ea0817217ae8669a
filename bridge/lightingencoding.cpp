#include "lightingencoding.h"

#include "variantbytes.h"

#include <algorithm>

namespace LightingEncoding {

namespace {

template<std::size_t N> uchar at(const uchar (&table)[N], int index)
{
    return index >= 0 && index < static_cast<int>(N) ? table[index] : 0;
}

constexpr uchar kFourLevels[] = {0x40, 0x80, 0xC0, 0xFF};
constexpr uchar kFiveLevels[] = {10, 30, 80, 160, 255};
constexpr uchar kT1[] = {10, 7, 5, 3, 1};
constexpr uchar kT2[] = {20, 17, 15, 13, 11};
constexpr uchar kT3[] = {15, 13, 10, 7, 5};
constexpr uchar kT4[] = {30, 27, 24, 22, 20};
constexpr uchar kT5[] = {30, 24, 18, 12, 6};
constexpr uchar kT6[] = {1, 3, 5, 7, 10};

uchar low(int value)
{
    return static_cast<uchar>(value & 0xFF);
}

LightingTriple triple(int mode, int first, int second)
{
    return LightingTriple{low(mode), low(first), low(second)};
}

} // namespace

uchar fourLevelBrightness(int brightness)
{
    return at(kFourLevels, brightness - 1);
}

uchar fiveLevelBrightness(int brightness)
{
    return at(kFiveLevels, brightness);
}

uchar speedT1(int speed)
{
    return at(kT1, speed);
}

uchar speedT2(int speed)
{
    return at(kT2, speed);
}

uchar speedT3(int speed)
{
    return at(kT3, speed);
}

uchar speedT4(int speed)
{
    return at(kT4, speed);
}

uchar speedT5(int speed)
{
    return at(kT5, speed);
}

uchar brightnessT6(int brightness)
{
    return at(kT6, brightness);
}

LightingTriple colourful571Triple(int effect, int speed, int brightness)
{
    const int s = speed;
    const int level = fiveLevelBrightness(brightness);
    // Most modes come in three variants (0, 1, 2) on consecutive effects.
    if (effect <= 0 || effect > 26)
        return {};
    if (effect <= 3)
        return triple(1, level, effect - 1);
    if (effect <= 6)
        return triple(2, s, effect - 4);
    if (effect == 7)
        return triple(3, s, level);
    if (effect == 8)
        return triple(4, s, level);
    if (effect <= 11)
        return triple(5, level, effect - 9);
    if (effect <= 14)
        return triple(6, 4, effect - 12);
    if (effect <= 17)
        return triple(7, 4, effect - 15);
    if (effect <= 19)
        return triple(8, level, effect - 18);
    if (effect <= 22)
        return triple(9, level, s * 16 + (effect - 20));
    if (effect == 23)
        return triple(10, level, s);
    return triple(11, level, effect - 24);
}

LightingTriple colourfulTriple(int effect, int speed, int brightness)
{
    const int level = fourLevelBrightness(brightness);
    switch (effect) {
    case 0:
        return triple(1, level, 0);
    case 1:
        return triple(3, 0, speedT1(speed));
    case 2:
        return triple(4, 0, speedT1(speed));
    case 3:
        return triple(0, 0, 0);
    case 4:
        return triple(2, level, 0);
    case 5:
        return triple(5, level, speedT1(speed));
    case 6:
        return triple(6, 0, 0);
    case 7:
        return triple(7, level, 0);
    case 8:
        return triple(8, level, speedT2(speed));
    case 9:
        return triple(9, level, speedT3(speed));
    case 10:
        return triple(10, level, speedT4(speed));
    default:
        return {};
    }
}

LightingTriple plainTriple(int effect, int speed, int brightness)
{
    switch (effect) {
    case 0:
        return triple(1, brightnessT6(brightness), 1);
    case 1:
        return triple(2, speed + 1, 1);
    case 2:
        return triple(3, speedT5(speed), 1);
    case 4:
        return triple(2, speed + 1, 3);
    default:
        return {};
    }
}

void patchTriple(ProfileImage &image, const LightingTriple &t)
{
    image[ImageBytes::kLighting] = t.mode;
    image[ImageBytes::kLighting + 1] = t.first;
    image[ImageBytes::kLighting + 2] = t.second;
}

ColourBuffer colourBuffer(const QVariantList &values)
{
    ColourBuffer buffer{};
    const int n = std::min(static_cast<int>(values.size()), static_cast<int>(buffer.size()));
    for (int i = 0; i < n; ++i)
        buffer[static_cast<std::size_t>(i)] = VariantBytes::intByteAt(values, i);
    return buffer;
}

void patchColours(ProfileImage &image, int firstByte, const ColourBuffer &buffer)
{
    std::copy_n(buffer.begin(), ImageBytes::kColourBytes, image.begin() + firstByte);
}

} // namespace LightingEncoding
