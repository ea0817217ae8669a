#pragma once

#include <QString>

#include <optional>

// A text another program sends us in a copy-data message: tag 0x250F and
// NUL-terminated UTF-8 whose length, encoded back, is the stated byte count.
// Anything else is not for us.
namespace CopyData {

constexpr quint64 kTextTag = 0x250F;

std::optional<QString> text(quint64 tag, const void *data, quint64 byteCount);

} // namespace CopyData
