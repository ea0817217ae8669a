#pragma once

#include "profileimages.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <array>

// DPI values in dots per inch become the sensor's register bytes. How depends
// on the sensor model named in the application file.
namespace DpiEncoding {

constexpr int kStages = 8;
// Sensor 3389 marks the stages at or above this in a separate mask.
constexpr int kHighRangeDpi = 12800;
// A 553-family stage beyond the enabled count.
constexpr uchar kUnusedStage = 0x80;

struct Registers
{
    std::array<uchar, kStages> bytes{};
    uchar highRangeMask = 0; // bit i: stage i + 1 at 12800 DPI or more (3389)
};

// The DPI values a sensor takes: from `min` to `max` in steps of `step`,
// every one of them with a register of its own (no wrapped byte).
struct Range
{
    int min = 0;
    int max = 0;
    int step = 0;

    bool contains(int dpi) const { return dpi >= min && dpi <= max; }
    int clamp(int dpi) const;
};

uchar registerByte(int dpi, const QString &sensorType);
// What the sensor's registers encode; every sensor not named in the table
// counts as "4090", as registerByte() does.
Range sensorRange(const QString &sensorType);
// The sensor models whose registers the program knows.
const QStringList &knownSensors();
// Whether `dpi` lies in the sensor's range.
bool canEncode(int dpi, const QString &sensorType);
bool isHighRange(int dpi, const QString &sensorType);

// The first eight values of `dpiValues`, each first brought into the
// sensor's range (a missing one counts as the lowest value), so a damaged
// value never becomes a wrapped register.
Registers convert(const QString &sensorType, const QVariantList &dpiValues);

// Bits 0 .. dpiCount - 1 set.
uchar stageMask(int dpiCount);
// The eight bytes a 553-family mouse gets: stages from `dpiCount` on are unused.
std::array<uchar, kStages> stageBytes553(const Registers &registers, int dpiCount);
// Writes the stages, the enabled mask and, for sensor 3389, the high-range
// mask into a 560-family image.
void patchImage(ProfileImage &image, const Registers &registers, int dpiCount, bool withHighRange);

bool usesHighRangeMask(const QString &sensorType);

} // namespace DpiEncoding
