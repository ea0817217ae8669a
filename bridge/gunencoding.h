#pragma once

#include "profileimages.h"

#include <QVariantList>

// One gun slot as the mouse takes it: repeated fire with a recoil offset.
struct GunValues
{
    uchar repetitions = 0;
    uchar x = 0;
    uchar y = 0;
};

namespace GunEncoding {

// Repetitions, X, Y, each taken as an unsigned integer, low byte kept;
// missing values count as 0.
GunValues fromList(const QVariantList &values);
// Two's complement in eight bits: the mouse's Y axis runs the other way when
// its third keyboard option is set.
uchar negated(uchar value);
// Marks the image as carrying gun data and writes the values.
void patchImage(ProfileImage &image, const GunValues &values);

} // namespace GunEncoding
