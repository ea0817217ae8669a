#pragma once

#include <QVariantList>

// Scene values become device bytes by keeping the low byte of their integer
// form. A position past the end of a list counts as 0, so a short list never
// makes us read past its end.
namespace VariantBytes {

// The value at `index` taken as a signed integer, low byte kept.
uchar intByteAt(const QVariantList &values, int index);
// The value at `index` taken as an unsigned integer, low byte kept.
uchar uintByteAt(const QVariantList &values, int index);

// A stored list value: the list itself, or a one-value list where the store
// gave back a list of one element as plain text (taken apart into characters
// otherwise).
QVariantList asList(const QVariant &value);

} // namespace VariantBytes
