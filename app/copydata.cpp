#include "copydata.h"

#include <cstring>

namespace CopyData {

std::optional<QString> text(quint64 tag, const void *data, quint64 byteCount)
{
    if (tag != kTextTag || !data)
        return std::nullopt;
    // The text ends at its NUL or at the stated size, whichever comes first:
    // nothing past the size the sender gave is ever read.
    const char *bytes = static_cast<const char *>(data);
    const void *nul = std::memchr(bytes, '\0', static_cast<size_t>(byteCount));
    const qsizetype length = nul ? static_cast<const char *>(nul) - bytes : static_cast<qsizetype>(byteCount);
    const QString text = QString::fromUtf8(bytes, length);
    if (static_cast<quint64>(text.toUtf8().size()) != byteCount)
        return std::nullopt;
    return text;
}

} // namespace CopyData
