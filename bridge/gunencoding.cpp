#include "gunencoding.h"

#include "variantbytes.h"

namespace GunEncoding {

namespace {
constexpr uchar kGunFlagBit = 0x04;
constexpr uchar kGunMark = 0xF0;
} // namespace

GunValues fromList(const QVariantList &values)
{
    return GunValues{VariantBytes::uintByteAt(values, 0), VariantBytes::uintByteAt(values, 1),
                     VariantBytes::uintByteAt(values, 2)};
}

uchar negated(uchar value)
{
    return static_cast<uchar>((0x100 - value) & 0xFF);
}

void patchImage(ProfileImage &image, const GunValues &values)
{
    image[ImageBytes::kGunFlags] = static_cast<uchar>(image[ImageBytes::kGunFlags] & ~kGunFlagBit);
    image[ImageBytes::kGunMark] = kGunMark;
    image[ImageBytes::kGunValues] = values.repetitions;
    image[ImageBytes::kGunValues + 1] = values.x;
    image[ImageBytes::kGunValues + 2] = values.y;
}

} // namespace GunEncoding
