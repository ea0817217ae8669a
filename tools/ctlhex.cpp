// Command names and bytes in hex, as kx20ctl prints them.
#include "ctlcommands.h"

#include "protocoltable.h"

#include <algorithm>

namespace CtlCommands {

QString commandName(bool is560, uchar code)
{
    return ProtocolTable::name(ProtocolTable::familyOf(is560), code);
}

QString hexBytes(const uchar *bytes, int count)
{
    QString text;
    text.reserve(count * 3);
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += QLatin1Char(' ');
        text += QStringLiteral("%1").arg(uint(bytes[i]), 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

QString hexBytes(const QByteArray &bytes)
{
    return hexBytes(reinterpret_cast<const uchar *>(bytes.constData()), int(bytes.size()));
}

QStringList hexLines(const uchar *bytes, int count)
{
    QStringList lines;
    for (int offset = 0; offset < count; offset += 16)
        lines.append(hexBytes(bytes + offset, std::min(16, count - offset)));
    return lines;
}

} // namespace CtlCommands
