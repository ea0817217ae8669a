#include "settingsstore.h"

#include "filewriting.h"
#include "settingspath.h"

#include <QFile>
#include <QSettings>

namespace {

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

void appendEscape(QByteArray &out, char16_t unit)
{
    out += "\\x";
    out += QByteArray::number(uint(unit), 16);
}

QByteArray escapedValue(const QByteArray &value)
{
    const QString text = QString::fromUtf8(value);
    QByteArray out;
    out.reserve(value.size() * 2);
    bool afterEscape = false;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit >= 0x80 || (afterEscape && isHexDigit(unit))) {
            appendEscape(out, unit);
            afterEscape = true;
        } else {
            out += char(unit);
            afterEscape = false;
        }
    }
    return out;
}

bool hasNonAscii(const QByteArray &bytes)
{
    for (const char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return true;
    }
    return false;
}

} // namespace

namespace SettingsStore {

QByteArray escapedNonAscii(const QByteArray &utf8)
{
    if (!hasNonAscii(utf8))
        return utf8;
    QByteArray out;
    out.reserve(utf8.size() * 2);
    qsizetype start = 0;
    while (start < utf8.size()) {
        qsizetype end = utf8.indexOf('\n', start);
        end = end < 0 ? utf8.size() : end + 1;
        const QByteArray line = utf8.mid(start, end - start);
        const qsizetype equals = line.indexOf('=');
        if (line.startsWith('[') || equals < 0 || !hasNonAscii(line))
            out += line;
        else
            out += line.left(equals + 1) + escapedValue(line.mid(equals + 1));
        start = end;
    }
    return out;
}

bool commit(QSettings &store)
{
    const QString path = SettingsPath::original(store.fileName());
    if (path != store.fileName() || !FileWriting::ensureFile(path)) {
        store.sync();
        return false;
    }
    store.sync();
    if (store.status() == QSettings::AccessError)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray written = file.read(SettingsPath::kMaxBytes + 1);
    file.close();
    const QByteArray escaped = escapedNonAscii(written);
    return escaped == written || FileWriting::replace(path, escaped);
}

} // namespace SettingsStore
