#include "dpiencoding.h"

#include <algorithm>
#include <iterator>

namespace DpiEncoding {

namespace {

struct Step
{
    int maxDpi;
    uchar reg;
};

constexpr Step k3050[] = {{250, 0x01},  {500, 0x02},  {750, 0x03},  {1000, 0x04}, {1250, 0x05}, {1500, 0x06},
                          {1750, 0x07}, {2000, 0x08}, {2500, 0x45}, {3000, 0x46}, {3500, 0x47}, {4000, 0x48}};

constexpr Step k3320[] = {{250, 0x01},  {500, 0x02},  {750, 0x03},  {1000, 0x04}, {1250, 0x05}, {1500, 0x06},
                          {1750, 0x07}, {2000, 0x08}, {2250, 0x09}, {2500, 0x0A}, {2750, 0x0B}, {3000, 0x0C},
                          {3250, 0x0D}, {3500, 0x0E}, {4000, 0x48}, {4500, 0x49}, {5000, 0x4A}, {5500, 0x4B},
                          {6000, 0x4C}, {6500, 0x4D}, {7000, 0x4E}};

// The register of the first step that reaches `dpi`; beyond the table, 0.
template<std::size_t N> uchar lookUp(const Step (&table)[N], int dpi)
{
    const auto it = std::find_if(std::begin(table), std::end(table), [dpi](const Step &step) {
        return step.maxDpi >= dpi;
    });
    return it == std::end(table) ? 0 : it->reg;
}

uchar low(long long value)
{
    return static_cast<uchar>(value & 0xFF);
}

} // namespace

int Range::clamp(int dpi) const
{
    return std::clamp(dpi, min, max);
}

Range sensorRange(const QString &sensorType)
{
    // Linear registers end at byte 255 (3389: 511 with its high-range bit);
    // 3212 halves its resolution above 2300 and runs out at 0x7F.
    if (sensorType == QLatin1String("3360"))
        return {100, 25600, 100};
    if (sensorType == QLatin1String("3050"))
        return {250, 4000, 250};
    if (sensorType == QLatin1String("3389"))
        return {50, 25550, 50};
    if (sensorType == QLatin1String("3320"))
        return {250, 7000, 250};
    if (sensorType == QLatin1String("3327"))
        return {100, 25500, 100};
    if (sensorType == QLatin1String("3212"))
        return {50, 4800, 50};
    return {50, 9700, 50};
}

uchar registerByte(int dpi, const QString &sensorType)
{
    const long long v = dpi;
    if (sensorType == QLatin1String("3360"))
        return low(v / 100 - 1);
    if (sensorType == QLatin1String("3050"))
        return lookUp(k3050, dpi);
    if (sensorType == QLatin1String("3389"))
        return low(v / 50);
    if (sensorType == QLatin1String("3320"))
        return lookUp(k3320, dpi);
    if (sensorType == QLatin1String("3327"))
        return low(v / 100);
    if (sensorType == QLatin1String("3212"))
        return v > 2300 ? static_cast<uchar>(low(v / 76) | 0x40) : low(v / 38);
    // 4090 and every sensor we know nothing better about.
    return low(v / 38);
}

const QStringList &knownSensors()
{
    static const QStringList sensors = {
        QStringLiteral("4090"), QStringLiteral("3360"), QStringLiteral("3050"), QStringLiteral("3389"),
        QStringLiteral("3320"), QStringLiteral("3327"), QStringLiteral("3212")};
    return sensors;
}

bool canEncode(int dpi, const QString &sensorType)
{
    return sensorRange(sensorType).contains(dpi);
}

bool usesHighRangeMask(const QString &sensorType)
{
    return sensorType == QLatin1String("3389");
}

bool isHighRange(int dpi, const QString &sensorType)
{
    return usesHighRangeMask(sensorType) && dpi >= kHighRangeDpi;
}

Registers convert(const QString &sensorType, const QVariantList &dpiValues)
{
    Registers r;
    const Range range = sensorRange(sensorType);
    for (int i = 0; i < kStages; ++i) {
        const int dpi = range.clamp(i < dpiValues.size() ? dpiValues.at(i).toInt() : 0);
        r.bytes[static_cast<std::size_t>(i)] = registerByte(dpi, sensorType);
        if (isHighRange(dpi, sensorType))
            r.highRangeMask = static_cast<uchar>(r.highRangeMask | (1u << i));
    }
    return r;
}

uchar stageMask(int dpiCount)
{
    const int count = std::clamp(dpiCount, 0, kStages);
    return static_cast<uchar>((1u << count) - 1u);
}

std::array<uchar, kStages> stageBytes553(const Registers &registers, int dpiCount)
{
    std::array<uchar, kStages> bytes = registers.bytes;
    for (int i = std::max(dpiCount, 0); i < kStages; ++i)
        bytes[static_cast<std::size_t>(i)] = kUnusedStage;
    return bytes;
}

void patchImage(ProfileImage &image, const Registers &registers, int dpiCount, bool withHighRange)
{
    std::copy(registers.bytes.begin(), registers.bytes.end(), image.begin() + ImageBytes::kDpiStages);
    std::copy(registers.bytes.begin(), registers.bytes.end(), image.begin() + ImageBytes::kDpiStagesCopy);
    image[ImageBytes::kStageMask] = stageMask(dpiCount);
    if (withHighRange) {
        image[ImageBytes::kHighRangeMask] = registers.highRangeMask;
        image[ImageBytes::kHighRangeMask + 1] = registers.highRangeMask;
    }
}

} // namespace DpiEncoding
