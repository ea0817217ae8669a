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

uchar registerByte(int dpi, const QString &sensorType);
// The sensor models whose registers the program knows.
const QStringList &knownSensors();
// False where the sensor takes its registers from a table and `dpi` lies
// past its end (the register would be 0).
bool canEncode(int dpi, const QString &sensorType);
bool isHighRange(int dpi, const QString &sensorType);

// The first eight values of `dpiValues` (missing ones count as 0).
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
