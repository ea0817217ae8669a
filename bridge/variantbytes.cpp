#include "variantbytes.h"

namespace VariantBytes {

uchar intByteAt(const QVariantList &values, int index)
{
    if (index < 0 || index >= values.size())
        return 0;
    return static_cast<uchar>(values.at(index).toInt() & 0xFF);
}

uchar uintByteAt(const QVariantList &values, int index)
{
    if (index < 0 || index >= values.size())
        return 0;
    return static_cast<uchar>(values.at(index).toUInt() & 0xFFu);
}

QVariantList asList(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return {value};
    return value.toList();
}

} // namespace VariantBytes
